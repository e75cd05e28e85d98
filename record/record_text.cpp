#include "record/saved_record.hpp"

namespace parabeam {

void writeSavedRecord(const BeamInputs& inputs, const BeamSolution& solution, ReportSink& record) {
    writePieces(
        record,
        " Recorded  Saved Data(s) For The Diagram(Beam) Given To Be Solved :: ==> \n"); // line 1
    writePieces(
        record,
        " The Complete Diagram(Beam) Given To Be Resolved Is A Parallelogram Also Known As The ==> \n"); // line 2
    writePieces(
        record,
        " Combination Of A Rectangular Beam(Diagram) And Triangular Beam(Diagram). ==> \n"); // line
                                                                                             // 3
    writePieces(record, " Which Is Located(Hold) On Two Different Supports. ==> \n"); // line 4
    writePieces(record, " The Horizontal Length Of The Triangular Beam(Beam) Is Given As :: ==> ",
                inputs.triangleLength, "\n"); // line 5
    writePieces(record, " The Total Horizontal Distance Of The Rectangular Beam Only Is = ",
                solution.rectangleLength, " ", inputs.lengthUnit, "\n"); // line 6
    writePieces(record, " The Total Horizontal Distance Of The Entire Beam(Steel Or Wood) Is = ",
                inputs.beamLength, " ", inputs.lengthUnit, "\n"); // line 7
    writeLine(record, " The Entire Weight Of The Triangular Beam Is = ", inputs.triangleWeight, " ",
              inputs.weightUnit); // line 8
    writeLine(record, " The Entire Weight Of The Rectangular Beam Is = ", inputs.rectangleWeight,
              " ", inputs.weightUnit); // line 9
    writePieces(record, " Derived Force From The Triangular Beam Is : = [ 0.5 x ",
                inputs.triangleLength, " x ", inputs.triangleWeight, " ] \n"); // line 10
    writePieces(record, " Derived Force From The Triangular Beam Is : => ", solution.triangleForce,
                " ", inputs.forceUnit, "\n"); // line 11
    writeLine(record, " The Acting Force From The Rectangular Beam Is = ", inputs.rectangleWeight,
              " x ", solution.rectangleLength); // line 12
    writeLine(record, " The Acting Force From The Rectangular Beam Is = ", solution.rectangleForce,
              " ", inputs.forceUnit); // line 13
    writePieces(record, " Derived Values 1 :: ==> ", "Ay = ", solution.reactionA, " ",
                inputs.forceUnit, "\n"); // line 14
    writePieces(record, " Derived Values 2 :: ==> ", "By = ", solution.reactionB, " ",
                inputs.forceUnit, "\n"); // line 15
    writePieces(
        record,
        "----------------------------------------------------------------------------------------------------------------------\n"); // line 16
}

} // namespace parabeam
