#pragma once
// One line of the page's working, written piece by piece as a report line of
// the console is: literal text, numbers in the program's format, values with
// their units, and polynomials as a textbook writes them.
#include <string>
#include <string_view>

#include "diagrams/page_units.hpp"

namespace parabeam {

// A polynomial: each term after the first joined by its sign, a coefficient
// of 1 left out before a variable ("9.33333x - x²").
class Terms {
  public:
    Terms& add(double coefficient, std::string_view variable = {});
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

class WorkingLine {
  public:
    explicit WorkingLine(const PageUnits& units) : units_(units) {}

    WorkingLine& text(std::string_view literal);
    WorkingLine& number(double value);
    WorkingLine& terms(const Terms& polynomial);
    // A unit word after a blank, or nothing where there is none.
    WorkingLine& unit(std::string_view word);
    // A value and its unit.
    WorkingLine& length(double value) { return number(value).unit(units_.length); }
    WorkingLine& force(double value) { return number(value).unit(units_.force); }
    WorkingLine& moment(double value) { return number(value).unit(units_.moment); }
    WorkingLine& weight(double value) { return number(value).unit(units_.weight); }

    const PageUnits& units() const { return units_; }
    std::string take() { return std::move(line_); }

  private:
    const PageUnits& units_;
    std::string line_;
};

} // namespace parabeam
