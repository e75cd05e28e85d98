#pragma once
// Malformed and hostile standard inputs for whole runs of the program.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/named_case.hpp"

namespace parabeam::testing {

struct SweepCase {
    std::string name; // letters, digits and underscores
    // Builds the bytes only when the case runs; std::nullopt: no standard input.
    std::function<std::optional<std::string>()> input;
};

std::vector<SweepCase> sweepCases();

} // namespace parabeam::testing
