#pragma once
// The lasting trace of a run: a 16-line record appended to data-values.dat in
// the current directory.
#include <ostream>

#include "solver/beam_inputs.hpp"
#include "solver/beam_solution.hpp"

namespace parabeam {

inline constexpr const char* kRecordFileName = "data-values.dat";

// Appends the whole record with one write, so records of runs that finish at
// the same time never interleave. A failed save is reported as one line on
// `errors`; the run goes on either way.
void appendSavedRecord(const BeamInputs& inputs, const BeamSolution& solution,
                       std::ostream& errors);

} // namespace parabeam
