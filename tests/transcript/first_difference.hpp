#pragma once
// Readable failure messages for byte-exact comparisons of whole outputs.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace parabeam::testing {

// A line as it will show in a failure message: control and non-ASCII bytes
// escaped, the end marked with '$' so trailing blanks are visible.
inline std::string visibleLine(std::string_view line) {
    std::string shown;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            shown += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            shown += escaped;
        }
    }
    return shown + '$';
}

// The text cut at every line feed; the piece after the last line feed (empty
// when the text ends with one) is kept, so a missing final line feed shows.
inline std::vector<std::string_view> cutAtLineFeeds(std::string_view text) {
    std::vector<std::string_view> pieces;
    for (;;) {
        const std::size_t end = text.find('\n');
        pieces.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return pieces;
        text.remove_prefix(end + 1);
    }
}

// Empty when both texts are identical; otherwise the number of the first line
// that differs (counted from 1) and that line from each side.
inline std::string firstDifference(std::string_view expected, std::string_view actual) {
    if (expected == actual) return {};
    const auto expectedLines = cutAtLineFeeds(expected);
    const auto actualLines = cutAtLineFeeds(actual);
    std::size_t index = 0;
    while (index < expectedLines.size() && index < actualLines.size() &&
           expectedLines[index] == actualLines[index])
        ++index;
    auto show = [index](const std::vector<std::string_view>& lines) {
        return index < lines.size() ? visibleLine(lines[index]) : std::string("<no such line>");
    };
    return "first difference in line " + std::to_string(index + 1) +
           "\n  expected: " + show(expectedLines) + "\n  actual:   " + show(actualLines);
}

} // namespace parabeam::testing
