// The four horizontal cases: the exact lines each writes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "console/horizontal_report.hpp"
#include "support/horizontal_examples.hpp"
#include "support/test_inputs.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

class HorizontalReport : public ::testing::TestWithParam<HorizontalExample> {};

TEST_P(HorizontalReport, WritesExactlyTheCaseLines) {
    const BeamInputs inputs =
        makeInputs({1, 2, 3, 4, 5, GetParam().ax, GetParam().bx}, "x", GetParam().forceUnit, "y");
    std::ostringstream console;
    reportHorizontalCase(inputs, console);
    EXPECT_TRUE(console.str() == GetParam().expectedText)
        << firstDifference(GetParam().expectedText, console.str());
}

INSTANTIATE_TEST_SUITE_P(Pairs, HorizontalReport, ::testing::ValuesIn(kHorizontalExamples),
                         [](const auto& info) { return std::string(info.param.name); });

// Nothing but the two forces and the force unit enters these lines.
TEST(HorizontalCaseInputs, OtherFieldsChangeNothing) {
    const BeamInputs first = makeInputs({3, 9, 2, 4, 2, 0, 5}, "kN/m", "kN", "m");
    const BeamInputs second = makeInputs({-1, 0, 1e300, -4, 0, 0, 5}, "other", "kN", "units");
    std::ostringstream a;
    std::ostringstream b;
    reportHorizontalCase(first, a);
    reportHorizontalCase(second, b);
    EXPECT_EQ(a.str(), b.str());
}

} // namespace
} // namespace parabeam::testing
