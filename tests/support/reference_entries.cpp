#include "support/reference_entries.hpp"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "support/solution_fields.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

constexpr int kKeptDigits = 36;
constexpr int kKeptExponentDigits = 8;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) {}
    bool atEnd() const { return at_ == text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[at_]; }
    bool peekIs(char c) const { return !atEnd() && peek() == c; }
    bool peekIsEither(char a, char b) const { return peekIs(a) || peekIs(b); }
    bool peekDigit() const { return !atEnd() && isDigit(peek()); }
    char take() { return text_[at_++]; }
    void skipSpace() {
        while (!atEnd() && isSpace(peek()))
            ++at_;
    }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// The field's mantissa as decimal text: leading zeros and the point kept, the
// first 36 significant digits kept, later integer digits counted in
// `extraTens`, later fraction digits dropped.
struct Mantissa {
    std::string text;
    long long extraTens = 0;
    bool sawDigit = false;
    bool sawNonZero = false;
};

Mantissa takeMantissa(Cursor& in) {
    Mantissa m;
    if (in.peekIsEither('+', '-')) m.text += in.take();
    bool sawPoint = false;
    int significant = 0;
    for (;;) {
        if (in.peekIs('.') && !sawPoint) {
            sawPoint = true;
            m.text += in.take();
            continue;
        }
        if (!in.peekDigit()) return m;
        const char digit = in.take();
        m.sawDigit = true;
        if (digit != '0') m.sawNonZero = true;
        if (!m.sawNonZero) {
            m.text += digit;
        } else if (significant < kKeptDigits) {
            m.text += digit;
            ++significant;
        } else if (!sawPoint) {
            ++m.extraTens;
        }
    }
}

// The exponent after its letter; nullopt when no digit follows.
std::optional<long long> takeExponent(Cursor& in) {
    bool negative = false;
    if (in.peekIsEither('+', '-')) negative = in.take() == '-';
    if (!in.peekDigit()) return std::nullopt;
    while (in.peekIs('0'))
        in.take();
    long long value = 0;
    for (int counted = 0; in.peekDigit(); ++counted) {
        const char digit = in.take();
        if (counted < kKeptExponentDigits) value = value * 10 + (digit - '0');
    }
    return negative ? -value : value;
}

std::optional<double> takeReal(Cursor& in) {
    in.skipSpace();
    if (in.atEnd()) return std::nullopt;
    const Mantissa mantissa = takeMantissa(in);
    if (!mantissa.sawDigit) return std::nullopt;
    long long exponent = 0;
    if (in.peekIsEither('e', 'E')) {
        in.take();
        const std::optional<long long> written = takeExponent(in);
        if (!written) return std::nullopt;
        exponent = *written;
    }
    const std::string text = mantissa.text + "e" + std::to_string(exponent + mantissa.extraTens);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) throw std::logic_error("unconverted: " + text);
    if (std::isinf(value)) return std::nullopt;                   // too large
    if (value == 0.0 && mantissa.sawNonZero) return std::nullopt; // too small to show
    return value;
}

std::optional<std::string> takeWord(Cursor& in) {
    in.skipSpace();
    if (in.atEnd()) return std::nullopt;
    std::string word;
    while (!in.atEnd() && !isSpace(in.peek()))
        word += in.take();
    return word;
}

// The length of the UTF-8 character at `at`, decoded to its code point and
// checked against the shortest form and the ranges of Unicode scalar values;
// 1 for a byte that starts no such character.
std::size_t characterLength(std::string_view word, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(word[i]); };
    const unsigned char lead = byte(at);
    // 110xxxxx, 1110xxxx, 11110xxx lead characters of 2, 3, 4 bytes; no other does.
    const std::size_t length = lead >= 0xf8   ? 1
                               : lead >= 0xf0 ? 4
                               : lead >= 0xe0 ? 3
                               : lead >= 0xc0 ? 2
                                              : 1;
    if (length == 1 || at + length > word.size()) return 1;
    std::uint32_t code = lead & (0x7f >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xc0) != 0x80) return 1;
        code = code << 6 | (byte(at + i) & 0x3f);
    }
    const std::uint32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool scalar = code <= 0x10ffff && (code < 0xd800 || code > 0xdfff);
    return code >= shortest[length] && scalar ? length : 1;
}

// The first 19 bytes, less a character that would be split: read from the
// start, one character (or one stray byte) at a time.
std::string_view keptPart(std::string_view word) {
    constexpr std::size_t kCut = UnitWord::kMaxLength;
    if (word.size() <= kCut) return word;
    for (std::size_t at = 0;;) {
        const std::size_t length = characterLength(word, at);
        if (at + length > kCut) return word.substr(0, length > 1 ? at : kCut);
        at += length;
    }
}

// The seven numbers and the three unit words, in prompt order.
constexpr double BeamInputs::*kRealEntries[] = {&BeamInputs::triangleLength,
                                                &BeamInputs::beamLength,
                                                &BeamInputs::height,
                                                &BeamInputs::triangleWeight,
                                                &BeamInputs::rectangleWeight,
                                                &BeamInputs::leftHorizontalForce,
                                                &BeamInputs::rightHorizontalForce};
constexpr UnitWord BeamInputs::*kWordEntries[] = {&BeamInputs::weightUnit, &BeamInputs::forceUnit,
                                                  &BeamInputs::lengthUnit};

struct ReferenceEntries {
    // Empty from the first failed read on: that entry and every later one is
    // left as it started.
    std::array<std::optional<double>, std::size(kRealEntries)> reals;
    std::array<std::optional<std::string>, std::size(kWordEntries)> words; // whole, not cut
};

// The entries the ten answers in `input` give, in prompt order.
ReferenceEntries readReferenceEntries(std::string_view input) {
    ReferenceEntries entries;
    Cursor in(input);
    bool failed = false;
    for (std::optional<double>& real : entries.reals) {
        if (!failed) real = takeReal(in);
        failed = failed || !real;
    }
    for (std::optional<std::string>& word : entries.words) {
        if (!failed) word = takeWord(in);
        failed = failed || !word;
    }
    return entries;
}

// The BeamInputs those entries leave: unread reals 0.0, words cut to 19 bytes
// less a UTF-8 character the cut would split, unread words empty.
BeamInputs referenceInputs(const ReferenceEntries& entries) {
    BeamInputs inputs;
    for (std::size_t i = 0; i < entries.reals.size(); ++i)
        if (entries.reals[i]) inputs.*kRealEntries[i] = *entries.reals[i];
    for (std::size_t i = 0; i < entries.words.size(); ++i) {
        if (!entries.words[i]) continue;
        keptPart(*entries.words[i])
            .copy((inputs.*kWordEntries[i]).text.data(), UnitWord::kMaxLength);
    }
    return inputs;
}

} // namespace

std::string differenceFromReference(const RunOutcome& outcome, std::string_view input) {
    const ReferenceEntries entries = readReferenceEntries(input);
    const BeamInputs expected = referenceInputs(entries);
    for (std::size_t i = 0; i < std::size(kRealEntries); ++i) {
        const double stored = outcome.inputs.*kRealEntries[i];
        if (!sameDouble(stored, expected.*kRealEntries[i]))
            return "real entry " + std::to_string(i + 1) + " is " + exactText(stored) +
                   ", expected " + exactText(expected.*kRealEntries[i]);
    }
    for (std::size_t i = 0; i < std::size(kWordEntries); ++i) {
        const UnitWord& stored = outcome.inputs.*kWordEntries[i];
        if (stored.text != (expected.*kWordEntries[i]).text)
            return "unit word " + std::to_string(i + 1) + " is " + visible(stored.view()) +
                   ", expected " + visible((expected.*kWordEntries[i]).view());
    }
    int answersTaken = 0;
    for (const auto& real : entries.reals)
        answersTaken += real ? 1 : 0;
    for (const auto& word : entries.words)
        answersTaken += word ? 1 : 0;
    if (outcome.answersRead != answersTaken)
        return std::to_string(outcome.answersRead) + " answers counted as read, expected " +
               std::to_string(answersTaken);
    return {};
}

} // namespace parabeam::testing
