#pragma once
// A slow, plainly written model of the report's number format, used to check
// the real formatter. It derives each text from the double's exact decimal
// value (big-integer arithmetic on its bits), never from the platform's own
// number conversion, so the two share no code and no rounding shortcut.
#include <cstddef>
#include <string>

namespace parabeam::testing {

// A non-negative decimal number: significant digits without leading or
// trailing zeros ("15" for 1.5; empty for zero) and the power of ten of the
// first digit (0 for 1.5, -1 for 0.1).
struct DecimalDigits {
    std::string digits;
    int exponent = 0;

    bool operator==(const DecimalDigits&) const = default;
};

// The exact decimal value of the magnitude of a finite double.
DecimalDigits exactDecimal(double value);

// `number` rounded half up (away from zero) to `count` significant digits,
// judged by the next digit alone; the result keeps exactly `count` digits,
// trailing zeros included.
DecimalDigits roundHalfUp(const DecimalDigits& number, std::size_t count);

// The text the report writes for `value`.
std::string referenceRealText(double value);

} // namespace parabeam::testing
