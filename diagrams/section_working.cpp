#include "diagrams/section_working.hpp"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

#include "diagrams/working_line.hpp"
#include "solver/beam_sections.hpp"

namespace parabeam {
namespace {

// How closely the curves' slopes must follow dV/dx = -w and dM/dx = V, as a
// share of the values' sizes: far above rounding, far below a wrong formula.
constexpr double kSlopeTolerance = 1e-3;

// The shape a polynomial of this degree draws.
std::string_view shapeOf(int degree) {
    switch (degree) {
    case 0:
        return "constant";
    case 1:
        return "linear";
    case 2:
        return "parabolic";
    default:
        return "cubic";
    }
}

// The working's steps in order, each a function of the problem, the beam's
// section forms and the extremes found; the lines read as the console's
// reports do, every equation before its solution.
class Working {
  public:
    Working(const PageUnits& units, const BeamInputs& inputs, const BeamSolution& solution,
            const LoadDiagrams& diagrams)
        : units_(units), inputs_(inputs), solution_(solution), diagrams_(diagrams),
          beam_(diagrams.beam), forms_(sectionForms(diagrams.beam)), extremes_(diagrams.extremes) {}

    std::vector<WorkingStep> steps() const {
        std::vector<WorkingStep> steps{reactions(), loads()};
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
    bool triangleHasLoad() const { return beam_.triangleWeight != 0; }
    bool rectangleHasLoad() const { return beam_.rectangleWeight != 0; }
    // Pt-E is at x = a; where it is Pt-A, s is x itself.
    std::string sFromE() const {
        return forms_.pointE == 0 ? "s = x"
                                  : line().text("s = x \u2212 ").number(forms_.pointE).take();
    }
    std::string firstRange() const { return line().text("0 ≤ x ≤ ").length(forms_.pointE).take(); }
    std::string secondRange() const {
        return line().number(forms_.pointE).text(" ≤ x ≤ ").length(beam_.span).take();
    }
    // A result and its direction: a negative reaction acts downward.
    std::string upOrDown(double reaction) const {
        if (reaction == 0) return ": no reaction.";
        if (reaction > 0) return ": upward.";
        return line().text(": negative, so it acts downward, ").force(-reaction).text(".").take();
    }

    // --- The whole beam: the reactions ----------------------------------------

    WorkingStep reactions() const {
        WorkingStep step{"reactions", "wholeBeam", "The whole beam: the reactions Ay and By", {}};
        auto& lines = step.lines;
        lines.push_back("The whole beam as a free body: each block replaced by its resultant at "
                        "its lever arm from Pt-A, and the reactions Ay and By, the unknowns, "
                        "drawn upward.");
        lines.push_back(hasFirstSection(beam_) ? rectangleResultant()
                                               : "No rectangular block: L1 = L2, so F₁ = 0.");
        lines.push_back(hasSecondSection(beam_) ? triangleResultant()
                                                : "No triangular block: L1 = 0, so F₂ = 0.");
        lines.push_back("Moments about Pt-A, counterclockwise positive: "
                        "ΣM_A = By × L2 \u2212 F₁ × d₁ \u2212 F₂ × d₂ = 0");
        lines.push_back(line()
                            .text("By = (F₁ × d₁ + F₂ × d₂) / L2 = ")
                            .text(loadMomentsOverSpan())
                            .force(beam_.reactionB)
                            .text(upOrDown(beam_.reactionB))
                            .take());
        lines.push_back("Forces in y, upward positive: ΣFy = Ay + By \u2212 F₁ \u2212 F₂ = 0");
        lines.push_back(line()
                            .text("Ay = F₁ + F₂ \u2212 By = ")
                            .text(loadsLessB())
                            .force(beam_.reactionA)
                            .text(upOrDown(beam_.reactionA))
                            .take());
        lines.push_back(horizontalForces());
        return step;
    }

    // "(12 × 3 + 6 × 7) / 9 = ", the moments of the blocks that carry a load;
    // nothing where neither does.
    std::string loadMomentsOverSpan() const {
        WorkingLine sum = line();
        bool any = false;
        for (const auto& [force, arm] :
             {std::pair{solution_.rectangleForce, solution_.rectangleArmFromA},
              std::pair{solution_.triangleForce, solution_.triangleArmFromA}}) {
            if (force == 0) continue;
            sum.text(any ? " + " : "(").factor(force).text(" × ").factor(arm);
            any = true;
        }
        if (!any) return "";
        return sum.text(") / ").factor(beam_.span).text(" = ").take();
    }

    // "12 + 6 − 8.66667 = ", the blocks' resultants that are not zero, less By.
    std::string loadsLessB() const {
        WorkingLine sum = line();
        bool any = false;
        for (const double force : {solution_.rectangleForce, solution_.triangleForce}) {
            if (force == 0) continue;
            if (any) sum.text(" + ");
            sum.factor(force);
            any = true;
        }
        if (!any && beam_.reactionB == 0) return "";
        sum.text(any ? " \u2212 " : "\u2212").factor(beam_.reactionB);
        return sum.text(" = ").take();
    }

    std::string rectangleResultant() const {
        if (!rectangleHasLoad()) return "Rectangular block: w₁ = 0, so F₁ = 0.";
        return line()
            .text("Rectangular block: F₁ = w₁ × (L2 \u2212 L1) = ")
            .factor(beam_.rectangleWeight)
            .text(" × ")
            .factor(forms_.pointE)
            .text(" = ")
            .force(solution_.rectangleForce)
            .text(", at d₁ = (L2 \u2212 L1) / 2 = ")
            .length(solution_.rectangleArmFromA)
            .text(" from Pt-A.")
            .take();
    }

    std::string triangleResultant() const {
        if (!triangleHasLoad()) return "Triangular block: w₂ = 0, so F₂ = 0.";
        return line()
            .text("Triangular block: F₂ = ½ × L1 × w₂ = ½ × ")
            .factor(beam_.triangleLength)
            .text(" × ")
            .factor(beam_.triangleWeight)
            .text(" = ")
            .force(solution_.triangleForce)
            .text(", at d₂ = (L2 \u2212 L1) + L1 / 3 = ")
            .length(solution_.triangleArmFromA)
            .text(" from Pt-A.")
            .take();
    }

    std::string horizontalForces() const {
        const double ax = inputs_.leftHorizontalForce;
        const double bx = inputs_.rightHorizontalForce;
        if (ax == 0 && bx == 0) return "Forces in x: Ax = Bx = 0, nothing acts along the beam.";
        const double net = ax - bx;
        WorkingLine said = line();
        said.text("Forces in x, towards Pt-B positive (Ax acts towards Pt-B, Bx towards Pt-A): "
                  "ΣFx = Ax \u2212 Bx = ")
            .factor(ax)
            .text(" \u2212 ")
            .factor(bx)
            .text(" = ")
            .force(net);
        if (net == 0) return said.text(": they balance.").take();
        return said.text(", that is ")
            .force(std::abs(net))
            .text(net > 0 ? " towards Pt-B" : " towards Pt-A")
            .text(": the forces given do not balance along the beam, as the transcript's "
                  "horizontal case says.")
            .take();
    }

    // --- The load along the beam ----------------------------------------------

    WorkingStep loads() const {
        WorkingStep step{"loads", "", "The load along the beam, w(x)", {}};
        auto& lines = step.lines;
        lines.push_back(line()
                            .text("x is measured from Pt-A; a positive w(x) presses the beam "
                                  "down. Pt-E is at a = L2 \u2212 L1 = ")
                            .length(forms_.pointE)
                            .text(".")
                            .take());
        if (!hasFirstSection(beam_))
            lines.push_back("No rectangular block: L1 = L2, so one section covers the whole beam.");
        else if (rectangleHasLoad())
            lines.push_back(line()
                                .text("Rectangular block: w(x) = w₁ = ")
                                .weight(beam_.rectangleWeight)
                                .text(" for ")
                                .text(firstRange())
                                .text(".")
                                .take());
        else
            lines.push_back(line()
                                .text("Rectangular block: w₁ = 0, no load for ")
                                .text(firstRange())
                                .text(": V is constant there.")
                                .take());
        if (!hasSecondSection(beam_))
            lines.push_back("No triangular block: L1 = 0, so one section covers the whole beam.");
        else if (triangleHasLoad())
            lines.push_back(triangleLoad());
        else
            lines.push_back(line()
                                .text("Triangular block: w₂ = 0, no load for ")
                                .text(secondRange())
                                .text(": V is constant there.")
                                .take());
        return step;
    }

    std::string triangleLoad() const {
        return line()
            .text("Triangular block: w(x) = w₂ × (L2 \u2212 x) / L1 = ")
            .factor(beam_.triangleWeight)
            .text(" × (")
            .number(beam_.span)
            .text(" \u2212 x) / ")
            .factor(beam_.triangleLength)
            .unit(units_.weight)
            .text(" for ")
            .text(secondRange())
            .text(": ")
            .weight(beam_.triangleWeight)
            .text(" at Pt-E, falling to 0 at Pt-B.")
            .take();
    }

    // --- The sections -----------------------------------------------------------

    WorkingStep firstSection() const {
        const double ay = beam_.reactionA;
        const double w = beam_.rectangleWeight;
        WorkingStep step{"section1",
                         "section1",
                         line().text("Section 1: a cut at x, ").text(firstRange()).take(),
                         {}};
        auto& lines = step.lines;
        WorkingLine left = line();
        left.text("Left of the cut: Ay upward at Pt-A, x from the cut; ");
        if (rectangleHasLoad())
            left.text("the rectangular block's load from Pt-A to the cut, w₁x = ")
                .terms(Terms().add(w, "x"))
                .unit(units_.force)
                .text(" downward, acting x / 2 from the cut; ");
        lines.push_back(left.text("at the cut, V(x) and M(x) in their positive senses "
                                  "(V downward on this face, M counterclockwise).")
                            .take());
        lines.push_back(rectangleHasLoad()
                            ? "Forces in y, upward positive: Ay \u2212 w₁x \u2212 V(x) = 0"
                            : "Forces in y, upward positive: Ay \u2212 V(x) = 0");
        const Terms shear = Terms().add(ay).add(-w, "x");
        lines.push_back(solved(rectangleHasLoad() ? "V(x) = Ay \u2212 w₁x" : "V(x) = Ay", shear,
                               units_.force, rectangleHasLoad() ? 1 : 0));
        lines.push_back(rectangleHasLoad() ? "Moments about the cut, counterclockwise positive: "
                                             "M(x) \u2212 Ay·x + w₁x · x / 2 = 0"
                                           : "Moments about the cut, counterclockwise positive: "
                                             "M(x) \u2212 Ay·x = 0");
        const Terms bending = Terms().add(ay, "x").add(-forms_.halfRectangleWeight, "x²");
        lines.push_back(solved(rectangleHasLoad() ? "M(x) = Ay·x \u2212 w₁x² / 2" : "M(x) = Ay·x",
                               bending, units_.moment, rectangleHasLoad() ? 2 : 1));
        lines.push_back(slopeCheck(0, forms_.pointE,
                                   rectangleHasLoad()
                                       ? line().text("dV/dx = ").terms(Terms().add(-w)).take()
                                       : "dV/dx = 0"));
        return step;
    }

    WorkingStep secondSection() const {
        const double wt = beam_.triangleWeight;
        WorkingStep step{"section2",
                         "section2",
                         line()
                             .text("Section 2: a cut at x, ")
                             .text(secondRange())
                             .text(", ")
                             .text(sFromE())
                             .text(" from Pt-E")
                             .take(),
                         {}};
        auto& lines = step.lines;
        lines.push_back(secondSectionLoads());
        const bool rectangle = hasFirstSection(beam_);
        lines.push_back(
            std::string("Forces in y, upward positive: Ay") + (rectangle ? " \u2212 F₁" : "") +
            (triangleHasLoad() ? " \u2212 w₂s + w₂s² / (2L1)" : "") + " \u2212 V(x) = 0");
        const Terms shear =
            Terms().add(forms_.shearAtE).add(-wt, "s").add(forms_.shearSquare, "s²");
        lines.push_back(solved(std::string("V(x) = Ay") + (rectangle ? " \u2212 F₁" : "") +
                                   (triangleHasLoad() ? " \u2212 w₂s + w₂s² / (2L1)" : ""),
                               shear, units_.force, triangleHasLoad() ? 2 : 0,
                               triangleHasLoad() ? ", " + sFromE() : ""));
        WorkingLine moments = line();
        moments.text("Moments about the cut, counterclockwise positive: M(x) \u2212 Ay·x");
        if (rectangle) moments.text(" + F₁(x \u2212 ").number(forms_.pointE / 2).text(")");
        if (triangleHasLoad()) moments.text(" + w₂s · s / 2 \u2212 (w₂s² / (2L1)) · s / 3");
        lines.push_back(moments.text(" = 0").take());
        Terms bending;
        bending.add(beam_.reactionA, "x");
        if (rectangle)
            bending.add(-forms_.rectangleForce,
                        line().text("(x \u2212 ").number(forms_.pointE / 2).text(")").take());
        bending.add(-forms_.halfTriangleWeight, "s²").add(forms_.momentCube, "s³");
        lines.push_back(solved(std::string("M(x) = Ay·x") +
                                   (rectangle ? " \u2212 F₁(x \u2212 a / 2)" : "") +
                                   (triangleHasLoad() ? " \u2212 w₂s² / 2 + w₂s³ / (6L1)" : ""),
                               bending, units_.moment, triangleHasLoad() ? 3 : 1));
        const std::string dV = triangleHasLoad()
                                   ? line()
                                         .text("dV/dx = ")
                                         .terms(Terms().add(-wt).add(2 * forms_.shearSquare, "s"))
                                         .take()
                                   : "dV/dx = 0";
        lines.push_back(slopeCheck(forms_.pointE, beam_.span, dV));
        return step;
    }

    std::string secondSectionLoads() const {
        WorkingLine loads = line();
        loads.text("Left of the cut: Ay upward at Pt-A, x from the cut; ");
        if (hasFirstSection(beam_))
            loads.text("all of the rectangular block, F₁ = ")
                .force(forms_.rectangleForce)
                .text(" downward, acting x \u2212 ")
                .number(forms_.pointE / 2)
                .text(" from the cut; ");
        if (triangleHasLoad())
            loads.text("the triangular block from Pt-E to the cut, w₂s \u2212 w₂s² / (2L1) = ")
                .terms(Terms().add(beam_.triangleWeight, "s").add(-forms_.shearSquare, "s²"))
                .unit(units_.force)
                .text(" downward: w₂s acting s / 2 from the cut, less ")
                .text("w₂s² / (2L1) acting s / 3 from it; ");
        return loads.text("at the cut, V(x) and M(x) in their positive senses.").take();
    }

    // "V(x) = <symbols> = <polynomial> <unit><after>: <its shape>."
    std::string solved(const std::string& symbols, const Terms& polynomial, std::string_view unit,
                       int degree, const std::string& after = "") const {
        return line()
            .text(symbols)
            .text(" = ")
            .terms(polynomial)
            .unit(unit)
            .text(after)
            .text(": ")
            .text(shapeOf(degree))
            .text(".")
            .take();
    }

    // dV/dx = -w(x) and dM/dx = V(x), looked for on the drawn curves between
    // x = from and x = to: each step's slopes against the mean of its ends.
    std::string slopeCheck(double from, double to, const std::string& dV) const {
        const auto& curve = diagrams_.curve;
        const double largestShear = largestSize(curve, &Section::shear);
        const double largestMoment = largestSize(curve, &Section::moment);
        const double largestLoad =
            std::max(std::abs(beam_.rectangleWeight), std::abs(beam_.triangleWeight));
        bool shearHolds = true;
        bool momentHolds = true;
        for (std::size_t i = 1; i < curve.size(); ++i) {
            const Section& p = curve[i - 1];
            const Section& q = curve[i];
            const double step = q.position - p.position;
            if (!(p.position >= from && q.position <= to) || !(step > 0)) continue;
            const double load = (loadAt(p.position, from) + loadAt(q.position, from)) / 2;
            const double shearSlope = (q.shear - p.shear) / step;
            const double momentSlope = (q.moment - p.moment) / step;
            const double meanShear = (p.shear + q.shear) / 2;
            shearHolds =
                shearHolds && std::abs(shearSlope + load) <=
                                  kSlopeTolerance * (largestLoad + largestShear / beam_.span);
            momentHolds =
                momentHolds && std::abs(momentSlope - meanShear) <=
                                   kSlopeTolerance * (largestShear + largestMoment / beam_.span);
        }
        return line()
            .text("Checked on the curves over the section: ")
            .text(dV)
            .text(shearHolds ? " = \u2212w(x), the slope of V"
                             : ", which the slope of V does not follow")
            .text("; dM/dx = V(x)")
            .text(momentHolds ? ", the slope of M." : ", which the slope of M does not follow.")
            .take();
    }

    // w(x) in the section that begins at `from`.
    double loadAt(double x, double from) const {
        if (from < forms_.pointE || !hasSecondSection(beam_)) return beam_.rectangleWeight;
        return beam_.triangleWeight * (beam_.span - x) / beam_.triangleLength;
    }

    // --- Where V = 0, where M = 0, the largest moments ----------------------------

    WorkingStep zeroShear() const {
        WorkingStep step{"zeroShear", "", "Where the shear force is zero", {}};
        if (hasFirstSection(beam_)) step.lines.push_back(firstSectionZeroShearLine());
        if (hasSecondSection(beam_)) step.lines.push_back(secondSectionZeroShearLine());
        return step;
    }

    // "…, inside <range>; there M = …." after an "x = ".
    std::string rootInside(const Root& root, std::string_view range) const {
        return line()
            .length(root.x)
            .text(", inside ")
            .text(range)
            .text("; there M = ")
            .moment(sectionAt(beam_, root.x).moment)
            .text(".")
            .take();
    }

    std::string firstSectionZeroShearLine() const {
        WorkingLine said = line();
        said.text("Section 1: V(x) = ")
            .terms(Terms().add(beam_.reactionA).add(-beam_.rectangleWeight, "x"))
            .text(" = 0");
        const std::vector<Root> roots = firstSectionZeroShear(beam_);
        if (roots.empty())
            return said
                .text(beam_.reactionA == 0 && beam_.rectangleWeight == 0
                          ? " all along the section."
                          : ": no root, V keeps its sign over the section.")
                .take();
        const Root& root = roots.front();
        said.text(", so x = Ay / w₁ = ");
        if (root.inside) return said.text(rootInside(root, firstRange())).take();
        return said.length(root.x).text(", outside ").text(firstRange()).text(".").take();
    }

    std::string secondSectionZeroShearLine() const {
        WorkingLine said = line();
        said.text("Section 2: ");
        if (!triangleHasLoad())
            return said.text("V(x) = ")
                .force(forms_.shearAtE)
                .text(" all along the section")
                .text(forms_.shearAtE == 0 ? "." : ": never zero.")
                .take();
        said.text("V = ")
            .terms(Terms()
                       .add(forms_.shearSquare, "s²")
                       .add(-beam_.triangleWeight, "s")
                       .add(forms_.shearAtE))
            .text(" = 0");
        const std::vector<Root> roots = secondSectionZeroShear(beam_, forms_);
        if (roots.empty())
            return said.text(": no real root, V keeps its sign over the section.").take();
        bool anyInside = false;
        for (std::size_t i = 0; i < roots.size(); ++i) {
            said.text(i == 0 ? ", so s = " : " or s = ").length(roots[i].x - forms_.pointE);
            anyInside = anyInside || roots[i].inside;
        }
        const std::string range = line().text("0 ≤ s ≤ ").length(beam_.triangleLength).take();
        if (!anyInside)
            said.text(roots.size() == 1 ? ", not" : ", neither").text(" in ").text(range).text(".");
        for (const Root& root : roots)
            if (root.inside)
                said.text("; in ").text(range).text(": x = ").text(rootInside(root, "the section"));
        return said.take();
    }

    WorkingStep contraflexure() const {
        WorkingStep step{
            "contraflexure", "", "Where the bending moment is zero (contraflexure)", {}};
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
        WorkingStep step{"largest", "", "The largest bending moments", {}};
        step.lines.push_back("M is largest where V = 0 (dM/dx = V), at a support or at Pt-E, "
                             "where the sections meet: M there, compared.");
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
        WorkingStep step{"checks", "", "Checks at Pt-B", {}};
        step.lines.push_back(line()
                                 .text("V just left of Pt-B: V(")
                                 .number(beam_.span)
                                 .text(") = ")
                                 .force(end.shear)
                                 .text(", and \u2212By = ")
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
    const BeamInputs& inputs_;
    const BeamSolution& solution_;
    const LoadDiagrams& diagrams_;
    const BeamLoading& beam_;
    SectionForms forms_;
    const Extremes& extremes_;
};

} // namespace

std::vector<WorkingStep> sectionWorking(const PageUnits& units, const BeamInputs& inputs,
                                        const BeamSolution& solution,
                                        const LoadDiagrams& diagrams) {
    return Working(units, inputs, solution, diagrams).steps();
}

} // namespace parabeam
