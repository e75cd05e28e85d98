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

// Where the program's standard streams come from and go to.
struct Plumbing {
    fs::path inPath, outPath, errPath; // files in the run's scratch directory
    int stdinPipe[2] = {-1, -1};       // lateNonBlockingInput
    int stdoutPipe[2] = {-1, -1};      // closedStdout, slowNonBlockingOutput
};

Plumbing makePlumbing(const RunOptions& options, const fs::path& scratch) {
    Plumbing plumbing{scratch / "stdin", scratch / "stdout", scratch / "stderr"};
    if (options.input) writeFile(plumbing.inPath, *options.input);
    if (options.lateNonBlockingInput) {
        makePipe(plumbing.stdinPipe);
        setNonBlocking(plumbing.stdinPipe[0]); // the program's end, shared with whoever set it
    }
    if (options.closedStdout || options.slowNonBlockingOutput) makePipe(plumbing.stdoutPipe);
    if (options.slowNonBlockingOutput) {
#ifdef F_SETPIPE_SZ
        ::fcntl(plumbing.stdoutPipe[1], F_SETPIPE_SZ, kSmallPipeBytes);
#endif
        setNonBlocking(plumbing.stdoutPipe[1]);
        setNonBlocking(plumbing.stdoutPipe[0]);
    }
    return plumbing;
}

void redirect(const fs::path& path, int flags, int target) {
    const int fd = ::open(path.c_str(), flags, 0600);
    ::dup2(fd, target);
    ::close(fd);
}

// In the child: its own session without a terminal (the key wait must return
// at once), the streams in place, then the program, started as a shell would.
[[noreturn]] void execProgram(const RunOptions& options, const Plumbing& plumbing,
                              char* const* command) {
    ::setsid();
    if (::chdir(options.workingDirectory.c_str()) != 0) ::_exit(126);
    if (options.lateNonBlockingInput)
        ::dup2(plumbing.stdinPipe[0], 0);
    else if (options.input)
        redirect(plumbing.inPath, O_RDONLY, 0);
    else
        ::close(0);
    if (plumbing.stdoutPipe[1] >= 0)
        ::dup2(plumbing.stdoutPipe[1], 1);
    else
        redirect(plumbing.outPath, O_WRONLY | O_CREAT | O_TRUNC, 1);
    if (options.errorsAppendedTo)
        redirect(*options.errorsAppendedTo, O_WRONLY | O_CREAT | O_APPEND, 2);
    else
        redirect(plumbing.errPath, O_WRONLY | O_CREAT | O_TRUNC, 2);
    if (options.fileSizeLimit) {
        const rlimit limit{*options.fileSizeLimit, *options.fileSizeLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(125);
    }
    ::signal(SIGPIPE, SIG_DFL);
    ::signal(SIGXFSZ, SIG_DFL);
    ::execvp(command[0], command);
    ::_exit(127);
}

// Until the program ends or the time is up: late input written once, a slow
// reader's output drained every so often. Returns the wait status.
int superviseRun(pid_t child, const RunOptions& options, Plumbing& plumbing, RunResult& result) {
    int inputWriter = plumbing.stdinPipe[1];
    const int outputReader = options.slowNonBlockingOutput ? plumbing.stdoutPipe[0] : -1;
    const auto started = Clock::now();
    auto nextRead = started + kSlowReaderPause;
    int status = 0;
    for (;;) {
        const auto now = Clock::now();
        if (inputWriter >= 0 && now >= started + kLateInputDelay) {
            // Our own copy of the reading end, still open, keeps the write from
            // breaking the pipe should the program have ended already.
            writeAllTo(inputWriter, options.input.value_or(""));
            ::close(inputWriter);
            inputWriter = -1;
        }
        if (outputReader >= 0 && now >= nextRead) {
            drainPipe(outputReader, result.out);
            nextRead = now + kSlowReaderPause;
        }
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (done < 0 && errno != EINTR) throw std::runtime_error("waitpid failed");
        if (now > started + options.timeout) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (inputWriter >= 0) ::close(inputWriter);
    return status;
}

} // namespace

RunResult runBinary(const RunOptions& options) {
    TempDir scratch; // input and captured output live here, not in the run's directory
    Plumbing plumbing = makePlumbing(options, scratch.path());
    const std::string program = programPath().string();
    // Made before the fork: the child of a threaded process only execs.
    std::vector<char*> command;
    for (const std::string& word : options.launcher)
        command.push_back(const_cast<char*>(word.c_str()));
    command.push_back(const_cast<char*>(program.c_str()));
    command.push_back(nullptr);

    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) execProgram(options, plumbing, command.data());
    if (plumbing.stdoutPipe[1] >= 0) ::close(plumbing.stdoutPipe[1]);
    if (options.closedStdout)
        ::close(plumbing.stdoutPipe[0]); // the reader is gone before the program writes

    RunResult result;
    const int status = superviseRun(child, options, plumbing, result);
    if (plumbing.stdinPipe[0] >= 0) ::close(plumbing.stdinPipe[0]);
    if (!result.timedOut && WIFEXITED(status)) {
        result.exited = true;
        result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    if (options.slowNonBlockingOutput) { // the program is gone: the rest is in the pipe
        drainPipe(plumbing.stdoutPipe[0], result.out);
        ::close(plumbing.stdoutPipe[0]);
    } else {
        result.out = readFile(plumbing.outPath);
    }
    result.err = readFile(plumbing.errPath);
    return result;
}

} // namespace parabeam::testing
