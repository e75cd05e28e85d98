#include "solver/load_diagrams.hpp"

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

// Where the shear crosses zero inside a segment (at most one in each), left
// to right.
std::vector<double> zeroShearPositions(const BeamLoading& beam) {
    std::vector<double> positions;
    // V = Ay - w x left of Pt-E.
    if (beam.rectangleWeight != 0) {
        const double x = beam.reactionA / beam.rectangleWeight;
        if (x > 0 && x < beam.pointE()) positions.push_back(x);
    }
    // V = w u^2 / (2 L1) - By right of Pt-E, u measured from Pt-B.
    if (beam.triangleWeight != 0 && beam.triangleLength > 0) {
        const double uSquared = 2 * beam.triangleLength * beam.reactionB / beam.triangleWeight;
        if (uSquared > 0) {
            const double u = std::sqrt(uSquared);
            if (u < beam.triangleLength) positions.push_back(beam.span - u);
        }
    }
    return positions;
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

// Of the supports, Pt-E and the points of zero shear `candidates`.
Section largestMomentAmong(const BeamLoading& beam, std::vector<double> candidates) {
    candidates.insert(candidates.end(), {0.0, beam.pointE(), beam.span});
    std::sort(candidates.begin(), candidates.end());
    Section largest = sectionAt(beam, candidates.front());
    for (double position : candidates) {
        const Section section = sectionAt(beam, position);
        if (std::abs(section.moment) > std::abs(largest.moment)) largest = section;
    }
    return largest;
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

Section largestMoment(const BeamLoading& beam) {
    return largestMomentAmong(beam, zeroShearPositions(beam));
}

LoadDiagrams loadDiagrams(const BeamInputs& inputs, const BeamSolution& solution,
                          bool allNumbersRead, int stepsPerSegment) {
    LoadDiagrams diagrams;
    diagrams.reason = inputsReason(inputs, solution, allNumbersRead);
    if (diagrams.reason != NoDiagrams::none) return diagrams;
    const BeamLoading& beam = diagrams.beam = beamLoading(inputs, solution);
    diagrams.zeroShear = zeroShearPositions(beam);
    for (double position : diagramPositions(beam, diagrams.zeroShear, stepsPerSegment))
        diagrams.curve.push_back(sectionAt(beam, position));
    diagrams.pointA = sectionAt(beam, 0.0);
    diagrams.pointE = sectionAt(beam, beam.pointE());
    diagrams.pointB = sectionAt(beam, beam.span);
    diagrams.largest = largestMomentAmong(beam, diagrams.zeroShear);
    // Finite values can still give an infinite product along the way.
    if (!std::all_of(diagrams.curve.begin(), diagrams.curve.end(), finiteSection) ||
        !finiteSection(diagrams.largest)) {
        LoadDiagrams notFinite;
        notFinite.reason = NoDiagrams::notFinite;
        return notFinite;
    }
    return diagrams;
}

} // namespace parabeam
