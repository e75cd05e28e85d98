// Numbers written through the line writer: the stream's own formatting state
// and locale play no part, and a failed stream swallows the text.
#include <gtest/gtest.h>

#include <iomanip>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "numbers/report_line.hpp"

namespace parabeam::testing {
namespace {

// Comma as decimal point and digit grouping by threes.
class GroupingPunctuation : public std::numpunct<char> {
  protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

struct StreamState {
    std::ios_base::fmtflags flags;
    std::streamsize precision;
    std::streamsize width;
    char fill;

    explicit StreamState(const std::ostream& stream)
        : flags(stream.flags()), precision(stream.precision()), width(stream.width()),
          fill(stream.fill()) {}
    bool operator==(const StreamState&) const = default;
};

TEST(WriteReal, IgnoresAndKeepsTheStreamsFormattingState) {
    std::ostringstream stream;
    stream.imbue(std::locale(stream.getloc(), new GroupingPunctuation));
    stream << std::fixed << std::setprecision(2) << std::showpos << std::uppercase << std::showpoint
           << std::setfill('*') << std::setw(20);
    const StreamState before(stream);

    ReportSink& returned = writeReal(stream, 1234567.0);
    writeReal(writeText(stream, "|"), 1234.125);
    writeReal(writeText(stream, "|"), -0.0);
    writeReal(writeText(stream, "|"), 0.00001);
    writeReal(writeText(stream, "|"), -1.0 / 3.0);

    EXPECT_EQ(&returned, &stream);
    EXPECT_EQ(stream.str(), "1.23457e+006|1234.13|0|1e-005|-0.333333");
    EXPECT_TRUE(StreamState(stream) == before);
    EXPECT_TRUE(stream.good());
}

TEST(WriteReal, FailedStreamTakesNothingAndDoesNotThrow) {
    for (const std::ios_base::iostate failure : {std::ios_base::badbit, std::ios_base::failbit}) {
        std::ostringstream stream;
        writeText(stream, "kept ");
        stream.setstate(failure);
        for (const double value : {1234567.0, -0.0, 1e-300, 8.66666666}) {
            EXPECT_NO_THROW(writeReal(stream, value));
        }
        EXPECT_EQ(stream.str(), "kept ");
    }
}

TEST(WriteReal, StreamWithoutBufferDoesNotThrow) {
    std::ostream stream(nullptr); // badbit from the start
    EXPECT_NO_THROW(writeReal(stream, 1.5));
    EXPECT_TRUE(stream.bad());
}

} // namespace
} // namespace parabeam::testing
