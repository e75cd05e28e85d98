#pragma once
// Expected outputs kept as files in tests/data, written from the documented
// texts and hand-checked numbers, never captured from the program.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "support/run_binary.hpp"

namespace parabeam::testing {

inline std::string expectedData(std::string_view name) {
    const std::filesystem::path path = std::filesystem::path(PARABEAM_TEST_DATA) / name;
    if (!std::filesystem::is_regular_file(path))
        throw std::runtime_error("missing expected-output file " + path.string());
    return readFile(path);
}

// The lines of a text, without their line feeds; a last line without a line
// feed counts as a line too.
inline std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace parabeam::testing
