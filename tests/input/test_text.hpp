#pragma once
// Readable forms of bytes and doubles for test messages.
#include <cstdio>
#include <string>
#include <string_view>

namespace parabeam::testing {

// Every bit of a double, the sign of zero included ("-0x0p+0").
inline std::string exactText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

// Input bytes with control and high bytes escaped, long runs shortened.
inline std::string visible(std::string_view bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f) {
            text.push_back(static_cast<char>(c));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            text += escaped;
        }
    }
    if (text.size() > 120) text = text.substr(0, 60) + "..." + text.substr(text.size() - 50);
    return '"' + text + '"';
}

} // namespace parabeam::testing
