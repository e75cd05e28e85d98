#include "solver/beam_solution.hpp"

namespace parabeam {
namespace {

// Decimal thirds, as the derivation shows them; not 1/3 and 2/3.
constexpr double kOneThird = 0.33333333;
constexpr double kTwoThirds = 0.66666667;

void reportDerivation(const BeamInputs& inputs, const BeamSolution& solution,
                      ReportSink& console) {
    writeLine(console, " "); // line 1
    writeLine(console, " Area Of A Triangle Is [ 0.5 x B x H] "); // line 2
    writeLine(console, " Area Of A Rectangle Is [ Base(b) x Height(h)] "); // line 3
    writeLine(console, " The Entire Weight Of The Triangular Beam Is = ", inputs.triangleWeight, " ", inputs.weightUnit); // line 4
    writeLine(console, " Derived Force From The Triangular Beam Is : = [ 0.5 x ", inputs.triangleLength, " x ", inputs.triangleWeight, " ] "); // line 5
    writeLine(console, " Derived Force From The Triangular Beam Is : => ", solution.triangleForce, " ", inputs.forceUnit); // line 6
    writeLine(console, " The Acting Distance On The Triangular Beam From Left Side Is = ", inputs.triangleLength, " x 0.33333 "); // line 7
    writeLine(console, " The Acting Distance On The Triangular Beam From Right Side Is = ", inputs.triangleLength, " x 0.66666667 "); // line 8
    writeLine(console, " The Acting Distance On The Triangular Beam From Left Side Is = ", solution.triangleArmLeft, " ", inputs.lengthUnit); // line 9
    writeLine(console, " The Acting Distance On The Triangular Beam From Right Side Is = ", solution.triangleArmRight, " ", inputs.lengthUnit); // line 10
    writeLine(console, " "); // line 11
    writeLine(console, " The Total Horizontal Distance Of The Rectangular Beam Only Is = ", solution.rectangleLength, " ", inputs.lengthUnit); // line 12
    writeLine(console, " The Total Horizontal Distance To The Point Of Action Of The Triangular Beam From Left Side Is = ", solution.triangleArmFromA, " ", inputs.lengthUnit); // line 13
    writeLine(console, " "); // line 14
    writeLine(console, " The Entire Weight Of The Rectangular Beam Is = ", inputs.rectangleWeight, " ", inputs.weightUnit); // line 15
    writeLine(console, " The Acting Force From The Rectangular Beam Is = ", inputs.rectangleWeight, " x ", solution.rectangleLength); // line 16
    writeLine(console, " The Acting Force From The Rectangular Beam Is = ", solution.rectangleForce); // line 17
    writeLine(console, " The Acting Force From The Rectangular Beam Is = ", solution.rectangleForce, " ", inputs.forceUnit); // line 18
    writeLine(console, " The Acting Distance From The Left Support(Joint) To The Center Of The Rectangular Beam(Length) Is = ", solution.rectangleArmFromA, " ", inputs.lengthUnit); // line 19
    writeLine(console, " "); // line 20
    writeLine(console, " "); // line 21
    writeLine(console, " => Sum Of The Forces In Y Direction Is Equal To Zero = 0.00"); // line 22
    writeLine(console, " => Ay + By = ", solution.rectangleForce, " + ", solution.triangleForce, " Eq-1"); // line 23
    writeLine(console, " => Sum Of The Forces In X Direction Is Equal To Zero = 0.00"); // line 24
    writeLine(console, " => (+/-)Ax + (+/-)Bx = ", inputs.leftHorizontalForce, " + ", inputs.rightHorizontalForce, " Eq-2"); // line 25
    writeLine(console, " => Ay + By = ", solution.verticalLoadSum, " Eq-1"); // line 26
    writeLine(console, " => (+/-)Ax + (+/-)Bx = ", solution.horizontalSum, " Eq-2"); // line 27
    writeLine(console, " "); // line 28
    writeLine(console, " => Sum Of The Moment(s) At Point A Is Equal To Zero = 0.00"); // line 29
    writeLine(console, " ==> --> L(MA) = ", solution.rectangleArmFromA, " x ", negated(solution.rectangleForce), " + ", solution.triangleArmFromA, " x ", negated(solution.triangleForce), " + ", inputs.beamLength, " x By ", " = 0.00 --> Eq-3 "); // line 30
    writeLine(console, " ==> --> L(MA) = ", solution.rectangleMomentAtA, " + ", solution.triangleMomentAtA, " + ", inputs.beamLength, " x By ", " = 0.00 --> Eq-3 "); // line 31
    writeLine(console, " ==> --> L(MA) = ", solution.momentSumAtA, " + ", inputs.beamLength, " x By ", " = 0.00 --> Eq-3 "); // line 32
    writeLine(console, " ==> --> L(MA) = ", " By ", " = ", negated(solution.momentSumAtA), " / ", inputs.beamLength); // line 33
    writeLine(console, " ==> -->  = ", " By ", " = ", solution.reactionB); // line 34
    writeLine(console, " ==> -->  = ", " By ", " = ", solution.reactionB, " ", inputs.forceUnit); // line 35
    writeLine(console, " ==> -->  = ", " The Force At Point-B(Also Known As By) Acting Upward Is Now Given As ", " = ", solution.reactionB, " ", inputs.forceUnit); // line 36
    writeLine(console, "---------------------------------------------------------- "); // line 37
    writeLine(console, ""); // line 38
    writeLine(console, " ==> Sum Of The Forces In Y Direction Is Equalt To Zero = 0.00 => , From Eq-1 Again :: "); // line 39
    writeLine(console, " => Ay + By = ", solution.verticalLoadSum, " -> Eq-1"); // line 40
    writeLine(console, " => Ay = ", solution.verticalLoadSum, " - ", "By", " , Eq-4"); // line 41
    writeLine(console, " => Ay = ", solution.verticalLoadSum, " - ", solution.reactionB); // line 42
    writeLine(console, " => Ay -->  = ", solution.reactionA); // line 43
    writeLine(console, " => Ay -->  = ", solution.reactionA, " ", inputs.forceUnit); // line 44
    writeLine(console, " ==> -->  = ", " The Force At Point-A(Also Known As Ay) Acting Upward Is Now Given As ", " = ", solution.reactionA, " ", inputs.forceUnit); // line 45
    writeLine(console, "---------------------------------------------------------- "); // line 46
    writeLine(console, ""); // line 47
    writeLine(console, ""); // line 48
    writeLine(console, "---------------------------------------------------------- "); // line 49
    writeLine(console, " -->   Ay = ", solution.reactionA, " ", inputs.forceUnit, " , Acting Upward "); // line 50
    writeLine(console, " -->   By = ", solution.reactionB, " ", inputs.forceUnit, " , Acting Upward "); // line 51
    writeLine(console, "---------------------------------------------------------- "); // line 52
    writeLine(console, "---------------------------------------------------------- "); // line 53
}

} // namespace

BeamSolution computeBeamSolution(const BeamInputs& inputs) {
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

void solveVerticalReactions(const BeamInputs& inputs, BeamSolution& solution,
                            ReportSink& console) {
    solution = computeBeamSolution(inputs);
    reportDerivation(inputs, solution, console);
}

} // namespace parabeam
