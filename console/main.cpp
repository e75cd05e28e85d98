#include <iostream>

#include "console/run_program.hpp"
#include "platform/platform_setup.hpp"

int main() {
    parabeam::prepareStandardStreams();
    return parabeam::runProgram(std::cin, std::cout, std::cerr);
}
