// The built program with answers on its standard input: the ten prompts come
// right after the figure, back to back, whatever the answers do.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/program_texts.hpp"
#include "support/run_binary.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

// The last lines of the beam figure, the last one empty.
const std::string kFigureEnd = "    I                                                    I    \n"
                               "    |                     First Length<------(L1)------->|\n"
                               "    |<----------------Second Length(L2)----------------->|\n"
                               "\n";
// The first lines of the derivation that follows the answers.
const std::string kDerivationStart = " \n Area Of A Triangle Is [ 0.5 x B x H] \n";

struct RunCase {
    const char* name;
    std::optional<std::string> input; // std::nullopt: standard input closed
    std::string weightLine;           // how the weight unit shows in the derivation
};

TEST(DialogueRun, PromptsFollowTheFigureBackToBack) {
    const std::string weightLineStart = " The Entire Weight Of The Triangular Beam Is = ";
    const std::vector<RunCase> cases = {
        {"all on one line", "3 9 2 4 2 0 5 kN/m kN m\n", "4 kN/m\n"},
        {"one per line", "3\n9\n2\n4\n2\n0\n5\nkN/m\nkN\nm\n", "4 kN/m\n"},
        {"no final line end", "3 9 2 4 2 0 5 kN/m kN m", "4 kN/m\n"},
        {"unit of nineteen bytes", "3 9 2 4 2 0 5 abcdefghijklmnopqrs kN m\n",
         "4 abcdefghijklmnopqrs\n"},
        {"unit longer than nineteen bytes", "3 9 2 4 2 0 5 abcdefghijklmnopqrstuvwxyz kN m\n",
         "4 abcdefghijklmnopqrs\n"},
        {"bytes above seven bit", "3 9 2 4 2 0 5 \xc2\xb5N/m kN m\n", "4 \xc2\xb5N/m\n"},
        {"failure at the second number", "12abc\n9 2 4 2 0 5 kN/m kN m\n", "0 \n"},
        {"input ends early", "3 9 2\n", "0 \n"},
        {"empty input", "", "0 \n"},
        {"standard input closed", std::nullopt, "0 \n"},
    };
    const std::string expected = kFigureEnd + allPrompts() + kDerivationStart;
    for (const RunCase& row : cases) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const RunResult run = runBinary({.input = row.input, .workingDirectory = dir.path()});
        ASSERT_TRUE(run.exited);
        EXPECT_EQ(run.exitStatus, 0);
        const std::size_t at = run.out.find(expected);
        ASSERT_NE(at, std::string::npos) << "figure end, prompts and derivation not adjacent";
        EXPECT_EQ(run.out.find(kPrompts[0]), at + kFigureEnd.size()) << "first prompt written once";
        EXPECT_NE(run.out.find(weightLineStart + row.weightLine), std::string::npos)
            << visible(row.weightLine);
    }
}

} // namespace
} // namespace parabeam::testing
