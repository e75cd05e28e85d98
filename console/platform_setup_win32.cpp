#include "console/platform_setup.hpp"

namespace parabeam {

// Windows has no SIGPIPE; its C runtime's text mode turns line feeds into
// CR LF and ends redirected input at a Ctrl+Z.
void prepareStandardStreams() {}

} // namespace parabeam
