// The browser edition's run, as the console program's main is the console's:
// the page's streams, the whole run, and the diagrams handed to the page just
// before the key wait.
#include <emscripten.h>

#include <iostream>

#include "console/run_program.hpp"
#include "platform/page_bridge.hpp"
#include "platform/platform_setup.hpp"
#include "web/diagram_description.hpp"

namespace {

void showDiagrams(const parabeam::RunOutcome& outcome) {
    parabeam::page::showOutcome(parabeam::describeDiagrams(outcome));
}

} // namespace

// The page's one call into the module: a whole run, afresh each time.
extern "C" EMSCRIPTEN_KEEPALIVE int parabeamRun() {
    parabeam::prepareStandardStreams();
    return parabeam::runProgram(std::cin, std::cout, std::cerr, showDiagrams);
}
