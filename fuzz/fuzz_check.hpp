#pragma once
// Stops the fuzzer with a message when an invariant breaks.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace parabeam::fuzzing {

inline void require(bool holds, const std::string& what) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

} // namespace parabeam::fuzzing
