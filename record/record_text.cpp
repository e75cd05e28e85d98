#include "record/record_text.hpp"

namespace parabeam {

// Lines 8, 9, 12 and 13 end with endLine (line feed and flush), the others
// with a line feed of their own. The record is composed in memory and written
// to the file with one call, so those flushes change nothing; the lines keep
// the endings they were given.
void writeSavedRecord(const BeamInputs& inputs, const BeamSolution& solution, ReportSink& record) {
    writePieces(record,
                " Recorded  Saved Data(s) For The Diagram(Beam) Given To Be Solved :: ==> \n");
    writePieces(
        record,
        " The Complete Diagram(Beam) Given To Be Resolved Is A Parallelogram Also Known As The ==> \n");
    writePieces(record,
                " Combination Of A Rectangular Beam(Diagram) And Triangular Beam(Diagram). ==> \n");
    writePieces(record, " Which Is Located(Hold) On Two Different Supports. ==> \n");
    writePieces(record, " The Horizontal Length Of The Triangular Beam(Beam) Is Given As :: ==> ",
                inputs.triangleLength, "\n");
    writePieces(record, " The Total Horizontal Distance Of The Rectangular Beam Only Is = ",
                solution.rectangleLength, " ", inputs.lengthUnit, "\n");
    writePieces(record, " The Total Horizontal Distance Of The Entire Beam(Steel Or Wood) Is = ",
                inputs.beamLength, " ", inputs.lengthUnit, "\n");
    writeLine(record, " The Entire Weight Of The Triangular Beam Is = ", inputs.triangleWeight, " ",
              inputs.weightUnit);
    writeLine(record, " The Entire Weight Of The Rectangular Beam Is = ", inputs.rectangleWeight,
              " ", inputs.weightUnit);
    writePieces(record, " Derived Force From The Triangular Beam Is : = [ 0.5 x ",
                inputs.triangleLength, " x ", inputs.triangleWeight, " ] \n");
    writePieces(record, " Derived Force From The Triangular Beam Is : => ", solution.triangleForce,
                " ", inputs.forceUnit, "\n");
    writeLine(record, " The Acting Force From The Rectangular Beam Is = ", inputs.rectangleWeight,
              " x ", solution.rectangleLength);
    writeLine(record, " The Acting Force From The Rectangular Beam Is = ", solution.rectangleForce,
              " ", inputs.forceUnit);
    writePieces(record, " Derived Values 1 :: ==> ", "Ay = ", solution.reactionA, " ",
                inputs.forceUnit, "\n");
    writePieces(record, " Derived Values 2 :: ==> ", "By = ", solution.reactionB, " ",
                inputs.forceUnit, "\n");
    writePieces(
        record,
        "----------------------------------------------------------------------------------------------------------------------\n");
}

} // namespace parabeam
