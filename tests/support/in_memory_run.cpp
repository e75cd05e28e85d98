#include "support/in_memory_run.hpp"

#include <sstream>

#include "record/record_text.hpp"

namespace parabeam::testing {

InMemoryRun runInMemory(std::string_view answers) {
    InMemoryRun run;
    std::istringstream in{std::string(answers)};
    std::ostringstream console;
    run.outcome = writeReport(in, console);
    std::ostringstream record;
    writeSavedRecord(run.outcome.inputs, run.outcome.solution, record);
    run.console = std::move(console).str();
    run.record = std::move(record).str();
    return run;
}

} // namespace parabeam::testing
