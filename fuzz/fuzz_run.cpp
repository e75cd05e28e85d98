// Arbitrary bytes as the answers to the ten prompts, through the whole pure
// run: dialogue, derivation, horizontal case and record, all into memory.
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "console/dialogue.hpp"
#include "console/input_reader.hpp"
#include "fuzz_check.hpp"
#include "support/in_memory_run.hpp"
#include "support/reference_entries.hpp"
#include "support/solution_fields.hpp"
#include "support/text.hpp"

namespace parabeam::fuzzing {
namespace {

struct RunOutput {
    BeamInputs inputs;
    std::string console;
    std::string record;
};

void requireSameSolution(const BeamSolution& reported, const BeamSolution& computed) {
    for (const auto& field : testing::kSolutionFields)
        require(testing::sameDouble(reported.*field.member, computed.*field.member),
                std::string("the reported ") + field.name + " differs from the computed one");
}

// The dialogue on the bytes, then the run's other phases, all in memory.
RunOutput runPure(std::string_view bytes) {
    std::istringstream in{std::string(bytes)};
    std::ostringstream console;
    RunOutput out;
    readInputs(out.inputs, in, console);
    const testing::InMemoryRun run = testing::runAfterDialogue(out.inputs);
    requireSameSolution(run.solution, computeBeamSolution(out.inputs));
    out.console = std::move(console).str() + run.report;
    out.record = run.record;
    return out;
}

void requireEntriesAsTyped(std::string_view bytes, const BeamInputs& stored) {
    const BeamInputs expected = testing::referenceInputs(testing::readReferenceEntries(bytes));
    const double BeamInputs::*reals[] = {&BeamInputs::triangleLength,
                                         &BeamInputs::beamLength,
                                         &BeamInputs::height,
                                         &BeamInputs::triangleWeight,
                                         &BeamInputs::rectangleWeight,
                                         &BeamInputs::leftHorizontalForce,
                                         &BeamInputs::rightHorizontalForce};
    for (std::size_t i = 0; i < std::size(reals); ++i)
        require(testing::sameDouble(stored.*reals[i], expected.*reals[i]),
                "real entry " + std::to_string(i + 1) + " is " +
                    testing::exactText(stored.*reals[i]) + ", expected " +
                    testing::exactText(expected.*reals[i]));
    const UnitWord BeamInputs::*words[] = {&BeamInputs::weightUnit, &BeamInputs::forceUnit,
                                           &BeamInputs::lengthUnit};
    for (std::size_t i = 0; i < std::size(words); ++i) {
        const UnitWord& word = stored.*words[i];
        require(word.text[UnitWord::kMaxLength] == '\0', "unit word without terminator");
        for (char c : word.text)
            require(!isEntrySpace(c), "white space inside a unit word");
        require(word.text == (expected.*words[i]).text,
                "unit word " + std::to_string(i + 1) + " is \"" + std::string(word.view()) +
                    "\", expected \"" + std::string((expected.*words[i]).view()) + "\"");
    }
}

void requireWholeRecord(const std::string& record) {
    std::size_t lines = 0;
    for (char c : record)
        lines += c == '\n' ? 1 : 0;
    require(lines == 16, "the record has " + std::to_string(lines) + " lines");
    const std::string closing = std::string(118, '-') + "\n";
    require(record.ends_with("\n" + closing), "the record does not end with its closing line");
}

} // namespace
} // namespace parabeam::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace parabeam::fuzzing;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RunOutput first = runPure(bytes);
    requireEntriesAsTyped(bytes, first.inputs);
    requireWholeRecord(first.record);
    const RunOutput second = runPure(bytes);
    require(first.console == second.console, "the console output differs on a second run");
    require(first.record == second.record, "the record differs on a second run");
    return 0;
}
