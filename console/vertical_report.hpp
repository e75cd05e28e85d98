#pragma once
// The derivation of the reactions, narrated step by step: the blocks'
// resultants and lever arms, the three equilibrium equations, By, then Ay.
#include "numbers/report_line.hpp"
#include "solver/beam_inputs.hpp"
#include "solver/beam_solution.hpp"

namespace parabeam {

// The 53 lines of the derivation, on the console, with the values `solution` holds.
void reportVerticalReactions(const BeamInputs& inputs, const BeamSolution& solution,
                             ReportSink& console);

} // namespace parabeam
