#pragma once
// Building BeamInputs directly, without the dialogue.
#include <algorithm>
#include <string_view>

#include "solver/beam_inputs.hpp"

namespace parabeam::testing {

inline UnitWord unitWord(std::string_view text) {
    UnitWord word;
    std::copy_n(text.begin(), std::min(text.size(), UnitWord::kMaxLength), word.text.begin());
    return word;
}

struct Numbers {
    double triangleLength = 0.0;
    double beamLength = 0.0;
    double height = 0.0;
    double triangleWeight = 0.0;
    double rectangleWeight = 0.0;
    double leftHorizontalForce = 0.0;
    double rightHorizontalForce = 0.0;
};

inline BeamInputs makeInputs(const Numbers& n, std::string_view weightUnit = "kN/m",
                             std::string_view forceUnit = "kN", std::string_view lengthUnit = "m") {
    BeamInputs inputs;
    inputs.triangleLength = n.triangleLength;
    inputs.beamLength = n.beamLength;
    inputs.height = n.height;
    inputs.triangleWeight = n.triangleWeight;
    inputs.rectangleWeight = n.rectangleWeight;
    inputs.leftHorizontalForce = n.leftHorizontalForce;
    inputs.rightHorizontalForce = n.rightHorizontalForce;
    inputs.weightUnit = unitWord(weightUnit);
    inputs.forceUnit = unitWord(forceUnit);
    inputs.lengthUnit = unitWord(lengthUnit);
    return inputs;
}

} // namespace parabeam::testing
