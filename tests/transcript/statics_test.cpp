// The vertical statics: every derived double, bit for bit (signs of zero
// included), and the report lines that show them.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <ostream>
#include <sstream>
#include <string>

#include "solver/beam_solution.hpp"
#include "transcript/expected_data.hpp"
#include "transcript/first_difference.hpp"
#include "transcript/test_inputs.hpp"

namespace parabeam::testing {
namespace {

struct Field {
    const char* name;
    double BeamSolution::*member;
};

const Field kFields[] = {
    {"triangleForce", &BeamSolution::triangleForce},
    {"triangleArmLeft", &BeamSolution::triangleArmLeft},
    {"triangleArmRight", &BeamSolution::triangleArmRight},
    {"rectangleLength", &BeamSolution::rectangleLength},
    {"triangleArmFromA", &BeamSolution::triangleArmFromA},
    {"rectangleForce", &BeamSolution::rectangleForce},
    {"rectangleArmFromA", &BeamSolution::rectangleArmFromA},
    {"horizontalSum", &BeamSolution::horizontalSum},
    {"verticalLoadSum", &BeamSolution::verticalLoadSum},
    {"rectangleMomentAtA", &BeamSolution::rectangleMomentAtA},
    {"triangleMomentAtA", &BeamSolution::triangleMomentAtA},
    {"momentSumAtA", &BeamSolution::momentSumAtA},
    {"reactionB", &BeamSolution::reactionB},
    {"reactionA", &BeamSolution::reactionA},
};

// Same value down to the sign of zero; any two undefined values agree.
bool sameDouble(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

std::string hexText(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

// The derivation worked through one operation at a time, in the order the
// statics are done: the thirds are the decimal constants, negation is a
// product with -1.
BeamSolution referenceSolution(const Numbers& n) {
    BeamSolution r;
    const double halfLength = n.triangleLength * 0.5;
    r.triangleForce = halfLength * n.triangleWeight;
    r.triangleArmLeft = n.triangleLength * 0.33333333;
    r.triangleArmRight = n.triangleLength * 0.66666667;
    r.rectangleLength = n.beamLength - n.triangleLength;
    const double span = n.beamLength - n.triangleLength;
    r.triangleArmFromA = span + r.triangleArmLeft;
    r.rectangleForce = n.rectangleWeight * r.rectangleLength;
    r.rectangleArmFromA = r.rectangleLength / 2.0;
    r.horizontalSum = n.leftHorizontalForce + n.rightHorizontalForce;
    r.verticalLoadSum = r.rectangleForce + r.triangleForce;
    const double downRectangle = -1.0 * r.rectangleForce;
    r.rectangleMomentAtA = downRectangle * r.rectangleArmFromA;
    const double downTriangle = -1.0 * r.triangleForce;
    r.triangleMomentAtA = downTriangle * r.triangleArmFromA;
    r.momentSumAtA = r.rectangleMomentAtA + r.triangleMomentAtA;
    const double quotient = r.momentSumAtA / n.beamLength;
    r.reactionB = quotient * -1.0;
    r.reactionA = r.verticalLoadSum - r.reactionB;
    return r;
}

void expectSameSolution(const BeamSolution& expected, const BeamSolution& actual) {
    for (const Field& field : kFields) {
        EXPECT_TRUE(sameDouble(expected.*field.member, actual.*field.member))
            << field.name << ": expected " << hexText(expected.*field.member) << ", got "
            << hexText(actual.*field.member);
    }
}

std::string derivation(const BeamInputs& inputs, BeamSolution& solution) {
    std::ostringstream console;
    solveVerticalReactions(inputs, solution, console);
    return console.str();
}

struct StaticsCase {
    const char* name;
    Numbers numbers;
    std::map<int, std::string> lines; // report line number -> exact text
};

// Test names, not bytes, in failure messages.
void PrintTo(const StaticsCase& example, std::ostream* out) {
    *out << example.name;
}

const StaticsCase kStaticsCases[] = {
    {"WorkedExample",
     {3, 9, 2, 4, 2, 0, 5},
     {{6, " Derived Force From The Triangular Beam Is : => 6 kN"},
      {9, " The Acting Distance On The Triangular Beam From Left Side Is = 1 m"},
      {10, " The Acting Distance On The Triangular Beam From Right Side Is = 2 m"},
      {13, " The Total Horizontal Distance To The Point Of Action Of The Triangular Beam From "
           "Left Side Is = 7 m"},
      {23, " => Ay + By = 12 + 6 Eq-1"},
      {27, " => (+/-)Ax + (+/-)Bx = 5 Eq-2"},
      {30, " ==> --> L(MA) = 3 x -12 + 7 x -6 + 9 x By  = 0.00 --> Eq-3 "},
      {31, " ==> --> L(MA) = -36 + -42 + 9 x By  = 0.00 --> Eq-3 "},
      {32, " ==> --> L(MA) = -78 + 9 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 78 / 9"},
      {34, " ==> -->  =  By  = 8.66667"},
      {35, " ==> -->  =  By  = 8.66667 kN"},
      {42, " => Ay = 18 - 8.66667"},
      {43, " => Ay -->  = 9.33333"},
      {44, " => Ay -->  = 9.33333 kN"},
      {50, " -->   Ay = 9.33333 kN , Acting Upward "},
      {51, " -->   By = 8.66667 kN , Acting Upward "}}},
    {"BothWeightsZero_NegativeZerosPrintAsZero",
     {3, 9, 2, 0, 0, 0, 5},
     {{6, " Derived Force From The Triangular Beam Is : => 0 kN"},
      {18, " The Acting Force From The Rectangular Beam Is = 0 kN"},
      {23, " => Ay + By = 0 + 0 Eq-1"},
      {30, " ==> --> L(MA) = 3 x 0 + 7 x 0 + 9 x By  = 0.00 --> Eq-3 "},
      {31, " ==> --> L(MA) = 0 + 0 + 9 x By  = 0.00 --> Eq-3 "},
      {32, " ==> --> L(MA) = 0 + 9 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 0 / 9"},
      {42, " => Ay = 0 - 0"},
      {50, " -->   Ay = 0 kN , Acting Upward "},
      {51, " -->   By = 0 kN , Acting Upward "}}},
    {"BothWeightsZero_L1EqualsL2",
     {5, 5, 2, 0, 0, 0, 5},
     {{13, " The Total Horizontal Distance To The Point Of Action Of The Triangular Beam From "
           "Left Side Is = 1.66667 m"},
      {30, " ==> --> L(MA) = 0 x 0 + 1.66667 x 0 + 5 x By  = 0.00 --> Eq-3 "},
      {31, " ==> --> L(MA) = 0 + 0 + 5 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 0 / 5"},
      {43, " => Ay -->  = 0"}}},
    {"L1EqualsL2_TriangleAloneCarries",
     {6, 6, 2, 3, 2, 0, 5},
     {{12, " The Total Horizontal Distance Of The Rectangular Beam Only Is = 0 m"},
      {16, " The Acting Force From The Rectangular Beam Is = 2 x 0"},
      {17, " The Acting Force From The Rectangular Beam Is = 0"},
      {23, " => Ay + By = 0 + 9 Eq-1"},
      {30, " ==> --> L(MA) = 0 x 0 + 2 x -9 + 6 x By  = 0.00 --> Eq-3 "},
      {31, " ==> --> L(MA) = 0 + -18 + 6 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 18 / 6"},
      {50, " -->   Ay = 6 kN , Acting Upward "},
      {51, " -->   By = 3 kN , Acting Upward "}}},
    {"L1GreaterThanL2_NegativeRectangleCarriedThrough",
     {4, 3, 2, 2, 5, 0, 5},
     {{12, " The Total Horizontal Distance Of The Rectangular Beam Only Is = -1 m"},
      {13, " The Total Horizontal Distance To The Point Of Action Of The Triangular Beam From "
           "Left Side Is = 0.333333 m"},
      {18, " The Acting Force From The Rectangular Beam Is = -5 kN"},
      {19, " The Acting Distance From The Left Support(Joint) To The Center Of The Rectangular "
           "Beam(Length) Is = -0.5 m"},
      {30, " ==> --> L(MA) = -0.5 x 5 + 0.333333 x -4 + 3 x By  = 0.00 --> Eq-3 "},
      {31, " ==> --> L(MA) = -2.5 + -1.33333 + 3 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 3.83333 / 3"},
      {50, " -->   Ay = -2.27778 kN , Acting Upward "},
      {51, " -->   By = 1.27778 kN , Acting Upward "}}},
    {"ZeroSpanWithLoad_InfiniteReactions",
     {3, 0, 2, 4, 2, 0, 5},
     {{30, " ==> --> L(MA) = -1.5 x 6 + -2 x -6 + 0 x By  = 0.00 --> Eq-3 "},
      {32, " ==> --> L(MA) = 3 + 0 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = -3 / 0"},
      {34, " ==> -->  =  By  = -1.#INF"},
      {42, " => Ay = 0 - -1.#INF"},
      {43, " => Ay -->  = 1.#INF"},
      {50, " -->   Ay = 1.#INF kN , Acting Upward "},
      {51, " -->   By = -1.#INF kN , Acting Upward "}}},
    {"ZeroSpanWithoutLoad_UndefinedReactions",
     {3, 0, 2, 0, 0, 0, 5},
     {{30, " ==> --> L(MA) = -1.5 x 0 + -2 x 0 + 0 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 0 / 0"},
      {34, " ==> -->  =  By  = -1.#IND"},
      {42, " => Ay = 0 - -1.#IND"},
      {50, " -->   Ay = -1.#IND kN , Acting Upward "},
      {51, " -->   By = -1.#IND kN , Acting Upward "}}},
    {"BothLengthsZero_UndefinedReactions",
     {0, 0, 2, 4, 2, 0, 5},
     {{5, " Derived Force From The Triangular Beam Is : = [ 0.5 x 0 x 4 ] "},
      {30, " ==> --> L(MA) = 0 x 0 + 0 x 0 + 0 x By  = 0.00 --> Eq-3 "},
      {34, " ==> -->  =  By  = -1.#IND"},
      {43, " => Ay -->  = -1.#IND"}}},
};

class Statics : public ::testing::TestWithParam<StaticsCase> {};

TEST_P(Statics, EveryFieldFollowsTheOperationOrder) {
    expectSameSolution(referenceSolution(GetParam().numbers),
                       computeBeamSolution(makeInputs(GetParam().numbers)));
}

TEST_P(Statics, ReportShowsTheExpectedLines) {
    const BeamInputs inputs = makeInputs(GetParam().numbers);
    BeamSolution solution;
    const std::string report = derivation(inputs, solution);
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back(), '\n');
    const auto lines = splitLines(report);
    ASSERT_EQ(lines.size(), 53u);
    for (const auto& [number, text] : GetParam().lines)
        EXPECT_EQ(lines[static_cast<std::size_t>(number - 1)], text) << "report line " << number;
    expectSameSolution(computeBeamSolution(inputs), solution);
}

// No number in the report ever shows as "-0".
TEST_P(Statics, ReportNeverShowsAMinusZero) {
    BeamSolution solution;
    const std::string report = derivation(makeInputs(GetParam().numbers), solution);
    for (const auto& line : splitLines(report)) {
        for (std::size_t at = line.find("-0"); at != std::string::npos;
             at = line.find("-0", at + 1)) {
            const bool fraction = at + 2 < line.size() && line[at + 2] == '.';
            EXPECT_TRUE(fraction) << "line shows a minus zero: " << visibleLine(line);
        }
    }
}

TEST_P(Statics, HeightChangesNoByteAndNoBit) {
    const BeamInputs plain = makeInputs(GetParam().numbers);
    BeamSolution plainSolution;
    const std::string plainReport = derivation(plain, plainSolution);
    for (const double height : {0.0, -0.0, -7.5, 1e300, std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN()}) {
        BeamInputs varied = plain;
        varied.height = height;
        BeamSolution variedSolution;
        const std::string variedReport = derivation(varied, variedSolution);
        EXPECT_TRUE(variedReport == plainReport)
            << "height " << height << ": " << firstDifference(plainReport, variedReport);
        expectSameSolution(plainSolution, variedSolution);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Statics, ::testing::ValuesIn(kStaticsCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The worked example's doubles, each written out exactly (worked out by hand
// and checked with separate arbitrary-precision arithmetic).
TEST(StaticsWorkedExample, ExactDoubles) {
    const BeamSolution s = computeBeamSolution(makeInputs({3, 9, 2, 4, 2, 0, 5}));
    const double expected[] = {
        0x1.8p+2,              // triangleForce 6
        0x1.ffffffaa19c47p-1,  // triangleArmLeft 0.99999999
        0x1.00000015798eep+1,  // triangleArmRight 2.00000001
        0x1.8p+2,              // rectangleLength 6
        0x1.bffffff543389p+2,  // triangleArmFromA 6.99999999
        0x1.8p+3,              // rectangleForce 12
        0x1.8p+1,              // rectangleArmFromA 3
        0x1.4p+2,              // horizontalSum 5
        0x1.2p+4,              // verticalLoadSum 18
        -0x1.2p+5,             // rectangleMomentAtA -36
        -0x1.4ffffff7f26a7p+5, // triangleMomentAtA -41.99999994
        -0x1.37fffffbf9354p+6, // momentSumAtA -77.99999994
        0x1.15555551c112ep+3,  // reactionB 8.66666666
        0x1.2aaaaaae3eed2p+3,  // reactionA 9.33333334
    };
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        EXPECT_TRUE(sameDouble(s.*kFields[i].member, expected[i]))
            << kFields[i].name << ": expected " << hexText(expected[i]) << ", got "
            << hexText(s.*kFields[i].member);
    }
    // The thirds are the decimal constants, not 1/3 and 2/3.
    EXPECT_NE(s.triangleArmLeft, 1.0);
    EXPECT_NE(s.triangleArmRight, 2.0);
}

// Which results are negative zeros and which are positive, case by case.
struct ZeroSigns {
    const char* name;
    Numbers numbers;
    std::map<std::string, bool> negative; // field -> sign bit set
};

// Test names, not bytes, in failure messages.
void PrintTo(const ZeroSigns& example, std::ostream* out) {
    *out << example.name;
}

const ZeroSigns kZeroSigns[] = {
    {"WeightsZero_L1BelowL2",
     {3, 9, 2, 0, 0, 0, 5},
     {{"triangleForce", false},
      {"rectangleForce", false},
      {"verticalLoadSum", false},
      {"rectangleMomentAtA", true},
      {"triangleMomentAtA", true},
      {"momentSumAtA", true},
      {"reactionB", false},
      {"reactionA", false}}},
    {"WeightsZero_L1EqualsL2",
     {5, 5, 2, 0, 0, 0, 5},
     {{"triangleForce", false},
      {"rectangleLength", false},
      {"rectangleForce", false},
      {"rectangleArmFromA", false},
      {"rectangleMomentAtA", true},
      {"triangleMomentAtA", true},
      {"momentSumAtA", true},
      {"reactionB", false},
      {"reactionA", false}}},
    {"L1EqualsL2_WithLoad",
     {6, 6, 2, 3, 2, 0, 5},
     {{"rectangleForce", false}, {"rectangleMomentAtA", true}}},
    {"ZeroSpan_WeightsZero",
     {3, 0, 2, 0, 0, 0, 5},
     {{"rectangleForce", true},
      {"rectangleMomentAtA", true},
      {"triangleMomentAtA", false},
      {"momentSumAtA", false}}},
};

class NegativeZeros : public ::testing::TestWithParam<ZeroSigns> {};

TEST_P(NegativeZeros, SignOfEachZero) {
    const BeamSolution s = computeBeamSolution(makeInputs(GetParam().numbers));
    for (const auto& [name, negative] : GetParam().negative) {
        const Field* field = nullptr;
        for (const Field& candidate : kFields)
            if (name == candidate.name) field = &candidate;
        ASSERT_NE(field, nullptr) << name;
        const double value = s.*field->member;
        EXPECT_EQ(value, 0.0) << name;
        EXPECT_EQ(std::signbit(value), negative) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, NegativeZeros, ::testing::ValuesIn(kZeroSigns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StaticsNonFinite, ZeroSpanGivesInfinitiesOrUndefined) {
    const BeamSolution loaded = computeBeamSolution(makeInputs({3, 0, 2, 4, 2, 0, 5}));
    EXPECT_TRUE(std::isinf(loaded.reactionB) && loaded.reactionB < 0);
    EXPECT_TRUE(std::isinf(loaded.reactionA) && loaded.reactionA > 0);
    const BeamSolution unloaded = computeBeamSolution(makeInputs({3, 0, 2, 0, 0, 0, 5}));
    EXPECT_TRUE(std::isnan(unloaded.reactionB));
    EXPECT_TRUE(std::isnan(unloaded.reactionA));
}

} // namespace
} // namespace parabeam::testing
