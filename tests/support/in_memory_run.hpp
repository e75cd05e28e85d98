#pragma once
// The pure part of a run on given answers, all in memory: what the program
// writes on the console before the closing notes, the record it saves, and the
// outcome it hands on. Shared by the hostile-input sweep and the fuzz target.
#include <string>
#include <string_view>

#include "console/run_report.hpp"

namespace parabeam::testing {

struct InMemoryRun {
    RunOutcome outcome;
    std::string console; // from the banner to the horizontal case
    std::string record;
};

InMemoryRun runInMemory(std::string_view answers);

} // namespace parabeam::testing
