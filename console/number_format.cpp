#include "console/number_format.hpp"

#include <charconv>
#include <cmath>
#include <cstring>

namespace parabeam {
namespace {

constexpr int kKeptDigits = 6;
constexpr int kExpandedDigits = 17;

std::size_t copyText(const char* text, char* out) {
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return length;
}

// Six rounded digits of a finite, non-zero magnitude and the decimal exponent
// of the first one.
struct Rounded {
    char digits[kKeptDigits];
    int exponent;
};

// The exact value is first expanded to 17 digits, then rounded half up to 6.
// to_chars rounds the exact value correctly to 17 digits; whether it breaks an
// exact tie to even or upwards cannot change the 6-digit result: the two differ
// only when the even neighbour below was chosen, and an even 17th digit can
// never be the ...49999999999 that one more unit would carry into a 5.
Rounded roundToSixDigits(double magnitude) {
    char expanded[32];
    const auto result = std::to_chars(expanded, expanded + sizeof expanded, magnitude,
                                      std::chars_format::scientific, kExpandedDigits - 1);
    // Layout: d.dddddddddddddddde[+-]XX[X]
    Rounded rounded{};
    rounded.digits[0] = expanded[0];
    std::memcpy(rounded.digits + 1, expanded + 2, kKeptDigits - 1);
    const char* exponentText = expanded + 2 + (kExpandedDigits - 1) + 1;
    int exponent = 0;
    std::from_chars(exponentText + (*exponentText == '+' ? 1 : 0), result.ptr, exponent);
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
