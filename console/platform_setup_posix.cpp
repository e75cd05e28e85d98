#include "console/platform_setup.hpp"

#include <csignal>
#include <iostream>

namespace parabeam {

void prepareStandardStreams() {
    // A closed pipe or a file at the size limit (ulimit -f) makes the write
    // fail, which the run survives, instead of ending the process.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    // The program's own buffers: each line is flushed on its own anyway, and
    // input is read byte by byte through the buffer.
    std::ios::sync_with_stdio(false);
}

} // namespace parabeam
