// Many runs finishing together in one directory: every record arrives whole,
// none is lost, nothing else is left behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <future>
#include <set>
#include <string>
#include <vector>

#include "support/expected_data.hpp"
#include "support/run_binary.hpp"
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

} // namespace
} // namespace parabeam::testing
