// Whole runs of the program on malformed and hostile standard input, each in
// its own process without a terminal: the run must always end normally, print
// its whole report and save one whole record.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "console/banner.hpp"
#include "record/record_text.hpp"
#include "record/saved_record.hpp"
#include "solver/beam_solution.hpp"
#include "solver/horizontal_case.hpp"
#include "support/run_binary.hpp"
#include "sweep/reference_entries.hpp"
#include "sweep/sweep_cases.hpp"

namespace parabeam::testing {
namespace {

constexpr std::string_view kBannerStart = "                         \n"
                                          "                         Zembrolin-!!!\n";

constexpr std::string_view kPrompts =
    " (1) Enter Value For The Length(L1) Of The Triangular Beam(Shape) Above = "
    " (2) Enter Value For The Length(L2) Of The Entire Beam(Parallelogram Diagram) From Point-A To Point-B As Seen Above = "
    " (3) Enter Value For The Vertical Height Of The Beam If Available = "
    " (4) Please Enter Value For The Weight Of The Traingular Beam Only = "
    " (5) Please Enter Value For The Acting Weight Rectangular Beam Only = "
    " (6) Please Enter Value For The Horizontal Force At The Left Support = "
    " (7) Please Enter Value For The Horizontal Force At The Right Support = "
    " Enter The Unit For The Weight Acting Vertically Downward = "
    " Enter The Derived Unit For The (Acting Force, Mass) Vertically Downward = "
    " Enter The Unit For The Length = ";

constexpr std::string_view kClosingNotes =
    " Your Project's Data Is Located In The Same Directory The Win-32(DOS Application) Is(Saved Or Downloaded To) Located Also.\n"
    " Supported Application(Windows Is Programs) For All Colleges, Universities And Technical Institutions(Colleges) For Proper -- \n"
    " Growth(s) And Learning Environments.  The Program Is Available To Be Used(Executed) On Any System(Win-32) Background.\n"
    " ........End Of Equation(s) And Comment(s)........ \n"
    " ........Press Any Key To Continue........ \n";

struct ExpectedRun {
    std::string out;
    std::string record;
};

// The run the answers should give: entries read the plain way, then the
// program's own derivation of them.
ExpectedRun expectedRun(std::string_view input) {
    const BeamInputs inputs = referenceInputs(readReferenceEntries(input));
    std::ostringstream out;
    printBanner(out);
    printFigure(out);
    out << kPrompts;
    BeamSolution solution;
    solveVerticalReactions(inputs, solution, out);
    reportHorizontalCase(inputs, out);
    out << kClosingNotes;
    std::ostringstream record;
    writeSavedRecord(inputs, solution, record);
    return {out.str(), record.str()};
}

std::size_t lineCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class Sweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(Sweep, EndsNormallyWithWholeReportAndRecord) {
    const std::optional<std::string> input = GetParam().input();
    TempDir dir;
    const RunResult run = runProgram(
        {.input = input, .workingDirectory = dir.path(), .timeout = std::chrono::seconds(5)});

    EXPECT_FALSE(run.timedOut);
    ASSERT_TRUE(run.exited) << "ended by signal " << run.signal;
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(std::string_view(run.out).starts_with(kBannerStart));
    EXPECT_TRUE(std::string_view(run.out).ends_with(kClosingNotes));

    const std::string record = readFile(dir.path() / kRecordFileName);
    EXPECT_EQ(lineCount(record), 16u);
    EXPECT_TRUE(record.ends_with("\n" + std::string(118, '-') + "\n"));

    const ExpectedRun expected = expectedRun(input.value_or(""));
    EXPECT_EQ(run.out, expected.out);
    EXPECT_EQ(record, expected.record);
}

INSTANTIATE_TEST_SUITE_P(HostileInput, Sweep, ::testing::ValuesIn(sweepCases()),
                         [](const ::testing::TestParamInfo<SweepCase>& info) {
                             return info.param.name;
                         });

} // namespace
} // namespace parabeam::testing
