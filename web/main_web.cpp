// The browser edition's run, as the console program's main is the console's:
// the page's streams, the whole run, and the diagrams handed to the page just
// before the key wait; then, between runs, the page's questions about them.
#include <emscripten.h>

#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/run_program.hpp"
#include "diagrams/diagram_description.hpp"
#include "diagrams/page_units.hpp"
#include "diagrams/practice.hpp"
#include "diagrams/read_out.hpp"
#include "numbers/input_reader.hpp"
#include "platform/page_bridge.hpp"
#include "platform/platform_setup.hpp"

namespace {

// The diagrams the page shows, kept from the run that solved the beam: they
// cross to the page once, in the description, and the read-out and the
// practice checks ask about them here.
struct Shown {
    parabeam::LoadDiagrams diagrams;
    parabeam::PageUnits units;
    std::vector<parabeam::PracticeItem> practice;
};
std::optional<Shown> gShown;

void showDiagrams(const parabeam::RunOutcome& outcome) {
    Shown shown{parabeam::diagramsOfRun(outcome.inputs, outcome.solution, outcome.allNumbersRead()),
                parabeam::pageUnits(outcome.inputs),
                {}};
    shown.practice = parabeam::practiceItems(shown.diagrams);
    gShown = std::move(shown);
    parabeam::page::showOutcome(
        parabeam::describeDiagrams(outcome.inputs, outcome.solution, gShown->diagrams));
}

// The text lasts until the next call of the same entry point.
const char* kept(std::string& store, std::string text) {
    store = std::move(text);
    return store.c_str();
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
// when `typed` is null.
extern "C" EMSCRIPTEN_KEEPALIVE const char* parabeamReadOut(const char* typed, double x) {
    static std::string json;
    if (!gShown) return kept(json, parabeam::describeNoBeam());
    return kept(json, parabeam::describeReadOut(
                          gShown->diagrams.beam, gShown->units.length,
                          typed ? std::optional<std::string_view>(typed) : std::nullopt, x));
}

// A practice value typed by the student, checked: `id` names it as the
// description's practice values do.
extern "C" EMSCRIPTEN_KEEPALIVE const char* parabeamCheck(const char* id, const char* typed) {
    static std::string json;
    if (!gShown) return kept(json, parabeam::describeNoBeam());
    for (const parabeam::PracticeItem& item : gShown->practice)
        if (item.id == id)
            return kept(json,
                        parabeam::describeCheck(item, typed, gShown->diagrams, gShown->units));
    return kept(json, parabeam::describeNoBeam());
}

// V (or M, when `moment` is not 0) at the x the student chose, both typed.
extern "C" EMSCRIPTEN_KEEPALIVE const char* parabeamCheckAtX(const char* typedX, const char* typed,
                                                             int moment) {
    static std::string json;
    if (!gShown) return kept(json, parabeam::describeNoBeam());
    return kept(json, parabeam::describeCheckAtX(typedX, typed, moment != 0, gShown->diagrams,
                                                 gShown->units));
}

// The white space between the program's answers, for the page's form and
// line editing to tell answers apart as the program does.
extern "C" EMSCRIPTEN_KEEPALIVE const char* parabeamEntrySpace() {
    return parabeam::kEntrySpace.data(); // a literal: its terminator follows it
}
