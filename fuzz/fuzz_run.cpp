// Arbitrary bytes as the answers to the ten prompts, through the whole pure
// run: report and record, all into memory.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "numbers/input_reader.hpp"
#include "support/in_memory_run.hpp"
#include "support/reference_entries.hpp"
#include "support/solution_fields.hpp"

namespace parabeam::fuzzing {
namespace {

void requireSameSolution(const BeamSolution& reported, const BeamSolution& computed) {
    for (const auto& field : testing::kSolutionFields)
        require(testing::sameDouble(reported.*field.member, computed.*field.member),
                std::string("the reported ") + field.name + " differs from the computed one");
}

void requireEntriesAsTyped(std::string_view bytes, const RunOutcome& outcome) {
    const std::string difference = testing::differenceFromReference(outcome, bytes);
    require(difference.empty(), difference);
    const UnitWord BeamInputs::*words[] = {&BeamInputs::weightUnit, &BeamInputs::forceUnit,
                                           &BeamInputs::lengthUnit};
    for (const auto word : words) {
        const UnitWord& stored = outcome.inputs.*word;
        require(stored.text[UnitWord::kMaxLength] == '\0', "unit word without terminator");
        for (char c : stored.text)
            require(!isEntrySpace(c), "white space inside a unit word");
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
    const parabeam::testing::InMemoryRun first = parabeam::testing::runInMemory(bytes);
    requireEntriesAsTyped(bytes, first.outcome);
    requireSameSolution(first.outcome.solution,
                        parabeam::solveVerticalReactions(first.outcome.inputs));
    requireWholeRecord(first.record);
    const parabeam::testing::InMemoryRun second = parabeam::testing::runInMemory(bytes);
    require(first.console == second.console, "the console output differs on a second run");
    require(first.record == second.record, "the record differs on a second run");
    return 0;
}
