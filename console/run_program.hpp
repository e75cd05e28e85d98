#pragma once
// The run: banner, questions, derivation, record, closing notes, key wait.
#include <iostream>

#include "console/report_line.hpp"

namespace parabeam {

// The whole run; always returns 0, the exit status.
int runProgram();

void printClosingNotes(ReportSink& console = std::cout);

} // namespace parabeam
