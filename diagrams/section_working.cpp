#include "diagrams/section_working.hpp"

#include <string_view>

#include "diagrams/working_line.hpp"
#include "solver/beam_sections.hpp"

namespace parabeam {
namespace {

// The working's steps in order, each a function of the beam, its section
// forms and the extremes found; the lines read as the console's reports do.
class Working {
  public:
    Working(const PageUnits& units, const LoadDiagrams& diagrams)
        : units_(units), beam_(diagrams.beam), forms_(sectionForms(diagrams.beam)),
          extremes_(diagrams.extremes) {}

    std::vector<WorkingStep> steps() const {
        std::vector<WorkingStep> steps{loads()};
        if (hasFirstSection(beam_)) steps.push_back(firstSection());
        if (hasSecondSection(beam_)) steps.push_back(secondSection());
        steps.push_back(zeroShear());
        steps.push_back(contraflexure());
        steps.push_back(largestMoments());
        steps.push_back(checksAtB());
        return steps;
    }

  private:
    WorkingLine line() const { return WorkingLine(units_); }
    // "(x - a)" from Pt-E, or "x" where Pt-E is Pt-A.
    std::string fromE() const {
        return forms_.pointE == 0 ? "x"
                                  : line().text("(x - ").number(forms_.pointE).text(")").take();
    }
    std::string firstRange() const { return line().text("0 ≤ x ≤ ").length(forms_.pointE).take(); }

    WorkingStep loads() const {
        WorkingStep step{"The load along the beam, w(x)", {}};
        step.lines.push_back("x is measured from Pt-A; a positive w(x) presses the beam down.");
        step.lines.push_back(
            hasFirstSection(beam_)
                ? line()
                      .text("Rectangular block: w(x) = ")
                      .weight(beam_.rectangleWeight)
                      .text(" for ")
                      .text(firstRange())
                      .text(".")
                      .take()
                : "No rectangular block: L1 = L2, so one section covers the whole beam.");
        step.lines.push_back(
            hasSecondSection(beam_)
                ? triangleLoad()
                : "No triangular block: L1 = 0, so one section covers the whole beam.");
        if (beam_.rectangleWeight == 0 && hasFirstSection(beam_))
            step.lines.push_back("The rectangular block carries no load: V is constant over it.");
        if (beam_.triangleWeight == 0 && hasSecondSection(beam_))
            step.lines.push_back("The triangular block carries no load: V is constant over it.");
        return step;
    }

    std::string triangleLoad() const {
        return line()
            .text("Triangular block: w(x) = ")
            .number(beam_.triangleWeight)
            .text(" × (")
            .number(beam_.span)
            .text(" - x) / ")
            .number(beam_.triangleLength)
            .unit(units_.weight)
            .text(" for ")
            .number(forms_.pointE)
            .text(" ≤ x ≤ ")
            .length(beam_.span)
            .text(": ")
            .weight(beam_.triangleWeight)
            .text(" at Pt-E, falling to 0 at Pt-B.")
            .take();
    }

    WorkingStep firstSection() const {
        const double ay = beam_.reactionA;
        const double w = beam_.rectangleWeight;
        WorkingStep step{line().text("Section 1: a cut at x, ").text(firstRange()).take(), {}};
        step.lines.push_back(
            line()
                .text("Left of the cut: Ay = ")
                .force(ay)
                .text(
                    " upward at Pt-A, x from the cut; the rectangular block from Pt-A to the cut, ")
                .number(w)
                .text("x")
                .unit(units_.force)
                .text(" downward, acting x / 2 from the cut.")
                .take());
        step.lines.push_back(line()
                                 .text("Sum of the forces in y = 0: ")
                                 .number(ay)
                                 .text(" - ")
                                 .number(w)
                                 .text("x - V(x) = 0  =>  V(x) = ")
                                 .terms(Terms().add(ay).add(-w, "x"))
                                 .unit(units_.force)
                                 .take());
        step.lines.push_back(
            line()
                .text("Sum of the moments about the cut = 0: M(x) - ")
                .number(ay)
                .text(" × x + ")
                .number(w)
                .text("x × x / 2 = 0  =>  M(x) = ")
                .terms(Terms().add(ay, "x").add(-forms_.halfRectangleWeight, "x\u00b2"))
                .unit(units_.moment)
                .take());
        return step;
    }

    WorkingStep secondSection() const {
        WorkingStep step{line()
                             .text("Section 2: a cut at x, ")
                             .number(forms_.pointE)
                             .text(" ≤ x ≤ ")
                             .length(beam_.span)
                             .text(", s = x - ")
                             .number(forms_.pointE)
                             .text(" from Pt-E")
                             .take(),
                         {}};
        step.lines.push_back(secondSectionLoads());
        const std::string e = fromE();
        Terms shear;
        shear.add(forms_.shearAtE)
            .add(-beam_.triangleWeight, e)
            .add(forms_.shearSquare, e + "\u00b2");
        step.lines.push_back(line()
                                 .text("Sum of the forces in y = 0  =>  V(x) = ")
                                 .terms(shear)
                                 .unit(units_.force)
                                 .take());
        Terms bending;
        bending.add(beam_.reactionA, "x");
        if (hasFirstSection(beam_))
            bending.add(-forms_.rectangleForce,
                        line().text("(x - ").number(forms_.pointE / 2).text(")").take());
        bending.add(-forms_.halfTriangleWeight, e + "\u00b2").add(forms_.momentCube, e + "\u00b3");
        step.lines.push_back(line()
                                 .text("Sum of the moments about the cut = 0  =>  M(x) = ")
                                 .terms(bending)
                                 .unit(units_.moment)
                                 .take());
        return step;
    }

    std::string secondSectionLoads() const {
        WorkingLine loads = line();
        loads.text("Left of the cut: Ay = ")
            .force(beam_.reactionA)
            .text(" upward at Pt-A, x from the cut; ");
        if (hasFirstSection(beam_))
            loads.text("all of the rectangular block, ")
                .force(forms_.rectangleForce)
                .text(" downward, acting x - ")
                .number(forms_.pointE / 2)
                .text(" from the cut; ");
        return loads.text("the triangular block from Pt-E to the cut, ")
            .terms(Terms().add(beam_.triangleWeight, "s").add(-forms_.shearSquare, "s\u00b2"))
            .unit(units_.force)
            .text(" downward: ")
            .number(beam_.triangleWeight)
            .text("s acting s / 2 from the cut, less ")
            .number(forms_.shearSquare)
            .text("s\u00b2 acting s / 3 from the cut.")
            .take();
    }

    WorkingStep zeroShear() const {
        WorkingStep step{"Where the shear force is zero", {}};
        if (hasFirstSection(beam_)) step.lines.push_back(firstSectionZeroShearLine());
        if (hasSecondSection(beam_)) step.lines.push_back(secondSectionZeroShearLine());
        return step;
    }

    // "x = …, inside <range>: M = …."
    std::string rootInside(const Root& root, std::string_view range) const {
        return line()
            .text("x = ")
            .length(root.x)
            .text(", inside ")
            .text(range)
            .text(": M = ")
            .moment(sectionAt(beam_, root.x).moment)
            .text(".")
            .take();
    }

    std::string firstSectionZeroShearLine() const {
        WorkingLine said = line();
        said.text("Section 1: ")
            .terms(Terms().add(beam_.reactionA).add(-beam_.rectangleWeight, "x"))
            .text(" = 0");
        const std::vector<Root> roots = firstSectionZeroShear(beam_);
        if (roots.empty())
            return said
                .text(beam_.reactionA == 0 && beam_.rectangleWeight == 0
                          ? " all along the section."
                          : " has no root: V keeps its sign over the section.")
                .take();
        const Root& root = roots.front();
        if (root.inside) return said.text("  =>  ").text(rootInside(root, firstRange())).take();
        return said.text("  =>  x = ")
            .length(root.x)
            .text(", outside ")
            .text(firstRange())
            .text(".")
            .take();
    }

    std::string secondSectionZeroShearLine() const {
        WorkingLine said = line();
        said.text("Section 2: ");
        if (beam_.triangleWeight == 0)
            return said.text("V(x) = ")
                .force(forms_.shearAtE)
                .text(" all along the section")
                .text(forms_.shearAtE == 0 ? "." : ": never zero.")
                .take();
        said.terms(Terms()
                       .add(forms_.shearSquare, "s\u00b2")
                       .add(-beam_.triangleWeight, "s")
                       .add(forms_.shearAtE))
            .text(" = 0");
        const std::vector<Root> roots = secondSectionZeroShear(beam_, forms_);
        if (roots.empty())
            return said.text(" has no real root: V keeps its sign over the section.").take();
        bool anyInside = false;
        for (std::size_t i = 0; i < roots.size(); ++i) {
            said.text(i == 0 ? "  =>  s = " : " or s = ").length(roots[i].x - forms_.pointE);
            anyInside = anyInside || roots[i].inside;
        }
        const std::string range = line().text("0 ≤ s ≤ ").length(beam_.triangleLength).take();
        if (!anyInside)
            said.text(roots.size() == 1 ? ", not" : ", neither").text(" in ").text(range).text(".");
        for (const Root& root : roots)
            if (root.inside)
                said.text("; in ").text(range).text(": ").text(rootInside(root, "the section"));
        return said.take();
    }

    WorkingStep contraflexure() const {
        WorkingStep step{"Where the bending moment is zero (contraflexure)", {}};
        if (extremes_.contraflexure.empty())
            step.lines.push_back("M is zero at the supports only: no point of contraflexure.");
        for (const Section& point : extremes_.contraflexure)
            step.lines.push_back(line()
                                     .text("M = 0 at x = ")
                                     .length(point.position)
                                     .text(", inside the span: M changes sign there.")
                                     .take());
        return step;
    }

    WorkingStep largestMoments() const {
        WorkingStep step{"The largest bending moments", {}};
        step.lines.push_back(extremes_.hasSagging
                                 ? largestLine("Largest sagging moment: ", extremes_.sagging)
                                 : "No sagging moment: M is nowhere positive.");
        step.lines.push_back(extremes_.hasHogging
                                 ? largestLine("Largest hogging moment: ", extremes_.hogging)
                                 : "No hogging moment: M is nowhere negative.");
        return step;
    }

    std::string largestLine(std::string_view name, const Section& section) const {
        return line()
            .text(name)
            .moment(section.moment)
            .text(" at x = ")
            .length(section.position)
            .text(".")
            .take();
    }

    WorkingStep checksAtB() const {
        const Section end = leftOfCut(beam_, forms_, beam_.span);
        WorkingStep step{"Checks at Pt-B", {}};
        step.lines.push_back(line()
                                 .text("V just left of Pt-B: V(")
                                 .number(beam_.span)
                                 .text(") = ")
                                 .force(end.shear)
                                 .text(", and -By = ")
                                 .force(-beam_.reactionB)
                                 .text(".")
                                 .take());
        step.lines.push_back(line()
                                 .text("M(")
                                 .number(beam_.span)
                                 .text(") = ")
                                 .moment(end.moment)
                                 .text(end.moment == 0
                                           ? ", as at a support it must be."
                                           : ": zero but for the derivation's decimal thirds "
                                             "(0.33333333 for 1/3), as at a support it must be.")
                                 .take());
        return step;
    }

    const PageUnits& units_;
    const BeamLoading& beam_;
    SectionForms forms_;
    const Extremes& extremes_;
};

} // namespace

std::vector<WorkingStep> sectionWorking(const PageUnits& units, const LoadDiagrams& diagrams) {
    return Working(units, diagrams).steps();
}

} // namespace parabeam
