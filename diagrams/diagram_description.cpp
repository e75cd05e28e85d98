#include "diagrams/diagram_description.hpp"

#include <cmath>
#include <string_view>
#include <utility>

#include "diagrams/json_writer.hpp"
#include "diagrams/page_numbers.hpp"
#include "diagrams/page_units.hpp"
#include "diagrams/practice.hpp"
#include "diagrams/section_working.hpp"
#include "solver/load_diagrams.hpp"

namespace parabeam {
namespace {

constexpr int kStepsPerSegment = 48;

std::string_view sentenceFor(NoDiagrams reason) {
    switch (reason) {
    case NoDiagrams::none:
        break;
    case NoDiagrams::answersMissing:
        return "No diagrams: an answer could not be read as a number, or the input ended, before all seven values of the beam were given.";
    case NoDiagrams::notFinite:
        return "No diagrams: the values are too large to draw.";
    case NoDiagrams::noSpan:
        return "No diagrams: the length L2 of the entire beam must be greater than zero.";
    case NoDiagrams::negativeTriangle:
        return "No diagrams: the length L1 of the triangular beam cannot be negative.";
    case NoDiagrams::triangleTooLong:
        return "No diagrams: the triangular beam (L1) cannot be longer than the entire beam (L2).";
    }
    return {};
}

void writeSectionOrNull(JsonWriter& json, bool present, const Section& section) {
    if (present)
        writeSection(json, section);
    else
        json.null();
}

// The tick steps an x axis may use, 1, 2, 2.5 and 5 times a power of ten,
// each with its marks from 0 to L2: from a few marks over the span up to
// kMostTicks of them. The page takes the finest step its width has room for;
// each figure has at most kMostTicks marks, whatever the span.
constexpr int kMostTicks = 64;

void writeTicks(JsonWriter& json, double span) {
    json.beginArray();
    const int firstPower = static_cast<int>(std::floor(std::log10(span / kMostTicks)));
    for (int power = firstPower; power <= firstPower + 3; ++power) {
        for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
            const double step = factor * std::pow(10.0, power);
            // Marks up to the span, and a rounding short of it.
            const double count = std::floor(span / step * (1 + 1e-9));
            if (!std::isfinite(step) || !(step > 0) || count > kMostTicks || count < 1) continue;
            json.beginObject().key("step");
            writeQuantity(json, step);
            json.key("marks").beginArray();
            for (int index = 0; index <= static_cast<int>(count); ++index)
                writeQuantity(json, index * step);
            json.endArray().endObject();
        }
    }
    json.endArray();
}

// The values to practise: each with its field's name, its unit, the working
// step that gives it and its answer; and the rule for what counts as right.
void writePractice(JsonWriter& json, const LoadDiagrams& diagrams) {
    json.key("practice").beginObject().key("rule").string(kPrecisionRule);
    json.key("values").beginArray();
    for (const PracticeItem& item : practiceItems(diagrams)) {
        json.beginObject().key("id").string(item.id).key("name").string(item.name);
        json.key("kind").string(quantityName(item.quantity));
        json.key("step").string(item.step).key("answer");
        writeQuantity(json, item.exact);
        json.endObject();
    }
    json.endArray().endObject();
}

void describe(JsonWriter& json, const BeamInputs& inputs, const BeamSolution& solution,
              const LoadDiagrams& diagrams) {
    const PageUnits units = pageUnits(inputs);
    json.key("units").beginObject();
    json.key("weight").string(units.weight);
    json.key("force").string(units.force);
    json.key("length").string(units.length);
    json.key("moment").string(units.moment);
    json.endObject();

    const std::pair<std::string_view, double> values[] = {
        {"span", inputs.beamLength},
        {"triangleLength", inputs.triangleLength},
        {"triangleWeight", inputs.triangleWeight},
        {"rectangleWeight", inputs.rectangleWeight},
        {"ay", solution.reactionA},
        {"by", solution.reactionB},
        {"ax", inputs.leftHorizontalForce},
        {"bx", inputs.rightHorizontalForce},
        // The two blocks' resultants and their lever arms, as the derivation has them.
        {"rectangleLength", solution.rectangleLength},
        {"rectangleForce", solution.rectangleForce},
        {"rectangleArmFromA", solution.rectangleArmFromA},
        {"triangleForce", solution.triangleForce},
        {"triangleArmFromA", solution.triangleArmFromA},
        // Asked for and used nowhere, but one of the problem's answers.
        {"height", inputs.height},
    };
    for (const auto& [name, value] : values) {
        json.key(name);
        writeQuantity(json, value);
    }

    const std::pair<std::string_view, const Section&> sections[] = {
        {"pointA", diagrams.pointA},
        {"pointE", diagrams.pointE},
        {"pointB", diagrams.pointB},
    };
    for (const auto& [name, section] : sections) {
        json.key(name);
        writeSection(json, section);
    }
    const Extremes& extremes = diagrams.extremes;
    json.key("zeroShear").beginArray();
    for (const Section& section : extremes.zeroShear)
        writeSection(json, section);
    json.endArray();
    json.key("contraflexure").beginArray();
    for (const Section& section : extremes.contraflexure)
        writeSection(json, section);
    json.endArray();
    json.key("sagging");
    writeSectionOrNull(json, extremes.hasSagging, extremes.sagging);
    json.key("hogging");
    writeSectionOrNull(json, extremes.hasHogging, extremes.hogging);
    json.key("curve").beginArray();
    for (const Section& section : diagrams.curve)
        writeSection(json, section);
    json.endArray();
    json.key("ticks");
    writeTicks(json, inputs.beamLength);
    json.key("working").beginArray();
    for (const WorkingStep& step : sectionWorking(units, inputs, solution, diagrams)) {
        json.beginObject().key("id").string(step.id).key("figure").string(step.figure);
        json.key("heading").string(step.heading).key("lines").beginArray();
        for (const std::string& line : step.lines)
            json.string(line);
        json.endArray().endObject();
    }
    json.endArray();
    writePractice(json, diagrams);
}

} // namespace

LoadDiagrams diagramsOfRun(const BeamInputs& inputs, const BeamSolution& solution,
                           bool allNumbersRead) {
    return loadDiagrams(inputs, solution, allNumbersRead, kStepsPerSegment);
}

std::string describeDiagrams(const BeamInputs& inputs, const BeamSolution& solution,
                             const LoadDiagrams& diagrams) {
    JsonWriter json;
    json.beginObject();
    if (diagrams.reason != NoDiagrams::none)
        json.key("reason").string(sentenceFor(diagrams.reason));
    if (!diagrams.curve.empty()) describe(json, inputs, solution, diagrams);
    json.endObject();
    return json.text();
}

} // namespace parabeam
