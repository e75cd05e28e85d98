#pragma once
// What the program reports and records once it has its entries, composed in
// memory by its own phases: the derivation, the horizontal case, the record.
// Shared by the hostile-input sweep and the fuzz target.
#include <string>

#include "console/beam_inputs.hpp"
#include "solver/beam_solution.hpp"

namespace parabeam::testing {

struct InMemoryRun {
    BeamSolution solution;
    std::string report; // the console lines between the dialogue and the closing notes
    std::string record;
};

InMemoryRun runAfterDialogue(const BeamInputs& inputs);

} // namespace parabeam::testing
