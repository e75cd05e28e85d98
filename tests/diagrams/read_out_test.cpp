// V and M at one x, as the page's read-out gets them from the program.
#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "diagrams/read_out.hpp"
#include "support/in_memory_run.hpp"

namespace parabeam::testing {
namespace {

struct ReadOut {
    const char* typed; // nullptr: the cursor's x
    double x;
    const char* json;
};

// The worked example at x typed or pointed at: V = Ay - 2 x before Pt-E, and
// V = w u^2 / (2 L1) - By, M = By u - w u^3 / (6 L1) after it, u = 9 - x.
const ReadOut kReadOuts[] = {
    {"2.5", 0,
     R"({"x":{"value":2.5,"text":"2.5"},"shear":{"value":4.3333333399999994,"text":"4.33333"},)"
     R"("moment":{"value":17.083333349999997,"text":"17.0833"}})"},
    {nullptr, 7.5,
     R"({"x":{"value":7.5,"text":"7.5"},"shear":{"value":-7.1666666600000006,)"
     R"("text":"-7.16667"},"moment":{"value":12.249999990000001,"text":"12.25"}})"},
    {" 9\n", 0,
     R"({"x":{"value":9,"text":"9"},"shear":{"value":-8.6666666600000006,"text":"-8.66667"},)"
     R"("moment":{"value":0,"text":"0"}})"},
    {"2,5", 0,
     R"({"reason":"Type x as a number, such as 2.5: a distance from Pt-A, from 0 to 9 m."})"},
    {"", 0,
     R"({"reason":"Type x as a number, such as 2.5: a distance from Pt-A, from 0 to 9 m."})"},
    {"1e400", 0,
     R"({"reason":"Type x as a number, such as 2.5: a distance from Pt-A, from 0 to 9 m."})"},
    {"-0.5", 0,
     R"({"reason":"x = -0.5 m is off the beam, which runs from Pt-A (x = 0) to Pt-B (x = 9 m)."})"},
    {nullptr, 9.000001,
     R"({"reason":"x = 9 m is off the beam, which runs from Pt-A (x = 0) to Pt-B (x = 9 m)."})"},
};

TEST(ReadOut, AtTheXAskedFor) {
    const RunOutcome outcome = runInMemory("3 9 2 4 2 0 5 kN/m kN m\n").outcome;
    const BeamLoading beam = beamLoading(outcome.inputs, outcome.solution);
    for (const ReadOut& row : kReadOuts) {
        const auto typed = row.typed ? std::optional<std::string_view>(row.typed) : std::nullopt;
        EXPECT_EQ(describeReadOut(beam, "m", typed, row.x), row.json)
            << (row.typed ? row.typed : "");
    }
}

} // namespace
} // namespace parabeam::testing
