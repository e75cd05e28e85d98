#pragma once
// The exact expansion behind the number format's rare slow path, in a file of
// its own: the formatting library that does it is by far the slowest code of
// the program to compile, and the format's own logic changes without it.
#include <cstddef>

namespace parabeam {

// Longest text: "d.dddddddddddddddde-XXX", 23 characters.
inline constexpr std::size_t kSeventeenDigitsCapacity = 32;

// Writes a finite, positive `magnitude` in exponent form with 17 significant
// digits, d.dddddddddddddddde[+-]XX[X], correctly rounded from its exact value,
// into `out` (kSeventeenDigitsCapacity bytes, no terminator); returns the length.
std::size_t writeSeventeenDigits(double magnitude, char* out);

} // namespace parabeam
