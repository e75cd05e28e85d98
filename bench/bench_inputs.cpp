#include "bench_inputs.hpp"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace parabeam::bench {
namespace {

using Random = std::mt19937_64;

std::vector<double> randomBitPatterns(Random& random) {
    std::vector<double> result;
    while (result.size() < kValueCount) {
        const double value = std::bit_cast<double>(random());
        if (value - value == 0.0) result.push_back(value); // finite only
    }
    return result;
}

// Rounds to `digits` significant digits through its own decimal text.
double withSignificantDigits(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
    return std::strtod(text, nullptr);
}

std::vector<double> studentValues(Random& random) {
    std::uniform_real_distribution<double> range(-1e6, 1e6);
    std::uniform_int_distribution<int> digits(1, 8);
    std::vector<double> result;
    for (std::size_t i = 0; i < kValueCount; ++i)
        result.push_back(withSignificantDigits(range(random), digits(random)));
    return result;
}

std::vector<double> integers(Random& random) {
    std::uniform_int_distribution<int> digitCount(1, 9);
    std::uniform_int_distribution<int> sign(0, 1);
    std::vector<double> result;
    for (std::size_t i = 0; i < kValueCount; ++i) {
        std::int64_t low = 1;
        for (int d = digitCount(random); d > 1; --d)
            low *= 10;
        std::uniform_int_distribution<std::int64_t> magnitude(low == 1 ? 0 : low, low * 10 - 1);
        const auto value = static_cast<double>(magnitude(random));
        result.push_back(sign(random) != 0 ? -value : value);
    }
    return result;
}

// One field: `digits` (first one not zero) times ten to the power of
// `exponent` for the first digit, written plain or in exponent form.
std::string field(const std::string& digits, int exponent, bool plain, bool negative) {
    std::string text = negative ? "-" : "";
    if (!plain) {
        text += digits[0];
        if (digits.size() > 1) text.append(".").append(digits, 1);
        return text.append(exponent < 0 ? "e-" : "e+").append(std::to_string(std::abs(exponent)));
    }
    if (exponent < 0) return text.append("0.").append(-exponent - 1, '0').append(digits);
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits)
        return text.append(digits).append(integerDigits - digits.size(), '0');
    return text.append(digits, 0, integerDigits).append(".").append(digits, integerDigits);
}

std::string buildFields() {
    Random random(20240611);
    std::uniform_int_distribution<int> digitCount(1, 17);
    std::uniform_int_distribution<int> firstDigit(1, 9);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> anyExponent(-307, 307);
    std::uniform_int_distribution<int> plainExponent(-6, 17);
    std::uniform_int_distribution<int> coin(0, 1);
    std::string text;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        std::string digits(1, static_cast<char>('0' + firstDigit(random)));
        for (int d = digitCount(random); d > 1; --d)
            digits += static_cast<char>('0' + digit(random));
        const bool plain = coin(random) != 0;
        const int exponent = plain ? plainExponent(random) : anyExponent(random);
        text += field(digits, exponent, plain, coin(random) != 0);
        text += ' ';
    }
    return text;
}

} // namespace

const std::vector<double>& values(ValueSet set) {
    static const std::vector<double> sets[] = {
        [] {
            Random random(1);
            return randomBitPatterns(random);
        }(),
        [] {
            Random random(2);
            return studentValues(random);
        }(),
        [] {
            Random random(3);
            return integers(random);
        }(),
    };
    return sets[static_cast<int>(set)];
}

const std::string& numberFields() {
    static const std::string text = buildFields();
    return text;
}

} // namespace parabeam::bench
