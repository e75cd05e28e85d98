#pragma once
// The method of sections: the beam cut at x, and the forces left of the cut
// in equilibrium with the shear V(x) and the bending moment M(x) there. The
// first section lies over the rectangular block, 0 <= x <= a (a = L2 - L1,
// Pt-E); the second over the triangular block, a <= x <= L2, where s = x - a
// runs from Pt-E and the load falls from wt at Pt-E to nothing at Pt-B:
//   V(x) = Ay - wr x                          M(x) = Ay x - (wr / 2) x^2
//   V(x) = Ay - wr a - wt s + (wt/(2 L1)) s^2
//   M(x) = Ay x - wr a (x - a/2) - (wt/2) s^2 + (wt/(6 L1)) s^3
// Values only: the page narrates them.
#include <vector>

#include "solver/load_diagrams.hpp"

namespace parabeam {

// The coefficients of both sections' V(x) and M(x) above.
struct SectionForms {
    double pointE = 0.0;              // a = L2 - L1
    double rectangleForce = 0.0;      // wr a, all of the rectangular block
    double halfRectangleWeight = 0.0; // wr / 2, of x^2 in the first M(x)
    double shearAtE = 0.0;            // Ay - wr a, V(x) at s = 0
    double halfTriangleWeight = 0.0;  // wt / 2, of s^2 in the second M(x)
    double shearSquare = 0.0;         // wt / (2 L1), of s^2 in the second V(x)
    double momentCube = 0.0;          // wt / (6 L1), of s^3 in the second M(x)
};
SectionForms sectionForms(const BeamLoading& beam);

// Whether each section exists: the first where L1 < L2, the second where L1 > 0.
bool hasFirstSection(const BeamLoading& beam);
bool hasSecondSection(const BeamLoading& beam);

// V(x) and M(x) from the forces left of the cut, in the section holding x.
Section leftOfCut(const BeamLoading& beam, const SectionForms& forms, double x);

// The roots of one section's V(x) = 0, as x, each with whether it lies in the
// section; the second section's quadratic may have none, one or two.
struct Root {
    double x = 0.0;
    bool inside = false;
};
std::vector<Root> firstSectionZeroShear(const BeamLoading& beam);
std::vector<Root> secondSectionZeroShear(const BeamLoading& beam, const SectionForms& forms);

// Every x where V = 0 (V there exactly 0, M as the diagram has it), every x
// strictly inside the span where M = 0 (likewise, the other way round), and the largest sagging
// (positive) and hogging (negative) moments with their x; absent where M never has that sign.
Extremes extremes(const BeamLoading& beam);

} // namespace parabeam
