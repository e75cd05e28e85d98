#include "solver/beam_solution.hpp"

#include "solver/negated.hpp"

namespace parabeam {
namespace {

// Decimal thirds, as the derivation shows them; not 1/3 and 2/3.
constexpr double kOneThird = 0.33333333;
constexpr double kTwoThirds = 0.66666667;

} // namespace

BeamSolution solveVerticalReactions(const BeamInputs& inputs) {
    BeamSolution s;
    s.triangleForce = (inputs.triangleLength * 0.5) * inputs.triangleWeight;
    s.triangleArmLeft = inputs.triangleLength * kOneThird;
    s.triangleArmRight = inputs.triangleLength * kTwoThirds;
    s.rectangleLength = inputs.beamLength - inputs.triangleLength;
    s.triangleArmFromA = (inputs.beamLength - inputs.triangleLength) + s.triangleArmLeft;
    s.rectangleForce = inputs.rectangleWeight * s.rectangleLength;
    s.rectangleArmFromA = s.rectangleLength / 2;
    s.horizontalSum = inputs.leftHorizontalForce + inputs.rightHorizontalForce;
    s.verticalLoadSum = s.rectangleForce + s.triangleForce;
    s.rectangleMomentAtA = negated(s.rectangleForce) * s.rectangleArmFromA;
    s.triangleMomentAtA = negated(s.triangleForce) * s.triangleArmFromA;
    s.momentSumAtA = s.rectangleMomentAtA + s.triangleMomentAtA;
    s.reactionB = negated(s.momentSumAtA / inputs.beamLength);
    s.reactionA = s.verticalLoadSum - s.reactionB;
    return s;
}

} // namespace parabeam
