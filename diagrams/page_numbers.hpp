#pragma once
// Numbers as the page gets them: each with its value and its text in the
// program's format, so that the page never formats or parses one itself.
#include <string>

#include "diagrams/json_writer.hpp"
#include "solver/load_diagrams.hpp"

namespace parabeam {

// The text of `value` in the program's number format.
std::string realText(double value);

// {"value": the double (null when not finite), "text": its text}.
void writeQuantity(JsonWriter& json, double value);

// {"x", "shear", "moment"}, each a quantity.
void writeSection(JsonWriter& json, const Section& section);

} // namespace parabeam
