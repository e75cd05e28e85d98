#include "console/vertical_report.hpp"

#include "solver/negated.hpp"

namespace parabeam {
namespace {

// The area formulas, then the triangular block: weight, resultant force and
// its lever arms from either end.
void reportTriangularBlock(const BeamInputs& inputs, const BeamSolution& solution,
                           ReportSink& console) {
    writeLine(console, " ");
    writeLine(console, " Area Of A Triangle Is [ 0.5 x B x H] ");
    writeLine(console, " Area Of A Rectangle Is [ Base(b) x Height(h)] ");
    writeLine(console, " The Entire Weight Of The Triangular Beam Is = ", inputs.triangleWeight,
              " ", inputs.weightUnit);
    writeLine(console, " Derived Force From The Triangular Beam Is : = [ 0.5 x ",
              inputs.triangleLength, " x ", inputs.triangleWeight, " ] ");
    writeLine(console, " Derived Force From The Triangular Beam Is : => ", solution.triangleForce,
              " ", inputs.forceUnit);
    writeLine(console, " The Acting Distance On The Triangular Beam From Left Side Is = ",
              inputs.triangleLength, " x 0.33333 ");
    writeLine(console, " The Acting Distance On The Triangular Beam From Right Side Is = ",
              inputs.triangleLength, " x 0.66666667 ");
    writeLine(console, " The Acting Distance On The Triangular Beam From Left Side Is = ",
              solution.triangleArmLeft, " ", inputs.lengthUnit);
    writeLine(console, " The Acting Distance On The Triangular Beam From Right Side Is = ",
              solution.triangleArmRight, " ", inputs.lengthUnit);
}

// The rectangular block: length, weight, force and lever arm; and the
// triangular block's lever arm from Pt-A.
void reportRectangularBlock(const BeamInputs& inputs, const BeamSolution& solution,
                            ReportSink& console) {
    writeLine(console, " ");
    writeLine(console, " The Total Horizontal Distance Of The Rectangular Beam Only Is = ",
              solution.rectangleLength, " ", inputs.lengthUnit);
    writeLine(
        console,
        " The Total Horizontal Distance To The Point Of Action Of The Triangular Beam From Left Side Is = ",
        solution.triangleArmFromA, " ", inputs.lengthUnit);
    writeLine(console, " ");
    writeLine(console, " The Entire Weight Of The Rectangular Beam Is = ", inputs.rectangleWeight,
              " ", inputs.weightUnit);
    writeLine(console, " The Acting Force From The Rectangular Beam Is = ", inputs.rectangleWeight,
              " x ", solution.rectangleLength);
    writeLine(console,
              " The Acting Force From The Rectangular Beam Is = ", solution.rectangleForce);
    writeLine(console, " The Acting Force From The Rectangular Beam Is = ", solution.rectangleForce,
              " ", inputs.forceUnit);
    writeLine(
        console,
        " The Acting Distance From The Left Support(Joint) To The Center Of The Rectangular Beam(Length) Is = ",
        solution.rectangleArmFromA, " ", inputs.lengthUnit);
}

// Eq-1 and Eq-2, first as sums of their terms, then summed.
void reportForceEquations(const BeamInputs& inputs, const BeamSolution& solution,
                          ReportSink& console) {
    writeLine(console, " ");
    writeLine(console, " ");
    writeLine(console, " => Sum Of The Forces In Y Direction Is Equal To Zero = 0.00");
    writeLine(console, " => Ay + By = ", solution.rectangleForce, " + ", solution.triangleForce,
              " Eq-1");
    writeLine(console, " => Sum Of The Forces In X Direction Is Equal To Zero = 0.00");
    writeLine(console, " => (+/-)Ax + (+/-)Bx = ", inputs.leftHorizontalForce, " + ",
              inputs.rightHorizontalForce, " Eq-2");
    writeLine(console, " => Ay + By = ", solution.verticalLoadSum, " Eq-1");
    writeLine(console, " => (+/-)Ax + (+/-)Bx = ", solution.horizontalSum, " Eq-2");
}

// Eq-3, the moments about Pt-A, solved for By.
void reportMomentEquation(const BeamInputs& inputs, const BeamSolution& solution,
                          ReportSink& console) {
    writeLine(console, " ");
    writeLine(console, " => Sum Of The Moment(s) At Point A Is Equal To Zero = 0.00");
    writeLine(console, " ==> --> L(MA) = ", solution.rectangleArmFromA, " x ",
              negated(solution.rectangleForce), " + ", solution.triangleArmFromA, " x ",
              negated(solution.triangleForce), " + ", inputs.beamLength, " x By ",
              " = 0.00 --> Eq-3 ");
    writeLine(console, " ==> --> L(MA) = ", solution.rectangleMomentAtA, " + ",
              solution.triangleMomentAtA, " + ", inputs.beamLength, " x By ", " = 0.00 --> Eq-3 ");
    writeLine(console, " ==> --> L(MA) = ", solution.momentSumAtA, " + ", inputs.beamLength,
              " x By ", " = 0.00 --> Eq-3 ");
    writeLine(console, " ==> --> L(MA) = ", " By ", " = ", negated(solution.momentSumAtA), " / ",
              inputs.beamLength);
    writeLine(console, " ==> -->  = ", " By ", " = ", solution.reactionB);
    writeLine(console, " ==> -->  = ", " By ", " = ", solution.reactionB, " ", inputs.forceUnit);
    writeLine(console, " ==> -->  = ",
              " The Force At Point-B(Also Known As By) Acting Upward Is Now Given As ", " = ",
              solution.reactionB, " ", inputs.forceUnit);
    writeLine(console, kDashedLine);
}

// Eq-1 again, solved for Ay as Eq-4.
void reportReactionA(const BeamInputs& inputs, const BeamSolution& solution, ReportSink& console) {
    writeLine(console, "");
    writeLine(
        console,
        " ==> Sum Of The Forces In Y Direction Is Equalt To Zero = 0.00 => , From Eq-1 Again :: ");
    writeLine(console, " => Ay + By = ", solution.verticalLoadSum, " -> Eq-1");
    writeLine(console, " => Ay = ", solution.verticalLoadSum, " - ", "By", " , Eq-4");
    writeLine(console, " => Ay = ", solution.verticalLoadSum, " - ", solution.reactionB);
    writeLine(console, " => Ay -->  = ", solution.reactionA);
    writeLine(console, " => Ay -->  = ", solution.reactionA, " ", inputs.forceUnit);
    writeLine(console, " ==> -->  = ",
              " The Force At Point-A(Also Known As Ay) Acting Upward Is Now Given As ", " = ",
              solution.reactionA, " ", inputs.forceUnit);
    writeLine(console, kDashedLine);
}

// The result, boxed: Ay above By.
void reportBoxedResult(const BeamInputs& inputs, const BeamSolution& solution,
                       ReportSink& console) {
    writeLine(console, "");
    writeLine(console, "");
    writeLine(console, kDashedLine);
    writeLine(console, " -->   Ay = ", solution.reactionA, " ", inputs.forceUnit,
              " , Acting Upward ");
    writeLine(console, " -->   By = ", solution.reactionB, " ", inputs.forceUnit,
              " , Acting Upward ");
    writeLine(console, kDashedLine);
    writeLine(console, kDashedLine);
}

} // namespace

void reportVerticalReactions(const BeamInputs& inputs, const BeamSolution& solution,
                             ReportSink& console) {
    reportTriangularBlock(inputs, solution, console);
    reportRectangularBlock(inputs, solution, console);
    reportForceEquations(inputs, solution, console);
    reportMomentEquation(inputs, solution, console);
    reportReactionA(inputs, solution, console);
    reportBoxedResult(inputs, solution, console);
}

} // namespace parabeam
