// One unit word at a time: the bytes stored with their terminator, whether the
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

} // namespace
} // namespace parabeam::testing
