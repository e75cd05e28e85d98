#include "support/in_memory_run.hpp"

#include <sstream>

#include "record/record_text.hpp"
#include "solver/horizontal_case.hpp"

namespace parabeam::testing {

InMemoryRun runAfterDialogue(const BeamInputs& inputs) {
    InMemoryRun run;
    std::ostringstream report;
    solveVerticalReactions(inputs, run.solution, report);
    reportHorizontalCase(inputs, report);
    std::ostringstream record;
    writeSavedRecord(inputs, run.solution, record);
    run.report = std::move(report).str();
    run.record = std::move(record).str();
    return run;
}

} // namespace parabeam::testing
