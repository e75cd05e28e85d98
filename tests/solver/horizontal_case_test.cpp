// The four horizontal cases: which one a pair of forces falls into.
#include <gtest/gtest.h>

#include <string>

#include "solver/horizontal_case.hpp"
#include "support/horizontal_examples.hpp"
#include "support/test_inputs.hpp"

namespace parabeam::testing {
namespace {

class HorizontalCases : public ::testing::TestWithParam<HorizontalExample> {};

TEST_P(HorizontalCases, ClassifiedAsExpected) {
    const BeamInputs inputs =
        makeInputs({1, 2, 3, 4, 5, GetParam().ax, GetParam().bx}, "x", GetParam().forceUnit, "y");
    EXPECT_EQ(classifyHorizontalForces(inputs), GetParam().expectedCase);
}

INSTANTIATE_TEST_SUITE_P(Pairs, HorizontalCases, ::testing::ValuesIn(kHorizontalExamples),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace parabeam::testing
