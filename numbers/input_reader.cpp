#include "numbers/input_reader.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "numbers/number_conversion.hpp"
#include "numbers/number_scanner.hpp"

namespace parabeam {
namespace {

using Traits = std::istream::traits_type;
constexpr int kEnd = Traits::eof();

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

// The cut at 19 bytes, and the longest UTF-8 character (4 bytes) it can split.
constexpr std::size_t kWordStartCapacity = UnitWord::kMaxLength + 3;

bool isContinuation(unsigned char byte) {
    return (byte & 0xc0) == 0x80;
}

// The length of the well-formed UTF-8 character at the start of `bytes`, or 0
// when they do not start with one (a stray byte, an overlong form, a
// surrogate, a value beyond U+10FFFF, or a character cut short).
std::size_t utf8CharacterLength(std::string_view bytes) {
    const auto at = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0) secondLow = 0xa0;  // overlong below U+0800
        if (lead == 0xed) secondHigh = 0x9f; // surrogates
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0) secondLow = 0x90;  // overlong below U+10000
        if (lead == 0xf4) secondHigh = 0x8f; // beyond U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length || at(1) < secondLow || at(1) > secondHigh) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!isContinuation(at(i))) return 0;
    return length;
}

// How much of a word (its first bytes, up to kWordStartCapacity of them) is
// kept: all of a short word; of a longer one its first 19 bytes, less a UTF-8
// character the cut would split, so that no half character is stored. Bytes
// that are not UTF-8 (Latin-1 text, say) are cut at 19 like any others.
std::size_t keptWordLength(std::string_view start) {
    constexpr std::size_t kCut = UnitWord::kMaxLength;
    if (start.size() <= kCut || !isContinuation(static_cast<unsigned char>(start[kCut])))
        return std::min(start.size(), kCut);
    std::size_t lead = kCut;
    while (lead > kCut - 3 && isContinuation(static_cast<unsigned char>(start[lead])))
        --lead;
    const std::size_t length = utf8CharacterLength(start.substr(lead));
    return length > kCut - lead ? lead : kCut;
}

} // namespace

// kEntrySpace as a table, one look a byte on the reader's path.
constexpr std::array<bool, 256> kIsEntrySpace = [] {
    std::array<bool, 256> table{};
    for (const char c : kEntrySpace)
        table[static_cast<unsigned char>(c)] = true;
    return table;
}();

bool isEntrySpace(int c) {
    return c >= 0 && c < 256 && kIsEntrySpace[static_cast<std::size_t>(c)];
}

bool readReal(std::istream& in, double& target) {
    Cursor input(in.rdbuf());
    if (!startEntry(in, input)) return false;
    int next = input.peek();
    const ScannedNumber number = scanNumber(next, [&input] { return input.next(); });
    double value = 0.0;
    const bool ok = number.error == FieldError::none && toDouble(number.field, value);
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
    // Enough of the word to see the whole character that straddles the cut.
    char start[kWordStartCapacity];
    std::size_t length = 0;
    int c = input.peek();
    for (; c != kEnd && !isEntrySpace(c); c = input.next()) {
        if (length < kWordStartCapacity) start[length++] = Traits::to_char_type(c);
    }
    markEndIfReached(in, input, c);
    const std::size_t kept = keptWordLength({start, length});
    std::copy_n(start, kept, target.text.begin());
    return true;
}

} // namespace parabeam
