#include "support/exact_reference.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

namespace parabeam::testing {
namespace {

// A non-negative integer in base 10^9, least significant limb first.
class DecimalInteger {
  public:
    explicit DecimalInteger(std::uint64_t value) {
        do {
            limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
            value /= kBase;
        } while (value != 0);
    }

    void multiplyBy(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        while (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
            carry /= kBase;
        }
    }

    // Decimal digits, most significant first, no leading zeros.
    std::string digits() const {
        std::string text;
        for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
            std::string group(9, '0');
            std::uint32_t rest = *limb;
            for (int at = 8; at >= 0; --at) {
                group[static_cast<std::size_t>(at)] = static_cast<char>('0' + rest % 10);
                rest /= 10;
            }
            text += group;
        }
        const std::size_t first = text.find_first_not_of('0');
        return first == std::string::npos ? std::string() : text.substr(first);
    }

  private:
    static constexpr std::uint32_t kBase = 1'000'000'000;
    std::vector<std::uint32_t> limbs_;
};

// Multiplies by base^count in steps whose factor fits 32 bits.
void multiplyByPower(DecimalInteger& number, std::uint32_t base, int stepExponent, int count) {
    std::uint32_t stepFactor = 1;
    for (int i = 0; i < stepExponent; ++i)
        stepFactor *= base;
    for (; count >= stepExponent; count -= stepExponent)
        number.multiplyBy(stepFactor);
    for (; count > 0; --count)
        number.multiplyBy(base);
}

std::string threeDigits(int value) {
    return {static_cast<char>('0' + value / 100), static_cast<char>('0' + value / 10 % 10),
            static_cast<char>('0' + value % 10)};
}

} // namespace

DecimalDigits exactDecimal(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    // value = mantissa * 2^binaryExponent; subnormals have no hidden bit.
    const std::uint64_t mantissa =
        biasedExponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int binaryExponent = (biasedExponent == 0 ? 1 : biasedExponent) - 1075;
    if (mantissa == 0) return {};

    DecimalInteger scaled(mantissa);
    int pointShift = 0; // value = scaled / 10^pointShift
    if (binaryExponent >= 0) {
        multiplyByPower(scaled, 2, 31, binaryExponent);
    } else {
        // m / 2^k = m * 5^k / 10^k
        multiplyByPower(scaled, 5, 13, -binaryExponent);
        pointShift = -binaryExponent;
    }
    DecimalDigits exact;
    exact.digits = scaled.digits();
    exact.exponent = static_cast<int>(exact.digits.size()) - 1 - pointShift;
    exact.digits.erase(exact.digits.find_last_not_of('0') + 1);
    return exact;
}

DecimalDigits roundHalfUp(const DecimalDigits& number, std::size_t count) {
    DecimalDigits rounded = number;
    rounded.digits.resize(std::max(rounded.digits.size(), count + 1), '0');
    const bool roundUp = rounded.digits[count] >= '5';
    rounded.digits.resize(count);
    if (!roundUp) return rounded;
    std::size_t at = count;
    while (at > 0 && rounded.digits[at - 1] == '9')
        rounded.digits[--at] = '0';
    if (at > 0) {
        ++rounded.digits[at - 1];
    } else { // all nines: 99..9 becomes 10..0 one decade up
        rounded.digits[0] = '1';
        ++rounded.exponent;
    }
    return rounded;
}

std::string referenceRealText(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    if (((bits >> 52) & 0x7FF) == 0x7FF) {
        const bool notANumber = (bits & ((std::uint64_t{1} << 52) - 1)) != 0;
        if (notANumber) return "-1.#IND";
        return negative ? "-1.#INF" : "1.#INF";
    }
    const DecimalDigits exact = exactDecimal(value);
    if (exact.digits.empty()) return "0";

    DecimalDigits six = roundHalfUp(roundHalfUp(exact, 17), 6);
    six.digits.erase(std::max<std::size_t>(six.digits.find_last_not_of('0') + 1, 1));
    const std::string& digits = six.digits;
    const int exponent = six.exponent;

    std::string text = negative ? "-" : "";
    if (exponent < -4 || exponent >= 6) {
        text += digits[0];
        if (digits.size() > 1) text.append(".").append(digits, 1);
        text += exponent < 0 ? "e-" : "e+";
        text += threeDigits(exponent < 0 ? -exponent : exponent);
    } else if (exponent < 0) {
        text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent + 1);
        std::string padded = digits;
        padded.resize(std::max(padded.size(), integerDigits), '0');
        text += padded.substr(0, integerDigits);
        if (padded.size() > integerDigits) text.append(".").append(padded, integerDigits);
    }
    return text;
}

} // namespace parabeam::testing
