#pragma once
// The contract between the browser edition's module and its page, the C++
// side: what the module asks of the page (Module.page, listed in
// web/page/run/module_contract.js). The page's calls into the module (a run,
// and its questions about the beam shown) are web/main_web.cpp's. Nothing
// else in the module talks to the page.
#include <optional>
#include <string>
#include <string_view>

namespace parabeam::page {

// Waits for the line typed next at the page's console, or for the rest of the
// last one, and copies at most `capacity` bytes of it to `buffer`. Returns how
// many; 0 once the input has ended.
int awaitTypedBytes(char* buffer, int capacity);

inline constexpr int kOutputChannel = 1; // standard output: the console
inline constexpr int kErrorChannel = 2;  // standard error: shown beside it
// Shows bytes the program wrote on one of its channels.
void show(int channel, std::string_view bytes);

// Waits for the next key pressed at the page's console (or returns at once for
// one typed ahead); the key is not echoed and not given to the program.
void awaitKeyPress();

// Appends `bytes` to the file `path` of the page's storage: nothing when
// saved, otherwise the reason.
std::optional<std::string> appendToStoredFile(const char* path, std::string_view bytes);

// Hands the page the run's outcome as JSON text, once, before the key wait.
void showOutcome(std::string_view json);

} // namespace parabeam::page
