#include "platform/append_file.hpp"

#include <emscripten.h>

namespace parabeam {
namespace {

// The browser keeps the file in its storage (web/stored_files.js), whose
// append gives null when saved, else the reason. Returns 1 when saved;
// otherwise 0, with the reason written to `reason`.
EM_JS(int, appendToStoredFile,
      (const char* path, const char* bytes, int length, char* reason, int reasonCapacity), {
          const failure =
              Module.page.appendToFile(UTF8ToString(path), HEAPU8.slice(bytes, bytes + length));
          if (failure == null) return 1;
          stringToUTF8(failure, reason, reasonCapacity);
          return 0;
      });

} // namespace

AppendResult appendToFile(const char* path, std::string_view text) {
    char reason[256] = {};
    if (appendToStoredFile(path, text.data(), static_cast<int>(text.size()), reason,
                           static_cast<int>(sizeof reason)))
        return {true, {}};
    return {false, reason};
}

} // namespace parabeam
