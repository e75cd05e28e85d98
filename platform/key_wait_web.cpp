#include "platform/key_wait.hpp"

#include "platform/page_bridge.hpp"

namespace parabeam {

// The page's console has no raw mode to enter: the page takes the next key for
// the wait and keeps it from the program's input.
void waitForKey() {
    page::awaitKeyPress();
}

} // namespace parabeam
