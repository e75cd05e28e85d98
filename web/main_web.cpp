// The browser edition's run, as the console program's main is the console's:
// the page's streams, the whole run, and the diagrams handed to the page just
// before the key wait.
#include <iostream>

#include "console/run_program.hpp"
#include "platform/platform_setup.hpp"
#include "web/diagram_description.hpp"
#include "web/page_bridge.hpp"

namespace parabeam::page {
namespace {

void showDiagrams(const RunOutcome& outcome) {
    showOutcome(describeDiagrams(outcome));
}

} // namespace

int runOnPage() {
    prepareStandardStreams();
    return runProgram(std::cin, std::cout, std::cerr, showDiagrams);
}

} // namespace parabeam::page
