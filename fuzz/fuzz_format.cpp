// The report's number format against the exact reference model, on doubles
// made from the fuzzer's bytes: raw bit patterns, and values a few steps from
// the points where six-digit rounding or the choice of form changes.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.hpp"
#include "support/exact_reference.hpp"
#include "support/format_check.hpp"

namespace parabeam::fuzzing {
namespace {

// Moves `steps` representable doubles up (positive) or down.
double nudge(double value, int steps) {
    const double towards = steps < 0 ? -INFINITY : INFINITY;
    for (int i = 0; i < std::abs(steps); ++i)
        value = std::nextafter(value, towards);
    return value;
}

// Bytes 0-7: a bit pattern. Byte 8, when present, picks how to use it:
// as it is, or as the digits of a rounding tie dddddd5 (bytes 9-10 its power
// of ten, byte 11 a signed nudge), or as a tie just below a power of ten.
double valueFrom(const std::uint8_t* data, std::size_t size) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, data, std::min<std::size_t>(size, sizeof bits));
    if (size <= 8 || data[8] % 3 == 0) return std::bit_cast<double>(bits);
    const int power = size > 10 ? (data[9] | data[10] << 8) % 640 - 330 : 0;
    const int steps = size > 11 ? static_cast<std::int8_t>(data[11]) : 0;
    const std::string mantissa = data[8] % 3 == 1
                                     ? std::to_string((bits << 1 >> 1) % 1'000'000) + "5"
                                     : std::string("9999995");
    const std::string text = (bits >> 63 ? "-" : "") + mantissa + "e" + std::to_string(power);
    return nudge(std::strtod(text.c_str(), nullptr), steps);
}

} // namespace
} // namespace parabeam::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace parabeam;
    const double value = fuzzing::valueFrom(data, size);
    const testing::FormattedText formatted = testing::formatWithGuard(value);
    fuzzing::require(formatted.withinCapacity, "the text overran its buffer");
    const std::string expected = testing::referenceRealText(value);
    fuzzing::require(formatted.text == expected,
                     "wrote \"" + formatted.text + "\" for " +
                         std::to_string(std::bit_cast<std::uint64_t>(value)) + ", expected \"" +
                         expected + "\"");
    return 0;
}
