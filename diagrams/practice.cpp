#include "diagrams/practice.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "diagrams/json_writer.hpp"
#include "diagrams/read_out.hpp"
#include "solver/beam_sections.hpp"

namespace parabeam {
namespace {

constexpr double kShare = 0.005; // 0.5%
constexpr double kUnitsFactor = 1000;
// Of the scale: what the derivation's rounding (its decimal thirds) leaves of
// a value that is zero, as at Pt-E when the two blocks balance there.
constexpr double kRoundingNoise = 1e-6;

// The same when both are rounded to three significant figures.
bool sameToThreeFigures(double a, double b) {
    if (a == 0 || b == 0 || std::signbit(a) != std::signbit(b)) return false;
    const double power = std::floor(std::log10(std::abs(b))) - 2;
    const double unit = std::pow(10.0, power);
    // Below about 1e-305 the unit is no longer a normal number (or is 0),
    // and dividing by it says nothing.
    if (!std::isnormal(unit)) return false;
    return std::round(a / unit) == std::round(b / unit);
}

bool close(double typed, double exact) {
    return std::abs(typed - exact) <= kShare * std::abs(exact) || sameToThreeFigures(typed, exact);
}

std::string_view verdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::right:
        return "right";
    case Verdict::wrongSign:
        return "wrongSign";
    case Verdict::otherUnits:
        return "otherUnits";
    case Verdict::off:
        return "off";
    case Verdict::notANumber:
        break;
    }
    return "notANumber";
}

std::string_view unitOf(Quantity quantity, const PageUnits& units) {
    if (quantity == Quantity::force) return units.force;
    return quantity == Quantity::moment ? units.moment : units.length;
}

// Which way a sign goes, for a value of the right size and the wrong sign.
std::string_view signRule(Quantity quantity) {
    switch (quantity) {
    case Quantity::force:
        return "upward forces count positive, and V is positive when the forces left of the "
               "cut act upward.";
    case Quantity::moment:
        return "sagging moments count positive: M(x) balances the moments of the forces left of "
               "the cut, counterclockwise positive.";
    case Quantity::length:
        break;
    }
    return "x is measured from Pt-A towards Pt-B.";
}

std::string sentenceFor(Verdict verdict, const PracticeItem& item, const PageUnits& units) {
    const std::string_view unit = unitOf(item.quantity, units);
    switch (verdict) {
    case Verdict::right:
        return "Right.";
    case Verdict::wrongSign:
        return "The right size, but the wrong sign: " + std::string(signRule(item.quantity));
    case Verdict::otherUnits:
        return "A factor of 1000 off: in other units? The answers are in " +
               (unit.empty() ? std::string("the problem's units") : std::string(unit)) + ".";
    case Verdict::off:
        return "Not yet. " + item.hint;
    case Verdict::notANumber:
        break;
    }
    return "Type a number, as the program reads one: 9.33, -2.5 or 1.5e3, with no commas.";
}

std::string verdictJson(Verdict verdict, const std::string& sentence) {
    JsonWriter json;
    json.beginObject()
        .key("verdict")
        .string(verdictName(verdict))
        .key("sentence")
        .string(sentence)
        .endObject();
    return json.text();
}

// The largest |M| on the beam, sagging or hogging.
const Section* largestMoment(const Extremes& found) {
    if (found.hasSagging && (!found.hasHogging || found.sagging.moment >= -found.hogging.moment))
        return &found.sagging;
    return found.hasHogging ? &found.hogging : nullptr;
}

// The largest size of the quantity on the beam: what a zero is judged against.
double scaleOf(Quantity quantity, const LoadDiagrams& diagrams) {
    if (quantity == Quantity::length) return diagrams.beam.span;
    return largestSize(diagrams.curve,
                       quantity == Quantity::force ? &Section::shear : &Section::moment);
}

} // namespace

std::string_view quantityName(Quantity quantity) {
    switch (quantity) {
    case Quantity::force:
        return "force";
    case Quantity::moment:
        return "moment";
    case Quantity::length:
        break;
    }
    return "length";
}

Verdict judge(double typed, double exact, double scale) {
    if (!std::isfinite(typed)) return Verdict::notANumber;
    // A value that should be zero: no sign to get wrong, no size to scale.
    if (std::abs(exact) <= kRoundingNoise * scale)
        return std::abs(typed - exact) <= kShare * scale ? Verdict::right : Verdict::off;
    if (close(typed, exact)) return Verdict::right;
    if (close(-typed, exact)) return Verdict::wrongSign;
    if (close(typed / kUnitsFactor, exact) || close(typed * kUnitsFactor, exact) ||
        close(-typed / kUnitsFactor, exact) || close(-typed * kUnitsFactor, exact))
        return Verdict::otherUnits;
    return Verdict::off;
}

std::vector<PracticeItem> practiceItems(const LoadDiagrams& diagrams) {
    const BeamLoading& beam = diagrams.beam;
    const bool first = hasFirstSection(beam);
    const std::string lastSection = hasSecondSection(beam) ? "section2" : "section1";
    std::vector<PracticeItem> items{
        {"ay", "Ay", Quantity::force, beam.reactionA, "reactions",
         "Once By is known, resolve the forces on the whole beam in y: Ay and By together "
         "carry both blocks' resultants."},
        {"by", "By", Quantity::force, beam.reactionB, "reactions",
         "Take moments about Pt-A for the whole beam: By times L2 balances each block's "
         "resultant times its lever arm."},
        {"vA", "V at Pt-A", Quantity::force, diagrams.pointA.shear, first ? "section1" : "section2",
         "Cut just right of Pt-A: the only force left of the cut is Ay."},
        {"mA", "M at Pt-A", Quantity::moment, diagrams.pointA.moment,
         first ? "section1" : "section2",
         "At Pt-A nothing left of the cut has a lever arm, and a pin carries no moment."},
    };
    if (first && hasSecondSection(beam)) {
        items.push_back({"vE", "V at Pt-E", Quantity::force, diagrams.pointE.shear, "section1",
                         "Put x = L2 − L1 into V(x) of section 1: Ay less all of the rectangular "
                         "block's load."});
        items.push_back({"mE", "M at Pt-E", Quantity::moment, diagrams.pointE.moment, "section1",
                         "Put x = L2 − L1 into M(x) of section 1."});
    }
    items.push_back({"vB", "V just left of Pt-B", Quantity::force, diagrams.pointB.shear,
                     lastSection,
                     "Put x = L2 into V(x) of the last section, or look from the right: only By "
                     "acts right of a cut just left of Pt-B."});
    items.push_back({"mB", "M at Pt-B", Quantity::moment, diagrams.pointB.moment, lastSection,
                     "A rocker carries no moment; M(x) of the last section comes to it at "
                     "x = L2."});
    const auto& zeros = diagrams.extremes.zeroShear;
    for (std::size_t i = 0; i < zeros.size(); ++i) {
        const std::string which = zeros.size() == 1 ? "" : i == 0 ? " (first)" : " (second)";
        const std::string n = std::to_string(i + 1);
        items.push_back({"xZero" + n, "x where V = 0" + which, Quantity::length, zeros[i].position,
                         "zeroShear",
                         "Set V(x) of the section to zero and solve for x; keep the root that "
                         "lies inside the section."});
        items.push_back({"mZero" + n, "M where V = 0" + which, Quantity::moment, zeros[i].moment,
                         "zeroShear", "Put that x into M(x) of the same section."});
    }
    if (const Section* largest = largestMoment(diagrams.extremes)) {
        items.push_back({"mLargest", "The largest moment (with its sign)", Quantity::moment,
                         largest->moment, "largest",
                         "M is largest where V = 0, at a support or at Pt-E: work out M at each "
                         "and take the one of largest size."});
        items.push_back({"xLargest", "x of the largest moment", Quantity::length, largest->position,
                         "largest",
                         "The largest moment is at one of the points where V = 0, at a support "
                         "or at Pt-E."});
    }
    return items;
}

std::string describeCheck(const PracticeItem& item, std::string_view typed,
                          const LoadDiagrams& diagrams, const PageUnits& units) {
    const std::optional<double> value = readTypedNumber(typed);
    const Verdict verdict =
        value ? judge(*value, item.exact, scaleOf(item.quantity, diagrams)) : Verdict::notANumber;
    return verdictJson(verdict, sentenceFor(verdict, item, units));
}

std::string describeCheckAtX(std::string_view typedX, std::string_view typed, bool moment,
                             const LoadDiagrams& diagrams, const PageUnits& units) {
    const BeamLoading& beam = diagrams.beam;
    const std::optional<double> x = readTypedNumber(typedX);
    if (!x || !(*x >= 0 && *x <= beam.span))
        return verdictJson(Verdict::notANumber,
                           "First type your x: a distance from Pt-A, on the beam.");
    const Section exact = sectionAt(beam, *x);
    const bool inFirst = hasFirstSection(beam) && (*x <= beam.pointE() || !hasSecondSection(beam));
    const std::string section = inFirst ? "section 1" : "section 2";
    const PracticeItem item{moment ? "mAtX" : "vAtX",
                            moment ? "M at your x" : "V at your x",
                            moment ? Quantity::moment : Quantity::force,
                            moment ? exact.moment : exact.shear,
                            inFirst ? "section1" : "section2",
                            "Your x lies in " + section + ": put it into " +
                                (moment ? "M(x)" : "V(x)") + " of that section."};
    return describeCheck(item, typed, diagrams, units);
}

} // namespace parabeam
