#pragma once
// One unit name as the user typed it, written back verbatim after values.
#include <array>
#include <cstddef>
#include <string_view>

namespace parabeam {

// At most 19 bytes and a terminator.
struct UnitWord {
    static constexpr std::size_t kMaxLength = 19;
    std::array<char, kMaxLength + 1> text{};

    // The stored word, up to its terminator.
    std::string_view view() const {
        std::size_t length = 0;
        while (length < kMaxLength && text[length] != '\0')
            ++length;
        return {text.data(), length};
    }
};

} // namespace parabeam
