// The 16-line record, composed in memory and compared byte for byte.
#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "record/record_text.hpp"
#include "solver/beam_solution.hpp"
#include "support/expected_data.hpp"
#include "support/named_case.hpp"
#include "support/test_inputs.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

std::string composeRecord(const BeamInputs& inputs) {
    std::ostringstream record;
    writeSavedRecord(inputs, computeBeamSolution(inputs), record);
    return record.str();
}

struct RecordExample : NamedCase {
    Numbers numbers;
    const char* weightUnit;
    const char* forceUnit;
    const char* lengthUnit;
    const char* expectedFile;
};

const RecordExample kExamples[] = {
    {{"WorkedExample"}, {3, 9, 2, 4, 2, 0, 5}, "kN/m", "kN", "m", "worked_example_record.txt"},
    {{"TieRoundsAwayFromZero"},
     {2.5, 7, 3, 6, 1.25, -4.5, 0},
     "N/m",
     "N",
     "ft",
     "case_b_record.txt"},
    {{"ExponentForm"}, {1500, 4000, 10, 800, 1200, 7, -3}, "N/m", "N", "m", "case_c_record.txt"},
    {{"NegativeRectangle"}, {4, 3, 0, 2, 5, 0, -0.0}, "lb/ft", "lb", "ft", "case_d_record.txt"},
    {{"InfiniteReactions"}, {3, 0, 1, 4, 2, 2, 2}, "kN/m", "kN", "m", "zero_span_record.txt"},
};

class RecordText : public ::testing::TestWithParam<RecordExample> {};

TEST_P(RecordText, MatchesByteForByte) {
    const RecordExample& example = GetParam();
    const std::string expected = expectedData(example.expectedFile);
    const std::string actual = composeRecord(
        makeInputs(example.numbers, example.weightUnit, example.forceUnit, example.lengthUnit));
    EXPECT_TRUE(actual == expected) << firstDifference(expected, actual);
}

INSTANTIATE_TEST_SUITE_P(Examples, RecordText, ::testing::ValuesIn(kExamples),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecordTextWorkedExample, NamedLines) {
    const std::string record = composeRecord(makeInputs({3, 9, 2, 4, 2, 0, 5}));
    const auto lines = splitLines(record);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[0],
              " Recorded  Saved Data(s) For The Diagram(Beam) Given To Be Solved :: ==> ");
    EXPECT_EQ(lines[4], " The Horizontal Length Of The Triangular Beam(Beam) Is Given As :: ==> 3");
    EXPECT_EQ(lines[13], " Derived Values 1 :: ==> Ay = 9.33333 kN");
    EXPECT_EQ(lines[14], " Derived Values 2 :: ==> By = 8.66667 kN");
    EXPECT_EQ(lines[15], std::string(118, '-'));
}

// No height, horizontal force or case enters the record.
TEST(RecordTextContent, HeightAndHorizontalForcesLeaveNoTrace) {
    const std::string plain = composeRecord(makeInputs({3, 9, 2, 4, 2, 0, 5}));
    for (const Numbers& other : {Numbers{3, 9, 1e300, 4, 2, 0, 5}, Numbers{3, 9, 2, 4, 2, 7, 0},
                                 Numbers{3, 9, -1, 4, 2, 0, 0}, Numbers{3, 9, 0, 4, 2, -8, 9}}) {
        const std::string varied = composeRecord(makeInputs(other));
        EXPECT_TRUE(varied == plain) << firstDifference(plain, varied);
    }
}

// A unit word of the full 19 characters is written whole.
TEST(RecordTextContent, LongestUnitWordsWrittenWhole) {
    const std::string unit19 = "abcdefghijklmnopqrs";
    const std::string record =
        composeRecord(makeInputs({3, 9, 2, 4, 2, 0, 5}, unit19, unit19, unit19));
    const auto lines = splitLines(record);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[5],
              " The Total Horizontal Distance Of The Rectangular Beam Only Is = 6 " + unit19);
    EXPECT_EQ(lines[7], " The Entire Weight Of The Triangular Beam Is = 4 " + unit19);
    EXPECT_EQ(lines[14], " Derived Values 2 :: ==> By = 8.66667 " + unit19);
}

} // namespace
} // namespace parabeam::testing
