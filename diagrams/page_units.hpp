#pragma once
// The unit words the page writes after its values: the three the user typed,
// and the moment's, made of the force's and the length's.
#include <string>
#include <string_view>

#include "solver/beam_inputs.hpp"

namespace parabeam {

struct PageUnits {
    std::string weight;
    std::string force;
    std::string length;
    std::string moment; // "force·length", or whichever of the two is there
};

PageUnits pageUnits(const BeamInputs& inputs);

} // namespace parabeam
