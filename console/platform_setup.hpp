#pragma once

namespace parabeam {

// Before the run: a console that went away (a closed pipe) or a file that
// reached its size limit must not end the run; a failed write is just a
// failed write.
void prepareStandardStreams();

} // namespace parabeam
