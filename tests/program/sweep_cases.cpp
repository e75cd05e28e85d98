#include "sweep_cases.hpp"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <random>
#include <string_view>

#include "support/expected_data.hpp"

namespace parabeam::testing {
namespace {

constexpr std::string_view kExample = kWorkedExampleAnswers;

constexpr std::size_t kBig = 10'000'000; // bytes of the huge fields

std::string repeated(std::string_view unit, std::size_t times) {
    std::string text;
    text.reserve(unit.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += unit;
    return text;
}

std::string joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts)
        text += part;
    return text;
}

std::string digitRun(std::size_t count) {
    std::string digits(count, '0');
    for (std::size_t i = 0; i < count; ++i)
        digits[i] = static_cast<char>('0' + (i * 7 + 3) % 10);
    return digits;
}

void add(std::vector<SweepCase>& cases, std::string name, std::string bytes) {
    cases.push_back({std::move(name), [bytes = std::move(bytes)] { return bytes; }});
}

void addLazy(std::vector<SweepCase>& cases, std::string name, std::function<std::string()> make) {
    cases.push_back({std::move(name), std::move(make)});
}

void addWhiteSpace(std::vector<SweepCase>& cases) {
    add(cases, "empty", "");
    add(cases, "one_blank", " ");
    add(cases, "one_line_feed", "\n");
    add(cases, "crlf", "\r\n");
    add(cases, "every_white_space", " \t\r\n\v\f");
    add(cases, "empty_lines", repeated("\n", 1000));
    addLazy(cases, "big_white_space", [] { return repeated(" \t\r\n\v\f", kBig / 6); });
    add(cases, "white_space_then_example", joined({repeated("\v\f\r\n", 100), kExample}));
}

void addBinary(std::vector<SweepCase>& cases) {
    std::string ascending;
    for (int byte = 0; byte < 256; ++byte)
        ascending += static_cast<char>(byte);
    add(cases, "all_bytes_ascending", ascending);
    add(cases, "all_bytes_descending", std::string(ascending.rbegin(), ascending.rend()));
    add(cases, "high_bytes_only", ascending.substr(128));
    add(cases, "control_bytes_only", ascending.substr(0, 32));
    add(cases, "terminal_escapes_as_units", "3 9 2 4 2 0 5 \x1b[2J \x1b]0;x\x07 \x1b[31m\n");
    add(cases, "bytes_above_127_as_units", "3 9 2 4 2 0 5 \xff\xfe\xfd \x80 \xc3\xa9\xc3\xa9\n");
    add(cases, "ctrl_z_byte_first", "\x1a");
    add(cases, "ctrl_z_byte_as_unit", "3 9 2 4 2 0 5 \x1a\x1a kN m\n");
    add(cases, "delete_bytes", "\x7f\x7f\x7f 9\n");
}

void addNul(std::vector<SweepCase>& cases) {
    add(cases, "one_nul", std::string(1, '\0'));
    add(cases, "many_nuls", std::string(100'000, '\0'));
    using namespace std::string_view_literals; // the literals hold NUL bytes
    add(cases, "nul_ends_number", std::string("3\0 9 2 4 2 0 5 kN/m kN m\n"sv));
    add(cases, "nul_inside_unit", std::string("3 9 2 4 2 0 5 k\0N/m kN m\n"sv));
    add(cases, "nul_units", std::string("3 9 2 4 2 0 5 \0 \0\0 \0\0\0\n"sv));
    add(cases, "nuls_after_example", joined({kExample, std::string(1000, '\0')}));
}

void addHugeFields(std::vector<SweepCase>& cases) {
    addLazy(cases, "big_integer", [] { return joined({"1", digitRun(kBig)}); });
    addLazy(cases, "big_integer_then_answers", [] {
        return joined({"1", digitRun(kBig), " 9 2 4 2 0 5 kN/m kN m\n"});
    });
    addLazy(cases, "big_fraction", [] {
        return joined({"0.", digitRun(kBig), " 9 2 4 2 0 5 a b c"});
    });
    addLazy(cases, "big_leading_zeros", [] {
        return joined({std::string(kBig, '0'), "7 1 1 1 1 1 1 a b c"});
    });
    addLazy(cases, "big_fraction_zeros_then_digit", [] {
        return joined({".", std::string(kBig, '0'), "1 1 1 1 1 1 1 a b c"});
    });
    addLazy(cases, "big_fraction_zeros_lifted", [] {
        return joined({".", std::string(kBig, '0'), "1e99999999 1 1 1 1 1 1 a b c"});
    });
    addLazy(cases, "big_unit_word", [] {
        return joined({"3 9 2 4 2 0 5 ", std::string(kBig, 'x'), " kN m\n"});
    });
    addLazy(cases, "big_unit_word_at_end", [] {
        return joined({"3 9 2 4 2 0 5 kN/m kN ", std::string(kBig, 'm')});
    });
    addLazy(cases, "big_word_instead_of_number", [] { return std::string(kBig, 'q'); });
    addLazy(cases, "many_answers", [] { return repeated("1.5 ", kBig / 4); });
    // Only eight exponent digits count; seeing that takes ten million digits in
    // the mantissa to bring the value back into range: both read as 1, not as
    // out of range.
    constexpr std::size_t kTenMillion = 10'000'000;
    addLazy(cases, "ninth_exponent_digit_ignored_after_fraction_zeros", [] {
        return joined({".", std::string(kTenMillion - 1, '0'), "1e100000007 1 1 1 1 1 1 a b c"});
    });
    addLazy(cases, "ninth_exponent_digit_ignored_after_integer_digits", [] {
        return joined({"1", std::string(kTenMillion, '0'), "e-000100000007 1 1 1 1 1 1 a b c"});
    });
    add(cases, "exponent_10000_digits", joined({"1e", digitRun(10'000), " 1 1 1 1 1 1 a b c"}));
    add(cases, "exponent_10000_digits_negative",
        joined({"1e-", digitRun(10'000), " 1 1 1 1 1 1 a b c"}));
    add(cases, "exponent_10000_zeros_then_5",
        joined({"1e", std::string(10'000, '0'), "5 1e-", std::string(10'000, '0'),
                "5 1 1 1 1 1 a b c"}));
    add(cases, "exponent_10000_nines",
        joined({"2.5e", std::string(10'000, '9'), " 1 1 1 1 1 1 a b c"}));
}

void addPrefixesOfExample(std::vector<SweepCase>& cases) {
    for (std::size_t length = 0; length <= kExample.size(); ++length) {
        add(cases, "example_first_" + std::to_string(length) + "_bytes",
            std::string(kExample.substr(0, length)));
    }
}

// Garbage from a fixed seed: bytes drawn from alphabets that reach the number
// reader's corners or from all bytes, and answers made of well and badly
// formed entries.
void addRandom(std::vector<SweepCase>& cases) {
    std::mt19937 generator(20020724);
    const auto addDrawn = [&](std::string_view family, int count, const auto& drawPiece) {
        for (int i = 0; i < count; ++i) {
            const std::size_t pieces =
                std::uniform_int_distribution<std::size_t>(1, 400)(generator);
            std::string bytes;
            for (std::size_t piece = 0; piece < pieces; ++piece)
                bytes += drawPiece();
            add(cases, "random_" + std::string(family) + "_" + std::to_string(i), bytes);
        }
    };
    const auto from = [&generator](std::string_view alphabet) {
        return [&generator, alphabet] {
            return std::string(1, alphabet[generator() % alphabet.size()]);
        };
    };
    addDrawn("numeric", 50, from("0123456789+-.eE \n\t"));
    addDrawn("digits_and_blanks", 20, from("0000123456789 "));
    addDrawn("printable", 30,
             [&] { return std::string(1, static_cast<char>(' ' + generator() % 95)); });
    addDrawn("any_byte", 50, [&] { return std::string(1, static_cast<char>(generator() % 256)); });
    // Separated by blanks here; none contains one.
    constexpr std::string_view entries =
        "3 -0 .5 5. 2.5e1 1e 1E+ + - . 1e400 -1e-400 4.9e-324 1.7976931348623157e308 12abc 0x1A "
        "1,5 kN/m \xff\xfe nan inf 123456789012345678901234567890123456789 "
        "1e000000000000000000003 1e123456789";
    std::vector<std::string_view> entryList;
    for (std::size_t at = 0; at < entries.size();) {
        const std::size_t end = std::min(entries.find(' ', at), entries.size());
        entryList.push_back(entries.substr(at, end - at));
        at = end + 1;
    }
    constexpr std::string_view separators[] = {" ", "\n", "\t", "\r\n", "\v", "\f", "  "};
    addDrawn("answers", 30, [&] {
        return std::string(entryList[generator() % entryList.size()]) +
               std::string(separators[generator() % std::size(separators)]);
    });
}

// The seed inputs of the fuzz target: one small file for each reading rule.
void addFuzzSeeds(std::vector<SweepCase>& cases) {
    std::vector<std::filesystem::path> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(PARABEAM_RUN_SEEDS))
        seeds.push_back(entry.path());
    std::sort(seeds.begin(), seeds.end());
    for (const auto& seed : seeds) {
        std::string name = "seed_" + seed.filename().string();
        std::replace_if(
            name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
        addLazy(cases, std::move(name), [seed] { return readFile(seed); });
    }
}

} // namespace

std::vector<SweepCase> sweepCases() {
    std::vector<SweepCase> cases;
    cases.push_back({"no_standard_input", [] { return std::nullopt; }});
    addWhiteSpace(cases);
    addBinary(cases);
    addNul(cases);
    addHugeFields(cases);
    addPrefixesOfExample(cases);
    addRandom(cases);
    addFuzzSeeds(cases);
    return cases;
}

} // namespace parabeam::testing
