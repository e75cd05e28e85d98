// The method of sections against values worked by hand: V and M at chosen x
// (from the forces left of the cut, and as the diagrams have them), every
// point of zero shear, of contraflexure, and the largest moments of either
// sign. The program's reactions carry its decimal thirds, hence a tolerance.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "solver/beam_sections.hpp"
#include "support/named_case.hpp"
#include "support/test_inputs.hpp"

namespace parabeam::testing {
namespace {

constexpr double kTolerance = 1e-6; // relative
constexpr double kNone = NAN;       // no such moment

void expectClose(double actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, kTolerance * std::max(1.0, std::abs(expected))) << what;
}

struct SectionsCase : NamedCase {
    Numbers numbers; // L1, L2, H, triangle weight, rectangle weight, Ax, Bx
    std::vector<Section> readOuts;
    std::vector<Section> zeroShear;
    std::vector<double> contraflexure;
    Section sagging;
    Section hogging;
};

const double kSqrt3 = std::sqrt(3.0);
const double kUpwardU = std::sqrt(8.0 / 3); // By u^2 w / (2 L1) = By, By = -10/3

const SectionsCase kSectionsCases[] = {
    // Ay = 28/3: V = Ay - 2x, M = Ay x - x^2; beyond Pt-E from Pt-B with By = 26/3.
    {{"WorkedExample"},
     {3, 9, 2, 4, 2, 0, 5},
     {{2.5, 13.0 / 3, 28.0 / 3 * 2.5 - 6.25}, {7.5, 1.5 - 26.0 / 3, 26.0 / 3 * 1.5 - 0.75}},
     {{14.0 / 3, 0, 196.0 / 9}},
     {},
     {14.0 / 3, 0, 196.0 / 9},
     {kNone, kNone, kNone}},
    // An upward triangle: Ay = 70/3, By = -10/3; zero shear at Ay / 10 and at
    // 8 - sqrt(8/3), where M = 2/3 By u; M = 0 at 8 - sqrt(6 x 4 x By / w) = 8 - 2 sqrt 2.
    {{"SaggingAndHogging"},
     {4, 8, 1, -10, 10, 0, 0},
     {{1, 70.0 / 3 - 10, 70.0 / 3 - 5}},
     {{7.0 / 3, 0, 245.0 / 9}, {8 - kUpwardU, 0, -20.0 / 9 * kUpwardU}},
     {8 - 2 * std::sqrt(2.0)},
     {7.0 / 3, 0, 245.0 / 9},
     {8 - kUpwardU, 0, -20.0 / 9 * kUpwardU}},
    // L1 = 0: a uniform load alone, w L^2 / 8 at mid-span; M = 0 only at the supports.
    {{"NoTriangle"},
     {0, 8, 1, 5, 3, 0, 0},
     {{2, 6, 18}},
     {{4, 0, 24}},
     {},
     {4, 0, 24},
     {kNone, kNone, kNone}},
    // L1 = L2: the triangle alone, w L^2 / (9 sqrt 3) at L / sqrt 3 from Pt-B.
    {{"NoRectangle"},
     {6, 6, 1, 9, 2, 0, 0},
     {{3, 18 - 27 + 6.75, 54 - 40.5 + 6.75}}, // Ay = 18; 9 s - 0.75 s^2 left of the cut
     {{6 - 6 / kSqrt3, 0, 9 * 36 / (9 * kSqrt3)}},
     {},
     {6 - 6 / kSqrt3, 0, 9 * 36 / (9 * kSqrt3)},
     {kNone, kNone, kNone}},
    // The triangle carries nothing: By = 2 x 6 x 3 / 9 = 4, Ay = 8; V = -4 over it.
    {{"TriangleUnloaded"},
     {3, 9, 2, 0, 2, 0, 0},
     {{7.5, -4, 4 * 1.5}},
     {{4, 0, 16}},
     {},
     {4, 0, 16},
     {kNone, kNone, kNone}},
};

class Sections : public ::testing::TestWithParam<SectionsCase> {};

BeamLoading loadingOf(const Numbers& numbers) {
    const BeamInputs inputs = makeInputs(numbers);
    return beamLoading(inputs, solveVerticalReactions(inputs));
}

TEST_P(Sections, ReadOutsFromTheLeftAndAsDrawn) {
    const BeamLoading beam = loadingOf(GetParam().numbers);
    for (const Section& expected : GetParam().readOuts) {
        const std::string at = "at x = " + std::to_string(expected.position);
        for (const Section& actual : {leftOfCut(beam, sectionForms(beam), expected.position),
                                      sectionAt(beam, expected.position)}) {
            expectClose(actual.shear, expected.shear, "V " + at);
            expectClose(actual.moment, expected.moment, "M " + at);
        }
    }
}

void expectSection(bool present, const Section& actual, const Section& expected, const char* what) {
    ASSERT_EQ(present, !std::isnan(expected.position)) << what;
    if (!present) return;
    expectClose(actual.position, expected.position, std::string(what) + " x");
    expectClose(actual.moment, expected.moment, std::string(what) + " M");
}

TEST_P(Sections, EveryExtreme) {
    const Extremes found = extremes(loadingOf(GetParam().numbers));
    ASSERT_EQ(found.zeroShear.size(), GetParam().zeroShear.size());
    for (std::size_t i = 0; i < found.zeroShear.size(); ++i) {
        expectSection(true, found.zeroShear[i], GetParam().zeroShear[i], "zero shear");
        EXPECT_EQ(found.zeroShear[i].shear, 0.0) << "V is 0 where it was found to be";
    }
    ASSERT_EQ(found.contraflexure.size(), GetParam().contraflexure.size());
    for (std::size_t i = 0; i < found.contraflexure.size(); ++i)
        expectClose(found.contraflexure[i].position, GetParam().contraflexure[i], "contraflexure");
    expectSection(found.hasSagging, found.sagging, GetParam().sagging, "sagging");
    expectSection(found.hasHogging, found.hogging, GetParam().hogging, "hogging");
}

INSTANTIATE_TEST_SUITE_P(Beams, Sections, ::testing::ValuesIn(kSectionsCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace parabeam::testing
