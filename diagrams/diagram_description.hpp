#pragma once
// The diagrams of a run for the browser edition's page, as JSON text.
#include <string>

#include "solver/beam_inputs.hpp"
#include "solver/beam_solution.hpp"
#include "solver/load_diagrams.hpp"

namespace parabeam {

// The diagrams the page shows for a run, computed once: described for the
// page, and kept for its read-out and its practice checks. `allNumbersRead`
// is false when a failed read or the end of input left some of the seven
// values unread.
LoadDiagrams diagramsOfRun(const BeamInputs& inputs, const BeamSolution& solution,
                           bool allNumbersRead);

// The shear force and bending moment diagrams of the beam the run solved:
// {"reason": sentence} when they cannot be drawn, otherwise the units, the
// beam, the forces, the blocks' resultants with their lever arms from Pt-A,
// the sections at Pt-A, Pt-E and Pt-B, where the shear crosses zero, the
// curve, the x axis's tick marks, the working and the values to practise.
// Every number is an object {"value": the double, or null when not finite,
// "text": its text in the program's format}.
std::string describeDiagrams(const BeamInputs& inputs, const BeamSolution& solution,
                             const LoadDiagrams& diagrams);

} // namespace parabeam
