#include "console/input_reader.hpp"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>

namespace parabeam {
namespace {

using Traits = std::istream::traits_type;
constexpr int kEnd = Traits::eof();

constexpr int kMaxSignificantDigits = 36;
constexpr int kMaxExponentDigits = 8;
// Beyond these decimal exponents of the first digit a value is surely out of
// range; inside them the conversion itself decides.
constexpr std::int64_t kSurelyTooLarge = 400;
constexpr std::int64_t kSurelyTooSmall = -400;

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

// Skips white space; returns the first other character (or kEnd), unconsumed.
int skipSpace(std::streambuf& input) {
    int c = input.sgetc();
    while (c != kEnd && isEntrySpace(c))
        c = input.snextc();
    return c;
}

// The field as kept: up to 36 significant digits, value = digits x 10^scale.
struct NumberField {
    bool negative = false;
    bool sawDigit = false;
    char digits[kMaxSignificantDigits] = {};
    int digitCount = 0;
    std::int64_t scale = 0;
};

// Reads sign, digits and point; returns the first character after them.
int readMantissa(std::streambuf& input, NumberField& field) {
    int c = input.sgetc();
    if (c == '+' || c == '-') {
        field.negative = c == '-';
        c = input.snextc();
    }
    bool sawPoint = false;
    for (;; c = input.snextc()) {
        if (c == '.' && !sawPoint) {
            sawPoint = true;
            continue;
        }
        if (!isDigit(c)) return c;
        field.sawDigit = true;
        if (field.digitCount == 0 && c == '0') { // not significant
            if (sawPoint) --field.scale;
        } else if (field.digitCount < kMaxSignificantDigits) {
            field.digits[field.digitCount++] = static_cast<char>(c);
            if (sawPoint) --field.scale;
        } else if (!sawPoint) { // dropped integer digits still count as tens
            ++field.scale;
        }
    }
}

// Reads the digits after "e", an optional sign first; false when there are none.
bool readExponent(std::streambuf& input, std::int64_t& exponent, int& next) {
    int c = input.snextc();
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = input.snextc();
    }
    if (!isDigit(c)) {
        next = c;
        return false;
    }
    while (c == '0')
        c = input.snextc();
    int counted = 0;
    std::int64_t value = 0;
    for (; isDigit(c); c = input.snextc()) {
        if (counted < kMaxExponentDigits) {
            value = value * 10 + (c - '0');
            ++counted;
        }
    }
    exponent = negative ? -value : value;
    next = c;
    return true;
}

// Correctly rounded conversion of the kept digits; false when out of range.
bool convert(const NumberField& field, std::int64_t exponent, double& value) {
    if (field.digitCount == 0) {
        value = field.negative ? -0.0 : 0.0;
        return true;
    }
    const std::int64_t power = field.scale + exponent;
    const std::int64_t leadingPower = power + field.digitCount - 1;
    if (leadingPower > kSurelyTooLarge || leadingPower < kSurelyTooSmall) return false;

    char text[kMaxSignificantDigits + 16];
    std::string_view digits(field.digits, static_cast<std::size_t>(field.digitCount));
    digits.copy(text, digits.size());
    char* end = text + digits.size();
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, power).ptr;
    double magnitude = 0.0;
    const auto result = std::from_chars(text, end, magnitude);
    if (result.ec != std::errc()) return false; // overflow, or underflow to nothing
    value = field.negative ? -magnitude : magnitude;
    return true;
}

void markEndIfReached(std::istream& in, int next) {
    if (next == kEnd) in.setstate(std::ios::eofbit);
}

} // namespace

bool isEntrySpace(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

namespace {

// A stream buffer may throw on a read error (a closed standard input): that
// ends the input like its end does, as a failed read.
template <typename Read> bool guarded(std::istream& in, Read read) {
    try {
        return read();
    } catch (...) {
        in.setstate(std::ios::badbit | std::ios::failbit);
        return false;
    }
}

bool readRealUnguarded(std::istream& in, double& target) {
    std::streambuf* input = in.rdbuf();
    if (!in.good() || input == nullptr || skipSpace(*input) == kEnd) {
        in.setstate(std::ios::failbit | (in.good() ? std::ios::eofbit : std::ios::goodbit));
        return false;
    }
    NumberField field;
    int next = readMantissa(*input, field);
    std::int64_t exponent = 0;
    bool ok = field.sawDigit;
    if (ok && (next == 'e' || next == 'E')) ok = readExponent(*input, exponent, next);
    markEndIfReached(in, next);
    double value = 0.0;
    if (!ok || !convert(field, exponent, value)) {
        in.setstate(std::ios::failbit);
        return false;
    }
    target = value;
    return true;
}

bool readWordUnguarded(std::istream& in, UnitWord& target) {
    std::streambuf* input = in.rdbuf();
    if (!in.good() || input == nullptr || skipSpace(*input) == kEnd) {
        in.setstate(std::ios::failbit | (in.good() ? std::ios::eofbit : std::ios::goodbit));
        return false;
    }
    std::size_t length = 0;
    int c = input->sgetc();
    for (; c != kEnd && !isEntrySpace(c); c = input->snextc()) {
        if (length < UnitWord::kMaxLength) target.text[length++] = Traits::to_char_type(c);
    }
    markEndIfReached(in, c);
    return true;
}

} // namespace

bool readReal(std::istream& in, double& target) {
    return guarded(in, [&] { return readRealUnguarded(in, target); });
}

bool readWord(std::istream& in, UnitWord& target) {
    target = UnitWord{};
    if (guarded(in, [&] { return readWordUnguarded(in, target); })) return true;
    target = UnitWord{};
    return false;
}

} // namespace parabeam
