#pragma once
// Rows of parameterised tests show as their names in failure messages, not as
// their bytes. Rows of this namespace are found by their own type; rows kept
// in a test file's unnamed namespace derive from NamedCase to be found.
#include <ostream>

namespace parabeam::testing {

struct NamedCase {
    const char* name;
};

template <typename Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

} // namespace parabeam::testing
