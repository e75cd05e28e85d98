#pragma once
// The opening banner, the legend and the drawing of the beam the prompts refer to.
#include <iostream>

#include "console/report_line.hpp"

namespace parabeam {

void printBanner(ReportSink& console = std::cout);
void printFigure(ReportSink& console = std::cout);

} // namespace parabeam
