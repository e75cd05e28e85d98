// Checks of the reference model itself against exact expansions worked out by
// hand, so that agreement with it means something.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/exact_reference.hpp"

namespace parabeam::testing {
namespace {

struct Expansion {
    double value;
    std::size_t length; // number of significant digits
    int exponent;
    const char* leading;  // first digits
    const char* trailing; // last digits
};

TEST(ExactReference, ExpandsDoublesExactly) {
    const std::vector<Expansion> expansions = {
        {1.5, 2, 0, "15", "15"},
        {0.1, 55, -1, "1000000000000000055511151231257827021181", "583404541015625"},
        {1e23, 23, 22, "99999999999999991611392", "1611392"},
        {1152921504606846976.0, 19, 18, "1152921504606846976", "976"}, // 2^60
        {1000000000000000.25, 18, 15, "100000000000000025", "25"},
        {std::numeric_limits<double>::max(), 309, 308, "1797693134862315708145274237317043567980",
         "50404026184124858368"},
        {std::numeric_limits<double>::min(), 715, -308, "2225073858507201383090232717332404064219",
         "10924625396728515625"},
        {std::numeric_limits<double>::denorm_min(), 751, -324,
         "4940656458412465441765687928682213723650", "19718265533447265625"},
    };
    for (const Expansion& expected : expansions) {
        const DecimalDigits exact = exactDecimal(expected.value);
        EXPECT_EQ(exact.digits.size(), expected.length) << expected.leading;
        EXPECT_EQ(exact.exponent, expected.exponent) << expected.leading;
        EXPECT_TRUE(exact.digits.starts_with(expected.leading)) << exact.digits;
        EXPECT_TRUE(exact.digits.ends_with(expected.trailing)) << exact.digits;
        EXPECT_EQ(exactDecimal(-expected.value), exact) << "sign must not matter";
    }
    EXPECT_EQ(exactDecimal(0.0), DecimalDigits{});
    EXPECT_EQ(exactDecimal(-0.0), DecimalDigits{});
}

struct Rounding {
    DecimalDigits number;
    std::size_t count;
    DecimalDigits rounded;
};

TEST(ExactReference, RoundsHalfUpByTheNextDigit) {
    const std::vector<Rounding> roundings = {
        {{"1234565", 6}, 6, {"123457", 6}},
        {{"1234564999", 6}, 6, {"123456", 6}},
        {{"9999995", 5}, 6, {"100000", 6}},
        {{"9999994999", 5}, 6, {"999999", 5}},
        {{"15", 0}, 6, {"150000", 0}},
        {{"1", -324}, 6, {"100000", -324}},
        {{"123456", 3}, 6, {"123456", 3}},
        {{"123456499999999999", 0}, 17, {"12345650000000000", 0}},
        {{"123456499999999994", 0}, 17, {"12345649999999999", 0}},
        {{"99999999999999999999", 1}, 17, {"10000000000000000", 2}},
    };
    for (const Rounding& rounding : roundings) {
        EXPECT_EQ(roundHalfUp(rounding.number, rounding.count), rounding.rounded)
            << rounding.number.digits << " to " << rounding.count;
    }
}

} // namespace
} // namespace parabeam::testing
