#pragma once
// Which of four cases the horizontal forces Ax and Bx make.
#include "solver/beam_inputs.hpp"

namespace parabeam {

enum class HorizontalCase {
    rightOnly, // Ax zero, Bx not: Bx acts towards the left
    leftOnly,  // Bx zero, Ax not: Ax acts towards the right
    both,
    neither,
};

// A force counts as zero when it compares equal to 0.0, so -0 is zero too.
HorizontalCase classifyHorizontalForces(const BeamInputs& inputs);

} // namespace parabeam
