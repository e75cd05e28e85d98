#include "platform/raw_mode_posix.hpp"

#include <cerrno>
#include <csignal>
#include <termios.h>
#include <unistd.h>

namespace parabeam {
namespace {

// Signals whose default action ends the process; SIGKILL cannot be caught.
constexpr int kEndingSignals[] = {
    SIGHUP,  SIGINT,  SIGQUIT,   SIGILL,  SIGTRAP, SIGABRT, SIGBUS, SIGFPE,  SIGUSR1,   SIGSEGV,
    SIGUSR2, SIGPIPE, SIGALRM,   SIGTERM, SIGXCPU, SIGXFSZ, SIGSYS, SIGPROF, SIGVTALRM,
#ifdef __linux__
    SIGPOLL, SIGPWR,  SIGSTKFLT, // ending on Linux; elsewhere ignored or absent
#endif
};

enum class Role { None, Ending, Stopping, Continuing };

Role roleOf(int signal) {
    for (const int ending : kEndingSignals)
        if (signal == ending) return Role::Ending;
#ifdef SIGRTMIN
    if (signal >= SIGRTMIN && signal <= SIGRTMAX) return Role::Ending;
#endif
    // SIGSTOP cannot be caught: SIGCONT's handler sets raw mode again after it.
    if (signal == SIGTSTP || signal == SIGTTIN || signal == SIGTTOU) return Role::Stopping;
    if (signal == SIGCONT) return Role::Continuing;
    return Role::None;
}

// --- State shared with the signal handlers ------------------------------------

int gTerminal = -1;
// The mode to put back. Read again whenever raw mode is entered afresh: while
// the process was stopped, the shell has put its own mode in place.
termios gSavedMode;
// Raw mode is in place: only a mode this program changed is ever put back.
volatile sig_atomic_t gRaw = 0;
// Blocked in the handlers, and while the wait enters and leaves raw mode, so
// that no two changes of the mode interleave.
sigset_t gHandled;
struct sigaction gStopAction;
struct sigaction gCallerActions[NSIG];
bool gReplaced[NSIG];

// In the background the terminal is the shell's: the process leaves its mode
// alone (a read would stop it, SIGTTIN, until it is brought back).
bool inForeground() {
    return ::tcgetpgrp(gTerminal) == ::getpgrp();
}

// No line input, no echo, no signal keys (Ctrl+C is a key press), no flow
// control keys; one byte is enough. TCSANOW keeps keys typed ahead.
bool enterRawMode() {
    if (!inForeground()) return true;
    if (!gRaw && ::tcgetattr(gTerminal, &gSavedMode) != 0) return false;
    termios raw = gSavedMode;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR | IGNCR);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    if (::tcsetattr(gTerminal, TCSANOW, &raw) != 0) return false;
    gRaw = 1;
    return true;
}

// Also when the shell has taken the terminal back meanwhile: the mode is still
// the raw one this program set, and must not outlast it. Every caller blocks
// SIGTTOU, so that a process in the background may set it.
void restoreMode() {
    if (gRaw) ::tcsetattr(gTerminal, TCSANOW, &gSavedMode);
    gRaw = 0;
}

// Raised again with its default action, the signal takes effect as soon as the
// handler unblocks it.
void raiseWithDefaultAction(int signal) {
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    ::sigaction(signal, &fallback, nullptr);
    ::raise(signal);
}

extern "C" void restoreModeAndEnd(int signal) {
    restoreMode();
    raiseWithDefaultAction(signal); // ends the process once the handler returns
}

// What the default action would have done, with the mode put back for the
// time of the stop.
extern "C" void restoreModeAndStop(int signal) {
    const int savedErrno = errno;
    restoreMode();
    raiseWithDefaultAction(signal);
    sigset_t own;
    ::sigemptyset(&own);
    ::sigaddset(&own, signal);
    ::sigprocmask(SIG_UNBLOCK, &own, nullptr); // stopped here until continued
    ::sigaction(signal, &gStopAction, nullptr);
    enterRawMode();
    errno = savedErrno;
}

extern "C" void reenterRawMode(int) {
    const int savedErrno = errno;
    enterRawMode();
    errno = savedErrno;
}

struct sigaction actionFor(Role role) {
    struct sigaction action {};
    action.sa_mask = gHandled;
    if (role == Role::Ending)
        action.sa_handler = restoreModeAndEnd;
    else
        action.sa_handler = role == Role::Stopping ? restoreModeAndStop : reenterRawMode;
    return action;
}

} // namespace

bool RawTerminalMode::inForeground() const {
    return parabeam::inForeground();
}

bool RawTerminalMode::takenBack() const {
    return gRaw && !parabeam::inForeground();
}

RawTerminalMode::RawTerminalMode(int terminal) {
    gTerminal = terminal;
    ::sigemptyset(&gHandled);
    for (int signal = 1; signal < NSIG; ++signal)
        if (roleOf(signal) != Role::None) ::sigaddset(&gHandled, signal);
    gStopAction = actionFor(Role::Stopping);

    sigset_t callerMask;
    ::sigprocmask(SIG_BLOCK, &gHandled, &callerMask);
    for (int signal = 1; signal < NSIG; ++signal) {
        const Role role = roleOf(signal);
        if (role == Role::None) continue;
        ::sigaction(signal, nullptr, &gCallerActions[signal]);
        // Only default actions are replaced: a signal the caller ignores (nohup)
        // stays ignored, one it handles stays with its handler.
        const struct sigaction& caller = gCallerActions[signal];
        gReplaced[signal] = (caller.sa_flags & SA_SIGINFO) == 0 && caller.sa_handler == SIG_DFL;
        if (gReplaced[signal]) {
            const struct sigaction action = actionFor(role);
            ::sigaction(signal, &action, nullptr);
        }
    }
    entered_ = enterRawMode();
    ::sigprocmask(SIG_SETMASK, &callerMask, nullptr);
}

// Signals that come meanwhile wait until the mode and the caller's actions
// are back, so that none can set raw mode again after the wait.
RawTerminalMode::~RawTerminalMode() {
    sigset_t callerMask;
    ::sigprocmask(SIG_BLOCK, &gHandled, &callerMask);
    restoreMode();
    for (int signal = 1; signal < NSIG; ++signal)
        if (gReplaced[signal]) ::sigaction(signal, &gCallerActions[signal], nullptr);
    ::sigprocmask(SIG_SETMASK, &callerMask, nullptr);
    gTerminal = -1;
}

} // namespace parabeam
