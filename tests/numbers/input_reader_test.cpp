// Reading one entry: numbers, then numbers against a plain reference reading,
// then unit words, then entries one after another on one stream.
#include <gtest/gtest.h>

#include <cstdlib>
#include <istream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "numbers/input_reader.hpp"
#include "support/scripted_streams.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

// One number field at a time: the value stored (every bit of it), whether the
// read failed, and what the next read sees.
namespace reals {

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

} // namespace reals

// Random well-formed number fields of at most 36 significant digits, read by
// the dialogue's reader and by the C library's correctly rounded strtod: every
// bit must agree, and the reader must stop exactly at the end of the field.
namespace reals_against_reference {

constexpr int kCases = 300000;

class FieldMaker {
  public:
    explicit FieldMaker(unsigned seed) : random_(seed) {}

    // A field, and the byte that follows it in the input.
    std::string field() {
        std::string text;
        const int sign = pick(0, 2);
        if (sign == 1) text += '+';
        if (sign == 2) text += '-';

        const int leadingZeros = pick(0, 9) < 7 ? 0 : pick(1, 4);
        const int significant = pick(0, 49) == 0 ? 0 : pick(1, 36);
        std::string digits(static_cast<std::size_t>(leadingZeros), '0');
        for (int i = 0; i < significant; ++i) {
            const int low = i == 0 ? 1 : 0;
            // Runs of zeros and nines probe carries and halfway points.
            const int kind = pick(0, 9);
            digits += static_cast<char>('0' + (kind == 0 ? 0 : kind == 1 ? 9 : pick(low, 9)));
            if (i == 0 && digits.back() == '0') digits.back() = '1';
        }
        if (digits.empty()) digits.push_back('0');

        // Digits before the point; as many as there are when there is no point.
        const int length = static_cast<int>(digits.size());
        const bool point = pick(0, 2) != 0;
        const int beforePoint = point ? pick(0, length) : length;
        text.append(digits, 0, static_cast<std::size_t>(beforePoint));
        if (point) {
            text += '.';
            text.append(digits, static_cast<std::size_t>(beforePoint));
        }

        // Decimal power of the first significant digit before the exponent.
        const int firstPower = beforePoint - 1 - leadingZeros;
        if (pick(0, 3) != 0) {
            // Keep the leading digit's power inside the normal range, clear of
            // both overflow and the subnormals.
            const int targetPower = pick(0, 3) == 0 ? pick(-20, 20) : pick(-300, 300);
            const int exponent = significant == 0 ? pick(-400, 400) : targetPower - firstPower;
            text += pick(0, 1) == 0 ? 'e' : 'E';
            const int exponentSign = exponent < 0 ? 2 : pick(0, 1);
            if (exponentSign == 1) text += '+';
            if (exponentSign == 2) text += '-';
            text += std::string(static_cast<std::size_t>(pick(0, 9) < 7 ? 0 : pick(1, 12)), '0');
            text += std::to_string(exponent < 0 ? -exponent : exponent);
        }
        return text;
    }

    std::string follower() {
        static const char* const followers[] = {"", " ", "\n", "\r\n", "\t", ",", "x", "/"};
        return followers[pick(0, 7)];
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::mt19937 random_;
};

TEST(RealReaderDifferential, MatchesCorrectlyRoundedConversionBitForBit) {
    FieldMaker maker(20020724u);
    int mismatches = 0;
    for (int i = 0; i < kCases && mismatches < 20; ++i) {
        const std::string field = maker.field();
        const std::string follower = maker.follower();
        const double expected = std::strtod(field.c_str(), nullptr);

        std::istringstream in(field + follower);
        double target = 0.5;
        const bool ok = readReal(in, target);
        const std::string rest{std::istreambuf_iterator<char>(in), {}};
        if (!ok || exactText(target) != exactText(expected) || rest != follower) {
            ++mismatches;
            ADD_FAILURE() << "field " << visible(field) << " then " << visible(follower)
                          << ": read " << (ok ? exactText(target) : "nothing") << ", expected "
                          << exactText(expected) << "; left " << visible(rest);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

} // namespace reals_against_reference

// One unit word at a time: the bytes stored with their terminator, whether the
// read failed, and what the next read sees.
namespace words {

struct WordCase {
    std::string input;
    bool ok;
    std::string word; // what is stored; empty when the read fails
    std::string rest;
};

// Nineteen bytes that are neither white space nor NUL.
const std::string kNineteen = "abcdefghijklmnopqrs";
const std::string kBinary19 = "\x01\x02\x03\x04\x05\x06\x07\x08\x0e\x0f\x10\x1a\x1b\x7f\x80\x9f"
                              "\xa0\xfe\xff";

void check(const std::vector<WordCase>& cases) {
    for (const WordCase& row : cases) {
        SCOPED_TRACE("input " + visible(row.input));
        std::istringstream in(row.input);
        UnitWord target;
        target.text.fill('x'); // leftovers of an earlier word would show
        target.text.back() = '\0';
        const bool ok = readWord(in, target);
        EXPECT_EQ(ok, row.ok);
        EXPECT_EQ(in.fail(), !row.ok);
        EXPECT_EQ(visible(target.view()), visible(row.word));
        ASSERT_LE(row.word.size(), UnitWord::kMaxLength);
        EXPECT_EQ(target.text[row.word.size()], '\0') << "terminator";
        EXPECT_EQ(target.text[UnitWord::kMaxLength], '\0') << "last byte of the buffer";
        const std::string rest{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(visible(rest), visible(row.rest));
    }
}

TEST(WordReader, TakesEverythingUpToWhiteSpace) {
    check({
        {"kN/m", true, "kN/m", ""},
        {"kN m", true, "kN", " m"},
        {" \t\r\n\v\f\n\nkN", true, "kN", ""},
        {"kN\tm", true, "kN", "\tm"},
        {"kN\r\n", true, "kN", "\r\n"},
        {"kN\vm", true, "kN", "\vm"},
        {"kN\fm", true, "kN", "\fm"},
        {"m", true, "m", ""},
        {"N.m^2/(s*s)", true, "N.m^2/(s*s)", ""},
        {"-0", true, "-0", ""},
        {"1e400", true, "1e400", ""},
        {"inf", true, "inf", ""},
        {"nan", true, "nan", ""},
        {"12abc", true, "12abc", ""},
    });
}

TEST(WordReader, TakesBytesAboveSevenBitAndControlBytes) {
    check({
        {"\xc2\xb5m", true, "\xc2\xb5m", ""},
        {"\xff\xfe\x80\x81 x", true, "\xff\xfe\x80\x81", " x"},
        {"N\xb7m", true, "N\xb7m", ""},
        {kBinary19, true, kBinary19, ""},
        {kBinary19 + "\x90\x91\x92", true, kBinary19, ""},
        {"\x1a", true, "\x1a", ""},
    });
}

TEST(WordReader, KeepsNineteenBytesAndDropsTheRestOfTheWord) {
    check({
        {kNineteen, true, kNineteen, ""},
        {kNineteen + " next", true, kNineteen, " next"},
        {kNineteen + "t", true, kNineteen, ""},
        {kNineteen + "tuvwxyz\nkN m", true, kNineteen, "\nkN m"},
        {kNineteen + std::string(1000, 'z') + "\tm", true, kNineteen, "\tm"},
        {"  " + kNineteen.substr(0, 18) + " x", true, kNineteen.substr(0, 18), " x"},
    });
}

// A UTF-8 character that the cut at 19 bytes would split is left out whole;
// anything else that is not UTF-8 is cut at 19 bytes like plain text.
TEST(WordReader, KeepsWholeUtf8CharactersAtTheCut) {
    const auto ascii = [](std::size_t count) { return kNineteen.substr(0, count); };
    check({
        {"kilonewtons/metres\xc2\xb2 kN", true, "kilonewtons/metres", " kN"},
        {ascii(17) + "\xe2\x82\xac", true, ascii(17), ""},                // euro sign
        {ascii(16) + "\xf0\x9d\x9c\x87m", true, ascii(16), ""},           // four bytes
        {ascii(18) + "\xc2", true, ascii(18) + "\xc2", ""},               // not longer than 19
        {ascii(17) + "\xc2\xb2" + "x", true, ascii(17) + "\xc2\xb2", ""}, // ends before it
        {ascii(18) + "\xe9t", true, ascii(18) + "\xe9", ""},              // Latin-1
        {ascii(18) + "\xc0\xb2", true, ascii(18) + "\xc0", ""},           // overlong
        {ascii(17) + "\xed\xa0\x80", true, ascii(17) + "\xed\xa0", ""},   // surrogate
        {ascii(16) + "\xf4\x90\x80\x80", true, ascii(16) + "\xf4\x90\x80", ""}, // > U+10FFFF
        {ascii(16) + "\xf9\x90\x90\x90", true, ascii(16) + "\xf9\x90\x90", ""}, // no lead byte
        {ascii(18) + "\xe2\x82", true, ascii(18) + "\xe2", ""},     // cut short by its end
        {ascii(18) + "\xe2\x82 x", true, ascii(18) + "\xe2", " x"}, // and by a blank
        {ascii(15) + "\x80\x80\x80\x80\x80", true, ascii(15) + "\x80\x80\x80\x80", ""},
    });
}

TEST(WordReader, FailsWhenNoByteCanBeTaken) {
    check({
        {"", false, "", ""},
        {" ", false, "", ""},
        {"  \n\t\r\v\f\r\n", false, "", ""},
    });
}

} // namespace words

// Several reads from one stream: what one read leaves is what the next sees,
// and a failure or the end of input stops every later read for good.
namespace sequences {

constexpr double kUntouched = 7.25;

// One read and its expected outcome; a failed real keeps kUntouched, a failed
// word is stored empty.
struct RealStep {
    bool ok;
    double value = kUntouched;
};
struct WordStep {
    bool ok;
    std::string word;
};
using Step = std::variant<RealStep, WordStep>;

struct SequenceCase {
    const char* name;
    std::string input;
    std::vector<Step> steps;
};

void runSteps(std::istream& in, const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("read " + std::to_string(i + 1));
        if (const auto* real = std::get_if<RealStep>(&steps[i])) {
            double target = kUntouched;
            EXPECT_EQ(readReal(in, target), real->ok);
            EXPECT_EQ(exactText(target), exactText(real->ok ? real->value : kUntouched));
        } else {
            const auto& word = std::get<WordStep>(steps[i]);
            UnitWord target;
            target.text = {'o', 'l', 'd'};
            EXPECT_EQ(readWord(in, target), word.ok);
            EXPECT_EQ(visible(target.view()), visible(word.ok ? word.word : ""));
        }
    }
}

TEST(ReaderSequence, EachReadStartsWhereTheLastStopped) {
    const std::vector<SequenceCase> cases = {
        {"point ends a number", "1.2.3", {RealStep{true, 1.2}, RealStep{true, 0.3}}},
        {"letters after a number fail the next real",
         "12abc 4",
         {RealStep{true, 12.0}, RealStep{false}, RealStep{false}, WordStep{false, ""}}},
        {"letters after a number are the next word",
         "12abc 4",
         {RealStep{true, 12.0}, WordStep{true, "abc"}, RealStep{true, 4.0}}},
        {"decimal comma", "1,5", {RealStep{true, 1.0}, RealStep{false}, WordStep{false, ""}}},
        {"hexadecimal", "0x1A", {RealStep{true, 0.0}, WordStep{true, "x1A"}}},
        {"failed exponent consumes letter and sign",
         "1e+x",
         {RealStep{false}, WordStep{false, ""}}},
        {"several answers on one line",
         "3 9 2 4 2 0 5 kN/m kN m",
         {RealStep{true, 3.0}, RealStep{true, 9.0}, RealStep{true, 2.0}, RealStep{true, 4.0},
          RealStep{true, 2.0}, RealStep{true, 0.0}, RealStep{true, 5.0}, WordStep{true, "kN/m"},
          WordStep{true, "kN"}, WordStep{true, "m"}, WordStep{false, ""}, RealStep{false}}},
        {"unit with blanks fills the following units",
         "kN per m\n",
         {WordStep{true, "kN"}, WordStep{true, "per"}, WordStep{true, "m"}, WordStep{false, ""}}},
        {"long unit does not spill into the next",
         "abcdefghijklmnopqrstuvwxyz kN",
         {WordStep{true, "abcdefghijklmnopqrs"}, WordStep{true, "kN"}}},
        {"number at the very end is stored, then nothing more",
         "3 4",
         {RealStep{true, 3.0}, RealStep{true, 4.0}, RealStep{false}, WordStep{false, ""}}},
        {"word at the very end is stored, then nothing more",
         "kN",
         {WordStep{true, "kN"}, WordStep{false, ""}, RealStep{false}}},
        {"white space alone at the end",
         "3 \r\n\t ",
         {RealStep{true, 3.0}, RealStep{false}, RealStep{false}}},
        {"empty input", "", {RealStep{false}, WordStep{false, ""}, RealStep{false}}},
        {"out of range stops what follows",
         "1e400 5 kN",
         {RealStep{false}, RealStep{false}, WordStep{false, ""}}},
        {"too small stops what follows", "1e-400 5", {RealStep{false}, RealStep{false}}},
        {"failed word stops later numbers", " \n", {WordStep{false, ""}, RealStep{false}}},
    };
    for (const SequenceCase& row : cases) {
        SCOPED_TRACE(row.name);
        std::istringstream in(row.input);
        runSteps(in, row.steps);
    }
}

TEST(ReaderSequence, FailedStreamTakesNothingMore) {
    std::istringstream in("abc 5 kN");
    double target = kUntouched;
    ASSERT_FALSE(readReal(in, target));
    for (int i = 0; i < 3; ++i)
        runSteps(in, {RealStep{false}, WordStep{false, ""}});
    in.clear();
    EXPECT_EQ(in.rdbuf()->sgetc(), 'a') << "no byte consumed after the failure";
}

// Input that reports its end once and then has more, as a terminal does after
// an end-of-input key: the reads stay at their end.
TEST(ReaderSequence, EndOfInputIsNeverForgotten) {
    struct Case {
        const char* name;
        std::string before;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"end before any answer", "", {RealStep{false}, RealStep{false}, WordStep{false, ""}}},
        {"end right after a number", "3", {RealStep{true, 3.0}, RealStep{false}}},
        {"end after a number and a blank", "3 ", {RealStep{true, 3.0}, RealStep{false}}},
        {"end right after a word", "kN", {WordStep{true, "kN"}, WordStep{false, ""}}},
        {"end inside an exponent", "2e", {RealStep{false}, RealStep{false}}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        KeyboardBuf keys(row.before, KeyboardBuf::Then::EndThenMore, " 9 9 m m");
        std::istream in(&keys);
        runSteps(in, row.steps);
        EXPECT_EQ(keys.consumed(), row.before.size());
    }
}

// A read error (standard input gone) counts as the end of input: what was
// read up to it is kept, nothing escapes, and later reads fail.
TEST(ReaderSequence, ReadErrorCountsAsEndOfInput) {
    struct Case {
        const char* name;
        std::string before;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"error before any answer", "", {RealStep{false}, WordStep{false, ""}, RealStep{false}}},
        {"error after blanks", " \n ", {RealStep{false}, RealStep{false}}},
        {"error after a whole number", "3 ", {RealStep{true, 3.0}, RealStep{false}}},
        {"error right after a word", "kN", {WordStep{true, "kN"}, WordStep{false, ""}}},
        {"error right after a number", "12", {RealStep{true, 12.0}, RealStep{false}}},
        {"error inside an exponent", "2e-", {RealStep{false}, RealStep{false}}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        KeyboardBuf keys(row.before, KeyboardBuf::Then::ReadError);
        std::istream in(&keys);
        EXPECT_NO_THROW(runSteps(in, row.steps));
        EXPECT_TRUE(in.fail());
    }
}

} // namespace sequences

} // namespace
} // namespace parabeam::testing
