// The browser edition's run, as the console program's main is the console's:
// the page's streams, the whole run, and the diagrams handed to the page just
// before the key wait.
#include <emscripten.h>

#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "console/run_program.hpp"
#include "diagrams/diagram_description.hpp"
#include "diagrams/read_out.hpp"
#include "numbers/input_reader.hpp"
#include "platform/page_bridge.hpp"
#include "platform/platform_setup.hpp"
#include "solver/load_diagrams.hpp"

namespace {

// The beam the page shows, kept from the run that solved it for the read-out:
// it crosses to the page once, in the description.
struct ShownBeam {
    parabeam::BeamLoading beam;
    std::string lengthUnit;
};
std::optional<ShownBeam> gShown;

void showDiagrams(const parabeam::RunOutcome& outcome) {
    gShown = ShownBeam{parabeam::beamLoading(outcome.inputs, outcome.solution),
                       std::string(outcome.inputs.lengthUnit.view())};
    parabeam::page::showOutcome(
        parabeam::describeDiagrams(outcome.inputs, outcome.solution, outcome.allNumbersRead()));
}

} // namespace

// The page's one call into the module: a whole run, afresh each time.
extern "C" EMSCRIPTEN_KEEPALIVE int parabeamRun() {
    gShown.reset();
    parabeam::prepareStandardStreams();
    return parabeam::runProgram(std::cin, std::cout, std::cerr, showDiagrams);
}

// The page's read-out of V and M at one x of the beam the last run solved: at
// the x typed in its field (`typed`, read by the program's rules), or at `x`
// when `typed` is null. The text returned lasts until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* parabeamReadOut(const char* typed, double x) {
    static std::string json;
    json = gShown ? parabeam::describeReadOut(
                        gShown->beam, gShown->lengthUnit,
                        typed ? std::optional<std::string_view>(typed) : std::nullopt, x)
                  : parabeam::describeNoBeam();
    return json.c_str();
}

// The white space between the program's answers, for the page's form and
// line editing to tell answers apart as the program does.
extern "C" EMSCRIPTEN_KEEPALIVE const char* parabeamEntrySpace() {
    return parabeam::kEntrySpace.data(); // a literal: its terminator follows it
}
