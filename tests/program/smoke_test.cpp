#include <gtest/gtest.h>

#include "support/run_binary.hpp"

namespace parabeam::testing {
namespace {

TEST(Smoke, RunsWithoutInputOrTerminal) {
    TempDir dir;
    const RunResult run = runBinary({.input = std::nullopt, .workingDirectory = dir.path()});
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
}

} // namespace
} // namespace parabeam::testing
