#pragma once
// A second, plainly written reading of the ten answers, for checking the
// dialogue's own reader: each number field is rewritten as decimal text by the
// kept-digit rules and converted with strtod.
#include <string>
#include <string_view>

#include "console/run_report.hpp"

namespace parabeam::testing {

// Empty when `outcome` holds the entries the answers in `input` give, read the
// plain way, and counts the answers they took; otherwise the first
// difference, both ways.
std::string differenceFromReference(const RunOutcome& outcome, std::string_view input);

} // namespace parabeam::testing
