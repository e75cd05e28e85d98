#pragma once
// The ten questions that describe the beam.
#include <istream>

#include "numbers/report_line.hpp"
#include "solver/beam_inputs.hpp"

namespace parabeam {

// The answers that are numbers: they come first, before the unit words.
extern const int kNumberAnswers;

// Writes each prompt, flushes, and reads its entry. Once a read fails every
// later prompt is still written, without waiting, and its entry is left alone
// (a unit word is stored empty). Returns how many answers were read, counted
// up to the first failed read.
int readInputs(BeamInputs& inputs, std::istream& in, ReportSink& console);

} // namespace parabeam
