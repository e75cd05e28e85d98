#pragma once
// Shear force and bending moment along the beam, for the diagrams: x runs from
// Pt-A (0) to Pt-B (L2); the rectangular block presses with its intensity over
// [0, L2 - L1], the triangular block from its intensity at Pt-E down to nothing
// at Pt-B; Ay and By hold the beam up. The shear at a section is the sum of the
// upward forces to its left, and sagging moments are positive, so dM/dx = V.
#include <vector>

#include "solver/beam_inputs.hpp"
#include "solver/beam_solution.hpp"

namespace parabeam {

struct BeamLoading {
    double span = 0.0;           // L2
    double triangleLength = 0.0; // L1
    double rectangleWeight = 0.0;
    double triangleWeight = 0.0; // at Pt-E
    double reactionA = 0.0;      // Ay, the program's own
    double reactionB = 0.0;      // By, the program's own

    double pointE() const { return span - triangleLength; }
};

BeamLoading beamLoading(const BeamInputs& inputs, const BeamSolution& solution);

struct Section {
    double position = 0.0;
    double shear = 0.0;
    double moment = 0.0;
};

// Left of Pt-E the section is summed from Pt-A with Ay, right of it from Pt-B
// with By, so the moment is exactly 0 at both supports although the reactions
// carry the derivation's decimal thirds. At Pt-E, where the two sums agree to
// rounding, the nearer support's is taken.
Section sectionAt(const BeamLoading& beam, double position);

// Why the diagrams cannot be drawn, if they cannot.
enum class NoDiagrams {
    none,
    answersMissing,   // a read failed or the input ended before the seven values
    notFinite,        // a value, or one along the beam, is infinite or undefined
    noSpan,           // L2 is not greater than zero
    negativeTriangle, // L1 below zero
    triangleTooLong,  // L1 beyond L2
};

// Where V = 0, where M = 0, and the largest moments of either sign
// (solver/beam_sections.hpp).
struct Extremes {
    std::vector<Section> zeroShear;     // V exactly 0 there; in order along the beam
    std::vector<Section> contraflexure; // M exactly 0 there; in order along the beam
    bool hasSagging = false;
    Section sagging; // the largest positive M
    bool hasHogging = false;
    Section hogging; // the most negative M
};

// Both diagrams, ready to draw, or why they cannot be. Values along a beam
// whose products overflow are kept (reason notFinite, curve not empty), for
// a table and working of what is finite.
struct LoadDiagrams {
    NoDiagrams reason = NoDiagrams::none;
    BeamLoading beam;
    std::vector<Section> curve; // Pt-A to Pt-B, through Pt-E and every point of Extremes
    Extremes extremes;
    Section pointA;
    Section pointE;
    Section pointB;
};

// The largest size along `curve` of V (`&Section::shear`) or M.
double largestSize(const std::vector<Section>& curve, double Section::*value);

// `allNumbersRead` is false when a failed read left some of the seven values
// at zero. Each segment is drawn through `stepsPerSegment` equal steps.
LoadDiagrams loadDiagrams(const BeamInputs& inputs, const BeamSolution& solution,
                          bool allNumbersRead, int stepsPerSegment);

} // namespace parabeam
