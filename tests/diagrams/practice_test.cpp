// Practice: a student's value against the program's, for what a student gets
// wrong (the sign, the size, the units, a zero), and the worked example's
// values to practise against their hand-worked exact values.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "diagrams/diagram_description.hpp"
#include "diagrams/practice.hpp"
#include "support/in_memory_run.hpp"

namespace parabeam::testing {
namespace {

struct Judged {
    double typed;
    double exact;
    double scale;
    Verdict verdict;
};

const Judged kJudged[] = {
    {9.33, 28.0 / 3, 10, Verdict::right},           // 3 significant figures
    {9.3, 28.0 / 3, 10, Verdict::right},            // 0.36% off: within 0.5%
    {9.28, 28.0 / 3, 10, Verdict::off},             // 0.57% off
    {-9.333, 28.0 / 3, 10, Verdict::wrongSign},     //
    {9333.3, 28.0 / 3, 10, Verdict::otherUnits},    // N for kN
    {0.00933, 28.0 / 3, 10, Verdict::otherUnits},   // kN for N
    {-9333, 28.0 / 3, 10, Verdict::otherUnits},     // both: the size says units first
    {12, 28.0 / 3, 10, Verdict::off},               //
    {0, 0, 21.8, Verdict::right},                   // M at a support
    {0.1, 0, 21.8, Verdict::right},                 // within 0.5% of the largest M
    {0.2, 0, 21.8, Verdict::off},                   // beyond it
    {-0.1, 0, 21.8, Verdict::right},                // a zero has no sign to get wrong
    {1e-9, -2.66667e-9, 1e-9, Verdict::off},        // tiny values judged by their own size
    {-2.666e-9, -2.66667e-9, 1e-9, Verdict::right}, //
    {0, 1.00000008e-8, 9, Verdict::right},          // a zero the derivation's thirds left
    {1e300, 5e-324, 5e-324, Verdict::off},          // no figures to round at the smallest
    {NAN, 1, 1, Verdict::notANumber},               //
};

TEST(Practice, JudgesAsAStudentWorks) {
    for (const Judged& row : kJudged)
        EXPECT_EQ(judge(row.typed, row.exact, row.scale), row.verdict)
            << row.typed << " for " << row.exact;
}

// The worked example by hand: Ay = 28/3, By = 26/3; V = 28/3 - 2x, zero at
// 14/3 where M = (28/3)^2 / 4; at Pt-E (x = 6) V = -8/3 and M = 20.
TEST(Practice, TheWorkedExampleValuesAreTheExactOnes) {
    const RunOutcome outcome = runInMemory("3 9 2 4 2 0 5 kN/m kN m\n").outcome;
    const LoadDiagrams diagrams = diagramsOfRun(outcome.inputs, outcome.solution, true);
    const std::map<std::string, double> exact{{"ay", 28.0 / 3},         {"by", 26.0 / 3},
                                              {"vA", 28.0 / 3},         {"mA", 0},
                                              {"vE", -8.0 / 3},         {"mE", 20},
                                              {"vB", -26.0 / 3},        {"mB", 0},
                                              {"xZero1", 14.0 / 3},     {"mZero1", 784.0 / 36},
                                              {"mLargest", 784.0 / 36}, {"xLargest", 14.0 / 3}};
    const std::vector<PracticeItem> items = practiceItems(diagrams);
    ASSERT_EQ(items.size(), exact.size());
    for (const PracticeItem& item : items) {
        ASSERT_TRUE(exact.contains(item.id)) << item.id;
        EXPECT_NEAR(item.exact, exact.at(item.id), 1e-7 * std::max(1.0, std::abs(item.exact)))
            << item.id;
    }
}

// What the page says, for the field's text as typed.
TEST(Practice, SaysWhatIsWrongAndWhereToLook) {
    const RunOutcome outcome = runInMemory("3 9 2 4 2 0 5 kN/m kN m\n").outcome;
    const LoadDiagrams diagrams = diagramsOfRun(outcome.inputs, outcome.solution, true);
    const PageUnits units = pageUnits(outcome.inputs);
    const PracticeItem by = practiceItems(diagrams)[1];
    const struct {
        const char* typed;
        const char* json;
    } rows[] = {
        {" 8.67 ", R"({"verdict":"right","sentence":"Right."})"},
        {"-8.67", R"({"verdict":"wrongSign","sentence":"The right size, but the wrong sign: )"
                  R"(upward forces count positive, and V is positive when the forces left of )"
                  R"(the cut act upward."})"},
        {"8666.7", R"({"verdict":"otherUnits","sentence":"A factor of 1000 off: in other )"
                   R"(units? The answers are in kN."})"},
        {"9.33", R"({"verdict":"off","sentence":"Not yet. Take moments about Pt-A for the )"
                 R"(whole beam: By times L2 balances each block's resultant times its lever )"
                 R"(arm."})"},
        {"8,67", R"({"verdict":"notANumber","sentence":"Type a number, as the program reads )"
                 R"(one: 9.33, -2.5 or 1.5e3, with no commas."})"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(describeCheck(by, row.typed, diagrams, units), row.json) << row.typed;
    // At x = 7.5, in section 2: V = -7.16667, M = 12.25 (the read-out's values).
    EXPECT_EQ(describeCheckAtX("7.5", "12.25", true, diagrams, units),
              R"({"verdict":"right","sentence":"Right."})");
    EXPECT_EQ(describeCheckAtX("7.5", "7.2", false, diagrams, units),
              R"({"verdict":"wrongSign","sentence":"The right size, but the wrong sign: )"
              R"(upward forces count positive, and V is positive when the forces left of the )"
              R"(cut act upward."})");
    EXPECT_EQ(describeCheckAtX("7.5", "9", false, diagrams, units),
              R"({"verdict":"off","sentence":"Not yet. Your x lies in section 2: put it into )"
              R"(V(x) of that section."})");
    EXPECT_EQ(describeCheckAtX("12", "1", false, diagrams, units),
              R"({"verdict":"notANumber","sentence":"First type your x: a distance from )"
              R"(Pt-A, on the beam."})");
}

} // namespace
} // namespace parabeam::testing
