#pragma once
// POSIX: the key wait's raw terminal mode, kept right through signals.

namespace parabeam {

// While it lives, the controlling terminal (open as `terminal`) is in raw mode.
// A signal that ends the process puts the terminal's mode back first, and the
// process then ends by that same signal; a stop puts it back for the time of
// the stop, and the mode is raw again once the process continues. Signals the
// caller ignores stay ignored, and signals it handles keep their handlers (only
// default actions are replaced). When it goes, the terminal's mode and the
// caller's signal actions are back as they were, even when the shell has taken
// the terminal back meanwhile.
class RawTerminalMode {
  public:
    explicit RawTerminalMode(int terminal);
    ~RawTerminalMode();
    RawTerminalMode(const RawTerminalMode&) = delete;
    RawTerminalMode& operator=(const RawTerminalMode&) = delete;

    // False when the terminal refused the mode: then there is no key to wait for.
    bool entered() const { return entered_; }
    // Whether the process's group holds the terminal (is in the foreground).
    bool inForeground() const;
    // True when the shell has taken the terminal back while it was raw, the
    // program left running in the background: keys typed now are the shell's.
    bool takenBack() const;

  private:
    bool entered_ = false;
};

} // namespace parabeam
