#pragma once
// Runs the built program as a separate process, as a user would without a
// terminal: fresh session (no controlling terminal), standard input from given
// bytes or from nothing at all, output captured.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parabeam::testing {

struct RunOptions {
    // Bytes for standard input; std::nullopt leaves standard input closed.
    std::optional<std::string> input{};
    std::filesystem::path workingDirectory{};
    std::chrono::milliseconds timeout{10000};
    bool closedStdout = false; // standard output a pipe whose reader is gone
    // Standard input a pipe that another process left non-blocking, the input
    // arriving only after the program has started reading.
    bool lateNonBlockingInput = false;
    // Standard output a small non-blocking pipe, read only every so often.
    bool slowNonBlockingOutput = false;
    // The largest file the program may write (RLIMIT_FSIZE), in bytes.
    std::optional<std::uint64_t> fileSizeLimit{};
    // A command the program runs under (its arguments, the program's path last).
    std::vector<std::string> launcher{};
    // Standard error appended to this file, shared with other runs, instead of
    // captured in `err`.
    std::optional<std::filesystem::path> errorsAppendedTo{};
};

struct RunResult {
    int exitStatus = -1; // valid when exited
    bool exited = false; // ended by itself (not by a signal or the timeout)
    int signal = 0;      // the signal that ended it, if any
    bool timedOut = false;
    std::string out;
    std::string err;
};

// The program under test (from the build).
std::filesystem::path programPath();

RunResult runBinary(const RunOptions& options);

// A fresh empty directory under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace parabeam::testing
