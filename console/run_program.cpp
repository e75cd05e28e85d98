#include "console/run_program.hpp"

#include "console/banner.hpp"
#include "console/beam_inputs.hpp"
#include "console/dialogue.hpp"
#include "platform/key_wait.hpp"
#include "record/saved_record.hpp"
#include "solver/beam_solution.hpp"
#include "solver/horizontal_case.hpp"

namespace parabeam {

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

int runProgram(std::istream& in, std::ostream& out, std::ostream& errors) {
    BeamInputs inputs;
    BeamSolution solution;
    printBanner(out);
    printFigure(out);
    readInputs(inputs, in, out);
    solveVerticalReactions(inputs, solution, out);
    reportHorizontalCase(inputs, out);
    appendSavedRecord(inputs, solution, errors);
    printClosingNotes(out);
    waitForKey();
    return 0;
}

} // namespace parabeam
