#pragma once
// Comments on the horizontal forces Ax and Bx: which of the four cases applies.
#include "console/beam_inputs.hpp"
#include "console/report_line.hpp"

namespace parabeam {

enum class HorizontalCase {
    rightOnly, // Ax zero, Bx not: Bx acts towards the left
    leftOnly,  // Bx zero, Ax not: Ax acts towards the right
    both,
    neither,
};

// A force counts as zero when it compares equal to 0.0, so -0 is zero too.
HorizontalCase classifyHorizontalForces(const BeamInputs& inputs);

// Writes the lines of the one case that applies.
void reportHorizontalCase(const BeamInputs& inputs, ReportSink& console);

} // namespace parabeam
