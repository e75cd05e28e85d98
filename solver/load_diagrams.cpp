#include "solver/load_diagrams.hpp"

#include "solver/beam_sections.hpp"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace parabeam {
namespace {

// The rectangular block's segment, summed from Pt-A.
Section fromA(const BeamLoading& beam, double x) {
    const double load = beam.rectangleWeight * x;
    return {x, beam.reactionA - load, beam.reactionA * x - load * x / 2};
}

// The triangular block's segment, summed from Pt-B over the length u right of
// the section: there the load grows from nothing to the intensity w u / L1, a
// resultant of half that times u, acting u / 3 from the section.
Section fromB(const BeamLoading& beam, double x) {
    const double u = beam.span - x;
    // At Pt-B nothing is left to sum (and L1 may be 0 there).
    if (!(u > 0)) return {x, 0.0 - beam.reactionB, 0.0};
    const double load = beam.triangleWeight * (u / beam.triangleLength) * u / 2;
    return {x, load - beam.reactionB, beam.reactionB * u - load * u / 3};
}

std::vector<double> diagramPositions(const BeamLoading& beam, std::vector<double> positions,
                                     int stepsPerSegment) {
    const double e = beam.pointE();
    positions.insert(positions.end(), {0.0, e, beam.span});
    for (int step = 1; step < stepsPerSegment; ++step) {
        const double fraction = static_cast<double>(step) / stepsPerSegment;
        positions.push_back(e * fraction);
        positions.push_back(e + (beam.span - e) * fraction);
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

bool finiteSection(const Section& section) {
    return std::isfinite(section.shear) && std::isfinite(section.moment);
}

bool allFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

NoDiagrams inputsReason(const BeamInputs& inputs, const BeamSolution& solution,
                        bool allNumbersRead) {
    if (!allNumbersRead) return NoDiagrams::answersMissing;
    if (!allFinite({inputs.triangleLength, inputs.beamLength, inputs.triangleWeight,
                    inputs.rectangleWeight, inputs.leftHorizontalForce,
                    inputs.rightHorizontalForce}))
        return NoDiagrams::notFinite;
    if (!(inputs.beamLength > 0)) return NoDiagrams::noSpan;
    if (inputs.triangleLength < 0) return NoDiagrams::negativeTriangle;
    if (inputs.triangleLength > inputs.beamLength) return NoDiagrams::triangleTooLong;
    if (!allFinite({solution.reactionA, solution.reactionB})) return NoDiagrams::notFinite;
    return NoDiagrams::none;
}

} // namespace

BeamLoading beamLoading(const BeamInputs& inputs, const BeamSolution& solution) {
    return {inputs.beamLength,     inputs.triangleLength, inputs.rectangleWeight,
            inputs.triangleWeight, solution.reactionA,    solution.reactionB};
}

Section sectionAt(const BeamLoading& beam, double position) {
    const double e = beam.pointE();
    const bool nearerA = position < e || (position == e && e <= beam.triangleLength);
    return nearerA ? fromA(beam, position) : fromB(beam, position);
}

LoadDiagrams loadDiagrams(const BeamInputs& inputs, const BeamSolution& solution,
                          bool allNumbersRead, int stepsPerSegment) {
    LoadDiagrams diagrams;
    diagrams.reason = inputsReason(inputs, solution, allNumbersRead);
    if (diagrams.reason != NoDiagrams::none) return diagrams;
    const BeamLoading& beam = diagrams.beam = beamLoading(inputs, solution);
    diagrams.extremes = extremes(beam);
    std::vector<double> marked;
    for (const Section& section : diagrams.extremes.zeroShear)
        marked.push_back(section.position);
    for (const Section& section : diagrams.extremes.contraflexure)
        marked.push_back(section.position);
    for (double position : diagramPositions(beam, marked, stepsPerSegment))
        diagrams.curve.push_back(sectionAt(beam, position));
    diagrams.pointA = sectionAt(beam, 0.0);
    diagrams.pointE = sectionAt(beam, beam.pointE());
    diagrams.pointB = sectionAt(beam, beam.span);
    // Finite values can still give an infinite product along the way: then
    // nothing is drawn, but what is finite can still be shown.
    // The curve holds every point of the extremes.
    if (!std::all_of(diagrams.curve.begin(), diagrams.curve.end(), finiteSection))
        diagrams.reason = NoDiagrams::notFinite;
    return diagrams;
}

double largestSize(const std::vector<Section>& curve, double Section::*value) {
    double largest = 0;
    for (const Section& point : curve)
        largest = std::max(largest, std::abs(point.*value));
    return largest;
}

} // namespace parabeam
