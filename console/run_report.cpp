#include "console/run_report.hpp"

#include "console/banner.hpp"
#include "console/dialogue.hpp"
#include "console/horizontal_report.hpp"
#include "console/vertical_report.hpp"

namespace parabeam {

RunOutcome writeReport(std::istream& in, ReportSink& console) {
    RunOutcome outcome;
    printBanner(console);
    printFigure(console);
    outcome.answersRead = readInputs(outcome.inputs, in, console);
    outcome.solution = solveVerticalReactions(outcome.inputs);
    reportVerticalReactions(outcome.inputs, outcome.solution, console);
    reportHorizontalCase(outcome.inputs, console);
    return outcome;
}

bool RunOutcome::allNumbersRead() const {
    return answersRead >= kNumberAnswers;
}

} // namespace parabeam
