#pragma once
// The shear force and bending moment at one x the reader asks for, by the
// field "x from Pt-A" or by a cursor on the diagrams.
#include <optional>
#include <string>
#include <string_view>

#include "solver/load_diagrams.hpp"

namespace parabeam {

// As JSON text: {"x", "shear", "moment"}, each number {"value", "text"} as in
// the description of the diagrams, or {"reason": a sentence} for an x that
// cannot be read or lies off the beam. `typed` is the field's text, read by
// the program's own rules for a number; without it, `x` is taken.
// A field's text as one number, read as the dialogue reads an answer, with
// nothing but white space after it; nothing when it is not one.
std::optional<double> readTypedNumber(std::string_view typed);

std::string describeReadOut(const BeamLoading& beam, std::string_view lengthUnit,
                            std::optional<std::string_view> typed, double x);

// {"reason": a sentence} for a read-out asked for before a run solved a beam.
std::string describeNoBeam();

} // namespace parabeam
