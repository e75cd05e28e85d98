// The diagrams as the page gets them: the outcome of a run on the given
// answers, described in the program's own number texts. Expected texts worked by hand
// (worked example: Ay = 28/3, By = 26/3, Pt-E at 6, zero shear at Ay / 2).
#include <gtest/gtest.h>

#include <string>

#include "support/in_memory_run.hpp"
#include "support/named_case.hpp"
#include "web/diagram_description.hpp"

namespace parabeam::testing {
namespace {

struct Description : NamedCase {
    const char* answers;
    const char* begins;
    const char* ends;
    const char* contains = ""; // somewhere between
};

const Description kDescriptions[] = {
    {{"WorkedExample"},
     "3 9 2 4 2 0 5 kN/m kN m\n",
     R"({"units":{"weight":"kN/m","force":"kN","length":"m"},"span":"9","triangleLength":"3",)"
     R"("triangleWeight":"4","rectangleWeight":"2","ay":"9.33333","by":"8.66667","ax":"0",)"
     R"("bx":"5","rectangleLength":"6","rectangleForce":"12","rectangleArmFromA":"3",)"
     R"("triangleForce":"6","triangleArmFromA":"7","pointA":{"x":"0","shear":"9.33333","moment":"0"},)"
     R"("pointE":{"x":"6","shear":"-2.66667","moment":"20"},)"
     R"("pointB":{"x":"9","shear":"-8.66667","moment":"0"},)"
     R"("largest":{"x":"4.66667","shear":"0","moment":"21.7778"},"zeroShear":["4.66667"],)"
     R"("curve":[["0","9.33333","0"],)",
     R"(["9","-8.66667","0"]]})"},
    // An upward triangle: its resultant -160 = 8 / 2 x -40 acts 1 + 8 / 3 from Pt-A.
    {{"UpwardTriangle"},
     "8 9 2 -40 3 0 0\n",
     "{",
     "]]}",
     R"("rectangleLength":"1","rectangleForce":"3","rectangleArmFromA":"0.5",)"
     R"("triangleForce":"-160","triangleArmFromA":"3.66667",)"},
    // V = 7.8 - 3 x is zero at 2.6; right of Pt-E, 7.8 - 9 u^2 / 8 at u = sqrt(6.93333).
    {{"ShearCrossesZeroTwice"},
     "4 10 1 -9 3 0 0\n",
     "{",
     "]]}",
     R"("zeroShear":["2.6","7.36688"],)"},
    {{"NoLoadNoZeroCrossing"}, "4 10 1 0 0 0 0\n", "{", "]]}", R"("zeroShear":[],)"},
    // The read failed at the second number: L2 was left at zero.
    {{"FailedRead"},
     "12abc\n",
     R"({"reason":"No diagrams: an answer could not be read as a number, or the input ended, )"
     R"(before all seven values of the beam were given."})",
     R"(were given."})"},
    // The last of the seven numbers failed: Bx was left at zero, a value like
    // any other, so only the count of answers read tells.
    {{"SeventhNumberFailed"}, "3 9 2 4 2 0 x\n", R"({"reason":"No diagrams: )", R"(were given."})"},
    // All seven numbers were read before the input ended: drawn without units.
    {{"EndedBeforeUnits"},
     "3 9 2 4 2 0 5\n",
     R"({"units":{"weight":"","force":"","length":""},)",
     R"(["9","-8.66667","0"]]})"},
    {{"UnitsNeedEscapes"},
     "3 9 2 4 2 0 5 k\"N N\\m \x1bm\n",
     R"({"units":{"weight":"k\"N","force":"N\\m","length":"\u001bm"},)",
     "]]}"},
};

class Descriptions : public ::testing::TestWithParam<Description> {};

TEST_P(Descriptions, BeginAndEndAsWorkedOut) {
    const Description& row = GetParam();
    const std::string json = describeDiagrams(runInMemory(row.answers).outcome);
    EXPECT_EQ(json.substr(0, std::string(row.begins).size()), row.begins);
    EXPECT_TRUE(json.ends_with(row.ends)) << json;
    EXPECT_NE(json.find(row.contains), std::string::npos) << json;
}

INSTANTIATE_TEST_SUITE_P(Answers, Descriptions, ::testing::ValuesIn(kDescriptions),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace parabeam::testing
