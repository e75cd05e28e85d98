#include "platform/platform_setup.hpp"

#include <csignal>

#include "platform/waiting_stream_buffers.hpp"

namespace parabeam {

void prepareStandardStreams() {
    // A closed pipe or a file at the size limit (ulimit -f) makes the write
    // fail, which the run survives, instead of ending the process.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    installWaitingStreamBuffers();
}

} // namespace parabeam
