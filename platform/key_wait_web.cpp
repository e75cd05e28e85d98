#include "platform/key_wait.hpp"

#include <emscripten.h>

namespace parabeam {
namespace {

// Resolves on the next key pressed at the page's console (or at once for one
// typed ahead), which is not echoed and not given to the program as input.
EM_ASYNC_JS(void, awaitKeyPress, (), { await Module.page.waitForKey(); });

} // namespace

void waitForKey() {
    awaitKeyPress();
}

} // namespace parabeam
