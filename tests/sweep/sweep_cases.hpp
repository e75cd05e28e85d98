#pragma once
// Malformed and hostile standard inputs for whole runs of the program.
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace parabeam::testing {

struct SweepCase {
    std::string name; // letters, digits and underscores
    // Builds the bytes only when the case runs; std::nullopt: no standard input.
    std::function<std::optional<std::string>()> input;
};

std::vector<SweepCase> sweepCases();

// Test reports name the case rather than dumping its bytes.
inline void PrintTo(const SweepCase& sweepCase, std::ostream* out) {
    *out << sweepCase.name;
}

} // namespace parabeam::testing
