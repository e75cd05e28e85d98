#pragma once
// The working behind the shear force and bending moment diagrams, narrated by
// the method of sections, every number in the program's format.
#include <string>
#include <vector>

#include "diagrams/page_units.hpp"
#include "solver/load_diagrams.hpp"

namespace parabeam {

// A titled step of the working, a line of text each.
struct WorkingStep {
    std::string heading;
    std::vector<std::string> lines;
};

// The load along the beam, each section's cut with the forces left of it,
// V(x) and M(x) from their equilibrium, where V = 0 and where M = 0, the
// largest moments, and the checks at Pt-B.
std::vector<WorkingStep> sectionWorking(const PageUnits& units, const LoadDiagrams& diagrams);

} // namespace parabeam
