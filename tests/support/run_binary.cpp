#include "support/run_binary.hpp"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

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

namespace {

using Clock = std::chrono::steady_clock;
// The program has long been waiting for its first answer by then.
constexpr std::chrono::milliseconds kLateInputDelay{200};
constexpr std::chrono::milliseconds kSlowReaderPause{100};
// Smaller than the console output, so that a slow reader makes writes wait.
constexpr int kSmallPipeBytes = 4096;

void makePipe(int ends[2]) {
    if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
}

void setNonBlocking(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// Appends what the (non-blocking) pipe holds now.
void drainPipe(int fd, std::string& bytes) {
    char chunk[4096];
    for (ssize_t count; (count = ::read(fd, chunk, sizeof chunk)) > 0;)
        bytes.append(chunk, static_cast<std::size_t>(count));
}

void writeAllTo(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return; // the program is gone
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
}

} // namespace

RunResult runBinary(const RunOptions& options) {
    TempDir scratch; // input and captured output live here, not in the run's directory
    const fs::path inPath = scratch.path() / "stdin";
    const fs::path outPath = scratch.path() / "stdout";
    const fs::path errPath = scratch.path() / "stderr";
    if (options.input) writeFile(inPath, *options.input);

    int stdinPipe[2] = {-1, -1};
    if (options.lateNonBlockingInput) {
        makePipe(stdinPipe);
        setNonBlocking(stdinPipe[0]); // the program's end, shared with whoever set it
    }
    int stdoutPipe[2] = {-1, -1};
    if (options.closedStdout || options.slowNonBlockingOutput) makePipe(stdoutPipe);
    if (options.slowNonBlockingOutput) {
#ifdef F_SETPIPE_SZ
        ::fcntl(stdoutPipe[1], F_SETPIPE_SZ, kSmallPipeBytes);
#endif
        setNonBlocking(stdoutPipe[1]);
        setNonBlocking(stdoutPipe[0]);
    }

    const std::string program = programPath().string();
    // Made before the fork: the child of a threaded process only execs.
    std::vector<char*> command;
    for (const std::string& word : options.launcher)
        command.push_back(const_cast<char*>(word.c_str()));
    command.push_back(const_cast<char*>(program.c_str()));
    command.push_back(nullptr);
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        ::setsid(); // no controlling terminal: the key wait must return at once
        if (::chdir(options.workingDirectory.c_str()) != 0) ::_exit(126);
        if (options.lateNonBlockingInput) {
            ::dup2(stdinPipe[0], 0);
        } else if (options.input) {
            const int in = ::open(inPath.c_str(), O_RDONLY);
            ::dup2(in, 0);
            ::close(in);
        } else {
            ::close(0);
        }
        if (stdoutPipe[1] >= 0) {
            ::dup2(stdoutPipe[1], 1);
        } else {
            const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, 1);
            ::close(out);
        }
        const int err =
            options.errorsAppendedTo
                ? ::open(options.errorsAppendedTo->c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600)
                : ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(err, 2);
        ::close(err);
        if (options.fileSizeLimit) {
            const rlimit limit{*options.fileSizeLimit, *options.fileSizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(125);
        }
        // As a shell would start it.
        ::signal(SIGPIPE, SIG_DFL);
        ::signal(SIGXFSZ, SIG_DFL);
        ::execvp(command[0], command.data());
        ::_exit(127);
    }
    if (stdoutPipe[1] >= 0) ::close(stdoutPipe[1]);
    if (options.closedStdout)
        ::close(stdoutPipe[0]); // the reader is gone before the program writes
    int inputWriter = stdinPipe[1];
    const int outputReader = options.slowNonBlockingOutput ? stdoutPipe[0] : -1;

    RunResult result;
    const auto started = Clock::now();
    const auto deadline = started + options.timeout;
    auto nextRead = started + kSlowReaderPause;
    int status = 0;
    for (;;) {
        const auto now = Clock::now();
        if (inputWriter >= 0 && now >= started + kLateInputDelay) {
            // Our own copy of the reading end, still open, keeps the write from
            // breaking the pipe should the program have ended already.
            writeAllTo(inputWriter, options.input.value_or(""));
            ::close(inputWriter);
            ::close(stdinPipe[0]);
            inputWriter = -1;
        }
        if (outputReader >= 0 && now >= nextRead) {
            drainPipe(outputReader, result.out);
            nextRead = now + kSlowReaderPause;
        }
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (done < 0 && errno != EINTR) throw std::runtime_error("waitpid failed");
        if (now > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (inputWriter >= 0) {
        ::close(inputWriter);
        ::close(stdinPipe[0]);
    }
    if (!result.timedOut && WIFEXITED(status)) {
        result.exited = true;
        result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    if (outputReader >= 0) { // the program is gone: the rest is in the pipe
        drainPipe(outputReader, result.out);
        ::close(outputReader);
    } else {
        result.out = readFile(outPath);
    }
    result.err = readFile(errPath);
    return result;
}

} // namespace parabeam::testing
