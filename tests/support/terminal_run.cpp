#include "support/terminal_run.hpp"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace parabeam::testing {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kPollInterval{2};

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

// Everything readable from a descriptor right now, without blocking.
std::string drain(int fd) {
    std::string bytes;
    char chunk[256];
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 0) <= 0 || (ready.revents & POLLIN) == 0) break;
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count <= 0) break;
        bytes.append(chunk, static_cast<std::size_t>(count));
    }
    return bytes;
}

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) fail("write");
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
}

int openOrFail(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0600);
    if (fd < 0) fail("open " + path.string());
    return fd;
}

} // namespace

bool pseudoTerminalsAvailable() {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) return false;
    const bool usable = ::grantpt(master) == 0 && ::unlockpt(master) == 0;
    ::close(master);
    return usable;
}

PseudoTerminal::PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) fail("posix_openpt");
    char name[128];
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0) {
        ::close(master_);
        fail("pseudo-terminal setup");
    }
    // O_NOCTTY: the test itself must never adopt it as its terminal.
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        ::close(master_);
        fail("open slave");
    }
}

PseudoTerminal::~PseudoTerminal() {
    if (master_ >= 0) ::close(master_);
    ::close(slave_);
}

termios PseudoTerminal::mode() const {
    termios mode{};
    if (::tcgetattr(slave_, &mode) != 0) fail("tcgetattr");
    return mode;
}

void PseudoTerminal::setMode(const termios& mode) {
    if (::tcsetattr(slave_, TCSANOW, &mode) != 0) fail("tcsetattr");
}

void PseudoTerminal::type(std::string_view keys) {
    writeAll(master_, keys);
}

std::string PseudoTerminal::shown() {
    return drain(master_);
}

std::string PseudoTerminal::unreadInput() {
    termios raw = mode();
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON);
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    setMode(raw);
    return drain(slave_);
}

void PseudoTerminal::hangUp() {
    ::close(master_);
    master_ = -1;
}

namespace {

// Exit status of a child whose set-up failed, not the program.
constexpr int kSetUpFailed = 125;

bool readExactly(int fd, void* bytes, std::size_t size) {
    return ::read(fd, bytes, size) == static_cast<ssize_t>(size);
}

template <typename Value> void report(int fd, const Value& value) {
    writeAll(fd, std::string_view(reinterpret_cast<const char*>(&value), sizeof value));
}

// What a shell does between fork and exec: signals as it hands them over,
// nothing blocked, no core files; the directory and the standard streams.
[[noreturn]] void execProgram(const std::string& program, const std::string& directory,
                              const int (&streams)[3], const TerminalRunOptions& options) {
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, options.interruptsIgnored ? SIG_IGN : SIG_DFL);
    ::signal(SIGQUIT, options.interruptsIgnored ? SIG_IGN : SIG_DFL);
    ::signal(SIGPIPE, SIG_DFL);
    ::signal(SIGHUP, options.hangUpIgnored ? SIG_IGN : SIG_DFL);
    rlimit core{};
    ::getrlimit(RLIMIT_CORE, &core);
    core.rlim_cur = 0;
    ::setrlimit(RLIMIT_CORE, &core);
    if (::chdir(directory.c_str()) != 0) ::_exit(126);
    for (int fd = 0; fd < 3; ++fd)
        ::dup2(streams[fd], fd);
    // Every other descriptor of the test is close-on-exec.
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
}

volatile sig_atomic_t gTakeTerminalBack = 0;
extern "C" void askToTakeTerminalBack(int) {
    gTakeTerminalBack = 1;
}

// The stand-in job-control shell, already the session leader: starts the
// program in a process group of its own, hands that group the terminal, and
// reports the program's pid, then each of its wait statuses (stopped,
// continued, ended) on `reports`. On SIGUSR1 it takes the terminal back, as a
// shell does when a job is put in the background.
template <typename Start>
[[noreturn]] void runAsJobControlShell(int terminal, int reports, Start startProgram) {
    struct sigaction takeBack {};
    takeBack.sa_handler = askToTakeTerminalBack; // no SA_RESTART: the wait below is woken
    ::sigaction(SIGUSR1, &takeBack, nullptr);
    int go[2];
    if (::pipe(go) != 0) ::_exit(kSetUpFailed);
    const pid_t program = ::fork();
    if (program == 0) {
        ::close(go[1]);
        ::setpgid(0, 0);
        char ignored;
        while (::read(go[0], &ignored, 1) < 0 && errno == EINTR) {
        } // until its group has the terminal
        startProgram();
    }
    if (program < 0 || ::setpgid(program, program) != 0 || ::tcsetpgrp(terminal, program) != 0)
        ::_exit(kSetUpFailed);
    ::close(go[1]);
    report(reports, program);
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(program, &status, WUNTRACED | WCONTINUED);
        if (done < 0 && errno == EINTR && gTakeTerminalBack) {
            gTakeTerminalBack = 0;
            sigset_t background; // from the background, SIGTTOU blocked
            ::sigemptyset(&background);
            ::sigaddset(&background, SIGTTOU);
            ::sigprocmask(SIG_BLOCK, &background, nullptr);
            ::tcsetpgrp(terminal, ::getpgrp());
            ::sigprocmask(SIG_UNBLOCK, &background, nullptr);
        }
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) ::_exit(kSetUpFailed);
        report(reports, status);
        if (WIFEXITED(status) || WIFSIGNALED(status)) ::_exit(0);
    }
}

} // namespace

TerminalRun::TerminalRun(PseudoTerminal& terminal, const TerminalRunOptions& options)
    : terminal_(terminal) {
    const std::string program = programPath().string();
    const std::string directory = options.workingDirectory.string();

    int input = -1;
    if (options.source == InputSource::File) {
        writeFile(scratch_.path() / "stdin", options.input);
        input = openOrFail(scratch_.path() / "stdin", O_RDONLY);
    } else {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) fail("pipe2");
        input = ends[0];
        inputWriter_ = ends[1];
        writeAll(inputWriter_, options.input);
    }
    const int streams[3] = {input,
                            openOrFail(scratch_.path() / "stdout", O_WRONLY | O_CREAT | O_TRUNC),
                            openOrFail(scratch_.path() / "stderr", O_WRONLY | O_CREAT | O_TRUNC)};
    int reports[2] = {-1, -1};
    if (options.underJobControl && ::pipe2(reports, O_CLOEXEC) != 0) fail("pipe2");

    child_ = ::fork();
    if (child_ == 0) {
        // A session of its own whose controlling terminal is the slave.
        if (::setsid() < 0 || ::ioctl(terminal.slave(), TIOCSCTTY, 0) != 0) ::_exit(kSetUpFailed);
        const auto start = [&] { execProgram(program, directory, streams, options); };
        if (options.underJobControl) runAsJobControlShell(terminal.slave(), reports[1], start);
        start();
    }
    for (const int fd : streams)
        ::close(fd);
    if (child_ < 0) fail("fork");
    program_ = child_;
    if (options.underJobControl) {
        ::close(reports[1]);
        shellReports_ = reports[0];
        if (!readExactly(shellReports_, &program_, sizeof program_)) fail("stand-in shell");
    }
}

TerminalRun::~TerminalRun() {
    if (child_ > 0 && !reaped_) {
        ::kill(program_, SIGKILL);
        reap(true);
    }
    if (shellReports_ >= 0) { // the shell ends after the program
        while (::waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
        }
        ::close(shellReports_);
    }
    if (inputWriter_ >= 0) ::close(inputWriter_);
}

// The program's next wait status, from waitpid or from its shell.
bool TerminalRun::nextStatus(bool block, int& status) {
    for (;;) {
        if (shellReports_ >= 0) {
            pollfd ready{shellReports_, POLLIN, 0};
            const int polled = ::poll(&ready, 1, block ? -1 : 0);
            if (polled < 0 && errno == EINTR) continue;
            if (polled <= 0) return false;
            if (!readExactly(shellReports_, &status, sizeof status)) fail("stand-in shell ended");
            return true;
        }
        const pid_t done =
            ::waitpid(child_, &status, WUNTRACED | WCONTINUED | (block ? 0 : WNOHANG));
        if (done == child_) return true;
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) fail("waitpid");
        return false;
    }
}

bool TerminalRun::reap(bool block) {
    int status = 0;
    while (!reaped_ && nextStatus(block, status)) {
        if (WIFSTOPPED(status)) {
            stopped_ = true;
        } else if (WIFCONTINUED(status)) {
            stopped_ = false;
        } else {
            status_ = status;
            reaped_ = true;
        }
    }
    return reaped_;
}

bool TerminalRun::reachesKeyWait(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        if (reap(false)) return false;
        if (output().find(kClosingLine) != std::string::npos &&
            (terminal_.mode().c_lflag & ICANON) == 0)
            return true;
        std::this_thread::sleep_for(kPollInterval);
    }
    return false;
}

bool TerminalRun::stops(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        if (reap(false)) return false;
        if (stopped_) return true;
        std::this_thread::sleep_for(kPollInterval);
    }
    return false;
}

bool TerminalRun::stillRunning() {
    return !reap(false);
}

RunEnd TerminalRun::waitForEnd(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!reap(false)) {
        if (Clock::now() >= deadline) {
            ::kill(program_, SIGKILL);
            reap(true);
            return RunEnd{};
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    RunEnd end;
    end.ended = true;
    end.exited = WIFEXITED(status_);
    if (end.exited) end.exitStatus = WEXITSTATUS(status_);
    if (WIFSIGNALED(status_)) end.signal = WTERMSIG(status_);
    return end;
}

void TerminalRun::shellTakesTerminalBack() {
    ::kill(child_, SIGUSR1);
}

void TerminalRun::sendSignal(int signal) {
    if (program_ > 0 && !reaped_) ::kill(program_, signal);
}

void TerminalRun::writeStandardInput(std::string_view bytes) {
    writeAll(inputWriter_, bytes);
}

std::string TerminalRun::output() const {
    return readFile(scratch_.path() / "stdout");
}

namespace {

constexpr std::string_view kPrompt = "parabeam-test-prompt> ";

std::size_t occurrences(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

bool InteractiveShell::installed(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null").c_str()) == 0;
}

InteractiveShell::InteractiveShell(PseudoTerminal& terminal,
                                   const std::vector<std::string>& command,
                                   const std::filesystem::path& workingDirectory)
    : terminal_(terminal) {
    const char* path = std::getenv("PATH");
    // Made before the fork: the child of a threaded process only execs.
    std::vector<std::string> words{"env",
                                   "-i",
                                   "TERM=xterm",
                                   "HOME=" + workingDirectory.string(),
                                   "PS1=" + std::string(kPrompt),
                                   "PATH=" + programPath().parent_path().string() + ":" +
                                       (path ? path : "/usr/bin:/bin")};
    words.insert(words.end(), command.begin(), command.end());
    std::vector<char*> arguments;
    for (std::string& word : words)
        arguments.push_back(word.data());
    arguments.push_back(nullptr);
    const std::string directory = workingDirectory.string();

    // Wide enough that no line entered wraps: the line editors draw the
    // prompt again where one does.
    const winsize size{50, 250, 0, 0};
    if (::ioctl(terminal.master(), TIOCSWINSZ, &size) != 0) fail("TIOCSWINSZ");

    shell_ = ::fork();
    if (shell_ < 0) fail("fork");
    if (shell_ == 0) {
        const int tty = terminal.slave();
        if (::setsid() < 0 || ::ioctl(tty, TIOCSCTTY, 0) != 0 || ::chdir(directory.c_str()) != 0)
            ::_exit(kSetUpFailed);
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        for (const int signal :
             {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGPIPE, SIGTSTP, SIGTTIN, SIGTTOU})
            ::signal(signal, SIG_DFL);
        for (int fd = 0; fd < 3; ++fd)
            ::dup2(tty, fd);
        ::execvp(arguments[0], arguments.data());
        ::_exit(127);
    }
}

InteractiveShell::~InteractiveShell() {
    // Its session hangs up with it: a program it left running meets a
    // terminal that is gone, and ends.
    ::kill(shell_, SIGKILL);
    while (::waitpid(shell_, nullptr, 0) < 0 && errno == EINTR) {
    }
}

bool InteractiveShell::promptShown(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        screen_ += terminal_.shown();
        if (occurrences(screen_, kPrompt) > promptsAnswered_) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
}

bool InteractiveShell::enterAtPrompt(std::string_view line, std::chrono::milliseconds timeout) {
    if (!promptShown(timeout)) return false;
    ++promptsAnswered_;
    terminal_.type(std::string(line) + "\r");
    return true;
}

} // namespace parabeam::testing
