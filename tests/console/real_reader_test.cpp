// One number field at a time: the value stored (every bit of it), whether the
// read failed, and what the next read sees.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "console/input_reader.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

// Any value no case expects: a failed read must leave it in place.
constexpr double kUntouched = 7.25;

struct RealCase {
    std::string input;
    bool ok;
    double value; // ignored when the read fails
    std::string rest;
};

RealCase stored(std::string input, double value, std::string rest = "") {
    return {std::move(input), true, value, std::move(rest)};
}
RealCase fails(std::string input, std::string rest = "") {
    return {std::move(input), false, 0.0, std::move(rest)};
}

void check(const std::vector<RealCase>& cases) {
    for (const RealCase& row : cases) {
        SCOPED_TRACE("input " + visible(row.input));
        std::istringstream in(row.input);
        double target = kUntouched;
        const bool ok = readReal(in, target);
        EXPECT_EQ(ok, row.ok);
        EXPECT_EQ(in.fail(), !row.ok);
        EXPECT_FALSE(in.bad());
        EXPECT_EQ(exactText(target), exactText(row.ok ? row.value : kUntouched));
        const std::string rest{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(visible(rest), visible(row.rest));
    }
}

TEST(RealReader, AcceptsEveryFormOfTheField) {
    check({
        stored("2.5e1", 25.0),
        stored("2.5E1", 25.0),
        stored("2.5e+1", 25.0),
        stored("250e-1", 25.0),
        stored("3", 3.0),
        stored("+3", 3.0),
        stored("-3", -3.0),
        stored(".5", 0.5),
        stored("5.", 5.0),
        stored("+.5", 0.5),
        stored("-.5e1", -5.0),
        stored("-5.e-1", -0.5),
        stored("5.e1", 50.0),
        stored(".5e1", 5.0),
        stored("0.1", 0.1),
        stored("1.2", 1.2),
        stored("8.66667", 8.66667),
        stored("-77.99999994", -77.99999994),
        stored("123456.789e-3", 123.456789),
    });
}

TEST(RealReader, KeepsTheSignOfZero) {
    check({
        stored("-0", -0.0),
        stored("-0.0", -0.0),
        stored("-.0", -0.0),
        stored("-0.", -0.0),
        stored("-000", -0.0),
        stored("-0e5", -0.0),
        stored("-0e-999", -0.0),
        stored("0", 0.0),
        stored("+0", 0.0),
        stored("0.000", 0.0),
        stored("0e123456789", 0.0),
        stored("0e" + std::string(60, '9'), 0.0),
        stored("-0." + std::string(500, '0'), -0.0),
    });
}

TEST(RealReader, SkipsWhiteSpaceAndEmptyLines) {
    check({
        stored(" 7", 7.0),
        stored("\t7", 7.0),
        stored("\r7", 7.0),
        stored("\n\n\n7", 7.0),
        stored("\v7", 7.0),
        stored("\f7", 7.0),
        stored(" \t\r\n\v\f \r\n\r\n-7", -7.0),
        // Bytes that only look like space on some screens are not skipped.
        fails("\x1a"
              "7",
              "\x1a"
              "7"),
        fails("\xa0"
              "7",
              "\xa0"
              "7"),
        fails("\x85"
              "7",
              "\x85"
              "7"),
        fails("\0337", "\0337"),
    });
}

TEST(RealReader, LeavesTheFirstByteThatCannotContinueTheField) {
    check({
        stored("7 8", 7.0, " 8"),
        stored("7\t8", 7.0, "\t8"),
        stored("7\r\n", 7.0, "\r\n"),
        stored("7\n", 7.0, "\n"),
        stored("7\v", 7.0, "\v"),
        stored("7\f", 7.0, "\f"),
        stored("1,5", 1.0, ",5"),
        stored("1.5,25", 1.5, ",25"),
        stored("1_000", 1.0, "_000"),
        stored("1'000", 1.0, "'000"),
        stored("1 000", 1.0, " 000"),
        stored("0x1A", 0.0, "x1A"),
        stored("0X1p3", 0.0, "X1p3"),
        stored("1.2.3", 1.2, ".3"),
        stored("12abc", 12.0, "abc"),
        stored("5e5e5", 5e5, "e5"),
        stored("5+3", 5.0, "+3"),
        stored("5-3", 5.0, "-3"),
        stored("1e5.", 1e5, "."),
        stored("1e5.5", 1e5, ".5"),
        stored("1e-5+", 1e-5, "+"),
        stored("3kN", 3.0, "kN"),
        stored("2d0", 2.0, "d0"),
        stored("1.5f", 1.5, "f"),
        stored("7\xc2\xb5", 7.0, "\xc2\xb5"),
    });
}

TEST(RealReader, ReadsTheExponentByItsOwnRules) {
    check({
        stored("1e0000000000005", 1e5),
        stored("1e00000005", 1e5),
        stored("1e-000000001", 0.1),
        stored("1E+0000000000000000000000308", 1e308),
        stored("1e" + std::string(100, '0'), 1.0),
        stored("1e" + std::string(100, '0') + "5 x", 1e5, " x"),
        stored("1e-" + std::string(100, '0') + "300", 1e-300),
        stored("1e-3e", 1e-3, "e"),
    });
}

TEST(RealReader, CountsAtMostEightExponentDigits) {
    check({
        // Only 12345678 counts, the 9 is consumed: still far out of range.
        fails("1e123456789"),
        fails("1e123456789 7", " 7"),
        fails("1e-123456789 7", " 7"),
        fails("1e" + std::string(100, '9') + " 2", " 2"),
        fails("1e-" + std::string(30, '9') + "\n", "\n"),
        stored("0e" + std::string(100, '9') + " 2", 0.0, " 2"),
        // Skipped leading zeros are not among the eight.
        stored("1e" + std::string(20, '0') + "00000012", 1e12),
        stored("25e-" + std::string(20, '0') + "00000001", 2.5),
    });
}

TEST(RealReader, KeepsThirtySixSignificantDigits) {
    const std::string halfwayPlusTiny = "9007199254740993." + std::string(20, '0') + "1";
    check({
        // 2^53 + 1 lies halfway between two doubles; the 1 that would tip it
        // upwards is the 38th significant digit and must be ignored.
        stored(halfwayPlusTiny, 0x1p53),
        stored("0." + std::string(40, '0') + "9007199254740993" + std::string(21, '0') + "1e56",
               0x1p53),
        stored(std::string(40, '0') + halfwayPlusTiny, 0x1p53),
        // Exactly halfway (rounds up to even) in full; the first 36 digits lie
        // below the midpoint, and the four dropped integer digits count as tens.
        stored("1000000000000000317498485001174795681792", 0x1.78287f49c4a1fp+129),
        stored("1000000000000000317498485001174795681792.99", 0x1.78287f49c4a1fp+129),
        stored("0.1000000000000000317498485001174795681792e40", 0x1.78287f49c4a1fp+129),
        stored("1234567890123456789012345678901234567890", 123456789012345678901234567890123456e4),
        stored("0.1234567890123456789012345678901234567890",
               0.123456789012345678901234567890123456),
        stored(std::string(50, '9'), 999999999999999999999999999999999999e14),
        stored("-" + std::string(50, '9') + "." + std::string(50, '9'),
               -999999999999999999999999999999999999e14),
        // Dropped integer digits still scale: 1 followed by n zeros is 1e n.
        stored("1" + std::string(300, '0'), 1e300),
        stored("1" + std::string(308, '0') + ".5", 1e308),
        fails("2" + std::string(308, '0')),
        fails("1" + std::string(399, '0') + " 4", " 4"),
        stored("1" + std::string(500, '0') + "e-500", 1.0),
        stored("0." + std::string(500, '0') + "1e500", 0.1),
    });
}

TEST(RealReader, SkipsLeadingZeros) {
    check({
        stored("000000000000000000000000000000000000000123", 123.0),
        stored("0." + std::string(50, '0') + "1234", 1.234e-51),
        stored("0000.0000123", 1.23e-5),
        stored("-00.5", -0.5),
        stored("0." + std::string(300, '0') + "25e300", 0.25),
    });
}

TEST(RealReader, ReadsTheWholeRangeOfDoubles) {
    check({
        stored("1e308", 1e308),
        stored("-1e308", -1e308),
        stored("1.7976931348623157e308", 0x1.fffffffffffffp+1023),
        stored("1.797693134862315807e308", 0x1.fffffffffffffp+1023),
        stored("2.2250738585072014e-308", 0x1p-1022),
        // Below the normal range the correctly rounded subnormal is stored.
        stored("2.2250738585072011e-308", 0x0.fffffffffffffp-1022),
        stored("1e-310", 0x0.012688b70e62bp-1022),
        stored("4.9e-324", 0x1p-1074),
        stored("-4.9e-324", -0x1p-1074),
        stored("2.4703282292062328e-324", 0x1p-1074),
    });
}

TEST(RealReader, FailsOutOfRangeAndLeavesTheTargetAlone) {
    check({
        fails("1e400"),
        fails("-1e400"),
        fails("1e309"),
        fails("1.797693134862315808e308"),
        fails("1e400 5", " 5"),
        // Too small to be anything but zero.
        fails("1e-400"),
        fails("-1e-400"),
        fails("2.4703282292062327e-324"),
        fails("1e-324 x", " x"),
    });
}

TEST(RealReader, FailsWithoutADigit) {
    check({
        fails(""),
        fails("   \n\t\r\v\f "),
        fails("+"),
        fails("-"),
        fails("."),
        fails("+."),
        fails("-.x", "x"),
        fails(".e5", "e5"),
        fails("+-5", "-5"),
        fails("- 5", " 5"),
        fails("abc", "abc"),
        fails("e5", "e5"),
        fails(",5", ",5"),
        fails("inf", "inf"),
        fails("INF", "INF"),
        fails("infinity", "infinity"),
        fails("-inf", "inf"),
        fails("nan", "nan"),
        fails("+nan", "nan"),
        fails("NaN(1)", "NaN(1)"),
    });
}

TEST(RealReader, FailsOnAnExponentLetterWithoutDigits) {
    check({
        fails("1e"),
        fails("1e+"),
        fails("1e-"),
        fails("1ex", "x"),
        fails("1e+x", "x"),
        fails("1E-y", "y"),
        fails("1e 5", " 5"),
        fails("1e+-5", "-5"),
        fails("1e.5", ".5"),
        fails("2.5e\n3", "\n3"),
    });
}

} // namespace
} // namespace parabeam::testing
