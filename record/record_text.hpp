#pragma once
// The text of the 16-line record a run leaves in data-values.dat.
#include "numbers/report_line.hpp"
#include "solver/beam_inputs.hpp"
#include "solver/beam_solution.hpp"

namespace parabeam {

// The record's lines, line feeds as "\n".
void writeSavedRecord(const BeamInputs& inputs, const BeamSolution& solution, ReportSink& record);

} // namespace parabeam
