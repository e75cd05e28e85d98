// Shear force and bending moment against closed forms worked by hand, with the
// program's own reactions (whose decimal thirds differ from exact thirds by a
// few parts in 10^8).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "solver/load_diagrams.hpp"
#include "support/named_case.hpp"
#include "support/test_inputs.hpp"

namespace parabeam::testing {
namespace {

constexpr double kThirdsTolerance = 1e-7; // relative

LoadDiagrams diagramsOf(const Numbers& numbers, bool allNumbersRead = true) {
    const BeamInputs inputs = makeInputs(numbers);
    return loadDiagrams(inputs, solveVerticalReactions(inputs), allNumbersRead, 40);
}

void expectClose(double actual, double expected, const char* what) {
    EXPECT_NEAR(actual, expected, kThirdsTolerance * std::max(1.0, std::abs(expected))) << what;
}

struct ClosedForm : NamedCase {
    Numbers numbers; // L1, L2, H, triangle weight, rectangle weight, Ax, Bx
    double largestMoment;
    double largestAt;
    double shearAtA;
    double shearAtE;
    double momentAtE;
    double shearAtB;
};

const double kRoot3 = std::sqrt(3.0);
// Heavy triangle: By = (150 x 7 + 6 x 3) / 9; zero shear where 100 u^2 / 6 = By.
const double kHeavyBy = 1068.0 / 9;
const double kHeavyU = std::sqrt(6 * kHeavyBy / 100);

const ClosedForm kClosedForms[] = {
    // w L^2 / 8 at mid-span.
    {{"UniformLoadAlone"}, {0, 8, 1, 0, 3, 0, 0}, 3 * 64.0 / 8, 4, 12, -12, 0, -12},
    // A triangle of no length carries nothing, whatever its intensity.
    {{"TriangleOfNoLength"}, {0, 8, 1, 5, 3, 0, 0}, 3 * 64.0 / 8, 4, 12, -12, 0, -12},
    // w L^2 / (9 sqrt 3) at L / sqrt 3 from Pt-B; Pt-E is Pt-A.
    {{"TriangleAlone"},
     {6, 6, 1, 9, 2, 0, 0},
     9 * 36 / (9 * kRoot3),
     6 - 6 / kRoot3,
     18,
     18,
     0,
     -9},
    // Ay = 28/3, By = 26/3: zero shear at Ay / 2.
    {{"WorkedExample"},
     {3, 9, 2, 4, 2, 0, 5},
     784.0 / 36,
     14.0 / 3,
     28.0 / 3,
     28.0 / 3 - 12,
     28.0 / 3 * 6 - 36,
     -26.0 / 3},
    // The largest moment lies under the triangle: 2/3 By u.
    {{"LargestUnderTriangle"},
     {3, 9, 1, 100, 1, 0, 0},
     2.0 / 3 * kHeavyBy* kHeavyU,
     9 - kHeavyU,
     156 - kHeavyBy,
     156 - kHeavyBy - 6,
     (156 - kHeavyBy) * 6 - 18,
     -kHeavyBy},
    // Upward loads: the largest moment is hogging and keeps its sign.
    {{"UpwardLoadHogs"}, {0, 4, 1, 0, -2, 0, 0}, -4, 2, -4, 4, 0, 4},
};

// The largest moment in size: the larger of the sagging and hogging extremes.
Section largestOf(const Extremes& found) {
    if (!found.hasHogging) return found.sagging;
    if (!found.hasSagging) return found.hogging;
    return found.sagging.moment >= -found.hogging.moment ? found.sagging : found.hogging;
}

class ClosedForms : public ::testing::TestWithParam<ClosedForm> {};

TEST_P(ClosedForms, MatchTheDiagrams) {
    const ClosedForm& row = GetParam();
    const LoadDiagrams d = diagramsOf(row.numbers);
    ASSERT_EQ(d.reason, NoDiagrams::none);
    const Section largest = largestOf(d.extremes);
    expectClose(largest.moment, row.largestMoment, "largest moment");
    expectClose(largest.position, row.largestAt, "its position");
    expectClose(d.pointA.shear, row.shearAtA, "shear at Pt-A");
    expectClose(d.pointE.shear, row.shearAtE, "shear at Pt-E");
    expectClose(d.pointE.moment, row.momentAtE, "moment at Pt-E");
    expectClose(d.pointB.shear, row.shearAtB, "shear at Pt-B");
    // Summed from each support's own side: no rounding residue there.
    EXPECT_EQ(d.pointA.moment, 0.0);
    EXPECT_EQ(d.pointB.moment, 0.0);
    // The curve runs from support to support through the largest moment.
    ASSERT_FALSE(d.curve.empty());
    EXPECT_EQ(d.curve.front().position, 0.0);
    EXPECT_EQ(d.curve.back().position, row.numbers.beamLength);
    bool passesLargest = false;
    for (const Section& s : d.curve)
        passesLargest = passesLargest || s.position == largest.position;
    EXPECT_TRUE(passesLargest);
}

INSTANTIATE_TEST_SUITE_P(Beams, ClosedForms, ::testing::ValuesIn(kClosedForms),
                         [](const auto& info) { return std::string(info.param.name); });

// Both sums meet at Pt-E: the moment from Pt-A's side equals the one from Pt-B's.
TEST(PointE, BothSidesAgree) {
    const BeamInputs inputs = makeInputs({3, 9, 2, 4, 2, 0, 5});
    const BeamLoading beam = beamLoading(inputs, solveVerticalReactions(inputs));
    const Section justLeft = sectionAt(beam, std::nextafter(6.0, 0.0));
    const Section justRight = sectionAt(beam, std::nextafter(6.0, 9.0));
    expectClose(justLeft.moment, justRight.moment, "moment");
    expectClose(justLeft.shear, justRight.shear, "shear");
}

struct Undrawable : NamedCase {
    Numbers numbers;
    bool allNumbersRead;
    NoDiagrams reason;
};

const Undrawable kUndrawable[] = {
    {{"FailedRead"}, {12, 0, 0, 0, 0, 0, 0}, false, NoDiagrams::answersMissing},
    {{"NoSpan"}, {3, 0, 1, 4, 2, 2, 2}, true, NoDiagrams::noSpan},
    {{"NegativeSpan"}, {0, -2, 1, 4, 2, 0, 0}, true, NoDiagrams::noSpan},
    {{"NegativeTriangle"}, {-1, 9, 1, 4, 2, 0, 0}, true, NoDiagrams::negativeTriangle},
    {{"TriangleBeyondSpan"}, {4, 3, 0, 2, 5, 0, 0}, true, NoDiagrams::triangleTooLong},
    // The rectangle's force overflows, so do the reactions.
    {{"InfiniteReactions"}, {0, 1e200, 1, 0, 1e200, 0, 0}, true, NoDiagrams::notFinite},
};

class UndrawableBeams : public ::testing::TestWithParam<Undrawable> {};

TEST_P(UndrawableBeams, SayWhy) {
    const Undrawable& row = GetParam();
    const LoadDiagrams d = diagramsOf(row.numbers, row.allNumbersRead);
    EXPECT_EQ(d.reason, row.reason);
    EXPECT_TRUE(d.curve.empty());
}

INSTANTIATE_TEST_SUITE_P(Beams, UndrawableBeams, ::testing::ValuesIn(kUndrawable),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace parabeam::testing
