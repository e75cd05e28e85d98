#pragma once
// Readable forms of bytes, lines and doubles for test messages, and the lines
// of a text.
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace parabeam::testing {

// Every bit of a double, the sign of zero included ("-0x0p+0").
inline std::string exactText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

// Bytes in quotes, so trailing blanks show, with control and high bytes
// escaped; very long texts are shortened in the middle.
inline std::string visible(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            text.push_back(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            text += escaped;
        }
    }
    if (text.size() > 240) text = text.substr(0, 120) + "..." + text.substr(text.size() - 100);
    return '"' + text + '"';
}

// The lines of a text, without their line feeds; a last line without a line
// feed counts as a line too.
inline std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// Empty when both texts are identical; otherwise the number of the first line
// that differs (counted from 1) and that line from each side.
inline std::string firstDifference(std::string_view expected, std::string_view actual) {
    if (expected == actual) return {};
    const auto expectedLines = splitLines(expected);
    const auto actualLines = splitLines(actual);
    std::size_t index = 0;
    while (index < expectedLines.size() && index < actualLines.size() &&
           expectedLines[index] == actualLines[index])
        ++index;
    if (index == expectedLines.size() && index == actualLines.size())
        return "the texts differ only in the line feed at the end";
    auto show = [index](const std::vector<std::string_view>& lines) {
        return index < lines.size() ? visible(lines[index]) : std::string("<no such line>");
    };
    return "first difference in line " + std::to_string(index + 1) +
           "\n  expected: " + show(expectedLines) + "\n  actual:   " + show(actualLines);
}

} // namespace parabeam::testing
