// Many runs saving together in one directory: every record arrives whole, none
// is lost, nothing else is left behind; a save that fails beside others takes
// back only its own bytes and says so in one whole line.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <future>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/expected_data.hpp"
#include "support/named_case.hpp"
#include "support/run_binary.hpp"
#include "support/strace_launcher.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {
namespace fs = std::filesystem;

constexpr int kRuns = 50;

std::string lengthUnitOf(int run) {
    char unit[8];
    std::snprintf(unit, sizeof unit, "m%02d", run);
    return unit;
}

// The worked example's record with its length unit (lines 6 and 7) replaced.
std::string recordWithLengthUnit(const std::string& unit) {
    std::string record = expectedData("worked_example_record.txt");
    int replaced = 0;
    for (std::size_t at = record.find(" m\n"); at != std::string::npos;
         at = record.find(" m\n", at + 1)) {
        record.replace(at, 3, " " + unit + "\n");
        ++replaced;
    }
    EXPECT_EQ(replaced, 2);
    return record;
}

TEST(ConcurrentRuns, FiftyRunsLeaveFiftyWholeRecords) {
    TempDir dir;
    std::vector<std::future<RunResult>> runs;
    for (int run = 0; run < kRuns; ++run) {
        const std::string answers = "3 9 2 4 2 0 5 kN/m kN " + lengthUnitOf(run) + "\n";
        runs.push_back(std::async(std::launch::async, [answers, &dir] {
            return runBinary({.input = answers,
                              .workingDirectory = dir.path(),
                              .timeout = std::chrono::milliseconds(120000)});
        }));
    }
    for (auto& run : runs) {
        const RunResult result = run.get();
        EXPECT_TRUE(result.exited);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.err, "");
    }

    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        entries.push_back(entry.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{"data-values.dat"});

    // All units have the same length, so every record has the same size.
    const std::string saved = readFile(dir.path() / "data-values.dat");
    const std::size_t recordSize = recordWithLengthUnit(lengthUnitOf(0)).size();
    ASSERT_EQ(saved.size(), recordSize * kRuns);

    std::set<int> seen;
    for (int slot = 0; slot < kRuns; ++slot) {
        const std::string record =
            saved.substr(static_cast<std::size_t>(slot) * recordSize, recordSize);
        const auto lines = splitLines(record);
        ASSERT_EQ(lines.size(), 16u) << "record " << slot + 1;
        // Line 7 ends with the run's length unit.
        const std::string unit(lines[6].substr(lines[6].rfind(' ') + 1));
        int run = -1;
        ASSERT_EQ(std::sscanf(unit.c_str(), "m%d", &run), 1) << visible(lines[6]);
        const std::string expected = recordWithLengthUnit(lengthUnitOf(run));
        EXPECT_TRUE(record == expected)
            << "record " << slot + 1 << ": " << firstDifference(expected, record);
        EXPECT_TRUE(seen.insert(run).second) << "run " << run << " saved twice";
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kRuns));
}

std::string failedSaveLine(int error) {
    return std::string("parabeam: could not save the record to data-values.dat: ") +
           std::strerror(error) + "\n";
}

// The records of runs that saved nothing yet, the file's size 2,100 bytes.
const std::string kEarlierRecords = std::string(2099, 'r') + "\n";

// Run A may write only part of its record (the file may grow 500 bytes), so
// its save fails; it is held up at one point of its save for a second while
// run B saves in full. B's record must stay whole and A's part must go.
struct Stall : NamedCase {
    std::vector<std::string> straceArguments; // given the record file's path
};

const Stall kStalls[] = {
    {{"BeforeTheCutBack"}, {"-e", "inject=ftruncate:delay_enter=1000000"}},
    {{"AfterThePartialWrite"}, {"-P", "", "-e", "inject=write:delay_exit=1000000:when=1"}},
};

class StalledFailingSave : public ::testing::TestWithParam<Stall> {};

TEST_P(StalledFailingSave, KeepsTheOtherRunsRecordAndNoTornBytes) {
    if (!straceCanInject()) GTEST_SKIP() << "strace cannot inject delays here";
    TempDir dir;
    const fs::path file = dir.path() / "data-values.dat";
    writeFile(file, kEarlierRecords);
    std::vector<std::string> launcher = straceLauncher({"-o", "/dev/null"});
    for (const std::string& argument : GetParam().straceArguments)
        launcher.push_back(argument.empty() ? file.string() : argument);

    auto stalled = std::async(std::launch::async, [&] {
        return runBinary({.input = "1 9 2 4 2 0 5 kN/m kN m\n",
                          .workingDirectory = dir.path(),
                          .fileSizeLimit = kEarlierRecords.size() + 500,
                          .launcher = launcher});
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(400)); // A is held up by now
    const RunResult other =
        runBinary({.input = kWorkedExampleAnswers, .workingDirectory = dir.path()});
    const RunResult failing = stalled.get();

    EXPECT_EQ(other.exitStatus, 0);
    EXPECT_EQ(other.err, "");
    EXPECT_EQ(failing.exitStatus, 0);
    EXPECT_EQ(failing.err, failedSaveLine(EFBIG));
    const std::string expected = kEarlierRecords + expectedData("worked_example_record.txt");
    const std::string saved = readFile(file);
    EXPECT_TRUE(saved == expected) << firstDifference(expected, saved);
}

INSTANTIATE_TEST_SUITE_P(RaceWindows, StalledFailingSave, ::testing::ValuesIn(kStalls),
                         [](const auto& info) { return std::string(info.param.name); });

// Pairs of runs at once, again and again: A may grow the file by 500 bytes
// only, so its save always fails (in part or as a whole); B's always succeeds.
// PARABEAM_STRESS_PAIRS sets how many pairs.
TEST(ConcurrentRuns, PairsOfAFailingAndASucceedingSaveKeepExactlyTheSuccessfulRecords) {
    const char* pairsAsked = std::getenv("PARABEAM_STRESS_PAIRS");
    const int pairs = pairsAsked != nullptr ? std::atoi(pairsAsked) : 100;
    TempDir dir;
    const fs::path file = dir.path() / "data-values.dat";
    writeFile(file, kEarlierRecords);
    std::string expected = kEarlierRecords;
    int failures = 0;
    for (int pair = 0; pair < pairs && failures < 5; ++pair) {
        const std::string unit = lengthUnitOf(pair % 100);
        const std::uint64_t limit = fs::file_size(file) + 500;
        auto failing = std::async(std::launch::async, [&] {
            return runBinary({.input = "1 9 2 4 2 0 5 kN/m kN m\n",
                              .workingDirectory = dir.path(),
                              .fileSizeLimit = limit});
        });
        const RunResult saving = runBinary(
            {.input = "3 9 2 4 2 0 5 kN/m kN " + unit + "\n", .workingDirectory = dir.path()});
        const RunResult failed = failing.get();
        expected += recordWithLengthUnit(unit);
        const bool asExpected = saving.err.empty() && failed.err == failedSaveLine(EFBIG);
        failures += asExpected ? 0 : 1;
        EXPECT_TRUE(asExpected) << "pair " << pair << ": " << visible(saving.err) << " / "
                                << visible(failed.err);
    }
    const std::string saved = readFile(file);
    EXPECT_TRUE(saved == expected) << firstDifference(expected, saved);
}

// The line is composed first, so that one write() takes it out whole.
TEST(FailedSaveLine, GoesOutInOneWrite) {
    if (!straceCanInject()) GTEST_SKIP() << "strace cannot trace here";
    TempDir dir;
    TempDir scratch;
    fs::create_symlink("/dev/full", dir.path() / "data-values.dat");
    const fs::path trace = scratch.path() / "trace";
    const RunResult run =
        runBinary({.input = kWorkedExampleAnswers,
                   .workingDirectory = dir.path(),
                   .launcher = straceLauncher({"-o", trace.string(), "-e", "trace=write,writev"})});
    EXPECT_EQ(run.err, failedSaveLine(ENOSPC));
    const std::string calls = readFile(trace);
    std::size_t writesToStandardError = 0;
    for (const auto line : splitLines(calls))
        writesToStandardError += line.starts_with("write(2,") || line.starts_with("writev(2,");
    EXPECT_EQ(writesToStandardError, 1u) << calls;
}

// Each failing run's line arrives whole where the standard errors of 200 runs
// failing at once meet.
TEST(ConcurrentRuns, TwoHundredFailingRunsWriteTwoHundredWholeLines) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    TempDir dir;
    TempDir shared;
    fs::create_symlink("/dev/full", dir.path() / "data-values.dat");
    const fs::path errors = shared.path() / "errors";
    std::vector<std::future<RunResult>> runs;
    for (int run = 0; run < 200; ++run) {
        runs.push_back(std::async(std::launch::async, [&] {
            return runBinary({.input = kWorkedExampleAnswers,
                              .workingDirectory = dir.path(),
                              .timeout = std::chrono::milliseconds(120000),
                              .errorsAppendedTo = errors});
        }));
    }
    for (auto& run : runs)
        EXPECT_EQ(run.get().exitStatus, 0);
    const std::string written = readFile(errors);
    const auto lines = splitLines(written);
    ASSERT_EQ(lines.size(), 200u);
    for (const auto& line : lines)
        EXPECT_EQ(std::string(line) + "\n", failedSaveLine(ENOSPC));
}

} // namespace
} // namespace parabeam::testing
