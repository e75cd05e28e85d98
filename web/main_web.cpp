// The browser edition's run, as the console program's main is the console's:
// the page's streams, the whole run, and the diagrams handed to the page just
// before the key wait.
#include <emscripten.h>

#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "console/run_program.hpp"
#include "platform/page_bridge.hpp"
#include "platform/platform_setup.hpp"
#include "web/diagram_description.hpp"
#include "web/read_out.hpp"

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

// The page's read-out of V and M at one x of the beam it shows, given by the
// description's exact values: at the x typed in its field (`typed`, read by
// the program's rules), or at `x` when `typed` is null. The text returned
// lasts until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* parabeamReadOut(const char* typed, double x,
                                                            double span, double triangleLength,
                                                            double rectangleWeight,
                                                            double triangleWeight, double reactionA,
                                                            double reactionB,
                                                            const char* lengthUnit) {
    static std::string json;
    const parabeam::BeamLoading beam{span,           triangleLength, rectangleWeight,
                                     triangleWeight, reactionA,      reactionB};
    json = parabeam::describeReadOut(
        beam, lengthUnit, typed ? std::optional<std::string_view>(typed) : std::nullopt, x);
    return json.c_str();
}
