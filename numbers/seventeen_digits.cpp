#include "numbers/seventeen_digits.hpp"

#include <fmt/format.h>

namespace parabeam {

// {fmt} rounds the exact binary value itself, with its own exact arithmetic,
// the same on every platform (unlike the C library's printf).
std::size_t writeSeventeenDigits(double magnitude, char* out) {
    const auto written =
        fmt::format_to_n(out, kSeventeenDigitsCapacity, FMT_STRING("{:.16e}"), magnitude);
    return static_cast<std::size_t>(written.out - out);
}

} // namespace parabeam
