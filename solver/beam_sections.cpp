#include "solver/beam_sections.hpp"

#include <algorithm>
#include <cmath>

namespace parabeam {

SectionForms sectionForms(const BeamLoading& beam) {
    SectionForms forms;
    forms.pointE = beam.pointE();
    forms.rectangleForce = beam.rectangleWeight * forms.pointE;
    forms.halfRectangleWeight = beam.rectangleWeight / 2;
    forms.shearAtE = beam.reactionA - forms.rectangleForce;
    forms.halfTriangleWeight = beam.triangleWeight / 2;
    if (beam.triangleLength > 0) {
        forms.shearSquare = beam.triangleWeight / (2 * beam.triangleLength);
        forms.momentCube = beam.triangleWeight / (6 * beam.triangleLength);
    }
    return forms;
}

bool hasFirstSection(const BeamLoading& beam) {
    return beam.pointE() > 0;
}

bool hasSecondSection(const BeamLoading& beam) {
    return beam.triangleLength > 0;
}

Section leftOfCut(const BeamLoading& beam, const SectionForms& forms, double x) {
    if (x <= forms.pointE || !hasSecondSection(beam)) {
        return {x, beam.reactionA - beam.rectangleWeight * x,
                beam.reactionA * x - forms.halfRectangleWeight * x * x};
    }
    const double s = x - forms.pointE;
    return {x, forms.shearAtE - beam.triangleWeight * s + forms.shearSquare * s * s,
            beam.reactionA * x - forms.rectangleForce * (x - forms.pointE / 2) -
                forms.halfTriangleWeight * s * s + forms.momentCube * s * s * s};
}

std::vector<Root> firstSectionZeroShear(const BeamLoading& beam) {
    if (!hasFirstSection(beam) || beam.rectangleWeight == 0) return {};
    const double x = beam.reactionA / beam.rectangleWeight;
    if (!std::isfinite(x)) return {};
    return {{x, x >= 0 && x <= beam.pointE()}};
}

// (wt / (2 L1)) s^2 - wt s + C = 0, C the shear at Pt-E: s = L1 (1 -+ sqrt D)
// with D = 1 - 2 C / (wt L1). The smaller root is taken as 2 C / wt over
// (1 + sqrt D), which loses no digits when it is near Pt-E.
std::vector<Root> secondSectionZeroShear(const BeamLoading& beam, const SectionForms& forms) {
    if (!hasSecondSection(beam) || beam.triangleWeight == 0) return {};
    const double length = beam.triangleLength;
    const double discriminant = 1 - 2 * (forms.shearAtE / beam.triangleWeight) / length;
    if (!(discriminant >= 0) || !std::isfinite(discriminant)) return {};
    const double root = std::sqrt(discriminant);
    const double nearer = 2 * (forms.shearAtE / beam.triangleWeight) / (1 + root);
    const double farther = length * (1 + root);
    std::vector<Root> roots;
    for (const double s : {nearer, farther}) {
        if (!std::isfinite(s)) continue;
        const bool repeated = !roots.empty() && roots.back().x == forms.pointE + s;
        if (!repeated) roots.push_back({forms.pointE + s, s >= 0 && s <= length});
    }
    return roots;
}

namespace {

// The reactions carry the derivation's decimal thirds (a few parts in 10^8
// off exact thirds): a root of M this near a support is the support's own zero,
// moved by them, not a point of contraflexure.
constexpr double kNearSupport = 1e-6; // of the span

bool strictlyInsideSpan(const BeamLoading& beam, double x) {
    const double margin = kNearSupport * beam.span;
    return x > margin && x < beam.span - margin;
}

// M = 0 strictly inside the span: over the rectangle x (Ay - wr x / 2) = 0;
// over the triangle, summed from Pt-B, By u - wt u^3 / (6 L1) = 0, u = L2 - x.
std::vector<double> contraflexurePoints(const BeamLoading& beam) {
    std::vector<double> points;
    if (hasFirstSection(beam) && beam.rectangleWeight != 0) {
        const double x = 2 * beam.reactionA / beam.rectangleWeight;
        if (x <= beam.pointE() && strictlyInsideSpan(beam, x)) points.push_back(x);
    }
    if (hasSecondSection(beam) && beam.triangleWeight != 0) {
        const double uSquared = 6 * beam.triangleLength * beam.reactionB / beam.triangleWeight;
        const double u = std::sqrt(uSquared);
        const double x = beam.span - u;
        const bool inside = uSquared > 0 && u <= beam.triangleLength && strictlyInsideSpan(beam, x);
        if (inside && (points.empty() || points.back() != x)) points.push_back(x);
    }
    return points;
}

} // namespace

Extremes extremes(const BeamLoading& beam) {
    Extremes found;
    const SectionForms forms = sectionForms(beam);
    std::vector<Root> roots = firstSectionZeroShear(beam);
    const std::vector<Root> second = secondSectionZeroShear(beam, forms);
    roots.insert(roots.end(), second.begin(), second.end());
    for (const Root& root : roots) {
        const bool seen = std::any_of(found.zeroShear.begin(), found.zeroShear.end(),
                                      [&](const Section& s) { return s.position == root.x; });
        // V is 0 there by how the point was found; M is the diagram's.
        if (root.inside && !seen)
            found.zeroShear.push_back({root.x, 0.0, sectionAt(beam, root.x).moment});
    }
    std::sort(found.zeroShear.begin(), found.zeroShear.end(),
              [](const Section& a, const Section& b) { return a.position < b.position; });
    for (const double x : contraflexurePoints(beam))
        found.contraflexure.push_back({x, sectionAt(beam, x).shear, 0.0});

    std::vector<Section> candidates = found.zeroShear;
    for (const double x : {0.0, beam.pointE(), beam.span})
        candidates.push_back(sectionAt(beam, x));
    for (const Section& candidate : candidates) {
        if (candidate.moment > 0 &&
            (!found.hasSagging || candidate.moment > found.sagging.moment)) {
            found.hasSagging = true;
            found.sagging = candidate;
        }
        if (candidate.moment < 0 &&
            (!found.hasHogging || candidate.moment < found.hogging.moment)) {
            found.hasHogging = true;
            found.hogging = candidate;
        }
    }
    return found;
}

} // namespace parabeam
