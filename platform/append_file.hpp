#pragma once
// Appending to a text file with one write: the platform's part of saving.
#include <string>
#include <string_view>

namespace parabeam {

struct AppendResult {
    bool saved = false;
    // Not saved, yet the whole text went into the file: the close after it
    // failed (a network file system's write-back, its quota), so the text may
    // not have reached the disk.
    bool writtenBeforeFailure = false;
    std::string reason; // the system's words when not saved
};

// Creates the file when absent, never truncates it, and appends `text` (line
// feeds as "\n", turned into the platform's line ends) at its end. Appends to
// one file are taken in turn: each holds the file's lock from its write to any
// cut-back of a failed write, so none can remove or split another's text.
AppendResult appendToFile(const char* path, std::string_view text);

// How long an append waits for the lock before it gives up without writing:
// long enough for any other run's save, short enough that a stuck program
// holding the lock never stops a run for good.
inline constexpr int kLockWaitSeconds = 5;
inline constexpr const char* kBusyReason =
    "the file is busy (another program kept it locked for 5 seconds)";
static_assert(kLockWaitSeconds == 5, "kBusyReason names the wait: change both together");

} // namespace parabeam
