#pragma once
// Texts of the program, byte for byte: the ten prompts in the order they are
// asked, and the closing notes.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace parabeam::testing {

inline constexpr std::array<std::string_view, 10> kPrompts = {
    " (1) Enter Value For The Length(L1) Of The Triangular Beam(Shape) Above = ",
    " (2) Enter Value For The Length(L2) Of The Entire Beam(Parallelogram Diagram) From Point-A To Point-B As Seen Above = ",
    " (3) Enter Value For The Vertical Height Of The Beam If Available = ",
    " (4) Please Enter Value For The Weight Of The Traingular Beam Only = ",
    " (5) Please Enter Value For The Acting Weight Rectangular Beam Only = ",
    " (6) Please Enter Value For The Horizontal Force At The Left Support = ",
    " (7) Please Enter Value For The Horizontal Force At The Right Support = ",
    " Enter The Unit For The Weight Acting Vertically Downward = ",
    " Enter The Derived Unit For The (Acting Force, Mass) Vertically Downward = ",
    " Enter The Unit For The Length = ",
};

// The first `count` prompts written back to back.
inline std::string promptsUpTo(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += kPrompts[i];
    return text;
}

inline std::string allPrompts() {
    return promptsUpTo(kPrompts.size());
}

inline constexpr std::string_view kClosingNotes =
    " Your Project's Data Is Located In The Same Directory The Win-32(DOS Application) Is(Saved Or Downloaded To) Located Also.\n"
    " Supported Application(Windows Is Programs) For All Colleges, Universities And Technical Institutions(Colleges) For Proper -- \n"
    " Growth(s) And Learning Environments.  The Program Is Available To Be Used(Executed) On Any System(Win-32) Background.\n"
    " ........End Of Equation(s) And Comment(s)........ \n"
    " ........Press Any Key To Continue........ \n";

} // namespace parabeam::testing
