#include "web/diagram_description.hpp"

#include <string>
#include <string_view>
#include <utility>

#include "console/number_format.hpp"
#include "solver/load_diagrams.hpp"

namespace parabeam {
namespace {

constexpr int kStepsPerSegment = 48;
// Prompts (1) to (7) ask for numbers, before the three unit words.
constexpr int kNumberCount = 7;

void appendString(std::string& json, std::string_view text) {
    constexpr char kHex[] = "0123456789abcdef";
    json += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00";
            json += kHex[byte >> 4];
            json += kHex[byte & 0xf];
        } else {
            json += c; // other bytes as typed; the page decodes them as UTF-8
        }
    }
    json += '"';
}

void appendReal(std::string& json, double value) {
    char text[kRealTextCapacity];
    appendString(json, {text, formatReal(value, text)});
}

void appendKey(std::string& json, std::string_view key) {
    if (json.back() != '{' && json.back() != '[') json += ',';
    appendString(json, key);
    json += ':';
}

void appendSection(std::string& json, std::string_view key, const Section& section) {
    appendKey(json, key);
    json += '{';
    appendKey(json, "x");
    appendReal(json, section.position);
    appendKey(json, "shear");
    appendReal(json, section.shear);
    appendKey(json, "moment");
    appendReal(json, section.moment);
    json += '}';
}

std::string describe(const BeamInputs& inputs, const BeamSolution& solution,
                     const LoadDiagrams& diagrams) {
    std::string json = "{";
    appendKey(json, "units");
    json += '{';
    appendKey(json, "weight");
    appendString(json, inputs.weightUnit.view());
    appendKey(json, "force");
    appendString(json, inputs.forceUnit.view());
    appendKey(json, "length");
    appendString(json, inputs.lengthUnit.view());
    json += '}';

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
    };
    for (const auto& [key, value] : values) {
        appendKey(json, key);
        appendReal(json, value);
    }

    appendSection(json, "pointA", diagrams.pointA);
    appendSection(json, "pointE", diagrams.pointE);
    appendSection(json, "pointB", diagrams.pointB);
    appendSection(json, "largest", diagrams.largest);
    appendKey(json, "zeroShear");
    json += '[';
    for (const double position : diagrams.zeroShear) {
        if (json.back() != '[') json += ',';
        appendReal(json, position);
    }
    json += ']';
    appendKey(json, "curve");
    json += '[';
    for (const Section& section : diagrams.curve) {
        if (json.back() != '[') json += ',';
        json += '[';
        appendReal(json, section.position);
        json += ',';
        appendReal(json, section.shear);
        json += ',';
        appendReal(json, section.moment);
        json += ']';
    }
    json += "]}";
    return json;
}

} // namespace

std::string describeDiagrams(const RunOutcome& outcome) {
    const bool allNumbersRead = outcome.answersRead >= kNumberCount;
    const LoadDiagrams diagrams =
        loadDiagrams(outcome.inputs, outcome.solution, allNumbersRead, kStepsPerSegment);
    if (!diagrams.reason.empty()) {
        std::string json = "{";
        appendKey(json, "reason");
        appendString(json, diagrams.reason);
        return json + "}";
    }
    return describe(outcome.inputs, outcome.solution, diagrams);
}

} // namespace parabeam
