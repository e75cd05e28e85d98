#include "platform/key_wait.hpp"

#include <windows.h>

namespace parabeam {
namespace {

// Keys without a character that still end the wait, as the console's own
// extended-key handling knows them.
bool isExtendedKey(WORD virtualKey) {
    if (virtualKey >= VK_F1 && virtualKey <= VK_F12) return true;
    switch (virtualKey) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_CLEAR:
    case VK_ESCAPE: // a character (27) on Windows, but some consoles report none
        return true;
    default:
        return false;
    }
}

bool endsTheWait(const INPUT_RECORD& record) {
    if (record.EventType != KEY_EVENT) return false; // mouse, focus, size, menu
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (!key.bKeyDown) return false;
    return key.uChar.AsciiChar != 0 || isExtendedKey(key.wVirtualKeyCode);
}

} // namespace

void waitForKey() {
    const HANDLE console =
        CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) return;
    DWORD savedMode = 0;
    if (!GetConsoleMode(console, &savedMode)) {
        CloseHandle(console);
        return;
    }
    // Mode 0: no line input, no echo, no processed input (Ctrl+C is a key).
    SetConsoleMode(console, 0);
    for (;;) {
        INPUT_RECORD record{};
        DWORD read = 0;
        if (!ReadConsoleInputA(console, &record, 1, &read) || read == 0) break;
        if (endsTheWait(record)) break;
    }
    SetConsoleMode(console, savedMode);
    CloseHandle(console);
}

} // namespace parabeam
