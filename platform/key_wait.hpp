#pragma once

namespace parabeam {

// Blocks until one key is pressed at the terminal itself (never standard
// input), without echo and without waiting for Enter; the terminal's mode is
// restored afterwards. Returns at once when there is no terminal.
void waitForKey();

} // namespace parabeam
