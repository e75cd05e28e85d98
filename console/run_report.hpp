#pragma once
// The pure part of a run: everything it writes on the console before the
// record is saved, and what it computed on the way.
#include <istream>

#include "numbers/report_line.hpp"
#include "solver/beam_inputs.hpp"
#include "solver/beam_solution.hpp"

namespace parabeam {

struct RunOutcome {
    BeamInputs inputs;
    BeamSolution solution;
    int answersRead = 0; // of the ten, up to the first that could not be read

    // Whether all seven numbers of the beam were read (none left at zero).
    bool allNumbersRead() const;
};

// Writes the banner, the figure, the ten questions (their answers read from
// `in`), the derivation and the horizontal case on `console`, and returns what
// was read and solved. Touches no file and no terminal.
RunOutcome writeReport(std::istream& in, ReportSink& console);

} // namespace parabeam
