// The number grammar on plain byte strings: how many bytes a field takes, why
// it is no number, and the digits and power it keeps.
#include <gtest/gtest.h>

#include <string>

#include "numbers/number_scanner.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

struct ScanCase {
    std::string input;
    std::size_t taken;
    FieldError error;
    std::string digits; // kept significant digits
    long long power;    // value = digits x 10^power
    bool negative = false;
};

const ScanCase kScans[] = {
    {"1,5", 1, FieldError::none, "1", 0},
    {"-0012.3400x", 10, FieldError::none, "123400", -4, true},
    {".5", 2, FieldError::none, "5", -1},
    {"5.e2", 4, FieldError::none, "5", 2},
    {"1.2.3", 3, FieldError::none, "12", -1},
    {"+", 1, FieldError::noDigit, "", 0},
    {"-.x", 2, FieldError::noDigit, "", 0, true},
    {"e5", 0, FieldError::noDigit, "", 0}, // "e" starts an exponent only after a digit
    {"7e", 2, FieldError::exponentWithoutDigits, "7", 0},
    {"7E-x", 3, FieldError::exponentWithoutDigits, "7", 0},
    {"7e-0005 ", 7, FieldError::none, "7", -5},
    {"1e0001234567890", 15, FieldError::none, "1", 12345678}, // 8 exponent digits count
    {std::string(40, '9'), 40, FieldError::none, std::string(36, '9'), 4},
    {"0." + std::string(40, '3'), 42, FieldError::none, std::string(36, '3'), -36},
};

TEST(NumberScanner, TakesTheFieldAndKeepsItsDigits) {
    for (const ScanCase& row : kScans) {
        SCOPED_TRACE("input " + visible(row.input));
        std::size_t taken = 0;
        const auto byteAt = [&row](std::size_t at) {
            return at < row.input.size() ? static_cast<unsigned char>(row.input[at]) : -1;
        };
        int byte = byteAt(0);
        const ScannedNumber number = scanNumber(byte, [&] { return byteAt(++taken); });
        EXPECT_EQ(taken, row.taken);
        EXPECT_EQ(byte, byteAt(taken)) << "the first byte not taken";
        EXPECT_EQ(number.error, row.error);
        const NumberField& field = number.field;
        EXPECT_EQ(std::string(field.digits, static_cast<std::size_t>(field.digitCount)),
                  row.digits);
        EXPECT_EQ(field.power, row.power);
        EXPECT_EQ(field.negative, row.negative);
    }
}

} // namespace
} // namespace parabeam::testing
