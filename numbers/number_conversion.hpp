#pragma once
// The value of a scanned number field: the double nearest to it.
#include "numbers/number_scanner.hpp"

namespace parabeam {

// Stores the correctly rounded value of `field` (a signed zero for no
// significant digits). False, storing nothing, when the value is too large for
// a double or too small to be represented at all.
bool toDouble(const NumberField& field, double& value);

} // namespace parabeam
