#include "diagrams/json_writer.hpp"

#include <cmath>
#include <cstdio>

namespace parabeam {

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasMembers_.empty()) {
        if (hasMembers_.back()) text_ += ',';
        hasMembers_.back() = true;
    }
}

JsonWriter& JsonWriter::open(char bracket) {
    beforeValue();
    text_ += bracket;
    hasMembers_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    text_ += bracket;
    hasMembers_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    string(name);
    text_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view text) {
    constexpr char kHex[] = "0123456789abcdef";
    beforeValue();
    text_ += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (byte < 0x20) {
            text_ += "\\u00";
            text_ += kHex[byte >> 4];
            text_ += kHex[byte & 0xf];
        } else {
            text_ += c;
        }
    }
    text_ += '"';
    return *this;
}

JsonWriter& JsonWriter::null() {
    beforeValue();
    text_ += "null";
    return *this;
}

JsonWriter& JsonWriter::number(double value) {
    if (!std::isfinite(value)) return null();
    beforeValue();
    // 17 significant digits read back as the same double, in any JSON reader.
    char digits[32];
    const int length = std::snprintf(digits, sizeof digits, "%.17g", value);
    text_.append(digits, static_cast<std::size_t>(length));
    return *this;
}

} // namespace parabeam
