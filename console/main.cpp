#include <iostream>

#include "console/run_program.hpp"
#include "console/platform_setup.hpp"

int main() {
    parabeam::prepareStandardStreams();
    return parabeam::runProgram();
}
