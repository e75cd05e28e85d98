#pragma once
// The one number format of every report line: six significant digits in
// general notation, rounded in two half-up steps (17 digits, then 6), with a
// three-digit exponent and fixed texts for infinities and undefined values.
#include <cstddef>

namespace parabeam {

// Longest result is "-1.23457e+308": 13 characters.
inline constexpr std::size_t kRealTextCapacity = 16;

// Writes the text of `value` into `out` (at least kRealTextCapacity bytes,
// no terminator) and returns its length.
std::size_t formatReal(double value, char* out);

} // namespace parabeam
