// Whole runs and the file data-values.dat they append to.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/expected_data.hpp"
#include "support/run_binary.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {
namespace fs = std::filesystem;

const char* const kCaseB = kExampleRuns[1].answers;

std::vector<std::string> directoryEntries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

RunResult runIn(const fs::path& dir, const char* answers) {
    RunResult run = runBinary({.input = answers, .workingDirectory = dir});
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    return run;
}

void expectFile(const fs::path& file, const std::string& expected) {
    const std::string actual = readFile(file);
    EXPECT_TRUE(actual == expected) << firstDifference(expected, actual);
}

class OneRun : public ::testing::TestWithParam<ExampleRun> {};

TEST_P(OneRun, CreatesTheFileWithExactlyOneRecord) {
    TempDir dir;
    runIn(dir.path(), GetParam().answers);
    expectFile(dir.path() / "data-values.dat", expectedData(GetParam().record));
    EXPECT_EQ(directoryEntries(dir.path()), std::vector<std::string>{"data-values.dat"});
}

INSTANTIATE_TEST_SUITE_P(Runs, OneRun, ::testing::ValuesIn(kExampleRuns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecordFile, TwoRunsLeaveTwoRecordsFirstRunFirst) {
    TempDir dir;
    runIn(dir.path(), kWorkedExampleAnswers);
    runIn(dir.path(), kCaseB);
    expectFile(dir.path() / "data-values.dat",
               expectedData("worked_example_record.txt") + expectedData("case_b_record.txt"));
}

// Whatever the file held before stays, byte for byte, and the record follows it
// directly, even when the old content does not end with a line feed.
class ExistingContent : public ::testing::TestWithParam<std::string> {};

TEST_P(ExistingContent, IsKeptAndTheRecordAppendedAfterIt) {
    TempDir dir;
    writeFile(dir.path() / "data-values.dat", GetParam());
    runIn(dir.path(), kWorkedExampleAnswers);
    expectFile(dir.path() / "data-values.dat",
               GetParam() + expectedData("worked_example_record.txt"));
}

INSTANTIATE_TEST_SUITE_P(Contents, ExistingContent,
                         ::testing::Values(std::string(""), std::string("notes kept by hand\n"),
                                           std::string("no line feed at the end"),
                                           std::string("\r\n\x00\xff binary\x00", 12),
                                           std::string(70000, 'x') + "\n"));

// Standard output a pipe nobody reads: the program is not ended by the broken
// pipe, still saves its record and exits with 0.
TEST(RecordFile, ClosedStandardOutputStillAppendsTheRecord) {
    TempDir dir;
    const RunResult run = runBinary(
        {.input = kWorkedExampleAnswers, .workingDirectory = dir.path(), .closedStdout = true});
    ASSERT_TRUE(run.exited) << "ended by signal " << run.signal;
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    expectFile(dir.path() / "data-values.dat", expectedData("worked_example_record.txt"));
}

// A run whose input ends early still saves a record (of whatever was read).
TEST(RecordFile, NoInputAtAllStillAppendsOneRecord) {
    TempDir dir;
    const RunResult run = runBinary({.input = std::nullopt, .workingDirectory = dir.path()});
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.exitStatus, 0);
    const std::string saved = readFile(dir.path() / "data-values.dat");
    const auto lines = splitLines(saved);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[15], std::string(118, '-'));
}

// Unit words of the full 19 bytes are written whole, wherever they stand.
TEST(RecordFile, LongestUnitWordsWrittenWhole) {
    const std::string unit19 = "abcdefghijklmnopqrs";
    TempDir dir;
    runIn(dir.path(), ("3 9 2 4 2 0 5 " + unit19 + " " + unit19 + " " + unit19 + "\n").c_str());
    const std::string saved = readFile(dir.path() / "data-values.dat");
    const auto lines = splitLines(saved);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[5],
              " The Total Horizontal Distance Of The Rectangular Beam Only Is = 6 " + unit19);
    EXPECT_EQ(lines[7], " The Entire Weight Of The Triangular Beam Is = 4 " + unit19);
    EXPECT_EQ(lines[14], " Derived Values 2 :: ==> By = 8.66667 " + unit19);
}

} // namespace
} // namespace parabeam::testing
