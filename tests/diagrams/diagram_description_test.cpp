// The diagrams as the page gets them: the outcome of a run on the given
// answers, each number as its exact value and its text in the program's
// format. Expected values worked by hand (worked example: Ay = 18 - By,
// By = 78 / 9 with the derivation's decimal thirds, Pt-E at 6, zero shear at
// Ay / 2), their 17 digits from the bits of those doubles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagrams/diagram_description.hpp"
#include "support/in_memory_run.hpp"
#include "support/named_case.hpp"

namespace parabeam::testing {
namespace {

struct Description : NamedCase {
    const char* answers;
    const char* begins;
    const char* ends;
    std::vector<std::string> contains; // each somewhere between
};

const Description kDescriptions[] = {
    {{"WorkedExample"},
     "3 9 2 4 2 0 5 kN/m kN m\n",
     R"({"units":{"weight":"kN/m","force":"kN","length":"m","moment":"kN·m"},)"
     R"("span":{"value":9,"text":"9"},)"
     R"("triangleLength":{"value":3,"text":"3"},"triangleWeight":{"value":4,"text":"4"},)"
     R"("rectangleWeight":{"value":2,"text":"2"},)"
     R"("ay":{"value":9.3333333399999994,"text":"9.33333"},)"
     R"("by":{"value":8.6666666600000006,"text":"8.66667"},)",
     "]}}",
     {R"("pointE":{"x":{"value":6,"text":"6"},"shear":{"value":-2.6666666600000006,"text":"-2.66667"},)"
      R"("moment":{"value":19.999999980000002,"text":"20"}},)",
      R"("zeroShear":[{"x":{"value":4.6666666699999997,"text":"4.66667"},"shear":{"value":0,)"
      R"("text":"0"},"moment":{"value":21.777777808888885,"text":"21.7778"}}],"contraflexure":[],)"
      R"("sagging":{"x":{"value":4.6666666699999997,"text":"4.66667"},)",
      R"("hogging":null,"curve":[)",
      R"j("working":[{"id":"reactions","figure":"wholeBeam","heading":"The whole beam: )j"
      R"j(the reactions Ay and By","lines":[)j",
      R"j(By = (F₁ × d₁ + F₂ × d₂) / L2 = (12 × 3 + 6 × 7) / 9 = 8.66667 kN: upward.",)j",
      R"j({"id":"checks","figure":"","heading":"Checks at Pt-B","lines":["V just left of )j"
      R"j(Pt-B: V(9) = −8.66667 kN, and −By = −8.66667 kN.","M(9) = 6×10⁻⁸ kN·m: zero but )j"
      R"j(for the derivation's decimal thirds)j",
      // The values to practise, each with the step that gives it and its answer.
      R"("practice":{"rule":"A value counts as right within 0.5% of the exact one)",
      R"({"id":"ay","name":"Ay","kind":"force","step":"reactions","answer":)"
      R"({"value":9.3333333399999994,"text":"9.33333"}},)",
      R"({"x":{"value":9,"text":"9"},"shear":{"value":-8.6666666600000006,"text":"-8.66667"},)"
      R"("moment":{"value":0,"text":"0"}}],"ticks":[)",
      // The axis in steps of 2.5: 0, 2.5, 5 and 7.5, up to the span.
      R"({"step":{"value":2.5,"text":"2.5"},"marks":[{"value":0,"text":"0"},)"
      R"({"value":2.5,"text":"2.5"},{"value":5,"text":"5"},{"value":7.5,"text":"7.5"}]})"}},
    // An upward triangle: its resultant -160 = 8 / 2 x -40 acts 1 + 8 / 3 from Pt-A.
    {{"UpwardTriangle"},
     "8 9 2 -40 3 0 0\n",
     "{",
     "]}}",
     {R"("rectangleLength":{"value":1,"text":"1"},"rectangleForce":{"value":3,"text":"3"},)"
      R"("rectangleArmFromA":{"value":0.5,"text":"0.5"},"triangleForce":{"value":-160,"text":"-160"},)"
      R"("triangleArmFromA":{"value":3.6666666399999999,"text":"3.66667"},)"}},
    // V = 7.8 - 3 x is zero at 2.6 (Ay is 7.799999976 with the decimal thirds); right of Pt-E, 7.8
    // - 9 u^2 / 8 at u = sqrt(6.93333).
    {{"ShearCrossesZeroTwice"},
     "4 10 1 -9 3 0 0\n",
     "{",
     "]}}",
     {R"("zeroShear":[{"x":{"value":2.5999999919999994,"text":"2.6"},"shear":{"value":0,)",
      R"({"x":{"value":7.366877649633425,"text":"7.36688"},"shear":{"value":0,"text":"0"},)",
      // M = 0 at 2 Ay / w = 5.2, inside the rectangle's section.
      R"("contraflexure":[{"x":{"value":5.1999999839999989,"text":"5.2"},"shear":{"value":)",
      R"("moment":{"value":0,"text":"0"}}],"sagging":)"}},
    {{"NoLoadNoZeroCrossing"}, "4 10 1 0 0 0 0\n", "{", "]}}", {R"("zeroShear":[],)"}},
    // A span near the smallest normal double: a few dozen marks all the same.
    {{"TinySpanBoundedTicks"},
     "0 2.3e-308 0 1 1 0 0 u v w\n",
     "{",
     "]}}",
     {R"("text":"5e-310"},"marks":[{"value":0,"text":"0"},{"value":4.9999999999999847e-310,)"
      R"("text":"5e-310"},{"value":9.9999999999999694e-310,"text":"1e-309"},)"}},
    // The read failed at the second number: L2 was left at zero.
    {{"FailedRead"},
     "12abc\n",
     R"({"reason":"No diagrams: an answer could not be read as a number, or the input ended, )"
     R"(before all seven values of the beam were given."})",
     R"(were given."})",
     {}},
    // The last of the seven numbers failed: Bx was left at zero, a value like
    // any other, so only the count of answers read tells.
    {{"SeventhNumberFailed"},
     "3 9 2 4 2 0 x\n",
     R"({"reason":"No diagrams: )",
     R"(were given."})",
     {}},
    {{"NoSpan"},
     "3 0 1 4 2 2 2\n",
     R"({"reason":"No diagrams: the length L2 of the entire beam must be greater than zero."})",
     "}",
     {}},
    {{"NegativeTriangle"},
     "-1 9 1 4 2 0 0\n",
     R"({"reason":"No diagrams: the length L1 of the triangular beam cannot be negative."})",
     "}",
     {}},
    {{"TriangleBeyondSpan"},
     "4 3 0 2 5 0 0\n",
     R"({"reason":"No diagrams: the triangular beam (L1) cannot be longer than the entire beam )"
     R"((L2)."})",
     "}",
     {}},
    {{"InfiniteReactions"},
     "0 1e200 1 0 1e200 0 0\n",
     R"({"reason":"No diagrams: the values are too large to draw."})",
     "}",
     {}},
    // All seven numbers were read before the input ended: drawn without units.
    {{"EndedBeforeUnits"},
     "3 9 2 4 2 0 5\n",
     R"({"units":{"weight":"","force":"","length":"","moment":""},)",
     "]}}",
     {}},
    {{"UnitsNeedEscapes"},
     "3 9 2 4 2 0 5 k\"N N\\m \x1bm\n",
     R"({"units":{"weight":"k\"N","force":"N\\m","length":"\u001bm","moment":"N\\m·\u001bm"},)",
     "]}}",
     {}},
};

class Descriptions : public ::testing::TestWithParam<Description> {};

TEST_P(Descriptions, AsWorkedOut) {
    const Description& row = GetParam();
    const RunOutcome outcome = runInMemory(row.answers).outcome;
    const std::string json =
        describeDiagrams(outcome.inputs, outcome.solution,
                         diagramsOfRun(outcome.inputs, outcome.solution, outcome.allNumbersRead()));
    EXPECT_EQ(json.substr(0, std::string(row.begins).size()), row.begins);
    EXPECT_TRUE(json.ends_with(row.ends)) << json.substr(json.size() - 200);
    for (const std::string& part : row.contains)
        EXPECT_NE(json.find(part), std::string::npos) << part;
}

INSTANTIATE_TEST_SUITE_P(Answers, Descriptions, ::testing::ValuesIn(kDescriptions),
                         [](const auto& info) { return std::string(info.param.name); });

// The working in plain algebra, for beams that once gave "0x", "- -3.2",
// "s = x - 0", "0 × (5 - x) / 5" or "e-005": none of these anywhere.
TEST(Working, IsPlainAlgebra) {
    const char* const problems[] = {
        "3 9 2 4 2 0 5 kN/m kN m",  "8 9 2 -40 3 0 0 kN/m kN m",
        "3 9 2 0 2 0 0 kN/m kN m",  "3 9 2 4 0 0 0 kN/m kN m",
        "9 9 2 4 2 0 0 kN/m kN m",  "0 9 2 4 2 0 0 kN/m kN m",
        "5 5 1 0 3 -2 0 kN/m kN m", "0 1e-6 0 1 1 0 0 kN/m kN m",
        "4 10 1 0 0 0 0 kN/m kN m", "1500 4000 10 800 1200 7 -3 N/m N m"};
    const char* const forbidden[] = {" 0x", "(0x", " 0s", "= 0 ×",      "(0 ×", "+ 0 ×", "- -",
                                     "− −", "+ −", "− +", "s = x − 0 ", "e-0",  "e+0"};
    for (const char* answers : problems) {
        const RunOutcome outcome = runInMemory(answers).outcome;
        const LoadDiagrams diagrams =
            diagramsOfRun(outcome.inputs, outcome.solution, outcome.allNumbersRead());
        const std::string json = describeDiagrams(outcome.inputs, outcome.solution, diagrams);
        const std::size_t from = json.find("\"working\"");
        const std::string working = json.substr(from, json.find("\"practice\"") - from);
        for (const char* pattern : forbidden)
            EXPECT_EQ(working.find(pattern), std::string::npos) << answers << ": " << pattern;
    }
}

} // namespace
} // namespace parabeam::testing
