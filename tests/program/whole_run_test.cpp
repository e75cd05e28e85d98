// Whole runs of the built program: everything it writes to standard output,
// compared byte for byte with transcripts written out by hand.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/expected_data.hpp"
#include "support/in_memory_run.hpp"
#include "support/named_case.hpp"
#include "support/run_binary.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

class WholeRunTranscript : public ::testing::TestWithParam<ExampleRun> {};

TEST_P(WholeRunTranscript, StandardOutputMatchesByteForByte) {
    TempDir dir;
    const RunResult run = runBinary({.input = GetParam().answers, .workingDirectory = dir.path()});
    ASSERT_TRUE(run.exited) << "signal " << run.signal << (run.timedOut ? " (timed out)" : "");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    const std::string expected = expectedData(GetParam().transcript);
    EXPECT_TRUE(run.out == expected) << firstDifference(expected, run.out);
}

INSTANTIATE_TEST_SUITE_P(EachCase, WholeRunTranscript, ::testing::ValuesIn(kExampleRuns),
                         [](const auto& info) { return std::string(info.param.name); });

// Standard streams as a busy system or a sandbox hands them over: the answers
// are all read, the record saved, the console gets the whole transcript (or,
// at a file-size limit, all of it up to the limit) and the exit status is 0.
struct StreamSetUp : NamedCase {
    RunOptions options; // answers and directory are filled in by the test
    std::size_t consoleBytes = std::string::npos;
};

const StreamSetUp kStreamSetUps[] = {
    {{"OutputFileReachesTheSizeLimit"}, {.fileSizeLimit = 4096}, 4096},
    // "Try again" from a descriptor is neither the end of the input nor a
    // failed write: the program waits until it can go on.
    {{"InputArrivesLateOnANonBlockingPipe"}, {.lateNonBlockingInput = true}},
    {{"OutputToASlowNonBlockingPipe"}, {.slowNonBlockingOutput = true}},
};

class StandardStreams : public ::testing::TestWithParam<StreamSetUp> {};

TEST_P(StandardStreams, AllAnswersReadRecordSavedConsoleWhole) {
    TempDir dir;
    RunOptions options = GetParam().options;
    options.input = kWorkedExampleAnswers;
    options.workingDirectory = dir.path();
    const RunResult run = runBinary(options);
    ASSERT_TRUE(run.exited) << "signal " << run.signal << (run.timedOut ? " (timed out)" : "");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    const std::string expected =
        expectedData("worked_example_transcript.txt").substr(0, GetParam().consoleBytes);
    EXPECT_TRUE(run.out == expected) << firstDifference(expected, run.out);
    const std::string record = runInMemory(kWorkedExampleAnswers).record;
    const std::string saved = readFile(dir.path() / "data-values.dat");
    EXPECT_TRUE(saved == record) << firstDifference(record, saved);
}

INSTANTIATE_TEST_SUITE_P(SetUps, StandardStreams, ::testing::ValuesIn(kStreamSetUps),
                         [](const auto& info) { return std::string(info.param.name); });

// However the ten answers are laid out, the console shows the same bytes: the
// answers are not echoed, the prompts follow each other without waiting.
struct AnswerLayout : NamedCase {
    const char* answers;
};

const AnswerLayout kLayouts[] = {
    {{"OnePerLine"}, "3\n9\n2\n4\n2\n0\n5\nkN/m\nkN\nm\n"},
    {{"NoFinalLineFeed"}, "3 9 2 4 2 0 5 kN/m kN m"},
    {{"TabsCarriageReturnsAndBlankLines"}, "\n\n\t3\r\n 9\t2\v4\f2 0 5\r\nkN/m\tkN  m\r\n"},
    {{"OtherSpellingsOfTheSameNumbers"}, "3.0 9e0 2 +4 2. 0.0 .5e1 kN/m kN m\n"},
};

class WorkedExampleLayout : public ::testing::TestWithParam<AnswerLayout> {};

TEST_P(WorkedExampleLayout, GivesTheWorkedExampleTranscript) {
    TempDir dir;
    const RunResult run = runBinary({.input = GetParam().answers, .workingDirectory = dir.path()});
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    const std::string expected = expectedData("worked_example_transcript.txt");
    EXPECT_TRUE(run.out == expected) << firstDifference(expected, run.out);
}

INSTANTIATE_TEST_SUITE_P(AnswerLayouts, WorkedExampleLayout, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace parabeam::testing
