#include <iostream>

#include "console/platform_setup.hpp"
#include "console/run_program.hpp"

int main() {
    parabeam::prepareStandardStreams();
    return parabeam::runProgram(std::cin, std::cout, std::cerr);
}
