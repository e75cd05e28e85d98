#include "diagrams/page_units.hpp"

namespace parabeam {

PageUnits pageUnits(const BeamInputs& inputs) {
    PageUnits units{std::string(inputs.weightUnit.view()),
                    std::string(inputs.forceUnit.view()),
                    std::string(inputs.lengthUnit.view()),
                    {}};
    units.moment = units.force;
    if (!units.force.empty() && !units.length.empty()) units.moment += "\u00b7";
    units.moment += units.length;
    return units;
}

} // namespace parabeam
