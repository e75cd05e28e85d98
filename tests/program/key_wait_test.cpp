// The final key wait, run against a real (pseudo-)terminal: which key presses
// end it, what it leaves in the terminal, and the terminal's mode afterwards.
#include <gtest/gtest.h>

#include <sys/ioctl.h>
#include <sys/wait.h>

#include <csignal>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

#include "platform/raw_mode_posix.hpp"
#include "support/expected_data.hpp"
#include "support/named_case.hpp"
#include "support/terminal_run.hpp"

namespace parabeam::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::string_view kAnswers = kWorkedExampleAnswers;
// Long enough to tell "waits" from "ended at once"; never decides success alone.
constexpr auto kStillWaiting = 300ms;

void expectSameMode(const termios& expected, const termios& actual) {
    EXPECT_EQ(actual.c_iflag, expected.c_iflag) << "input flags";
    EXPECT_EQ(actual.c_oflag, expected.c_oflag) << "output flags";
    EXPECT_EQ(actual.c_cflag, expected.c_cflag) << "control flags";
    EXPECT_EQ(actual.c_lflag, expected.c_lflag) << "local flags";
    for (std::size_t i = 0; i < NCCS; ++i)
        EXPECT_EQ(actual.c_cc[i], expected.c_cc[i]) << "control character " << i;
    EXPECT_EQ(cfgetispeed(&actual), cfgetispeed(&expected));
    EXPECT_EQ(cfgetospeed(&actual), cfgetospeed(&expected));
}

void expectEndedNormally(const RunEnd& end) {
    ASSERT_TRUE(end.ended) << "still waiting";
    EXPECT_TRUE(end.exited) << "ended by signal " << end.signal;
    EXPECT_EQ(end.exitStatus, 0);
}

// Once its last line is complete; false when the time runs out first.
bool fileWritten(const std::filesystem::path& file) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!readFile(file).ends_with('\n')) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// A fresh pseudo-terminal and a fresh directory for every test.
class TerminalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!pseudoTerminalsAvailable()) GTEST_SKIP() << "no pseudo-terminals on this system";
        terminal_.emplace();
    }
    PseudoTerminal& terminal() { return *terminal_; }
    TerminalRunOptions answersFromFile() const {
        return {.workingDirectory = dir_.path(), .input = std::string(kAnswers)};
    }

    TempDir dir_;
    std::optional<PseudoTerminal> terminal_;
};

// --- Waiting until a key comes, whatever standard input holds ---------------

struct InputCase : NamedCase {
    InputSource source;
    std::string input;
    std::string inputDuringWait; // more on standard input while waiting
};

class WaitsForTheTerminal : public TerminalTest, public ::testing::WithParamInterface<InputCase> {};

TEST_P(WaitsForTheTerminal, NotStandardInput) {
    const InputCase& input = GetParam();
    const termios before = terminal().mode();
    TerminalRun run(
        terminal(),
        {.workingDirectory = dir_.path(), .input = input.input, .source = input.source});
    ASSERT_TRUE(run.reachesKeyWait()) << run.output();

    const termios raw = terminal().mode();
    EXPECT_EQ(raw.c_lflag & ECHO, 0u) << "keys echoed";
    EXPECT_EQ(raw.c_lflag & ISIG, 0u) << "Ctrl+C would interrupt";
    EXPECT_EQ(raw.c_iflag & IXON, 0u) << "Ctrl+S would stop output";

    if (!input.inputDuringWait.empty()) run.writeStandardInput(input.inputDuringWait);
    std::this_thread::sleep_for(kStillWaiting);
    ASSERT_TRUE(run.stillRunning()) << "ended without a key";

    terminal().type("x");
    expectEndedNormally(run.waitForEnd());
    expectSameMode(before, terminal().mode());
    EXPECT_EQ(terminal().shown(), "") << "the key was echoed";
}

INSTANTIATE_TEST_SUITE_P(
    KeyWait, WaitsForTheTerminal,
    ::testing::Values(
        InputCase{{"AnswersFile"}, InputSource::File, std::string(kAnswers), ""},
        InputCase{{"FileWithMoreAfterTheAnswers"},
                  InputSource::File,
                  std::string(kAnswers) + "x\ny\n\x03\n",
                  ""},
        InputCase{{"PipeKeptOpen"}, InputSource::OpenPipe, std::string(kAnswers), "x\n\x1b[A\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Key presses: each ends the wait and takes all of its own bytes ---------

struct KeyPress : NamedCase {
    std::string typed;    // sent in one go while the program waits
    std::string leftOver; // what must still be unread in the terminal after
};

class KeyPressEndsTheWait : public TerminalTest, public ::testing::WithParamInterface<KeyPress> {};

TEST_P(KeyPressEndsTheWait, TakingOnlyItsOwnBytes) {
    const KeyPress& key = GetParam();
    const termios before = terminal().mode();
    TerminalRun run(terminal(), answersFromFile());
    ASSERT_TRUE(run.reachesKeyWait()) << run.output();

    terminal().type(key.typed);
    expectEndedNormally(run.waitForEnd());
    expectSameMode(before, terminal().mode());
    EXPECT_EQ(terminal().shown(), "") << "the key was echoed";
    EXPECT_EQ(terminal().unreadInput(), key.leftOver);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyPressEndsTheWait,
    ::testing::Values(
        // Single bytes, control keys included: none is taken by the terminal.
        KeyPress{{"Letter"}, "x", ""}, KeyPress{{"Space"}, " ", ""},
        KeyPress{{"CtrlC"}, "\x03", ""}, KeyPress{{"CtrlBackslash"}, "\x1c", ""},
        KeyPress{{"CtrlZ"}, "\x1a", ""}, KeyPress{{"CtrlS"}, "\x13", ""},
        KeyPress{{"CtrlQ"}, "\x11", ""}, KeyPress{{"CtrlD"}, "\x04", ""},
        KeyPress{{"CtrlV"}, "\x16", ""}, KeyPress{{"Enter"}, "\r", ""},
        KeyPress{{"Backspace"}, "\x7f", ""},
        KeyPress{{"NulFromCtrlSpace"}, std::string(1, '\0'), ""},
        KeyPress{{"EscapeAlone"}, "\x1b", ""},
        // Escape sequences of the cursor and function keys.
        KeyPress{{"Up"}, "\x1b[A", ""}, KeyPress{{"UpInApplicationMode"}, "\x1bOA", ""},
        KeyPress{{"F1"}, "\x1bOP", ""}, KeyPress{{"F5"}, "\x1b[15~", ""},
        KeyPress{{"F12"}, "\x1b[24~", ""}, KeyPress{{"ShiftF5"}, "\x1b[15;2~", ""},
        KeyPress{{"CtrlUp"}, "\x1b[1;5A", ""}, KeyPress{{"AltF1"}, "\x1b[1;3P", ""},
        KeyPress{{"Home"}, "\x1b[H", ""}, KeyPress{{"Delete"}, "\x1b[3~", ""},
        KeyPress{{"PageDown"}, "\x1b[6~", ""}, KeyPress{{"LinuxConsoleF1"}, "\x1b[[A", ""},
        // Modifier parameters after ESC O, as some terminals send Shift+F1.
        KeyPress{{"ShiftF1AfterSs3"}, "\x1bO2P", ""},
        KeyPress{{"ShiftF1AfterSs3WithSemicolon"}, "\x1bO1;2P", ""},
        // Alt sends Escape before the key's own bytes.
        KeyPress{{"AltX"}, "\x1bx", ""}, KeyPress{{"AltOpenBracket"}, "\x1b[", ""},
        KeyPress{{"AltCapitalO"}, "\x1bO", ""}, KeyPress{{"AltEscape"}, "\x1b\x1b", ""},
        KeyPress{{"AltUp"}, "\x1b\x1b[A", ""}, KeyPress{{"AltEAcute"}, "\x1b\xc3\xa9", ""},
        // UTF-8 characters of two, three and four bytes.
        KeyPress{{"EAcute"}, "\xc3\xa9", ""}, KeyPress{{"Euro"}, "\xe2\x82\xac", ""},
        KeyPress{{"Emoji"}, "\xf0\x9f\x98\x80", ""},
        // A second key right behind the first stays for whoever reads next.
        KeyPress{{"LetterThenLetter"}, "xy", "y"}, KeyPress{{"CtrlCThenLetter"}, "\x03y", "y"},
        KeyPress{{"UpThenLetter"}, "\x1b[Ay", "y"}, KeyPress{{"F1ThenLetter"}, "\x1bOPy", "y"},
        KeyPress{{"F5ThenUp"}, "\x1b[15~\x1b[A", "\x1b[A"},
        KeyPress{{"AltXThenLetter"}, "\x1bxy", "y"},
        KeyPress{{"EAcuteThenLetter"}, "\xc3\xa9y", "y"},
        KeyPress{{"EuroThenEAcute"}, "\xe2\x82\xac\xc3\xa9", "\xc3\xa9"},
        KeyPress{{"LetterThenEnter"}, "y\r", "\r"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Keys typed before the program reaches the wait --------------------------

struct TypedAhead : NamedCase {
    std::string typed;
};

class KeyTypedAhead : public TerminalTest, public ::testing::WithParamInterface<TypedAhead> {};

TEST_P(KeyTypedAhead, EndsTheWait) {
    const termios before = terminal().mode();
    terminal().type(GetParam().typed); // the program has not even started
    TerminalRun run(terminal(), answersFromFile());
    expectEndedNormally(run.waitForEnd());
    EXPECT_NE(run.output().find(kClosingLine), std::string::npos) << run.output();
    expectSameMode(before, terminal().mode());
    EXPECT_EQ(terminal().unreadInput(), "");
}

INSTANTIATE_TEST_SUITE_P(KeyWait, KeyTypedAhead,
                         ::testing::Values(TypedAhead{{"Letter"}, "x"},
                                           TypedAhead{{"Up"}, "\x1b[A"},
                                           TypedAhead{{"EAcute"}, "\xc3\xa9"}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- The terminal's own mode comes back exactly ------------------------------

struct StartingMode : NamedCase {
    void (*adjust)(termios&);
};

class ModeComesBack : public TerminalTest, public ::testing::WithParamInterface<StartingMode> {
  protected:
    termios startIn() {
        termios mode = terminal().mode();
        GetParam().adjust(mode);
        terminal().setMode(mode);
        return terminal().mode();
    }
};

TEST_P(ModeComesBack, AfterAKey) {
    const termios before = startIn();
    TerminalRun run(terminal(), answersFromFile());
    ASSERT_TRUE(run.reachesKeyWait()) << run.output();
    terminal().type("\x1b[B");
    expectEndedNormally(run.waitForEnd());
    expectSameMode(before, terminal().mode());
    EXPECT_EQ(terminal().unreadInput(), "");
}

// Ended by a signal while waiting: the handler puts the mode back first. Every
// signal whose default action ends the process, core dump or not.
TEST_P(ModeComesBack, WhenTerminatedWhileWaiting) {
    const termios before = startIn();
    for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGXCPU,
                             SIGPROF, SIGVTALRM, SIGABRT, SIGSYS, SIGRTMIN}) {
        SCOPED_TRACE(strsignal(signal));
        TerminalRun run(terminal(), answersFromFile());
        ASSERT_TRUE(run.reachesKeyWait()) << run.output();
        run.sendSignal(signal);
        const RunEnd end = run.waitForEnd();
        ASSERT_TRUE(end.ended) << "the signal did not end it";
        EXPECT_FALSE(end.exited);
        EXPECT_EQ(end.signal, signal) << "should die by the signal it got";
        expectSameMode(before, terminal().mode());
    }
}

INSTANTIATE_TEST_SUITE_P(
    KeyWait, ModeComesBack,
    ::testing::Values(StartingMode{{"AsOpened"}, [](termios&) {}},
                      StartingMode{{"NoEchoNoSignalKeys"},
                                   [](termios& mode) {
                                       mode.c_lflag &=
                                           ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ISIG);
                                   }},
                      StartingMode{{"OwnControlCharacters"},
                                   [](termios& mode) {
                                       mode.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL);
                                       mode.c_iflag |= IXOFF | INLCR;
                                       mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
                                       mode.c_lflag &= ~static_cast<tcflag_t>(IEXTEN);
                                       mode.c_cc[VINTR] = 0x07;
                                       mode.c_cc[VERASE] = 0x08;
                                       mode.c_cc[VEOF] = 0x01;
                                       mode.c_cc[VMIN] = 4;
                                       mode.c_cc[VTIME] = 2;
                                   }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Signals and hang-ups ----------------------------------------------------

class KeyWaitSignals : public TerminalTest {};

// Started under nohup: a hang-up signal must not end the wait.
TEST_F(KeyWaitSignals, IgnoredHangUpSignalStaysIgnored) {
    const termios before = terminal().mode();
    TerminalRunOptions options = answersFromFile();
    options.hangUpIgnored = true;
    TerminalRun run(terminal(), options);
    ASSERT_TRUE(run.reachesKeyWait()) << run.output();
    run.sendSignal(SIGHUP);
    std::this_thread::sleep_for(kStillWaiting);
    ASSERT_TRUE(run.stillRunning()) << "the ignored hang-up ended it";
    terminal().type("x");
    expectEndedNormally(run.waitForEnd());
    expectSameMode(before, terminal().mode());
}

// Stopped while waiting, then continued as `fg` does it, the shell having put
// its own mode back meanwhile: the wait resumes raw, one key still ends it.
// Only SIGSTOP, which cannot be caught, stops without restoring the mode.
TEST_F(KeyWaitSignals, StoppedAndContinued) {
    for (const int signal : {SIGTSTP, SIGTTIN, SIGTTOU, SIGSTOP}) {
        SCOPED_TRACE(strsignal(signal));
        const termios before = terminal().mode();
        TerminalRunOptions options = answersFromFile();
        options.underJobControl = true;
        TerminalRun run(terminal(), options);
        ASSERT_TRUE(run.reachesKeyWait()) << run.output();
        run.sendSignal(signal);
        ASSERT_TRUE(run.stops()) << "not stopped";
        if (signal != SIGSTOP) expectSameMode(before, terminal().mode());
        terminal().setMode(before);
        run.sendSignal(SIGCONT);
        ASSERT_TRUE(run.reachesKeyWait()) << "not raw again after continuing";
        terminal().type("x");
        expectEndedNormally(run.waitForEnd());
        expectSameMode(before, terminal().mode());
        EXPECT_EQ(terminal().shown(), "") << "the key was echoed";
    }
}

// The shell takes the terminal back while the program waits (a program that
// started it has ended, leaving it behind with the interrupt keys as usual):
// the wait ends, the mode comes back, and the next key typed is left for the
// shell.
TEST_F(KeyWaitSignals, ShellTakesTheTerminalBack) {
    const termios before = terminal().mode();
    TerminalRunOptions options = answersFromFile();
    options.underJobControl = true;
    TerminalRun run(terminal(), options);
    ASSERT_TRUE(run.reachesKeyWait()) << run.output();
    run.shellTakesTerminalBack();
    expectEndedNormally(run.waitForEnd());
    expectSameMode(before, terminal().mode());
    terminal().type("x");
    EXPECT_EQ(terminal().unreadInput(), "x");
}

// The terminal closes under the waiting program: it must end, not hang.
TEST_F(KeyWaitSignals, TerminalGoneWhileWaiting) {
    for (const bool hangUpIgnored : {false, true}) {
        SCOPED_TRACE(hangUpIgnored ? "hang-up signal ignored" : "hang-up signal default");
        PseudoTerminal doomed;
        TerminalRunOptions options = answersFromFile();
        options.hangUpIgnored = hangUpIgnored;
        TerminalRun run(doomed, options);
        ASSERT_TRUE(run.reachesKeyWait()) << run.output();
        doomed.hangUp();
        const RunEnd end = run.waitForEnd();
        ASSERT_TRUE(end.ended) << "still waiting on a terminal that is gone";
        if (hangUpIgnored) {
            EXPECT_TRUE(end.exited);
            EXPECT_EQ(end.exitStatus, 0);
        } else {
            EXPECT_EQ(end.signal, SIGHUP);
        }
    }
}

// A handler its caller installed keeps the signal while the mode is raw: the
// handler runs, and the process goes on in raw mode instead of ending.
volatile sig_atomic_t gCallerHandlerRan = 0;
extern "C" void callerHandler(int) {
    gCallerHandlerRan = 1;
}

TEST_F(KeyWaitSignals, CallersOwnHandlerKeepsTheSignal) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) { // its own session, the pseudo-terminal its terminal
        const int tty = terminal().slave();
        struct sigaction handled {};
        handled.sa_handler = callerHandler;
        bool ok = ::setsid() >= 0 && ::ioctl(tty, TIOCSCTTY, 0) == 0 &&
                  ::sigaction(SIGUSR1, &handled, nullptr) == 0;
        {
            const RawTerminalMode raw(tty);
            ::raise(SIGUSR1);
            termios mode{};
            ok = ok && raw.entered() && gCallerHandlerRan && ::tcgetattr(tty, &mode) == 0 &&
                 (mode.c_lflag & ICANON) == 0;
        }
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// --- Put in the background by a real shell ----------------------------------

struct BackgroundRun : NamedCase {
    std::vector<std::string> shell; // the interactive shell, as in a terminal window
    // Leaves the program running when it is done; makes the file `ended` once
    // the program has ended (its output's reader then meets the end).
    std::string line;
};

class LeftInTheBackground : public TerminalTest,
                            public ::testing::WithParamInterface<BackgroundRun> {};

// The shell takes the terminal back while the program still runs, and bash and
// zsh keep the mode of that moment as their own; readline and zsh's editor set
// theirs at each prompt and put back what they found. Once the run has ended,
// the shell's next command must find the terminal's mode as it was.
TEST_P(LeftInTheBackground, TerminalModeAsBefore) {
    const BackgroundRun& run = GetParam();
    for (const std::string& command : {run.shell[0], std::string("sh")})
        if (!InteractiveShell::installed(command)) GTEST_SKIP() << command << " is not installed";
    writeFile(dir_.path() / "answers", std::string(kAnswers));
    InteractiveShell shell(terminal(), run.shell, dir_.path());
    ASSERT_TRUE(shell.enterAtPrompt("stty -g > before")) << shell.screen();
    ASSERT_TRUE(shell.enterAtPrompt(run.line)) << shell.screen();
    ASSERT_TRUE(fileWritten(dir_.path() / "ended")) << "the program still runs";
    ASSERT_TRUE(shell.enterAtPrompt("stty -g > after")) << shell.screen();
    ASSERT_TRUE(fileWritten(dir_.path() / "after")) << shell.screen();
    const std::string before = readFile(dir_.path() / "before");
    EXPECT_EQ(readFile(dir_.path() / "after"), before) << "stty -g, then after the run";
    EXPECT_NE(readFile(dir_.path() / "out").find(kClosingLine), std::string::npos)
        << "the run did not reach its end";
}

// Started in the background by a shell without job control (-c), and given
// the time to reach its key wait while it still has the terminal.
std::string backgroundedBy(const std::string& shell) {
    return shell + " -c 'parabeam < answers | { cat > out; echo > ended; } & sleep 1'";
}
// A subshell has no job control either.
const std::string kBackgroundedBySubshell =
    "(parabeam < answers | { cat > out; echo > ended; } & sleep 1)";
const std::vector<std::string> kBash{"bash", "--norc", "--noprofile", "-i"};
const std::vector<std::string> kZsh{"zsh", "-f", "-i"};

INSTANTIATE_TEST_SUITE_P(
    Shells, LeftInTheBackground,
    ::testing::Values(BackgroundRun{{"ShUnderBash"}, kBash, backgroundedBy("sh")},
                      BackgroundRun{{"ShUnderDash"}, {"dash", "-i"}, backgroundedBy("sh")},
                      BackgroundRun{{"ShUnderZsh"}, kZsh, backgroundedBy("sh")},
                      BackgroundRun{{"BashUnderZsh"}, kZsh, backgroundedBy("bash")},
                      BackgroundRun{{"ZshUnderBash"}, kBash, backgroundedBy("zsh")},
                      BackgroundRun{{"BashSubshell"}, kBash, kBackgroundedBySubshell},
                      BackgroundRun{{"ZshSubshell"}, kZsh, kBackgroundedBySubshell}),
    [](const auto& info) { return std::string(info.param.name); });

// A job-control shell gives the program its own process group and waits for
// it: a trap that ignores the interrupt keys there does not end the wait.
TEST_F(KeyWaitSignals, InterruptKeysIgnoredInAGroupOfItsOwn) {
    const termios before = terminal().mode();
    TerminalRunOptions options = answersFromFile();
    options.underJobControl = true;
    options.interruptsIgnored = true;
    TerminalRun run(terminal(), options);
    ASSERT_TRUE(run.reachesKeyWait()) << run.output();
    std::this_thread::sleep_for(kStillWaiting);
    ASSERT_TRUE(run.stillRunning()) << "ended without a key";
    terminal().type("x");
    expectEndedNormally(run.waitForEnd());
    expectSameMode(before, terminal().mode());
}

// --- No terminal at all ------------------------------------------------------

TEST(KeyWaitWithoutTerminal, EndsAtOnce) {
    TempDir dir;
    const RunResult run = runBinary(
        {.input = std::string(kAnswers), .workingDirectory = dir.path(), .timeout = kPatience});
    EXPECT_FALSE(run.timedOut) << "waited for a key without a terminal";
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.out.find(kClosingLine), std::string::npos) << run.out;
}

} // namespace
} // namespace parabeam::testing
