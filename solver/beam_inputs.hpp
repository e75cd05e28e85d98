#pragma once
// What the user describes: seven reals and three unit words, in prompt order.
#include "numbers/unit_word.hpp"

namespace parabeam {

struct BeamInputs {
    double triangleLength = 0.0;       // L1, from Pt-E to Pt-B
    double beamLength = 0.0;           // L2, from Pt-A to Pt-B
    double height = 0.0;               // H, asked for but used nowhere
    double triangleWeight = 0.0;       // intensity at the tall end
    double rectangleWeight = 0.0;      // constant intensity
    double leftHorizontalForce = 0.0;  // Ax
    double rightHorizontalForce = 0.0; // Bx
    UnitWord weightUnit;
    UnitWord forceUnit;
    UnitWord lengthUnit;
};

} // namespace parabeam
