#pragma once
// A second, plainly written reading of the ten answers, for checking the
// dialogue's own reader: each number field is rewritten as decimal text by the
// kept-digit rules and converted with strtod.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "console/beam_inputs.hpp"
#include "console/run_report.hpp"

namespace parabeam::testing {

struct ReferenceEntries {
    // Empty from the first failed read on: that entry and every later one is
    // left as it started.
    std::array<std::optional<double>, 7> reals;
    std::array<std::optional<std::string>, 3> words; // whole words, not cut to 19 bytes
};

// The entries the ten answers in `input` give, in prompt order.
ReferenceEntries readReferenceEntries(std::string_view input);

// The BeamInputs those entries leave: unread reals 0.0, words cut to 19 bytes
// less a UTF-8 character the cut would split, unread words empty.
BeamInputs referenceInputs(const ReferenceEntries& entries);

// Empty when `outcome` holds the entries `input` gives and counts the answers
// they took; otherwise the first difference, both ways.
std::string differenceFromReference(const RunOutcome& outcome, std::string_view input);

} // namespace parabeam::testing
