#pragma once
// The diagrams of a run for the browser edition's page, as JSON text.
#include <string>
#include <string_view>

namespace parabeam {

// Reads `answersRead` (every byte the run's reads were given, in order) again
// the way the run did, solves the beam and describes its shear force and
// bending moment diagrams: {"reason": sentence} when they cannot be drawn,
// otherwise the units, the beam, the forces, the sections at Pt-A, Pt-E, Pt-B
// and of the largest moment, and the curve. Every number is a string in the
// program's own format.
std::string describeDiagrams(std::string_view answersRead);

} // namespace parabeam
