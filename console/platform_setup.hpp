#pragma once

namespace parabeam {

// Before the run: a console that went away (a closed pipe) must not end the
// run, it just stops taking output.
void prepareStandardStreams();

} // namespace parabeam
