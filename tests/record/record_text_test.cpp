// The record's text, composed in memory: the expected files' bytes for each
// example run, whatever the disk does.
#include <gtest/gtest.h>

#include <string>

#include "support/expected_data.hpp"
#include "support/in_memory_run.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

class RecordText : public ::testing::TestWithParam<ExampleRun> {};

TEST_P(RecordText, IsTheExpectedFile) {
    const std::string expected = expectedData(GetParam().record);
    const std::string record = runInMemory(GetParam().answers).record;
    EXPECT_TRUE(record == expected) << firstDifference(expected, record);
}

INSTANTIATE_TEST_SUITE_P(Runs, RecordText, ::testing::ValuesIn(kExampleRuns),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace parabeam::testing
