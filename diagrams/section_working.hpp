#pragma once
// The working behind the reactions and the shear force and bending moment
// diagrams, as a textbook writes it: the whole beam's equilibrium, then the
// method of sections, each equation written before it is solved, the numbers
// in plain algebra.
#include <string>
#include <vector>

#include "diagrams/page_units.hpp"
#include "solver/beam_inputs.hpp"
#include "solver/beam_solution.hpp"
#include "solver/load_diagrams.hpp"

namespace parabeam {

// A titled step of the working, a line of text each. `id` names it for the
// page (a practice value's "Show the working" opens it); `figure` names the
// free body the page draws above it ("wholeBeam", "section1", "section2"),
// or is empty.
struct WorkingStep {
    std::string id;
    std::string figure;
    std::string heading;
    std::vector<std::string> lines;
};

// The reactions from the whole beam, the load along it, each section's cut
// with the forces left of it, V(x) and M(x) from their equilibrium (checked
// on the curves: dV/dx = -w, dM/dx = V), where V = 0 and where M = 0, the
// largest moments, and the checks at Pt-B.
std::vector<WorkingStep> sectionWorking(const PageUnits& units, const BeamInputs& inputs,
                                        const BeamSolution& solution, const LoadDiagrams& diagrams);

} // namespace parabeam
