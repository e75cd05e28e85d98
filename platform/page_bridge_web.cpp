#include "platform/page_bridge.hpp"

#include <emscripten.h>

// The page's functions on Module.page, as web/page/run/module_contract.js lists them.
namespace {

EM_ASYNC_JS(int, pageReadInput, (char* buffer, int capacity), {
    const bytes = await Module.page.readInput(capacity);
    HEAPU8.set(bytes, buffer);
    return bytes.length;
});

EM_JS(void, pageWrite, (int channel, const char* bytes, int length),
      { Module.page.write(channel, HEAPU8.slice(bytes, bytes + length)); });

EM_ASYNC_JS(void, pageWaitForKey, (), { await Module.page.waitForKey(); });

// The page's append gives null when saved, else the reason. Returns 1 when
// saved; otherwise 0, with the reason written to `reason`.
EM_JS(int, pageAppendToFile,
      (const char* path, const char* bytes, int length, char* reason, int reasonCapacity), {
          const failure =
              Module.page.appendToFile(UTF8ToString(path), HEAPU8.slice(bytes, bytes + length));
          if (failure == null) return 1;
          stringToUTF8(failure, reason, reasonCapacity);
          return 0;
      });

EM_JS(void, pageShowOutcome, (const char* json, int length),
      { Module.page.showOutcome(UTF8ToString(json, length)); });

} // namespace

namespace parabeam::page {

int awaitTypedBytes(char* buffer, int capacity) {
    return pageReadInput(buffer, capacity);
}

void show(int channel, std::string_view bytes) {
    pageWrite(channel, bytes.data(), static_cast<int>(bytes.size()));
}

void awaitKeyPress() {
    pageWaitForKey();
}

std::optional<std::string> appendToStoredFile(const char* path, std::string_view bytes) {
    char reason[256] = {};
    if (pageAppendToFile(path, bytes.data(), static_cast<int>(bytes.size()), reason,
                         static_cast<int>(sizeof reason)))
        return std::nullopt;
    return reason;
}

void showOutcome(std::string_view json) {
    pageShowOutcome(json.data(), static_cast<int>(json.size()));
}

} // namespace parabeam::page
