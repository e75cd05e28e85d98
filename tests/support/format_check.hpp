#pragma once
// Runs the formatter into a guarded buffer: the text must fit the documented
// capacity and nothing past it may be touched.
#include <string>

namespace parabeam::testing {

struct FormattedText {
    std::string text;
    bool withinCapacity = true; // length and writes stayed inside the capacity
};

FormattedText formatWithGuard(double value);

} // namespace parabeam::testing
