#include "platform/append_file.hpp"

#include <utility>

#include "platform/page_bridge.hpp"

namespace parabeam {

// The browser keeps the file in its storage (web/page/run/stored_files.js), which takes
// each append whole.
AppendResult appendToFile(const char* path, std::string_view text) {
    if (auto reason = page::appendToStoredFile(path, text)) return {.reason = std::move(*reason)};
    return {.saved = true, .reason = {}};
}

} // namespace parabeam
