#include "numbers/number_conversion.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <system_error>

#include <fast_float/fast_float.h>

#include "numbers/exact_powers_of_ten.hpp"

namespace parabeam {
namespace {

// Beyond these decimal exponents of the first digit a value is surely out of
// range; inside them the conversion itself decides.
constexpr std::int64_t kSurelyTooLarge = 400;
constexpr std::int64_t kSurelyTooSmall = -400;

// Up to 15 digits the kept digits are an integer below 2^53: exactly a double.
constexpr int kDigitsExactInDouble = 15;

// Most typed numbers: the digits and the power of ten are both exact doubles,
// so one multiplication or division rounds the value once, correctly.
bool convertExactOperands(const NumberField& field, double& magnitude) {
    if (field.digitCount > kDigitsExactInDouble || field.power > kLargestExactPower ||
        field.power < -kLargestExactPower)
        return false;
    std::uint64_t digits = 0;
    for (int i = 0; i < field.digitCount; ++i)
        digits = digits * 10 + static_cast<std::uint64_t>(field.digits[i] - '0');
    const auto exact = static_cast<double>(digits);
    magnitude = field.power >= 0 ? exact * kExactPowersOfTen[field.power]
                                 : exact / kExactPowersOfTen[-field.power];
    return true;
}

// Any other digits: the correctly rounding conversion of a well-kept library,
// on the digits written out as "<digits>e<power>".
bool convertText(const NumberField& field, double& magnitude) {
    char text[NumberField::kMaxDigits + 24]; // digits, "e", a 64-bit power
    const std::string_view digits(field.digits, static_cast<std::size_t>(field.digitCount));
    digits.copy(text, digits.size());
    char* end = text + digits.size();
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, field.power).ptr;
    return fast_float::from_chars(text, end, magnitude).ec == std::errc();
}

} // namespace

bool toDouble(const NumberField& field, double& value) {
    if (field.digitCount == 0) {
        value = field.negative ? -0.0 : 0.0;
        return true;
    }
    const std::int64_t leadingPower = field.power + field.digitCount - 1;
    if (leadingPower > kSurelyTooLarge || leadingPower < kSurelyTooSmall) return false;

    double magnitude = 0.0;
    if (!convertExactOperands(field, magnitude) && !convertText(field, magnitude)) return false;
    // Too large comes back as infinity, too small to be represented as zero.
    if (std::isinf(magnitude) || magnitude == 0.0) return false;
    value = field.negative ? -magnitude : magnitude;
    return true;
}

} // namespace parabeam
