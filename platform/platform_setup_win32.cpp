#include "platform/platform_setup.hpp"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace parabeam {

// The console and the redirected streams are text streams: the C runtime
// turns each line feed written into CR LF, drops the CR of CR LF read, and
// ends redirected input at a Ctrl+Z byte. Text mode is the runtime's default;
// it is set here so that nothing linked in can have switched it off. The C++
// streams stay synchronised with stdio and so go through that translation.
// (Windows has no SIGPIPE: a closed pipe makes writes fail, nothing more.)
void prepareStandardStreams() {
    _setmode(_fileno(stdin), _O_TEXT);
    _setmode(_fileno(stdout), _O_TEXT);
    _setmode(_fileno(stderr), _O_TEXT);
}

} // namespace parabeam
