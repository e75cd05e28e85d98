// The banner, legend and beam figure: 36 fixed lines, trailing blanks included,
// written before anything is read.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "console/banner.hpp"
#include "support/expected_data.hpp"
#include "support/run_binary.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

const char kFirstPrompt[] =
    " (1) Enter Value For The Length(L1) Of The Triangular Beam(Shape) Above = ";

std::string bannerAndFigure() {
    std::ostringstream console;
    printBanner(console);
    printFigure(console);
    return console.str();
}

TEST(BannerAndFigure, MatchTheExpectedLinesByteForByte) {
    const std::string expected = expectedData("banner_figure.txt");
    const std::string actual = bannerAndFigure();
    EXPECT_TRUE(actual == expected) << firstDifference(expected, actual);
}

TEST(BannerAndFigure, BannerIsTheFirstFiveLines) {
    std::ostringstream console;
    printBanner(console);
    const std::string expected =
        "                         \n"
        "                         Zembrolin-!!!\n"
        "             Last Dated On 04/01/2002 <-- To -->  07/24/2002-!!!\n"
        "\n"
        "\n";
    EXPECT_EQ(console.str(), expected);
}

// Length of each line without its line feed, and how many blanks end it: a
// lost or added trailing blank shows here even where a diff viewer hides it.
struct LineShape {
    int length;
    int trailingBlanks;
};

const LineShape kLineShapes[36] = {
    {25, 25}, {38, 0},  {64, 0}, {0, 0},   {0, 0},   {88, 0},  {116, 0}, {76, 0},  {111, 0},
    {82, 0},  {100, 0}, {98, 0}, {0, 0},   {63, 25}, {55, 25}, {55, 25}, {55, 25}, {62, 20},
    {39, 0},  {41, 0},  {43, 0}, {45, 0},  {47, 0},  {49, 0},  {51, 0},  {53, 0},  {55, 0},
    {57, 0},  {58, 0},  {58, 0}, {56, 26}, {58, 0},  {62, 4},  {58, 0},  {58, 0},  {0, 0},
};

TEST(BannerAndFigure, EveryLineHasItsLengthAndTrailingBlanks) {
    const std::string text = bannerAndFigure();
    ASSERT_FALSE(text.empty());
    ASSERT_EQ(text.back(), '\n');
    const auto lines = splitLines(text);
    ASSERT_EQ(lines.size(), 36u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t lastNonBlank = line.find_last_not_of(' ');
        const auto trailing = static_cast<int>(
            lastNonBlank == std::string_view::npos ? line.size() : line.size() - lastNonBlank - 1);
        EXPECT_EQ(static_cast<int>(line.size()), kLineShapes[i].length) << "line " << i + 1;
        EXPECT_EQ(trailing, kLineShapes[i].trailingBlanks) << "line " << i + 1;
    }
}

TEST(BannerAndFigure, ArrowShaftLinesAgreeAndLine31HasOneMoreBlank) {
    const std::string text = bannerAndFigure();
    const auto lines = splitLines(text);
    ASSERT_EQ(lines.size(), 36u);
    EXPECT_EQ(lines[14], lines[15]);
    EXPECT_EQ(lines[30], std::string(lines[14]) + " ");
}

// In a whole run the figure is followed directly by the first prompt: no
// line, no blank, nothing in between.
TEST(BannerAndFigure, FirstPromptFollowsLine36Directly) {
    TempDir dir;
    const RunResult run = runBinary({.input = std::nullopt, .workingDirectory = dir.path()});
    ASSERT_TRUE(run.exited);
    const std::string expected = expectedData("banner_figure.txt") + kFirstPrompt;
    ASSERT_GE(run.out.size(), expected.size());
    const std::string opening = run.out.substr(0, expected.size());
    EXPECT_TRUE(opening == expected) << firstDifference(expected, opening);
}

} // namespace
} // namespace parabeam::testing
