#pragma once
// What the user describes: seven reals and three unit words, in prompt order.
#include <array>
#include <cstddef>
#include <string_view>

namespace parabeam {

// One unit name as typed: at most 19 bytes and a terminator.
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

struct BeamInputs {
    double triangleLength = 0.0;       // L1, from Pt-E to Pt-B
    double beamLength = 0.0;           // L2, from Pt-A to Pt-B
    double height = 0.0;               // H, asked for but used nowhere
    double triangleWeight = 0.0;       // intensity at the tall end
    double rectangleWeight = 0.0;      // constant intensity
    double leftHorizontalForce = 0.0;  // Ax
    double rightHorizontalForce = 0.0; // Bx
    UnitWord weightUnit;
    UnitWord forceUnit;
    UnitWord lengthUnit;
};

} // namespace parabeam
