#include "solver/horizontal_case.hpp"

namespace parabeam {

HorizontalCase classifyHorizontalForces(const BeamInputs& inputs) {
    const bool leftZero = inputs.leftHorizontalForce == 0.0;
    const bool rightZero = inputs.rightHorizontalForce == 0.0;
    if (leftZero && !rightZero) return HorizontalCase::rightOnly;
    if (rightZero && !leftZero) return HorizontalCase::leftOnly;
    if (!leftZero && !rightZero) return HorizontalCase::both;
    return HorizontalCase::neither;
}

} // namespace parabeam
