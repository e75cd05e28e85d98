#pragma once

namespace parabeam {

// A value with its sign changed the way the derivation does it: times -1, so
// the undefined value of 0/0 stays as it is and the moments round as shown.
inline double negated(double value) {
    return -1.0 * value;
}

} // namespace parabeam
