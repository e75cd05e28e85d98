#include "web/section_working.hpp"

#include <cmath>
#include <string_view>

#include "solver/beam_sections.hpp"
#include "web/page_numbers.hpp"

namespace parabeam {
namespace {

std::string text(double value) {
    return realText(value);
}

// "a b" with a unit, or the value alone without one.
std::string withUnit(double value, std::string_view unit) {
    return unit.empty() ? text(value) : text(value) + " " + std::string(unit);
}

// A polynomial written as a textbook writes it: each term after the first
// joined by its sign, a coefficient of 1 left out before a variable.
class Terms {
  public:
    Terms& add(double coefficient, std::string_view variable = {}) {
        const bool negative = std::signbit(coefficient) && coefficient != 0;
        const double size = negative ? -coefficient : coefficient;
        std::string shown = variable.empty() || text(size) != "1" ? text(size) : "";
        shown += variable;
        if (text_.empty())
            text_ = negative ? "-" + shown : shown;
        else
            text_ += (negative ? " - " : " + ") + shown;
        return *this;
    }
    const std::string& str() const { return text_; }

  private:
    std::string text_;
};

struct Units {
    std::string_view weight;
    std::string_view force;
    std::string_view length;
    std::string moment;
};

class Narrator {
  public:
    Narrator(const BeamInputs& inputs, const LoadDiagrams& diagrams)
        : beam_(diagrams.beam), forms_(sectionForms(diagrams.beam)), diagrams_(diagrams) {
        units_.weight = inputs.weightUnit.view();
        units_.force = inputs.forceUnit.view();
        units_.length = inputs.lengthUnit.view();
        units_.moment = std::string(units_.force);
        if (!units_.force.empty() && !units_.length.empty()) units_.moment += "\u00b7";
        units_.moment += units_.length;
    }

    std::vector<WorkingStep> steps() {
        std::vector<WorkingStep> steps{loads()};
        if (hasFirstSection(beam_)) steps.push_back(firstSection());
        if (hasSecondSection(beam_)) steps.push_back(secondSection());
        steps.push_back(zeroShear());
        steps.push_back(contraflexure());
        steps.push_back(largest());
        steps.push_back(checks());
        return steps;
    }

  private:
    std::string length(double value) const { return withUnit(value, units_.length); }
    std::string force(double value) const { return withUnit(value, units_.force); }
    std::string moment(double value) const { return withUnit(value, units_.moment); }
    std::string weight(double value) const { return withUnit(value, units_.weight); }
    // The unit after a value, or nothing without one.
    static std::string suffix(std::string_view unit) {
        std::string shown;
        if (!unit.empty()) shown.append(" ").append(unit);
        return shown;
    }
    std::string pointE() const { return text(forms_.pointE); }
    // "(x - a)", or "x" when Pt-E is Pt-A.
    std::string fromE() const { return forms_.pointE == 0 ? "x" : "(x - " + pointE() + ")"; }

    WorkingStep loads() const {
        WorkingStep step{"The load along the beam, w(x)", {}};
        auto& lines = step.lines;
        lines.push_back("x is measured from Pt-A; a positive w(x) presses the beam down.");
        if (hasFirstSection(beam_)) {
            lines.push_back("Rectangular block: w(x) = " + weight(beam_.rectangleWeight) +
                            " for 0 ≤ x ≤ " + length(forms_.pointE) + ".");
        } else {
            lines.push_back("No rectangular block: L1 = L2, so one section covers the whole beam.");
        }
        if (hasSecondSection(beam_)) {
            lines.push_back("Triangular block: w(x) = " + text(beam_.triangleWeight) + " × (" +
                            text(beam_.span) + " - x) / " + text(beam_.triangleLength) +
                            suffix(units_.weight) + " for " + pointE() + " ≤ x ≤ " +
                            length(beam_.span) + ": " + weight(beam_.triangleWeight) +
                            " at Pt-E, falling to 0 at Pt-B.");
        } else {
            lines.push_back("No triangular block: L1 = 0, so one section covers the whole beam.");
        }
        if (beam_.rectangleWeight == 0 && hasFirstSection(beam_))
            lines.push_back("The rectangular block carries no load: V is constant over it.");
        if (beam_.triangleWeight == 0 && hasSecondSection(beam_))
            lines.push_back("The triangular block carries no load: V is constant over it.");
        return step;
    }

    WorkingStep firstSection() const {
        WorkingStep step{"Section 1: a cut at x, 0 ≤ x ≤ " + length(forms_.pointE), {}};
        const double ay = beam_.reactionA;
        const double w = beam_.rectangleWeight;
        step.lines = {
            "Left of the cut: Ay = " + force(ay) +
                " upward at Pt-A, x from the cut; the rectangular block from Pt-A to the cut, " +
                text(w) + "x" + suffix(units_.force) + " downward, acting x / 2 from the cut.",
            "Sum of the forces in y = 0: " + text(ay) + " - " + text(w) +
                "x - V(x) = 0  =>  V(x) = " + Terms().add(ay).add(-w, "x").str() +
                suffix(units_.force),
            "Sum of the moments about the cut = 0: M(x) - " + text(ay) + " × x + " + text(w) +
                "x × x / 2 = 0  =>  M(x) = " +
                Terms().add(ay, "x").add(-forms_.halfRectangleWeight, "x\u00b2").str() +
                suffix(units_.moment),
        };
        return step;
    }

    WorkingStep secondSection() const {
        WorkingStep step{"Section 2: a cut at x, " + pointE() + " ≤ x ≤ " + length(beam_.span) +
                             ", s = x - " + pointE() + " from Pt-E",
                         {}};
        const double ay = beam_.reactionA;
        const double wt = beam_.triangleWeight;
        std::string left =
            "Left of the cut: Ay = " + force(ay) + " upward at Pt-A, x from the cut; ";
        if (hasFirstSection(beam_)) {
            left += "all of the rectangular block, " + force(forms_.rectangleForce) +
                    " downward, acting x - " + text(forms_.pointE / 2) + " from the cut; ";
        }
        left += "the triangular block from Pt-E to the cut, " +
                Terms().add(wt, "s").add(-forms_.shearSquare, "s\u00b2").str() +
                suffix(units_.force) + " downward: " + text(wt) +
                "s acting s / 2 from the cut, less " + text(forms_.shearSquare) +
                "s\u00b2 acting s / 3 from the cut.";
        Terms shear;
        shear.add(forms_.shearAtE).add(-wt, fromE()).add(forms_.shearSquare, fromE() + "\u00b2");
        Terms bending;
        bending.add(ay, "x");
        if (hasFirstSection(beam_))
            bending.add(-forms_.rectangleForce, "(x - " + text(forms_.pointE / 2) + ")");
        bending.add(-forms_.halfTriangleWeight, fromE() + "\u00b2")
            .add(forms_.momentCube, fromE() + "\u00b3");
        step.lines = {
            left,
            "Sum of the forces in y = 0  =>  V(x) = " + shear.str() + suffix(units_.force),
            "Sum of the moments about the cut = 0  =>  M(x) = " + bending.str() +
                suffix(units_.moment),
        };
        return step;
    }

    std::string rootLine(const Root& root, std::string_view range) const {
        const Section section = sectionAt(beam_, root.x);
        return "x = " + length(root.x) + ", inside " + std::string(range) +
               ": M = " + moment(section.moment) + ".";
    }

    WorkingStep zeroShear() const {
        WorkingStep step{"Where the shear force is zero", {}};
        auto& lines = step.lines;
        if (hasFirstSection(beam_)) {
            const std::string range = "0 ≤ x ≤ " + length(forms_.pointE);
            std::string line = "Section 1: " +
                               Terms().add(beam_.reactionA).add(-beam_.rectangleWeight, "x").str() +
                               " = 0";
            const auto roots = firstSectionZeroShear(beam_);
            if (roots.empty())
                line += beam_.reactionA == 0 && beam_.rectangleWeight == 0
                            ? " all along the section."
                            : " has no root: V keeps its sign over the section.";
            else if (roots.front().inside)
                line += "  =>  " + rootLine(roots.front(), range);
            else
                line += "  =>  x = " + length(roots.front().x) + ", outside " + range + ".";
            lines.push_back(line);
        }
        if (hasSecondSection(beam_)) {
            const std::string range = "0 ≤ s ≤ " + length(beam_.triangleLength);
            std::string line = "Section 2: ";
            if (beam_.triangleWeight == 0) {
                line += "V(x) = " + force(forms_.shearAtE) + " all along the section" +
                        (forms_.shearAtE == 0 ? "." : ": never zero.");
            } else {
                line += Terms()
                            .add(forms_.shearSquare, "s\u00b2")
                            .add(-beam_.triangleWeight, "s")
                            .add(forms_.shearAtE)
                            .str() +
                        " = 0";
                const auto roots = secondSectionZeroShear(beam_, forms_);
                if (roots.empty()) line += " has no real root: V keeps its sign over the section.";
                bool anyInside = false;
                for (std::size_t i = 0; i < roots.size(); ++i) {
                    line +=
                        (i == 0 ? "  =>  s = " : " or s = ") + length(roots[i].x - forms_.pointE);
                    anyInside = anyInside || roots[i].inside;
                }
                if (!roots.empty() && !anyInside)
                    line += std::string(roots.size() == 1 ? ", not" : ", neither") + " in " +
                            range + ".";
                for (const Root& root : roots)
                    if (root.inside) line += "; in " + range + ": " + rootLine(root, "the section");
            }
            lines.push_back(line);
        }
        return step;
    }

    WorkingStep contraflexure() const {
        WorkingStep step{"Where the bending moment is zero (contraflexure)", {}};
        const auto& points = diagrams_.extremes.contraflexure;
        if (points.empty())
            step.lines.push_back("M is zero at the supports only: no point of contraflexure.");
        for (const Section& point : points)
            step.lines.push_back("M = 0 at x = " + length(point.position) +
                                 ", inside the span: M changes sign there.");
        return step;
    }

    WorkingStep largest() const {
        const Extremes& found = diagrams_.extremes;
        WorkingStep step{"The largest bending moments", {}};
        step.lines.push_back(found.hasSagging
                                 ? "Largest sagging moment: " + moment(found.sagging.moment) +
                                       " at x = " + length(found.sagging.position) + "."
                                 : "No sagging moment: M is nowhere positive.");
        step.lines.push_back(found.hasHogging
                                 ? "Largest hogging moment: " + moment(found.hogging.moment) +
                                       " at x = " + length(found.hogging.position) + "."
                                 : "No hogging moment: M is nowhere negative.");
        return step;
    }

    WorkingStep checks() const {
        const Section end = leftOfCut(beam_, forms_, beam_.span);
        WorkingStep step{"Checks at Pt-B", {}};
        step.lines.push_back("V just left of Pt-B: V(" + text(beam_.span) + ") = " +
                             force(end.shear) + ", and -By = " + force(-beam_.reactionB) + ".");
        std::string line = "M(" + text(beam_.span) + ") = " + moment(end.moment);
        line += end.moment == 0 ? ", as at a support it must be."
                                : ": zero but for the derivation's decimal thirds (0.33333333 "
                                  "for 1/3), as at a support it must be.";
        step.lines.push_back(line);
        return step;
    }

    const BeamLoading& beam_;
    SectionForms forms_;
    const LoadDiagrams& diagrams_;
    Units units_;
};

} // namespace

std::vector<WorkingStep> sectionWorking(const BeamInputs& inputs, const LoadDiagrams& diagrams) {
    return Narrator(inputs, diagrams).steps();
}

} // namespace parabeam
