// The vertical statics: every derived double, bit for bit (signs of zero
// included).
#include <gtest/gtest.h>

#include <string>

#include "solver/beam_solution.hpp"
#include "support/statics_cases.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

class Statics : public ::testing::TestWithParam<StaticsCase> {};

TEST_P(Statics, EveryFieldHasItsExactValue) {
    const BeamSolution solution = solveVerticalReactions(makeInputs(GetParam().numbers));
    for (std::size_t i = 0; i < std::size(kSolutionFields); ++i) {
        const double actual = solution.*kSolutionFields[i].member;
        EXPECT_TRUE(sameDouble(actual, GetParam().exact[i]))
            << kSolutionFields[i].name << ": expected " << exactText(GetParam().exact[i])
            << ", got " << exactText(actual);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Statics, ::testing::ValuesIn(kStaticsCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace parabeam::testing
