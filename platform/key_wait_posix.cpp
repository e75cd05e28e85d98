#include "platform/key_wait.hpp"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "platform/raw_mode_posix.hpp"

namespace parabeam {
namespace {

// The bytes of one key arrive together; a lone Escape is followed by nothing.
constexpr int kFollowingByteMilliseconds = 50;
constexpr int kLongestSequence = 16;
constexpr int kForegroundCheckMilliseconds = 100;

// One byte within the timeout; false on end of input, error or silence.
bool readByte(int terminal, unsigned char& byte, int timeoutMilliseconds) {
    for (;;) {
        pollfd ready{terminal, POLLIN, 0};
        const int polled = ::poll(&ready, 1, timeoutMilliseconds);
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0) return false;
        const ssize_t count = ::read(terminal, &byte, 1);
        if (count < 0 && errno == EINTR) continue;
        return count == 1;
    }
}

// A shell without job control (sh -c '... &') starts a command put in the
// background in the shell's process group, with SIGINT and SIGQUIT ignored. The
// interactive shell above it takes the terminal back as soon as that shell
// ends, not when the program does, and bash and zsh then keep the terminal's
// mode of that moment as their own: a raw mode set by such a run would outlast
// it, whatever the run put back later. Such a run is not interactive and ends
// at once, as without a terminal. A job-control shell starts each job in a
// group of its own, led by the job's first process, and waits for it: there
// the wait stays, even under a trap that ignores both signals.
bool startedInBackgroundWithoutJobControl() {
    const auto ignored = [](int signal) {
        struct sigaction action {};
        return ::sigaction(signal, nullptr, &action) == 0 && (action.sa_flags & SA_SIGINFO) == 0 &&
               action.sa_handler == SIG_IGN;
    };
    return ignored(SIGINT) && ignored(SIGQUIT) && ::getpgrp() != ::getpid();
}

// The first byte of a key. While the process holds the terminal the wait
// looks every so often whether it still does: a program that started this one
// and ended without ignoring those signals (bash, for one, hands them on
// ignored only to the simple commands and pipelines it puts in the
// background) leaves it in a group the shell no longer waits for, and the
// shell, taking the terminal back, gets the keys typed at its prompt; a
// blocked read would not notice the change. A process in the background since
// before the wait, or since a stop, reads as any does there: the read stops it
// until it is brought back.
bool readFirstByte(const RawTerminalMode& raw, int terminal, unsigned char& byte) {
    for (;;) {
        if (raw.takenBack()) return false;
        if (raw.inForeground()) {
            pollfd ready{terminal, POLLIN, 0};
            const int polled = ::poll(&ready, 1, kForegroundCheckMilliseconds);
            if (polled == 0 || (polled < 0 && errno == EINTR)) continue;
            if (polled < 0) return false;
        }
        const ssize_t count = ::read(terminal, &byte, 1);
        if (count < 0 && errno == EINTR) continue;
        return count == 1;
    }
}

bool following(int terminal, unsigned char& byte) {
    return readByte(terminal, byte, kFollowingByteMilliseconds);
}

void consumeUtf8Trailing(int terminal, unsigned char lead) {
    const int trailing = lead >= 0xf0 ? 3 : lead >= 0xe0 ? 2 : lead >= 0xc0 ? 1 : 0;
    unsigned char byte = 0;
    for (int i = 0; i < trailing; ++i)
        if (!following(terminal, byte) || (byte & 0xc0) != 0x80) return;
}

// Parameter bytes (0x30 to 0x3F) and intermediates up to a final byte (0x40 to 0x7E).
void consumeSequenceTail(int terminal) {
    unsigned char byte = 0;
    for (int taken = 0; taken < kLongestSequence; ++taken) {
        if (!following(terminal, byte)) return;
        if (byte >= 0x40 && byte <= 0x7e) return;
    }
}

// What follows an Escape: a control sequence (arrows, function keys), or a
// key held with Alt, which may itself be a sequence or a UTF-8 character.
void consumeEscapeTail(int terminal, bool altTaken) {
    unsigned char byte = 0;
    if (!following(terminal, byte)) return; // Escape alone
    if (byte == '[') {
        if (!following(terminal, byte)) return;
        if (byte == '[') { // Linux console F1 to F5: ESC [ [ letter
            following(terminal, byte);
            return;
        }
        if (byte < 0x40 || byte > 0x7e) consumeSequenceTail(terminal);
        return;
    }
    if (byte == 'O') {
        consumeSequenceTail(terminal);
        return;
    }
    if (byte == 0x1b && !altTaken) {
        consumeEscapeTail(terminal, true);
        return;
    }
    consumeUtf8Trailing(terminal, byte);
}

// The bytes of one key press after its first: nothing is left over for
// whatever reads the terminal next.
void consumeRestOfKey(int terminal, unsigned char first) {
    if (first == 0x1b)
        consumeEscapeTail(terminal, false);
    else
        consumeUtf8Trailing(terminal, first);
}

} // namespace

void waitForKey() {
    if (startedInBackgroundWithoutJobControl()) return;
    const int terminal = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0) return;
    if (::isatty(terminal)) {
        const RawTerminalMode raw(terminal);
        unsigned char key = 0;
        if (raw.entered() && readFirstByte(raw, terminal, key)) consumeRestOfKey(terminal, key);
    }
    ::close(terminal);
}

} // namespace parabeam
