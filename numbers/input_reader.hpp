#pragma once
// Reading one entry of the dialogue, by the program's own rules rather than the
// stream's: numbers and unit words are taken character by character, and a
// failed read leaves the stream failed for good.
#include <istream>
#include <string_view>

#include "numbers/unit_word.hpp"

namespace parabeam {

// The white space between entries: blank, tab, carriage return, line feed,
// vertical tab, form feed.
inline constexpr std::string_view kEntrySpace{" \t\r\n\v\f"};
bool isEntrySpace(int character);

// Reads one number field. On success stores it and returns true. On failure
// (no digit, an exponent letter without digits, a value out of range, or no
// input left) leaves `target` unchanged, sets the stream's failbit and returns
// false. A stream that has failed or reached its end takes nothing more.
bool readReal(std::istream& in, double& target);

// Reads one word: every byte up to the next white space. Of a longer word the
// first 19 bytes are kept, less a UTF-8 character the cut would split; the
// rest is consumed and dropped. Stores an empty word and fails when no byte can
// be taken.
bool readWord(std::istream& in, UnitWord& target);

} // namespace parabeam
