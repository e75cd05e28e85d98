#pragma once

namespace parabeam {

// Before the run: a console that went away (a closed pipe) or a file that
// reached its size limit must not end the run, a failed write is just a failed
// write; a console not ready yet is waited for.
void prepareStandardStreams();

} // namespace parabeam
