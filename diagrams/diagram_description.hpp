#pragma once
// The diagrams of a run for the browser edition's page, as JSON text.
#include <string>

#include "solver/beam_inputs.hpp"
#include "solver/beam_solution.hpp"

namespace parabeam {

// The shear force and bending moment diagrams of the beam the run solved:
// {"reason": sentence} when they cannot be drawn, otherwise the units, the
// beam, the forces, the blocks' resultants with their lever arms from Pt-A,
// the sections at Pt-A, Pt-E, Pt-B and of the largest moment, where the shear
// crosses zero, the curve and the x axis's tick marks. Every number is an object
// {"value": the double, or null when not finite, "text": its text in the
// program's format}. `allNumbersRead` is false when a failed read or the end
// of input left some of the seven values unread.
std::string describeDiagrams(const BeamInputs& inputs, const BeamSolution& solution,
                             bool allNumbersRead);

} // namespace parabeam
