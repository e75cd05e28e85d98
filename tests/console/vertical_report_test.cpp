// The derivation as the console narrates it: the report lines that show the
// solution's values, exactly.
#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>

#include "console/vertical_report.hpp"
#include "record/record_text.hpp"
#include "support/statics_cases.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

std::string recordOf(const BeamInputs& inputs) {
    std::ostringstream record;
    writeSavedRecord(inputs, solveVerticalReactions(inputs), record);
    return record.str();
}

std::string derivation(const BeamInputs& inputs) {
    std::ostringstream console;
    reportVerticalReactions(inputs, solveVerticalReactions(inputs), console);
    return console.str();
}

class Derivation : public ::testing::TestWithParam<StaticsCase> {};

TEST_P(Derivation, ShowsTheExpectedLines) {
    const std::string report = derivation(makeInputs(GetParam().numbers));
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back(), '\n');
    const auto lines = splitLines(report);
    ASSERT_EQ(lines.size(), 53u);
    for (const auto& [number, text] : GetParam().lines)
        EXPECT_EQ(lines[static_cast<std::size_t>(number - 1)], text) << "report line " << number;
}

// No number in the report ever shows as "-0".
TEST_P(Derivation, NeverShowsAMinusZero) {
    const std::string report = derivation(makeInputs(GetParam().numbers));
    for (const auto& line : splitLines(report)) {
        for (std::size_t at = line.find("-0"); at != std::string::npos;
             at = line.find("-0", at + 1)) {
            const bool fraction = at + 2 < line.size() && line[at + 2] == '.';
            EXPECT_TRUE(fraction) << "line shows a minus zero: " << visible(line);
        }
    }
}

// The height is asked for and stored, and changes nothing: no bit of the
// solution, no byte of the derivation or of the record.
TEST_P(Derivation, HeightChangesNothing) {
    const BeamInputs plain = makeInputs(GetParam().numbers);
    const BeamSolution plainSolution = solveVerticalReactions(plain);
    for (const double height : {0.0, -0.0, -7.5, 1e300, std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE("height " + exactText(height));
        BeamInputs varied = plain;
        varied.height = height;
        const BeamSolution variedSolution = solveVerticalReactions(varied);
        for (const SolutionField& field : kSolutionFields)
            EXPECT_TRUE(sameDouble(plainSolution.*field.member, variedSolution.*field.member))
                << field.name;
        const std::string plainReport = derivation(plain);
        const std::string variedReport = derivation(varied);
        EXPECT_TRUE(variedReport == plainReport) << firstDifference(plainReport, variedReport);
        EXPECT_EQ(recordOf(varied), recordOf(plain));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Derivation, ::testing::ValuesIn(kStaticsCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace parabeam::testing
