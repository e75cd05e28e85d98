#include "diagrams/working_line.hpp"

#include <cmath>

#include "diagrams/page_numbers.hpp"

namespace parabeam {

Terms& Terms::add(double coefficient, std::string_view variable) {
    const bool negative = std::signbit(coefficient) && coefficient != 0;
    const std::string size = realText(negative ? -coefficient : coefficient);
    std::string term = variable.empty() || size != "1" ? size : "";
    term += variable;
    if (text_.empty())
        text_ = negative ? "-" + term : term;
    else
        text_ += (negative ? " - " : " + ") + term;
    return *this;
}

WorkingLine& WorkingLine::text(std::string_view literal) {
    line_ += literal;
    return *this;
}

WorkingLine& WorkingLine::number(double value) {
    line_ += realText(value);
    return *this;
}

WorkingLine& WorkingLine::terms(const Terms& polynomial) {
    line_ += polynomial.text();
    return *this;
}

WorkingLine& WorkingLine::unit(std::string_view word) {
    if (!word.empty()) line_.append(" ").append(word);
    return *this;
}

} // namespace parabeam
