// The program's description of the diagrams for the answers on standard
// input, as the page gets it: what the page's layout tests draw, so that they
// draw the program's own numbers and texts.
#include <iostream>
#include <iterator>
#include <string>

#include "diagrams/diagram_description.hpp"
#include "support/in_memory_run.hpp"

int main() {
    const std::string answers{std::istreambuf_iterator<char>(std::cin), {}};
    const parabeam::RunOutcome outcome = parabeam::testing::runInMemory(answers).outcome;
    std::cout << parabeam::describeDiagrams(
        outcome.inputs, outcome.solution,
        parabeam::diagramsOfRun(outcome.inputs, outcome.solution, outcome.allNumbersRead()));
    return 0;
}
