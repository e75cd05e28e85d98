#pragma once
// The fields of BeamSolution by name, and doubles compared bit for bit.
#include <bit>
#include <cmath>
#include <cstdint>

#include "solver/beam_solution.hpp"

namespace parabeam::testing {

struct SolutionField {
    const char* name;
    double BeamSolution::*member;
};

// In the order they are computed.
inline constexpr SolutionField kSolutionFields[] = {
    {"triangleForce", &BeamSolution::triangleForce},
    {"triangleArmLeft", &BeamSolution::triangleArmLeft},
    {"triangleArmRight", &BeamSolution::triangleArmRight},
    {"rectangleLength", &BeamSolution::rectangleLength},
    {"triangleArmFromA", &BeamSolution::triangleArmFromA},
    {"rectangleForce", &BeamSolution::rectangleForce},
    {"rectangleArmFromA", &BeamSolution::rectangleArmFromA},
    {"horizontalSum", &BeamSolution::horizontalSum},
    {"verticalLoadSum", &BeamSolution::verticalLoadSum},
    {"rectangleMomentAtA", &BeamSolution::rectangleMomentAtA},
    {"triangleMomentAtA", &BeamSolution::triangleMomentAtA},
    {"momentSumAtA", &BeamSolution::momentSumAtA},
    {"reactionB", &BeamSolution::reactionB},
    {"reactionA", &BeamSolution::reactionA},
};

// Same value down to the sign of zero; any two undefined values agree.
inline bool sameDouble(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace parabeam::testing
