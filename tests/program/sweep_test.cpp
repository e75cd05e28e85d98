// Whole runs of the program on malformed and hostile standard input, each in
// its own process without a terminal: the run must always end normally, print
// its whole report and save one whole record.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "console/banner.hpp"
#include "record/saved_record.hpp"
#include "support/in_memory_run.hpp"
#include "support/program_texts.hpp"
#include "support/reference_entries.hpp"
#include "support/run_binary.hpp"
#include "sweep_cases.hpp"

namespace parabeam::testing {
namespace {

// The banner and figure, then every prompt: whatever the answers, the dialogue
// writes nothing else.
std::string bannerAndPrompts() {
    std::ostringstream banner;
    printBanner(banner);
    printFigure(banner);
    return banner.str() + allPrompts();
}

std::size_t lineCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class Sweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(Sweep, EndsNormallyWithWholeReportAndRecord) {
    const std::optional<std::string> input = GetParam().input();
    TempDir dir;
    const RunResult run = runBinary(
        {.input = input, .workingDirectory = dir.path(), .timeout = std::chrono::seconds(5)});

    EXPECT_FALSE(run.timedOut);
    ASSERT_TRUE(run.exited) << "ended by signal " << run.signal;
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(std::string_view(run.out).starts_with("                         \n"));
    EXPECT_TRUE(std::string_view(run.out).ends_with(kClosingNotes));

    const std::string record = readFile(dir.path() / kRecordFileName);
    EXPECT_EQ(lineCount(record), 16u);
    EXPECT_TRUE(record.ends_with("\n" + std::string(118, '-') + "\n"));

    // The same answers in memory, checked against the plain reading of them.
    const InMemoryRun inMemory = runInMemory(input.value_or(""));
    EXPECT_EQ(differenceFromReference(inMemory.outcome, input.value_or("")), "");
    EXPECT_TRUE(inMemory.console.starts_with(bannerAndPrompts()));
    EXPECT_EQ(run.out, inMemory.console + std::string(kClosingNotes));
    EXPECT_EQ(record, inMemory.record);
}

INSTANTIATE_TEST_SUITE_P(HostileInput, Sweep, ::testing::ValuesIn(sweepCases()),
                         [](const ::testing::TestParamInfo<SweepCase>& info) {
                             return info.param.name;
                         });

} // namespace
} // namespace parabeam::testing
