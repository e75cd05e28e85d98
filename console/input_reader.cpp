#include "console/input_reader.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include <fast_float/fast_float.h>

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

// The input one character at a time. A read error (a stream buffer may throw
// on one, as on a closed standard input) ends the input like its end does, so
// whatever was read up to it still counts.
class Cursor {
  public:
    // A stream without a buffer reads like one whose reading fails.
    explicit Cursor(std::streambuf* input) : input_(input), readError_(input == nullptr) {}

    // The current character, not consumed; kEnd at the end.
    int peek() {
        return guard([this] { return input_->sgetc(); });
    }
    // Consumes the current character and returns the next one.
    int next() {
        return guard([this] { return input_->snextc(); });
    }
    bool failedToRead() const { return readError_; }

  private:
    template <typename Read> int guard(Read read) {
        if (readError_) return kEnd;
        try {
            return read();
        } catch (...) {
            readError_ = true;
            return kEnd;
        }
    }

    std::streambuf* input_;
    bool readError_;
};

// Skips white space; returns the first other character (or kEnd), unconsumed.
int skipSpace(Cursor& input) {
    int c = input.peek();
    while (c != kEnd && isEntrySpace(c))
        c = input.next();
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
int readMantissa(Cursor& input, NumberField& field) {
    int c = input.peek();
    if (c == '+' || c == '-') {
        field.negative = c == '-';
        c = input.next();
    }
    bool sawPoint = false;
    for (;; c = input.next()) {
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
bool readExponent(Cursor& input, std::int64_t& exponent, int& next) {
    int c = input.next();
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = input.next();
    }
    if (!isDigit(c)) {
        next = c;
        return false;
    }
    while (c == '0')
        c = input.next();
    int counted = 0;
    std::int64_t value = 0;
    for (; isDigit(c); c = input.next()) {
        if (counted < kMaxExponentDigits) {
            value = value * 10 + (c - '0');
            ++counted;
        }
    }
    exponent = negative ? -value : value;
    next = c;
    return true;
}

// 10^0 to 10^22: each exactly a double.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;
// Up to 15 digits the kept digits are an integer below 2^53: exactly a double.
constexpr int kDigitsExactInDouble = 15;

// Most typed numbers: the digits and the power of ten are both exact doubles,
// so one multiplication or division rounds the value once, correctly.
bool convertExactOperands(const NumberField& field, std::int64_t power, double& magnitude) {
    if (field.digitCount > kDigitsExactInDouble || power > kLargestExactPower ||
        power < -kLargestExactPower)
        return false;
    std::uint64_t digits = 0;
    for (int i = 0; i < field.digitCount; ++i)
        digits = digits * 10 + static_cast<std::uint64_t>(field.digits[i] - '0');
    const auto exact = static_cast<double>(digits);
    magnitude = power >= 0 ? exact * kExactPowersOfTen[power] : exact / kExactPowersOfTen[-power];
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

    double magnitude = 0.0;
    if (!convertExactOperands(field, power, magnitude)) {
        // Any other digits: the correctly rounding conversion of a well-kept
        // library, on the digits written out as "<digits>e<power>".
        char text[kMaxSignificantDigits + 16];
        const std::string_view digits(field.digits, static_cast<std::size_t>(field.digitCount));
        digits.copy(text, digits.size());
        char* end = text + digits.size();
        *end++ = 'e';
        end = std::to_chars(end, text + sizeof text, power).ptr;
        if (fast_float::from_chars(text, end, magnitude).ec != std::errc()) return false;
    }
    // Too large comes back as infinity, too small to be represented as zero.
    if (std::isinf(magnitude) || magnitude == 0.0) return false;
    value = field.negative ? -magnitude : magnitude;
    return true;
}

// Positions the cursor at the entry's first character; false (and the stream
// failed) when the stream has failed before or the input ends first.
bool startEntry(std::istream& in, Cursor& input) {
    if (!in.good()) {
        in.setstate(std::ios::failbit);
        return false;
    }
    if (skipSpace(input) == kEnd) {
        in.setstate(std::ios::failbit | std::ios::eofbit |
                    (input.failedToRead() ? std::ios::badbit : std::ios::goodbit));
        return false;
    }
    return true;
}

// The end of the input (or a read error) right after an entry: the entry
// counts, the next read fails.
void markEndIfReached(std::istream& in, const Cursor& input, int next) {
    if (next != kEnd) return;
    in.setstate(std::ios::eofbit | (input.failedToRead() ? std::ios::badbit : std::ios::goodbit));
}

} // namespace

bool isEntrySpace(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool readReal(std::istream& in, double& target) {
    Cursor input(in.rdbuf());
    if (!startEntry(in, input)) return false;
    NumberField field;
    int next = readMantissa(input, field);
    std::int64_t exponent = 0;
    bool ok = field.sawDigit;
    if (ok && (next == 'e' || next == 'E')) ok = readExponent(input, exponent, next);
    double value = 0.0;
    ok = ok && convert(field, exponent, value);
    markEndIfReached(in, input, next);
    if (!ok) {
        in.setstate(std::ios::failbit);
        return false;
    }
    target = value;
    return true;
}

bool readWord(std::istream& in, UnitWord& target) {
    target = UnitWord{};
    Cursor input(in.rdbuf());
    if (!startEntry(in, input)) return false;
    std::size_t length = 0;
    int c = input.peek();
    for (; c != kEnd && !isEntrySpace(c); c = input.next()) {
        if (length < UnitWord::kMaxLength) target.text[length++] = Traits::to_char_type(c);
    }
    markEndIfReached(in, input, c);
    return true;
}

} // namespace parabeam
