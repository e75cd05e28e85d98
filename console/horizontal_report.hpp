#pragma once
// Comments on the horizontal forces Ax and Bx: the lines of the one case of
// four that applies.
#include "numbers/report_line.hpp"
#include "solver/beam_inputs.hpp"

namespace parabeam {

void reportHorizontalCase(const BeamInputs& inputs, ReportSink& console);

} // namespace parabeam
