#pragma once
// The shear force and bending moment at one x the reader asks for, by the
// field "x from Pt-A" or by a cursor on the diagrams.
#include <optional>
#include <string>
#include <string_view>

#include "solver/load_diagrams.hpp"

namespace parabeam {

// A field's text as one number, read as the dialogue reads an answer, with
// nothing but white space after it; nothing when it is not one.
std::optional<double> readTypedNumber(std::string_view typed);

// As JSON text: {"x", "shear", "moment"}, each number {"value", "text"} as in
// the description of the diagrams, or {"reason": a sentence} for an x that
// cannot be read or lies off the beam. `typed` is the field's text, read by
// the program's own rules for a number; without it, `x` is taken.
std::string describeReadOut(const BeamLoading& beam, std::string_view lengthUnit,
                            std::optional<std::string_view> typed, double x);

// {"reason": a sentence} for a read-out or a check asked for while no run has
// solved a beam: before the first, during a run, or after one that failed.
std::string describeNoBeam();

} // namespace parabeam
