#include "console/input_reader.hpp"

#include "console/number_conversion.hpp"
#include "console/number_scanner.hpp"

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

} // namespace

bool isEntrySpace(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
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
    std::size_t length = 0;
    int c = input.peek();
    for (; c != kEnd && !isEntrySpace(c); c = input.next()) {
        if (length < UnitWord::kMaxLength) target.text[length++] = Traits::to_char_type(c);
    }
    markEndIfReached(in, input, c);
    return true;
}

} // namespace parabeam
