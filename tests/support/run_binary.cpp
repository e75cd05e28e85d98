#include "support/run_binary.hpp"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace parabeam::testing {
namespace fs = std::filesystem;

fs::path programPath() {
    return PARABEAM_BINARY;
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "parabeam-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Undo any permission change a test made, so removal works.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

RunResult runProgram(const RunOptions& options) {
    TempDir scratch; // input and captured output live here, not in the run's directory
    const fs::path inPath = scratch.path() / "stdin";
    const fs::path outPath = scratch.path() / "stdout";
    const fs::path errPath = scratch.path() / "stderr";
    if (options.input) writeFile(inPath, *options.input);

    int stdoutPipe[2] = {-1, -1};
    if (options.closedStdout && ::pipe(stdoutPipe) != 0) throw std::runtime_error("pipe failed");

    const std::string program = programPath().string();
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        ::setsid(); // no controlling terminal: the key wait must return at once
        if (::chdir(options.workingDirectory.c_str()) != 0) ::_exit(126);
        if (options.input) {
            const int in = ::open(inPath.c_str(), O_RDONLY);
            ::dup2(in, 0);
            ::close(in);
        } else {
            ::close(0);
        }
        if (options.closedStdout) {
            ::dup2(stdoutPipe[1], 1);
            ::close(stdoutPipe[0]);
            ::close(stdoutPipe[1]);
        } else {
            const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, 1);
            ::close(out);
        }
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(err, 2);
        ::close(err);
        ::signal(SIGPIPE, SIG_DFL); // as a shell would start it
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (options.closedStdout) {
        ::close(stdoutPipe[0]); // the reader is gone before the program writes
        ::close(stdoutPipe[1]);
    }

    RunResult result;
    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (done < 0 && errno != EINTR) throw std::runtime_error("waitpid failed");
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (!result.timedOut && WIFEXITED(status)) {
        result.exited = true;
        result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

} // namespace parabeam::testing
