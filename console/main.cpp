#include <iostream>

#include "console/run_program.hpp"
#include "platform/platform_setup.hpp"

int main() {
    parabeam::prepareStandardStreams();
    // The console's report says it all: no outcome to show beyond it.
    return parabeam::runProgram(std::cin, std::cout, std::cerr, nullptr);
}
