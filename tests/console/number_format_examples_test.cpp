// Hand-worked texts of the report's number format. Each expected string was
// derived from the exact decimal expansion of the stored double (quoted in the
// comments where it decides the result), not from any formatter.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/exact_reference.hpp"
#include "support/format_check.hpp"

namespace parabeam::testing {
namespace {

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

} // namespace
} // namespace parabeam::testing
