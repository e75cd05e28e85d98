// Random well-formed number fields of at most 36 significant digits, read by
// the dialogue's reader and by the C library's correctly rounded strtod: every
// bit must agree, and the reader must stop exactly at the end of the field.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

#include "console/input_reader.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

constexpr int kCases = 300000;

class FieldMaker {
  public:
    explicit FieldMaker(unsigned seed) : random_(seed) {}

    // A field, and the byte that follows it in the input.
    std::string field() {
        std::string text;
        const int sign = pick(0, 2);
        if (sign == 1) text += '+';
        if (sign == 2) text += '-';

        const int leadingZeros = pick(0, 9) < 7 ? 0 : pick(1, 4);
        const int significant = pick(0, 49) == 0 ? 0 : pick(1, 36);
        std::string digits(static_cast<std::size_t>(leadingZeros), '0');
        for (int i = 0; i < significant; ++i) {
            const int low = i == 0 ? 1 : 0;
            // Runs of zeros and nines probe carries and halfway points.
            const int kind = pick(0, 9);
            digits += static_cast<char>('0' + (kind == 0 ? 0 : kind == 1 ? 9 : pick(low, 9)));
            if (i == 0 && digits.back() == '0') digits.back() = '1';
        }
        if (digits.empty()) digits.push_back('0');

        // Digits before the point; as many as there are when there is no point.
        const int length = static_cast<int>(digits.size());
        const bool point = pick(0, 2) != 0;
        const int beforePoint = point ? pick(0, length) : length;
        text.append(digits, 0, static_cast<std::size_t>(beforePoint));
        if (point) {
            text += '.';
            text.append(digits, static_cast<std::size_t>(beforePoint));
        }

        // Decimal power of the first significant digit before the exponent.
        const int firstPower = beforePoint - 1 - leadingZeros;
        if (pick(0, 3) != 0) {
            // Keep the leading digit's power inside the normal range, clear of
            // both overflow and the subnormals.
            const int targetPower = pick(0, 3) == 0 ? pick(-20, 20) : pick(-300, 300);
            const int exponent = significant == 0 ? pick(-400, 400) : targetPower - firstPower;
            text += pick(0, 1) == 0 ? 'e' : 'E';
            const int exponentSign = exponent < 0 ? 2 : pick(0, 1);
            if (exponentSign == 1) text += '+';
            if (exponentSign == 2) text += '-';
            text += std::string(static_cast<std::size_t>(pick(0, 9) < 7 ? 0 : pick(1, 12)), '0');
            text += std::to_string(exponent < 0 ? -exponent : exponent);
        }
        return text;
    }

    std::string follower() {
        static const char* const followers[] = {"", " ", "\n", "\r\n", "\t", ",", "x", "/"};
        return followers[pick(0, 7)];
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::mt19937 random_;
};

TEST(RealReaderDifferential, MatchesCorrectlyRoundedConversionBitForBit) {
    FieldMaker maker(20020724u);
    int mismatches = 0;
    for (int i = 0; i < kCases && mismatches < 20; ++i) {
        const std::string field = maker.field();
        const std::string follower = maker.follower();
        const double expected = std::strtod(field.c_str(), nullptr);

        std::istringstream in(field + follower);
        double target = 0.5;
        const bool ok = readReal(in, target);
        const std::string rest{std::istreambuf_iterator<char>(in), {}};
        if (!ok || exactText(target) != exactText(expected) || rest != follower) {
            ++mismatches;
            ADD_FAILURE() << "field " << visible(field) << " then " << visible(follower)
                          << ": read " << (ok ? exactText(target) : "nothing") << ", expected "
                          << exactText(expected) << "; left " << visible(rest);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

} // namespace
} // namespace parabeam::testing
