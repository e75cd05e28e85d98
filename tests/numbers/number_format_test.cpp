// The number format: worked examples, then a comparison against an exact
// reference over many values.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/exact_reference.hpp"
#include "support/format_check.hpp"

#if defined(__SANITIZE_ADDRESS__)
#define PARABEAM_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer) ||                         \
    __has_feature(thread_sanitizer)
#define PARABEAM_SANITIZED 1
#endif
#endif

namespace parabeam::testing {
namespace {

// Hand-worked texts of the report's number format. Each expected string was
// derived from the exact decimal expansion of the stored double (quoted in the
// comments where it decides the result), not from any formatter.
namespace examples {

struct Example {
    const char* what;
    double value;
    const char* text;
};

double fromBits(std::uint64_t bits) {
    return std::bit_cast<double>(bits);
}

const std::vector<Example>& finiteExamples() {
    static const std::vector<Example> examples = {
        // Plain form, trailing zeros and bare points dropped.
        {"integer", 3.0, "3"},
        {"one fraction digit", 1.5, "1.5"},
        {"0.99999999 rounds to one", 0.99999999, "1"},
        {"repeating sixes", 8.66666666, "8.66667"},
        {"one tenth", 0.1, "0.1"},
        {"a third", 1.0 / 3.0, "0.333333"},
        {"two thirds", 2.0 / 3.0, "0.666667"},
        {"hundred", 100.0, "100"},
        {"six integer digits", 123456.0, "123456"},
        {"largest plain power of ten", 100000.0, "100000"},
        {"99999.9", 99999.9, "99999.9"},
        {"leading zeros after the point", 0.00012345, "0.00012345"},
        {"leading zeros, rounded", 0.000123456789, "0.000123457"},
        // Where the form switches: decided by the rounded value's exponent.
        {"0.0001 is plain", 0.0001, "0.0001"},
        {"0.00001 is exponent form", 0.00001, "1e-005"},
        {"below 0.0001 but rounds to it", fromBits(0x3f1a36e2eb1c432c), "0.0001"},
        {"9.99999e-5 stays below", 9.99999e-5, "9.99999e-005"},
        {"1.2345e-5", 1.2345e-5, "1.2345e-005"},
        {"999999 is plain", 999999.0, "999999"},
        {"one million", 1e6, "1e+006"},
        {"below one million but rounds to it", fromBits(0x412e847fffffffff), "1e+006"},
        {"seven integer digits", 1234567.0, "1.23457e+006"},
        {"twelve integer digits", 123456789012.0, "1.23457e+011"},
        {"1e21", 1e21, "1e+021"},
        {"1.5e-10", 1.5e-10, "1.5e-010"},
        {"1e100", 1e100, "1e+100"},
        {"1.5e300", 1.5e300, "1.5e+300"},
        {"1e-300", 1e-300, "1e-300"},
        // Exact ties at the sixth digit round away from zero.
        {"1234565 exactly", 1234565.0, "1.23457e+006"},
        {"123456.5 exactly", 123456.5, "123457"},
        {"12345.25 exactly", 12345.25, "12345.3"},
        {"1234.125 exactly", 1234.125, "1234.13"},
        {"12345650000000000 exactly", 12345650000000000.0, "1.23457e+016"},
        {"999999.5 carries into a new decade", 999999.5, "1e+006"},
        {"999999.4", 999999.4, "999999"},
        // Decimal ties that the double does not hold exactly.
        {"9.999995 = 9.99999500000000018.. carries to 10", 9.999995, "10"},
        {"9.999995e-5 = 9.99999500000000012..e-5", 9.999995e-5, "0.0001"},
        {"0.000099999995 = 9.9999994999..e-5", 0.000099999995, "0.0001"},
        {"9.9999949e-5", 9.9999949e-5, "9.99999e-005"},
        {"0.00099999995 = 9.99999950000000003..e-4", 0.00099999995, "0.001"},
        {"99999.96", 99999.96, "100000"},
        // 17 digits decide: the exact value lies below the tie and the first
        // step does not reach it (a rounding at 15 or 16 digits would).
        {"99999.95 = 99999.9499999999997089..", 99999.95, "99999.9"},
        {"1.234565 = 1.23456499999999991246..", 1.234565, "1.23456"},
        // 17 digits decide the other way: 1.00001|49999999999|636.. becomes
        // 1.0000150000000000 first, then rounds up (a one-step rounding of the
        // exact value would round down).
        {"10000.15 = 10000.149999999999636..", 10000.15, "10000.2"},
        {"1.000065 = 1.00006499999999998173..", 1.000065, "1.00007"},
        {"0.1000035 = 0.100003499999999995173..", 0.1000035, "0.100004"},
        {"9.99995e-5 = 9.99994999999999969195..e-5", 9.99995e-5, "9.99995e-005"},
        {"1.000005e-7 = 1.00000499999999996041..e-7", 1.000005e-7, "1.00001e-007"},
        {"1.000075e100 = 1.00007499999999999605..e100", 1.000075e100, "1.00008e+100"},
        {"1.000005e-300 = 1.00000499999999997495..e-300", 1.000005e-300, "1.00001e-300"},
        // An 18-digit exact value ending in 5: a tie at the 17th digit.
        {"1000000000000000.25", 1000000000000000.25, "1e+015"},
        // Extremes of the double range.
        {"largest double", std::numeric_limits<double>::max(), "1.79769e+308"},
        {"smallest normal", std::numeric_limits<double>::min(), "2.22507e-308"},
        {"largest subnormal", fromBits(0x000fffffffffffff), "2.22507e-308"},
        {"subnormal 2^-1023", fromBits(0x0008000000000000), "1.11254e-308"},
        {"subnormal 0x12345", fromBits(0x0000000000012345), "3.684e-319"},
        {"three smallest subnormals", fromBits(3), "1.4822e-323"},
        {"smallest subnormal", std::numeric_limits<double>::denorm_min(), "4.94066e-324"},
    };
    return examples;
}

TEST(NumberFormatExamples, FinitePositiveValues) {
    for (const Example& example : finiteExamples()) {
        const FormattedText formatted = formatWithGuard(example.value);
        EXPECT_EQ(formatted.text, example.text) << example.what;
        EXPECT_TRUE(formatted.withinCapacity) << example.what;
    }
}

TEST(NumberFormatExamples, NegativeValuesCarryOneLeadingHyphen) {
    for (const Example& example : finiteExamples()) {
        const FormattedText formatted = formatWithGuard(-example.value);
        EXPECT_EQ(formatted.text, std::string("-") + example.text) << example.what;
        EXPECT_TRUE(formatted.withinCapacity) << example.what;
    }
}

TEST(NumberFormatExamples, ReferenceModelAgreesWithHandWorkedTexts) {
    for (const Example& example : finiteExamples()) {
        EXPECT_EQ(referenceRealText(example.value), example.text) << example.what;
        EXPECT_EQ(referenceRealText(-example.value), std::string("-") + example.text)
            << example.what;
    }
}

// Computed at run time so that the hardware's own results are used.
double runtimeQuotient(double numerator, double denominator) {
    volatile double n = numerator;
    volatile double d = denominator;
    return n / d;
}

TEST(NumberFormatExamples, ZerosInfinitiesAndUndefinedValues) {
    const double infinity = std::numeric_limits<double>::infinity();
    const std::vector<Example> unusualValues = {
        {"zero", 0.0, "0"},
        {"negative zero", -0.0, "0"},
        {"positive infinity", infinity, "1.#INF"},
        {"negative infinity", -infinity, "-1.#INF"},
        {"infinity from overflow", runtimeQuotient(1e308, 1e-10), "1.#INF"},
        {"zero divided by zero", runtimeQuotient(0.0, 0.0), "-1.#IND"},
        {"infinity minus infinity", runtimeQuotient(1.0, 0.0) - infinity, "-1.#IND"},
        {"quiet NaN, sign clear", fromBits(0x7ff8000000000000), "-1.#IND"},
        {"quiet NaN, sign set", fromBits(0xfff8000000000000), "-1.#IND"},
        {"signalling NaN", fromBits(0x7ff0000000000001), "-1.#IND"},
        {"NaN with all bits set", fromBits(0xffffffffffffffff), "-1.#IND"},
        {"NaN with a payload", fromBits(0x7ff4000000012345), "-1.#IND"},
    };
    for (const Example& unusual : unusualValues) {
        const FormattedText formatted = formatWithGuard(unusual.value);
        EXPECT_EQ(formatted.text, unusual.text) << unusual.what;
        EXPECT_TRUE(formatted.withinCapacity) << unusual.what;
        EXPECT_EQ(referenceRealText(unusual.value), unusual.text) << unusual.what;
    }
}

} // namespace examples

// The formatter against the exact reference model over random doubles and over
// doubles built to sit on the rounding boundaries. Any difference is a fault.
//
// PARABEAM_FORMAT_CASES sets the number of random doubles (split between the
// two random tests), PARABEAM_FORMAT_SEED the seed; both are printed.
namespace against_exact_reference {

// Instrumented and unoptimised builds run far slower: fewer random cases by
// default, and smaller boundary sets (fewer random prefixes and ties, fewer
// neighbours).
#if defined(PARABEAM_SANITIZED)
constexpr std::uint64_t kDefaultCases = 30'000;
constexpr int kBreadth = 1;
#elif defined(__OPTIMIZE__)
constexpr std::uint64_t kDefaultCases = 1'000'000;
constexpr int kBreadth = 3;
#else
constexpr std::uint64_t kDefaultCases = 100'000;
constexpr int kBreadth = 1;
#endif
constexpr std::uint64_t kDefaultSeed = 20240611;

std::uint64_t numberFromEnvironment(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') return fallback;
    char* end = nullptr;
    const std::uint64_t value = std::strtoull(text, &end, 0);
    if (*end != '\0') {
        ADD_FAILURE() << name << " is not a number: " << text;
        return fallback;
    }
    return value;
}

std::uint64_t randomCaseCount() {
    static const std::uint64_t count = [] {
        const std::uint64_t value = numberFromEnvironment("PARABEAM_FORMAT_CASES", kDefaultCases);
        std::cout << "number format cases: PARABEAM_FORMAT_CASES=" << value << '\n';
        return value;
    }();
    return count;
}

std::uint64_t seed() {
    static const std::uint64_t value = [] {
        const std::uint64_t chosen = numberFromEnvironment("PARABEAM_FORMAT_SEED", kDefaultSeed);
        std::cout << "number format seed: PARABEAM_FORMAT_SEED=" << chosen << '\n';
        return chosen;
    }();
    return value;
}

// Compares every value it is given and reports the first few differences
// with the double's bits.
class Comparison {
  public:
    void check(double value) {
        ++checked_;
        const FormattedText actual = formatWithGuard(value);
        const std::string expected = referenceRealText(value);
        if (actual.text == expected && actual.withinCapacity) return;
        if (++mismatches_ > kReported) return;
        ADD_FAILURE() << "bits 0x" << std::hex << std::bit_cast<std::uint64_t>(value) << std::dec
                      << ": expected \"" << expected << "\", got \"" << actual.text << "\""
                      << (actual.withinCapacity ? "" : " (written past the buffer capacity)");
    }

    void checkWithNeighbours(double value, int steps) {
        double below = value;
        double above = value;
        check(value);
        for (int i = 0; i < steps; ++i) {
            below = std::nextafter(below, -std::numeric_limits<double>::infinity());
            above = std::nextafter(above, std::numeric_limits<double>::infinity());
            check(below);
            check(above);
        }
    }

    void checkBothSigns(double value, int steps) {
        checkWithNeighbours(value, steps);
        checkWithNeighbours(-value, steps);
    }

    ~Comparison() {
        EXPECT_EQ(mismatches_, 0u) << "of " << checked_ << " values";
        std::cout << "compared " << checked_ << " values\n";
    }

  private:
    static constexpr std::uint64_t kReported = 20;
    std::uint64_t checked_ = 0;
    std::uint64_t mismatches_ = 0;
};

// True when rounding the exact value straight to six digits would give a
// different result from the two-step rounding.
bool firstStepDecides(double value) {
    const DecimalDigits exact = exactDecimal(value);
    return roundHalfUp(roundHalfUp(exact, 17), 6) != roundHalfUp(exact, 6);
}

double parse(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() ? value : 0.0;
}

bool usable(double value) {
    return std::isfinite(value) && value != 0.0;
}

TEST(NumberFormatDifferential, RandomBitPatternsIncludingInfinitiesAndNaNs) {
    std::mt19937_64 random(seed());
    Comparison comparison;
    const std::uint64_t count = randomCaseCount() / 2;
    for (std::uint64_t i = 0; i < count; ++i)
        comparison.check(std::bit_cast<double>(random()));
    // Each class of bit pattern at least once, whatever the count.
    for (const std::uint64_t bits : {0x0ull, 0x1ull, 0x7ff0000000000000ull, 0x7ff8000000000000ull,
                                     0x7fefffffffffffffull, 0x000fffffffffffffull}) {
        comparison.check(std::bit_cast<double>(bits));
        comparison.check(std::bit_cast<double>(bits | 0x8000000000000000ull));
    }
}

// Random bit patterns rarely land between 1e-15 and 1e15, where both forms
// and the switch between them live.
TEST(NumberFormatDifferential, RandomValuesAroundBothForms) {
    std::mt19937_64 random(seed() + 1);
    Comparison comparison;
    const std::uint64_t count = randomCaseCount() - randomCaseCount() / 2;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t bits = random();
        const std::uint64_t biasedExponent = 1023 - 50 + (bits >> 52) % 101;
        const std::uint64_t pattern = (bits & 0x800fffffffffffffull) | (biasedExponent << 52);
        comparison.check(std::bit_cast<double>(pattern));
    }
}

// Doubles whose exact value has exactly 18 significant digits, the last a 5:
// odd * 2^-k with odd * 5^k between 1e17 and 1e18 (k from 2 to 25).
TEST(NumberFormatDifferential, TiesAtTheSeventeenthDigit) {
    std::mt19937_64 random(seed() + 2);
    Comparison comparison;
    std::uint64_t fivePower = 25;
    for (int k = 2; k <= 25; ++k, fivePower *= 5) {
        constexpr std::uint64_t kLargestMantissa = (1ull << 53) - 1;
        std::uint64_t low = (100'000'000'000'000'000ull + fivePower - 1) / fivePower;
        std::uint64_t high =
            std::min<std::uint64_t>(999'999'999'999'999'999ull / fivePower, kLargestMantissa);
        low |= 1;
        if (high % 2 == 0) --high;
        std::vector<std::uint64_t> odds = {low, low + 2, high - 2, high};
        for (int i = 0; i < 400; ++i)
            odds.push_back((low + random() % (high - low + 1)) | 1);
        for (const std::uint64_t odd : odds) {
            if (odd < low || odd > high) continue;
            const double value = std::ldexp(static_cast<double>(odd), -k);
            const DecimalDigits exact = exactDecimal(value);
            ASSERT_EQ(exact.digits.size(), 18u) << odd << " * 2^-" << k;
            ASSERT_EQ(exact.digits.back(), '5') << odd << " * 2^-" << k;
            comparison.checkBothSigns(value, 1);
        }
    }
    // The example from the top of the range: 1000000000000000.25.
    comparison.checkBothSigns(std::ldexp(4000000000000001.0, -2), 1);
}

// Decimal numbers d.ddddd5 and strings just below them, at every decimal
// exponent: their nearest doubles and a few neighbours each. Just below a tie
// the 17-digit step can carry the value up to the tie.
TEST(NumberFormatDifferential, NearestDoublesOfSixDigitTies) {
    std::mt19937_64 random(seed() + 3);
    std::vector<std::uint64_t> prefixes = {100000, 123456, 499999, 500000, 999994, 999999};
    for (int i = 0; i < 2 * kBreadth; ++i)
        prefixes.push_back(100000 + random() % 900000);
    const std::vector<std::string> tails = {"5", "4999999999995", "49999999999",
                                            "4999999999999999999", "5000000000001"};
    Comparison comparison;
    std::uint64_t decidedByFirstStep = 0;
    for (int exponent = -324; exponent <= 308; ++exponent) {
        for (const std::uint64_t prefix : prefixes) {
            const std::string digits = std::to_string(prefix);
            for (const std::string& tail : tails) {
                const double value = parse(digits.substr(0, 1) + "." + digits.substr(1) + tail +
                                           "e" + std::to_string(exponent));
                if (!usable(value)) continue;
                comparison.checkBothSigns(value, kBreadth == 1 ? 1 : 2);
                if (firstStepDecides(value)) ++decidedByFirstStep;
            }
        }
    }
    // The set must reach the case where the first rounding step matters.
    std::cout << decidedByFirstStep << " values decided by the 17-digit step\n";
    EXPECT_GE(decidedByFirstStep, 100u);
}

// Values whose exact expansion is a six-digit tie itself: seven digits ending
// in 5, as T * 10^j (exact while T * 5^j < 2^53) and as n * 2^-k.
TEST(NumberFormatDifferential, ExactSixDigitTies) {
    std::mt19937_64 random(seed() + 4);
    Comparison comparison;
    for (int i = 0; i < 100 * kBreadth; ++i) {
        const std::uint64_t tie = (100'000 + random() % 900'000) * 10 + 5;
        std::uint64_t scaled = tie; // tie * 5^j
        for (int j = 0; scaled < (1ull << 53); ++j, scaled *= 5) {
            comparison.checkBothSigns(std::ldexp(static_cast<double>(scaled), j), 1);
        }
    }
    std::uint64_t fivePower = 5;
    for (int k = 1; k <= 9; ++k, fivePower *= 5) {
        const std::uint64_t low = (1'000'000 + fivePower - 1) / fivePower;
        const std::uint64_t high = 9'999'999 / fivePower;
        for (std::uint64_t n = low | 1; n <= high; n += 2 + 2 * (random() % 50)) {
            const double value = std::ldexp(static_cast<double>(n), -k);
            const DecimalDigits exact = exactDecimal(value);
            ASSERT_EQ(exact.digits.size(), 7u) << n << " * 2^-" << k;
            ASSERT_EQ(exact.digits.back(), '5') << n << " * 2^-" << k;
            comparison.checkBothSigns(value, 1);
        }
    }
}

// Powers of ten and the values just around them, where the rounded value may
// move into the next decade and across the switch between the two forms.
TEST(NumberFormatDifferential, DecadeBoundaries) {
    Comparison comparison;
    for (int exponent = -324; exponent <= 308; ++exponent) {
        for (const char* mantissa : {"1", "9.999995", "9.99999499999999999", "9.9999949999999"}) {
            const double value = parse(mantissa + std::string("e") + std::to_string(exponent));
            if (usable(value)) comparison.checkBothSigns(value, 3);
        }
    }
}

} // namespace against_exact_reference

} // namespace
} // namespace parabeam::testing
