#include "console/run_program.hpp"

#include "numbers/report_line.hpp"
#include "platform/key_wait.hpp"
#include "record/saved_record.hpp"

namespace parabeam {
namespace {

void printClosingNotes(ReportSink& console) {
    writeLine(
        console,
        " Your Project's Data Is Located In The Same Directory The Win-32(DOS Application) Is(Saved Or Downloaded To) Located Also.");
    writeLine(
        console,
        " Supported Application(Windows Is Programs) For All Colleges, Universities And Technical Institutions(Colleges) For Proper -- ");
    writeLine(
        console,
        " Growth(s) And Learning Environments.  The Program Is Available To Be Used(Executed) On Any System(Win-32) Background.");
    writeLine(console, " ........End Of Equation(s) And Comment(s)........ ");
    writeLine(console, " ........Press Any Key To Continue........ ");
}

} // namespace

int runProgram(std::istream& in, std::ostream& out, std::ostream& errors, ShowOutcome showOutcome) {
    const RunOutcome outcome = writeReport(in, out);
    appendSavedRecord(outcome.inputs, outcome.solution, errors);
    printClosingNotes(out);
    if (showOutcome) showOutcome(outcome);
    waitForKey();
    return 0;
}

} // namespace parabeam
