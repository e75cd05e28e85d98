#pragma once
// Runs of the program under strace, which holds a system call up or makes it
// fail: the launcher to give runBinary, and whether this machine allows it.
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

namespace parabeam::testing {

// strace's own arguments come after these; the program's path follows them.
inline std::vector<std::string> straceLauncher(std::initializer_list<std::string> arguments) {
    // The leak checker of a sanitized build cannot work under strace (ptrace).
    std::vector<std::string> launcher{"env", "ASAN_OPTIONS=detect_leaks=0", "strace"};
    launcher.insert(launcher.end(), arguments);
    return launcher;
}

// strace is installed and may trace here (a container can forbid ptrace).
inline bool straceCanInject() {
    return std::system("strace -o /dev/null -e inject=ftruncate:delay_enter=1 true "
                       ">/dev/null 2>&1") == 0;
}

} // namespace parabeam::testing
