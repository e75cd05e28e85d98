#pragma once
// One line of the page's working, written piece by piece as a report line of
// the console is: literal text, numbers as a textbook writes them, values with
// their units, and polynomials.
#include <string>
#include <string_view>

#include "diagrams/page_units.hpp"

namespace parabeam {

// A number as the working writes it: the program's six significant digits,
// a power of ten as ×10ⁿ (1.23457×10⁶, not 1.23457e+006), the minus sign
// U+2212. Finite values only.
std::string algebraText(double value);

// A polynomial: its terms joined by their signs, terms of coefficient 0 left
// out (0 when all are), a coefficient of 1 left out before a variable
// ("9.33333x − x²").
class Terms {
  public:
    Terms& add(double coefficient, std::string_view variable = {});
    std::string text() const { return text_.empty() ? "0" : text_; }

  private:
    std::string text_;
};

class WorkingLine {
  public:
    explicit WorkingLine(const PageUnits& units) : units_(units) {}

    WorkingLine& text(std::string_view literal);
    WorkingLine& number(double value);
    // A value put into a formula: in parentheses when negative ("(−3.2)"), so
    // that no two signs stand together.
    WorkingLine& factor(double value);
    WorkingLine& terms(const Terms& polynomial);
    // A unit word after a blank, or nothing where there is none.
    WorkingLine& unit(std::string_view word);
    // A value and its unit.
    WorkingLine& length(double value) { return number(value).unit(units_.length); }
    WorkingLine& force(double value) { return number(value).unit(units_.force); }
    WorkingLine& moment(double value) { return number(value).unit(units_.moment); }
    WorkingLine& weight(double value) { return number(value).unit(units_.weight); }

    std::string take() { return std::move(line_); }

  private:
    const PageUnits& units_;
    std::string line_;
};

} // namespace parabeam
