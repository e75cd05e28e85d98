// The formatter against the exact reference model over random doubles and over
// doubles built to sit on the rounding boundaries. Any difference is a fault.
//
// PARABEAM_FORMAT_CASES sets the number of random doubles (split between the
// two random tests), PARABEAM_FORMAT_SEED the seed; both are printed.
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

} // namespace
} // namespace parabeam::testing
