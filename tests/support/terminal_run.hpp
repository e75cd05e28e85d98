#pragma once
// Runs the built program with a pseudo-terminal as its controlling terminal, so
// that the final key wait has a real terminal to read: the test types on the
// master side and watches the terminal's mode through the slave side.
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <termios.h>
#include <vector>

#include "support/run_binary.hpp"

namespace parabeam::testing {

// Generous for a slow CI machine; only a hang ever reaches it.
inline constexpr std::chrono::milliseconds kPatience{5000};

// The last line the program prints before it waits for a key.
inline constexpr std::string_view kClosingLine = " ........Press Any Key To Continue........ ";

// Whether this system can hand out pseudo-terminals at all.
bool pseudoTerminalsAvailable();

// Both ends of a fresh pseudo-terminal, held by the test.
class PseudoTerminal {
  public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int master() const { return master_; }
    int slave() const { return slave_; }
    termios mode() const;
    void setMode(const termios& mode);
    // As if typed on the keyboard, all at once.
    void type(std::string_view keys);
    // What the terminal has shown (echoed) so far.
    std::string shown();
    // Bytes typed that nobody has read; switches the terminal to non-canonical
    // input to see partial lines too, so take the mode before calling this.
    std::string unreadInput();
    // Closes the master side: the terminal goes away under the program.
    void hangUp();

  private:
    int master_ = -1;
    int slave_ = -1;
};

enum class InputSource {
    File,     // standard input is a file holding the given bytes
    OpenPipe, // a pipe holding the given bytes that the test keeps open
};

struct TerminalRunOptions {
    std::filesystem::path workingDirectory;
    std::string input;
    InputSource source = InputSource::File;
    bool hangUpIgnored = false; // started the way nohup starts a program
    // SIGINT and SIGQUIT ignored, as a trap set with `trap '' INT QUIT` hands
    // them on.
    bool interruptsIgnored = false;
    // Started by a stand-in job-control shell: the session leader, with the
    // program in a foreground process group of its own. Only then do stop
    // signals stop it (the kernel drops them in an orphaned group).
    bool underJobControl = false;
};

struct RunEnd {
    bool ended = false; // false: still running at the deadline, then killed
    bool exited = false;
    int exitStatus = -1;
    int signal = 0; // the signal that ended it, if any
};

// One run of the program in its own session, the pseudo-terminal being its
// controlling terminal. Killed and reaped on destruction if still running.
class TerminalRun {
  public:
    TerminalRun(PseudoTerminal& terminal, const TerminalRunOptions& options);
    ~TerminalRun();
    TerminalRun(const TerminalRun&) = delete;
    TerminalRun& operator=(const TerminalRun&) = delete;

    // True once the closing line is out and the terminal's input is no longer
    // canonical; false when the program ends first or the time runs out.
    bool reachesKeyWait(std::chrono::milliseconds timeout = kPatience);
    bool stillRunning();
    RunEnd waitForEnd(std::chrono::milliseconds timeout = kPatience);
    // True once the program has been stopped; false when it ends first or the
    // time runs out.
    bool stops(std::chrono::milliseconds timeout = kPatience);
    void sendSignal(int signal);
    // Under job control: the shell hands the terminal to its own group, the
    // program going on in the background.
    void shellTakesTerminalBack();
    void writeStandardInput(std::string_view bytes);
    std::string output() const;

  private:
    bool reap(bool block);
    bool nextStatus(bool block, int& status);

    PseudoTerminal& terminal_;
    TempDir scratch_;       // captured output lives here
    pid_t child_ = -1;      // the program, or the stand-in shell above it
    pid_t program_ = -1;    // receives the signals
    int shellReports_ = -1; // the program's wait statuses, as its shell saw them
    bool stopped_ = false;
    bool reaped_ = false;
    int status_ = 0;
    int inputWriter_ = -1;
};

// An interactive shell in a session of its own, the pseudo-terminal its
// controlling terminal, as a user has it in a terminal window: no start-up
// files, TERM=xterm, a prompt of its own, and the program's folder first on
// its PATH (`parabeam` runs the build's program). Killed and reaped on
// destruction; its session hangs up with it.
class InteractiveShell {
  public:
    // `command`: the shell and its options, the first a name on the PATH.
    InteractiveShell(PseudoTerminal& terminal, const std::vector<std::string>& command,
                     const std::filesystem::path& workingDirectory);
    ~InteractiveShell();
    InteractiveShell(const InteractiveShell&) = delete;
    InteractiveShell& operator=(const InteractiveShell&) = delete;

    // Whether a program of that name is on the PATH (a shell not installed).
    static bool installed(const std::string& name);
    // Waits for the shell's next prompt, then types the line and Enter; false
    // when no prompt came in time.
    bool enterAtPrompt(std::string_view line, std::chrono::milliseconds timeout = kPatience);
    // What the terminal has shown, for messages.
    const std::string& screen() const { return screen_; }

  private:
    bool promptShown(std::chrono::milliseconds timeout);

    PseudoTerminal& terminal_;
    pid_t shell_ = -1;
    std::string screen_;
    std::size_t promptsAnswered_ = 0;
};

} // namespace parabeam::testing
