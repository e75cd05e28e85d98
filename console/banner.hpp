#pragma once
// The opening banner, the legend and the drawing of the beam the prompts refer to.
#include "numbers/report_line.hpp"

namespace parabeam {

void printBanner(ReportSink& console);
void printFigure(ReportSink& console);

} // namespace parabeam
