// Several reads from one stream: what one read leaves is what the next sees,
// and a failure or the end of input stops every later read for good.
#include <gtest/gtest.h>

#include <istream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "console/input_reader.hpp"
#include "scripted_streams.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

constexpr double kUntouched = 7.25;

// One read and its expected outcome; a failed real keeps kUntouched, a failed
// word is stored empty.
struct RealStep {
    bool ok;
    double value = kUntouched;
};
struct WordStep {
    bool ok;
    std::string word;
};
using Step = std::variant<RealStep, WordStep>;

struct SequenceCase {
    const char* name;
    std::string input;
    std::vector<Step> steps;
};

void runSteps(std::istream& in, const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("read " + std::to_string(i + 1));
        if (const auto* real = std::get_if<RealStep>(&steps[i])) {
            double target = kUntouched;
            EXPECT_EQ(readReal(in, target), real->ok);
            EXPECT_EQ(exactText(target), exactText(real->ok ? real->value : kUntouched));
        } else {
            const auto& word = std::get<WordStep>(steps[i]);
            UnitWord target;
            target.text = {'o', 'l', 'd'};
            EXPECT_EQ(readWord(in, target), word.ok);
            EXPECT_EQ(visible(target.view()), visible(word.ok ? word.word : ""));
        }
    }
}

TEST(ReaderSequence, EachReadStartsWhereTheLastStopped) {
    const std::vector<SequenceCase> cases = {
        {"point ends a number", "1.2.3", {RealStep{true, 1.2}, RealStep{true, 0.3}}},
        {"letters after a number fail the next real",
         "12abc 4",
         {RealStep{true, 12.0}, RealStep{false}, RealStep{false}, WordStep{false, ""}}},
        {"letters after a number are the next word",
         "12abc 4",
         {RealStep{true, 12.0}, WordStep{true, "abc"}, RealStep{true, 4.0}}},
        {"decimal comma", "1,5", {RealStep{true, 1.0}, RealStep{false}, WordStep{false, ""}}},
        {"hexadecimal", "0x1A", {RealStep{true, 0.0}, WordStep{true, "x1A"}}},
        {"failed exponent consumes letter and sign",
         "1e+x",
         {RealStep{false}, WordStep{false, ""}}},
        {"several answers on one line",
         "3 9 2 4 2 0 5 kN/m kN m",
         {RealStep{true, 3.0}, RealStep{true, 9.0}, RealStep{true, 2.0}, RealStep{true, 4.0},
          RealStep{true, 2.0}, RealStep{true, 0.0}, RealStep{true, 5.0}, WordStep{true, "kN/m"},
          WordStep{true, "kN"}, WordStep{true, "m"}, WordStep{false, ""}, RealStep{false}}},
        {"unit with blanks fills the following units",
         "kN per m\n",
         {WordStep{true, "kN"}, WordStep{true, "per"}, WordStep{true, "m"}, WordStep{false, ""}}},
        {"long unit does not spill into the next",
         "abcdefghijklmnopqrstuvwxyz kN",
         {WordStep{true, "abcdefghijklmnopqrs"}, WordStep{true, "kN"}}},
        {"number at the very end is stored, then nothing more",
         "3 4",
         {RealStep{true, 3.0}, RealStep{true, 4.0}, RealStep{false}, WordStep{false, ""}}},
        {"word at the very end is stored, then nothing more",
         "kN",
         {WordStep{true, "kN"}, WordStep{false, ""}, RealStep{false}}},
        {"white space alone at the end",
         "3 \r\n\t ",
         {RealStep{true, 3.0}, RealStep{false}, RealStep{false}}},
        {"empty input", "", {RealStep{false}, WordStep{false, ""}, RealStep{false}}},
        {"out of range stops what follows",
         "1e400 5 kN",
         {RealStep{false}, RealStep{false}, WordStep{false, ""}}},
        {"too small stops what follows", "1e-400 5", {RealStep{false}, RealStep{false}}},
        {"failed word stops later numbers", " \n", {WordStep{false, ""}, RealStep{false}}},
    };
    for (const SequenceCase& row : cases) {
        SCOPED_TRACE(row.name);
        std::istringstream in(row.input);
        runSteps(in, row.steps);
    }
}

TEST(ReaderSequence, FailedStreamTakesNothingMore) {
    std::istringstream in("abc 5 kN");
    double target = kUntouched;
    ASSERT_FALSE(readReal(in, target));
    for (int i = 0; i < 3; ++i)
        runSteps(in, {RealStep{false}, WordStep{false, ""}});
    in.clear();
    EXPECT_EQ(in.rdbuf()->sgetc(), 'a') << "no byte consumed after the failure";
}

// Input that reports its end once and then has more, as a terminal does after
// an end-of-input key: the reads stay at their end.
TEST(ReaderSequence, EndOfInputIsNeverForgotten) {
    struct Case {
        const char* name;
        std::string before;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"end before any answer", "", {RealStep{false}, RealStep{false}, WordStep{false, ""}}},
        {"end right after a number", "3", {RealStep{true, 3.0}, RealStep{false}}},
        {"end after a number and a blank", "3 ", {RealStep{true, 3.0}, RealStep{false}}},
        {"end right after a word", "kN", {WordStep{true, "kN"}, WordStep{false, ""}}},
        {"end inside an exponent", "2e", {RealStep{false}, RealStep{false}}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        KeyboardBuf keys(row.before, KeyboardBuf::Then::EndThenMore, " 9 9 m m");
        std::istream in(&keys);
        runSteps(in, row.steps);
        EXPECT_EQ(keys.consumed(), row.before.size());
    }
}

// A read error (standard input gone) counts as the end of input: what was
// read up to it is kept, nothing escapes, and later reads fail.
TEST(ReaderSequence, ReadErrorCountsAsEndOfInput) {
    struct Case {
        const char* name;
        std::string before;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"error before any answer", "", {RealStep{false}, WordStep{false, ""}, RealStep{false}}},
        {"error after blanks", " \n ", {RealStep{false}, RealStep{false}}},
        {"error after a whole number", "3 ", {RealStep{true, 3.0}, RealStep{false}}},
        {"error right after a word", "kN", {WordStep{true, "kN"}, WordStep{false, ""}}},
        {"error right after a number", "12", {RealStep{true, 12.0}, RealStep{false}}},
        {"error inside an exponent", "2e-", {RealStep{false}, RealStep{false}}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        KeyboardBuf keys(row.before, KeyboardBuf::Then::ReadError);
        std::istream in(&keys);
        EXPECT_NO_THROW(runSteps(in, row.steps));
        EXPECT_TRUE(in.fail());
    }
}

} // namespace
} // namespace parabeam::testing
