#include "numbers/number_format.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "numbers/exact_powers_of_ten.hpp"
#include "numbers/seventeen_digits.hpp"

namespace parabeam {
namespace {

constexpr int kKeptDigits = 6;
constexpr int kExpandedDigits = 17;

// The text's characters without its terminator: the caller counts them.
std::size_t copyText(const char* text, char* out) {
    const std::size_t length = std::strlen(text);
    std::copy_n(text, length, out);
    return length;
}

// Six rounded digits of a finite, non-zero magnitude and the decimal exponent
// of the first one.
struct Rounded {
    char digits[kKeptDigits];
    int exponent;
};

// 10^(22q) for q = 0 to 14: the doubles nearest to them.
constexpr double kPowersOfTenBy22[] = {1e0,   1e22,  1e44,  1e66,  1e88,  1e110, 1e132, 1e154,
                                       1e176, 1e198, 1e220, 1e242, 1e264, 1e286, 1e308};
constexpr int kLargestShift = 14 * kLargestExactPower + kLargestExactPower - 1;
constexpr double kSixDigitsLow = 1e5;
constexpr double kSixDigitsHigh = 1e6;
// Distance from a tie, in units of the sixth digit, below which the quick way
// declines. Scaling is off by at most 3.4e-10 of a unit (below), and the two
// rounding steps differ from one direct rounding only within 5e-12 of a tie.
constexpr double kTieMargin = 1e-7;

void setDigits(std::uint32_t sixDigits, Rounded& rounded) {
    for (int i = kKeptDigits - 1; i >= 0; --i) {
        rounded.digits[i] = static_cast<char>('0' + sixDigits % 10);
        sixDigits /= 10;
    }
}

// magnitude x 10^shift, for |shift| up to kLargestShift and a result between
// 10^5 and 10^7. Three roundings at most (the power 10^(22q), then two exact
// operations), so the relative error stays below 3.4e-16: 3.4e-10 of a unit
// of the sixth digit. Neither step can overflow or lose precision to
// underflow, as the result is near 10^6.
double scaleByPowerOfTen(double magnitude, int shift) {
    const int steps = shift >= 0 ? shift : -shift;
    const double coarse = kPowersOfTenBy22[steps / kLargestExactPower];
    const double fine = kExactPowersOfTen[steps % kLargestExactPower];
    return shift >= 0 ? magnitude * coarse * fine : magnitude / coarse / fine;
}

// The quick way for nearly every value: scaling by a power of ten puts six
// digits before the point, with an error far below the 17th digit, and away
// from a tie rounding that double once gives the same digits as the two
// half-up steps on the exact value. Returns false (and the exact way is
// taken) for subnormals and near ties.
bool roundByScaling(double magnitude, Rounded& rounded) {
    std::uint64_t bits = 0; // std::bit_cast is missing from some C++ libraries still
    std::memcpy(&bits, &magnitude, sizeof bits);
    const auto biasedExponent = static_cast<int>(bits >> 52);
    if (biasedExponent == 0) return false;
    // About floor(log10(magnitude)): exact or one too small, rarely one more
    // off either way (then declined below).
    int exponent = ((biasedExponent - 1023) * 78913) >> 18;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int shift = kKeptDigits - 1 - exponent;
        if (shift > kLargestShift || shift < -kLargestShift) return false;
        const double scaled = scaleByPowerOfTen(magnitude, shift);
        if (scaled >= kSixDigitsHigh) {
            ++exponent;
            continue;
        }
        if (scaled < kSixDigitsLow) return false;
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) < kTieMargin) return false;
        auto sixDigits = static_cast<std::uint32_t>(whole) + (fraction > 0.5 ? 1U : 0U);
        if (sixDigits == 1000000) { // 999999.5 and up: 100000 one decade up
            sixDigits = 100000;
            ++exponent;
        }
        setDigits(sixDigits, rounded);
        rounded.exponent = exponent;
        return true;
    }
    return false;
}

// The exact way: the value is first expanded to 17 digits, then rounded half
// up to 6. The expansion rounds the exact value correctly to 17 digits (its
// own exact arithmetic, not the platform's); whether it breaks an
// exact tie to even or upwards cannot change the 6-digit result: the two
// differ only when the even neighbour below was chosen, and an even 17th digit
// can never be the ...49999999999 that one more unit would carry into a 5.
Rounded roundByExpansion(double magnitude) {
    char expanded[kSeventeenDigitsCapacity];
    const char* const end = expanded + writeSeventeenDigits(magnitude, expanded);
    // Layout: d.dddddddddddddddde[+-]XX[X]
    Rounded rounded{};
    rounded.digits[0] = expanded[0];
    std::memcpy(rounded.digits + 1, expanded + 2, kKeptDigits - 1);
    const char* exponentText = expanded + 2 + (kExpandedDigits - 1) + 1;
    int exponent = 0;
    std::from_chars(exponentText + (*exponentText == '+' ? 1 : 0), end, exponent);
    rounded.exponent = exponent;

    const char nextDigit = expanded[2 + kKeptDigits - 1];
    if (nextDigit >= '5') {
        int position = kKeptDigits - 1;
        while (position >= 0 && rounded.digits[position] == '9') {
            rounded.digits[position] = '0';
            --position;
        }
        if (position >= 0) {
            ++rounded.digits[position];
        } else { // 999999.5 becomes 100000 one decade up
            rounded.digits[0] = '1';
            ++rounded.exponent;
        }
    }
    return rounded;
}

Rounded roundToSixDigits(double magnitude) {
    Rounded rounded{};
    if (roundByScaling(magnitude, rounded)) return rounded;
    return roundByExpansion(magnitude);
}

int significantLength(const Rounded& rounded) {
    int length = kKeptDigits;
    while (length > 1 && rounded.digits[length - 1] == '0')
        --length;
    return length;
}

std::size_t writeExponentForm(const Rounded& rounded, char* out) {
    const int length = significantLength(rounded);
    std::size_t at = 0;
    out[at++] = rounded.digits[0];
    if (length > 1) {
        out[at++] = '.';
        for (int i = 1; i < length; ++i)
            out[at++] = rounded.digits[i];
    }
    out[at++] = 'e';
    out[at++] = rounded.exponent < 0 ? '-' : '+';
    const int exponent = std::abs(rounded.exponent);
    out[at++] = static_cast<char>('0' + exponent / 100);
    out[at++] = static_cast<char>('0' + exponent / 10 % 10);
    out[at++] = static_cast<char>('0' + exponent % 10);
    return at;
}

// Plain form for exponents -4 to 5.
std::size_t writePlainForm(const Rounded& rounded, char* out) {
    const int length = significantLength(rounded);
    std::size_t at = 0;
    if (rounded.exponent < 0) {
        out[at++] = '0';
        out[at++] = '.';
        for (int i = -1; i > rounded.exponent; --i)
            out[at++] = '0';
        for (int i = 0; i < length; ++i)
            out[at++] = rounded.digits[i];
        return at;
    }
    const int integerDigits = rounded.exponent + 1;
    for (int i = 0; i < integerDigits; ++i)
        out[at++] = i < length ? rounded.digits[i] : '0';
    if (length > integerDigits) {
        out[at++] = '.';
        for (int i = integerDigits; i < length; ++i)
            out[at++] = rounded.digits[i];
    }
    return at;
}

} // namespace

std::size_t formatReal(double value, char* out) {
    if (std::isnan(value)) return copyText("-1.#IND", out);
    if (std::isinf(value)) return copyText(value < 0 ? "-1.#INF" : "1.#INF", out);
    if (value == 0.0) return copyText("0", out);

    std::size_t at = 0;
    if (value < 0) out[at++] = '-';
    const Rounded rounded = roundToSixDigits(std::fabs(value));
    const bool exponentForm = rounded.exponent < -4 || rounded.exponent >= kKeptDigits;
    return at + (exponentForm ? writeExponentForm(rounded, out + at)
                              : writePlainForm(rounded, out + at));
}

} // namespace parabeam
