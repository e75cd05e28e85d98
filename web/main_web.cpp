// The browser edition's entry points: the page calls parabeamRun for each run
// (as the console program's main does once), and parabeamDiagrams once the run
// has solved the beam.
#include <emscripten.h>

#include <cstddef>
#include <iostream>
#include <string>

#include "console/run_program.hpp"
#include "platform/platform_setup.hpp"
#include "web/diagram_description.hpp"

extern "C" EMSCRIPTEN_KEEPALIVE int parabeamRun() {
    parabeam::prepareStandardStreams();
    return parabeam::runProgram(std::cin, std::cout, std::cerr, nullptr);
}

// The text stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* parabeamDiagrams(const char* answersRead, int length) {
    static std::string description;
    description = parabeam::describeDiagrams({answersRead, static_cast<std::size_t>(length)});
    return description.c_str();
}
