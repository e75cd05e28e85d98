// The vertical statics: every derived double, bit for bit (signs of zero
// included).
#include <gtest/gtest.h>

#include <limits>
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

TEST_P(Statics, HeightChangesNoBit) {
    const BeamInputs plain = makeInputs(GetParam().numbers);
    const BeamSolution plainSolution = solveVerticalReactions(plain);
    for (const double height : {0.0, -0.0, -7.5, 1e300, std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN()}) {
        BeamInputs varied = plain;
        varied.height = height;
        const BeamSolution variedSolution = solveVerticalReactions(varied);
        for (const SolutionField& field : kSolutionFields)
            EXPECT_TRUE(sameDouble(plainSolution.*field.member, variedSolution.*field.member))
                << "height " << height << ": " << field.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Statics, ::testing::ValuesIn(kStaticsCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace parabeam::testing
