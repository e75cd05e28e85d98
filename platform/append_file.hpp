#pragma once
// Appending to a text file with one write: the platform's part of saving.
#include <string>
#include <string_view>

namespace parabeam {

struct AppendResult {
    bool saved = false;
    std::string reason; // the system's words when not saved
};

// Creates the file when absent, never truncates it, and appends `text` (line
// feeds as "\n", turned into the platform's line ends) at its end.
AppendResult appendToFile(const char* path, std::string_view text);

} // namespace parabeam
