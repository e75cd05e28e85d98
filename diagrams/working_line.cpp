#include "diagrams/working_line.hpp"

#include <cmath>

#include "diagrams/page_numbers.hpp"

namespace parabeam {
namespace {

constexpr std::string_view kMinus = "\u2212";

std::string superscript(std::string_view digits) {
    static constexpr std::string_view kDigits[] = {"⁰", "¹", "²", "³", "⁴",
                                                   "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string raised;
    for (const char digit : digits)
        raised += digit == '-' ? std::string_view("⁻") : kDigits[digit - '0'];
    return raised;
}

} // namespace

std::string algebraText(double value) {
    std::string text = realText(value); // "-1.5", "1.23457e+006", "1e-005"
    std::string written;
    const std::size_t exponent = text.find('e');
    std::string mantissa = text.substr(0, exponent);
    if (mantissa.starts_with('-')) {
        written = kMinus;
        mantissa.erase(0, 1);
    }
    written += mantissa;
    if (exponent != std::string::npos) {
        std::string power = text.substr(exponent + 1); // "+006", "-005"
        const bool negative = power.front() == '-';
        power.erase(0, 1);
        power.erase(0, power.find_first_not_of('0'));
        written += "×10" + superscript((negative ? "-" : "") + power);
    }
    return written;
}

Terms& Terms::add(double coefficient, std::string_view variable) {
    if (coefficient == 0) return *this;
    const bool negative = coefficient < 0;
    const std::string size = algebraText(negative ? -coefficient : coefficient);
    std::string term = variable.empty() || size != "1" ? size : "";
    term += variable;
    if (text_.empty())
        text_ = negative ? std::string(kMinus) + term : term;
    else
        text_ += std::string(negative ? " \u2212 " : " + ") + term;
    return *this;
}

WorkingLine& WorkingLine::text(std::string_view literal) {
    line_ += literal;
    return *this;
}

WorkingLine& WorkingLine::number(double value) {
    line_ += algebraText(value);
    return *this;
}

WorkingLine& WorkingLine::factor(double value) {
    if (value < 0) return text("(").number(value).text(")");
    return number(value);
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
