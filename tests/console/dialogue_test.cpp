// The ten questions: the exact prompt bytes, the flush before every wait for
// the user, and what ends up in BeamInputs for typical and broken answers.
#include <gtest/gtest.h>

#include <array>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "console/dialogue.hpp"
#include "support/program_texts.hpp"
#include "support/scripted_streams.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

// The seven reals and three words in prompt order.
struct Entries {
    std::array<double, 7> reals{};
    std::array<std::string, 3> words{};
};

Entries entriesOf(const BeamInputs& inputs) {
    return {{inputs.triangleLength, inputs.beamLength, inputs.height, inputs.triangleWeight,
             inputs.rectangleWeight, inputs.leftHorizontalForce, inputs.rightHorizontalForce},
            {std::string(inputs.weightUnit.view()), std::string(inputs.forceUnit.view()),
             std::string(inputs.lengthUnit.view())}};
}

void expectEntries(const BeamInputs& inputs, const Entries& expected) {
    const Entries actual = entriesOf(inputs);
    for (std::size_t i = 0; i < actual.reals.size(); ++i) {
        EXPECT_EQ(exactText(actual.reals[i]), exactText(expected.reals[i])) << "real " << i + 1;
    }
    for (std::size_t i = 0; i < actual.words.size(); ++i) {
        EXPECT_EQ(visible(actual.words[i]), visible(expected.words[i])) << "word " << i + 1;
    }
}

const Entries kExample = {{3, 9, 2, 4, 2, 0, 5}, {"kN/m", "kN", "m"}};
const std::vector<std::string> kExampleAnswers = {"3", "9", "2",    "4",  "2",
                                                  "0", "5", "kN/m", "kN", "m"};

// The example's first `count` answers; the rest as never read.
Entries examplePrefix(std::size_t count) {
    Entries entries;
    for (std::size_t i = 0; i < count && i < 7; ++i)
        entries.reals[i] = kExample.reals[i];
    for (std::size_t i = 7; i < count; ++i)
        entries.words[i - 7] = kExample.words[i - 7];
    return entries;
}

std::string joined(std::size_t count, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += (i > 0 ? separator : "") + kExampleAnswers[i];
    return text;
}

struct DialogueCase {
    std::string name;
    std::string typed;
    Entries expected;
};

std::vector<DialogueCase> dialogueCases() {
    std::vector<DialogueCase> cases = {
        {"all ten on one line", "3 9 2 4 2 0 5 kN/m kN m\n", kExample},
        {"one per line", "3\n9\n2\n4\n2\n0\n5\nkN/m\nkN\nm\n", kExample},
        {"one per line with carriage returns",
         "3\r\n9\r\n2\r\n4\r\n2\r\n0\r\n5\r\nkN/m\r\nkN\r\nm\r\n", kExample},
        {"tabs, vertical tabs and form feeds", "\t3\t9\v2\f4\r2\n\n0 \t 5\fkN/m\vkN\tm", kExample},
        {"forms of numbers",
         "2.5e1 -0 .5 5. +.5 -.5e1 1e-000000001 u v w",
         {{25, -0.0, 0.5, 5, 0.5, -5, 0.1}, {"u", "v", "w"}}},
        {"negative and odd values are not checked",
         "-3 0 -1 -4 0 -0 1e300 a b c",
         {{-3, 0, -1, -4, 0, -0.0, 1e300}, {"a", "b", "c"}}},
        {"letters after the first number",
         "12abc\n9 2 4 2 0 5 kN/m kN m\n",
         {{12, 0, 0, 0, 0, 0, 0}, {"", "", ""}}},
        {"decimal comma", "1,5 9 2 4 2 0 5 kN/m kN m", {{1, 0, 0, 0, 0, 0, 0}, {"", "", ""}}},
        {"hexadecimal", "0x1A 9 2 4 2 0 5 kN/m kN m", {{0, 0, 0, 0, 0, 0, 0}, {"", "", ""}}},
        {"second point starts the next number",
         "1.2.3 2 4 2 0 5 kN/m kN m",
         {{1.2, 0.3, 2, 4, 2, 0, 5}, {"kN/m", "kN", "m"}}},
        {"out of range height",
         "3 9 1e400 4 2 0 5 kN/m kN m",
         {{3, 9, 0, 0, 0, 0, 0}, {"", "", ""}}},
        {"too small height", "3 9 1e-400 4 2 0 5 kN/m kN m", {{3, 9, 0, 0, 0, 0, 0}, {"", "", ""}}},
        {"subnormal height read as it is",
         "3 9 4.9e-324 4 2 0 5 kN/m kN m",
         {{3, 9, 0x1p-1074, 4, 2, 0, 5}, {"kN/m", "kN", "m"}}},
        {"word for infinity", "3 9 2 inf 2 0 5 kN/m kN m", {{3, 9, 2, 0, 0, 0, 0}, {"", "", ""}}},
        {"unit with blanks fills the following units",
         "3 9 2 4 2 0 5 kN per m\n",
         {{3, 9, 2, 4, 2, 0, 5}, {"kN", "per", "m"}}},
        {"unit of exactly nineteen bytes",
         "3 9 2 4 2 0 5 abcdefghijklmnopqrs kN m",
         {{3, 9, 2, 4, 2, 0, 5}, {"abcdefghijklmnopqrs", "kN", "m"}}},
        {"unit longer than nineteen bytes",
         "3 9 2 4 2 0 5 abcdefghijklmnopqrstuvwxyz kN m",
         {{3, 9, 2, 4, 2, 0, 5}, {"abcdefghijklmnopqrs", "kN", "m"}}},
        {"bytes above seven bit in units",
         "3 9 2 4 2 0 5 kN/\xc2\xb5m \xff\x80\x01 \xb5m",
         {{3, 9, 2, 4, 2, 0, 5}, {"kN/\xc2\xb5m", "\xff\x80\x01", "\xb5m"}}},
        {"numbers as units",
         "3 9 2 4 2 0 5 1e400 -0 12abc",
         {{3, 9, 2, 4, 2, 0, 5}, {"1e400", "-0", "12abc"}}},
        // Nothing read: every entry keeps its start, positive zero or empty.
        {"empty input", "", {}},
        {"only white space", " \t\r\n\v\f\n", {}},
        {"end inside an exponent", "3 9 2e", {{3, 9, 0, 0, 0, 0, 0}, {"", "", ""}}},
        {"number cut after its point", "3 9 2.", {{3, 9, 2, 0, 0, 0, 0}, {"", "", ""}}},
        {"unit cut short", "3 9 2 4 2 0 5 kN/m k", {{3, 9, 2, 4, 2, 0, 5}, {"kN/m", "k", ""}}},
    };
    // Input ending after each answer, with and without a final line end.
    for (std::size_t count = 0; count <= kExampleAnswers.size(); ++count) {
        const std::string name = "input ends after answer " + std::to_string(count);
        cases.push_back({name, joined(count, " "), examplePrefix(count)});
        cases.push_back(
            {name + " and a line end", joined(count, "\n") + "\n", examplePrefix(count)});
    }
    return cases;
}

TEST(Dialogue, StoresEachAnswerAndWritesAllTenPrompts) {
    for (const DialogueCase& row : dialogueCases()) {
        SCOPED_TRACE(row.name + ": " + visible(row.typed));
        std::istringstream in(row.typed);
        std::ostringstream console;
        BeamInputs inputs;
        readInputs(inputs, in, console);
        expectEntries(inputs, row.expected);
        EXPECT_EQ(console.str(), allPrompts());
    }
}

// Entries that a failure leaves unread keep whatever they held; words that are
// not read are stored empty.
TEST(Dialogue, EntriesAfterAFailureAreLeftAlone) {
    BeamInputs inputs;
    inputs.triangleLength = inputs.beamLength = inputs.height = -1.5;
    inputs.triangleWeight = inputs.rectangleWeight = -1.5;
    inputs.leftHorizontalForce = inputs.rightHorizontalForce = -1.5;
    inputs.weightUnit.text = {'o', 'l', 'd'};
    inputs.forceUnit.text = {'o', 'l', 'd'};
    inputs.lengthUnit.text = {'o', 'l', 'd'};
    std::istringstream in("3 9 x 4 2 0 5 kN/m kN m");
    std::ostringstream console;
    readInputs(inputs, in, console);
    expectEntries(inputs, {{3, 9, -1.5, -1.5, -1.5, -1.5, -1.5}, {"", "", ""}});
}

struct FlushCase {
    const char* name;
    std::string typed;
    std::size_t promptsWaitingForInput; // prompts after which the user is asked for more
};

// Every time the reader waits for the user, everything written so far is on
// the screen and ends with the latest prompt; after a failure or the end of
// input the remaining prompts follow without any further wait.
TEST(Dialogue, PromptIsOnScreenBeforeEveryWait) {
    const std::vector<FlushCase> cases = {
        {"all on one line", "3 9 2 4 2 0 5 kN/m kN m", 10},
        {"one per line", "3\n9\n2\n4\n2\n0\n5\nkN/m\nkN\nm\n", 10},
        // The letters are already typed: the second number fails without a wait.
        {"failure at the second number", "12abc\n9 2 4 2 0 5 kN/m kN m\n", 1},
        {"end of input at the fourth number", "3 9 2\n", 4},
        {"no input at all", "", 1},
    };
    for (const FlushCase& row : cases) {
        SCOPED_TRACE(row.name);
        ConsoleBuf screen;
        std::ostream console(&screen);
        KeyboardBuf keys(row.typed, KeyboardBuf::Then::End, {}, &screen);
        std::istream in(&keys);
        BeamInputs inputs;
        readInputs(inputs, in, console);

        std::vector<std::string> distinctScreens;
        for (const WaitSnapshot& wait : keys.waits()) {
            EXPECT_EQ(wait.pendingBytes, 0u) << "bytes written but not flushed during a wait";
            if (distinctScreens.empty() || distinctScreens.back() != wait.shown) {
                distinctScreens.push_back(wait.shown);
            }
        }
        ASSERT_EQ(distinctScreens.size(), row.promptsWaitingForInput);
        for (std::size_t i = 0; i < distinctScreens.size(); ++i) {
            EXPECT_EQ(distinctScreens[i], promptsUpTo(i + 1)) << "wait after prompt " << i + 1;
        }
        EXPECT_EQ(screen.shown(), allPrompts());
        EXPECT_EQ(screen.pendingBytes(), 0u);
    }
}

// A read error on the input (standard input gone) ends the answers like the
// end of input: no exception escapes and every prompt is still shown.
TEST(Dialogue, ReadErrorEndsTheAnswers) {
    ConsoleBuf screen;
    std::ostream console(&screen);
    KeyboardBuf keys("3 9 2", KeyboardBuf::Then::ReadError, {}, &screen);
    std::istream in(&keys);
    BeamInputs inputs;
    EXPECT_NO_THROW(readInputs(inputs, in, console));
    expectEntries(inputs, {{3, 9, 2, 0, 0, 0, 0}, {"", "", ""}});
    EXPECT_EQ(screen.shown(), allPrompts());
}

} // namespace
} // namespace parabeam::testing
