#pragma once
// The run: report, record, closing notes, the outcome shown, key wait.
#include <istream>
#include <ostream>

#include "console/run_report.hpp"

namespace parabeam {

// What an edition does with the run's outcome beyond the report, just before
// the key wait; the console program has nothing more to show (nullptr).
using ShowOutcome = void (*)(const RunOutcome& outcome);

// The whole run on the given console streams: answers come from `in`, the
// report goes to `out`, a failed save is reported on `errors`. Always returns
// 0, the exit status.
int runProgram(std::istream& in, std::ostream& out, std::ostream& errors, ShowOutcome showOutcome);

} // namespace parabeam
