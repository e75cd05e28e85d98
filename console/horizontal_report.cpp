#include "console/horizontal_report.hpp"

#include "solver/horizontal_case.hpp"
#include "solver/negated.hpp"

namespace parabeam {

namespace {

// Ax - Bx as entered, then as one value acting on the whole beam.
void writeDifference(const BeamInputs& inputs, ReportSink& console) {
    const double difference = inputs.leftHorizontalForce - inputs.rightHorizontalForce;
    writeLine(console, " Ax - Bx = ", inputs.leftHorizontalForce, " - ",
              inputs.rightHorizontalForce);
    writeLine(console, " Ax - Bx = ", difference, " ", inputs.forceUnit);
    writeLine(console, " Ax  - Bx = ", difference, " ", inputs.forceUnit,
              " -->, Acting On The Entire Beam  ");
}

void writeCaseLines(HorizontalCase horizontalCase, const BeamInputs& inputs, ReportSink& console) {
    switch (horizontalCase) {
    case HorizontalCase::rightOnly:
        writeLine(console, " Ax - Bx = ", kZero, " + ", inputs.rightHorizontalForce);
        writeLine(console, " -Bx = ", negated(inputs.rightHorizontalForce), " ", inputs.forceUnit);
        writeLine(console, " Bx = ", inputs.rightHorizontalForce, " ", inputs.forceUnit,
                  " <--, Acting Towards The Left Side Of The Beam");
        return;
    case HorizontalCase::leftOnly:
        writeLine(console, " Ax - Bx = ", inputs.leftHorizontalForce, " + ", kZero);
        writeLine(console, " Ax  = ", inputs.leftHorizontalForce, " ", inputs.forceUnit);
        writeLine(console, " Ax  = ", inputs.leftHorizontalForce, " ", inputs.forceUnit,
                  " -->, Acting Towards The Right Side OF The Beam ");
        return;
    case HorizontalCase::both:
        writeLine(console,
                  " This Means That An Extra Force Is Produced At Joint(Point) B Of The Beam  ");
        writeLine(
            console,
            " Which Produces The Equation Below For The Entire Beam(Diagram, Figure) Above  ");
        writeDifference(inputs, console);
        writeLine(console, " Next Equation And Topic(s) To Be Resolved Later...............  ");
        return;
    case HorizontalCase::neither:
        writeDifference(inputs, console);
        // Literal zeros, not formatted values.
        writeLine(console, " Ax = ", "0.00 ", inputs.forceUnit, ", And , Bx = ", "0.00 ",
                  inputs.forceUnit);
        return;
    }
}

} // namespace

void reportHorizontalCase(const BeamInputs& inputs, ReportSink& console) {
    writeCaseLines(classifyHorizontalForces(inputs), inputs, console);
    writeLine(console, kDashedLine);
    writeLine(console, kDashedLine);
}

} // namespace parabeam
