#pragma once
// The vertical statics of the beam: resultant loads, lever arms about Pt-A, the
// three equilibrium equations and the reactions Ay and By.
#include "solver/beam_inputs.hpp"

namespace parabeam {

// Fields in the order they are computed.
struct BeamSolution {
    double triangleForce = 0.0;
    double triangleArmLeft = 0.0;  // a third of L1, from the tall end
    double triangleArmRight = 0.0; // two thirds of L1, reported only
    double rectangleLength = 0.0;
    double triangleArmFromA = 0.0;
    double rectangleForce = 0.0;
    double rectangleArmFromA = 0.0;
    double horizontalSum = 0.0; // reported only
    double verticalLoadSum = 0.0;
    double rectangleMomentAtA = 0.0;
    double triangleMomentAtA = 0.0;
    double momentSumAtA = 0.0;
    double reactionB = 0.0; // By, upward
    double reactionA = 0.0; // Ay, upward
};

// Pure: the operations and operand order below fix every rounding.
BeamSolution solveVerticalReactions(const BeamInputs& inputs);

} // namespace parabeam
