#pragma once
// The run: banner, questions, derivation, record, closing notes, key wait.
#include <istream>
#include <ostream>

#include "console/report_line.hpp"

namespace parabeam {

// The whole run on the given console streams: answers come from `in`, the
// report goes to `out`, a failed save is reported on `errors`. Always returns
// 0, the exit status.
int runProgram(std::istream& in, std::ostream& out, std::ostream& errors);

void printClosingNotes(ReportSink& console);

} // namespace parabeam
