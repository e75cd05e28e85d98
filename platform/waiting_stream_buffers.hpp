#pragma once

namespace parabeam {

// POSIX: standard input, output and error read and write their descriptors
// through the program's own buffers, which wait out a descriptor that another
// process left non-blocking rather than take its "try again" for the end of
// the input or a failed write.
void installWaitingStreamBuffers();

} // namespace parabeam
