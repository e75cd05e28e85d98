#include "platform/append_file.hpp"

#include <windows.h>

#include <string>

namespace parabeam {
namespace {

// The system's own words for an error code, without its closing line end.
std::string systemReason(DWORD error) {
    char* message = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<LPSTR>(&message), 0, nullptr);
    std::string reason =
        length > 0 ? std::string(message, length) : "system error " + std::to_string(error);
    if (message != nullptr) LocalFree(message);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    return reason;
}

AppendResult failure(DWORD error) {
    return {.reason = systemReason(error)};
}

// A Windows text file ends its lines with CR LF.
std::string withTextFileLineEnds(std::string_view text) {
    std::string converted;
    converted.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') converted += '\r';
        converted += c;
    }
    return converted;
}

enum class Lock { held, busy, unsupported };

// One byte far beyond any end the file can have: Windows byte-range locks are
// enforced on reads and writes of their range, so a lock on the record's own
// bytes would shut out readers. Runs that save take this byte in turn.
constexpr DWORD kLockOffsetLow = 0xfffffffe;
constexpr DWORD kLockOffsetHigh = 0x7fffffff;

// Tried again and again rather than waited for, so that the wait has an end.
Lock lockForAppend(HANDLE file) {
    const ULONGLONG deadline = GetTickCount64() + kLockWaitSeconds * 1000ULL;
    DWORD pause = 1;
    for (;;) {
        OVERLAPPED where{};
        where.Offset = kLockOffsetLow;
        where.OffsetHigh = kLockOffsetHigh;
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where))
            return Lock::held;
        if (GetLastError() != ERROR_LOCK_VIOLATION) return Lock::unsupported;
        if (GetTickCount64() >= deadline) return Lock::busy;
        Sleep(pause);
        pause = pause < 50 ? pause * 2 : 50;
    }
}

void unlock(HANDLE file) {
    OVERLAPPED where{};
    where.Offset = kLockOffsetLow;
    where.OffsetHigh = kLockOffsetHigh;
    UnlockFileEx(file, 0, 1, 0, &where);
}

// A failed write can leave the start of the record behind, and the next record
// would follow it: it is cut off again. Only under the lock, which keeps every
// other run's append out meanwhile; the size check keeps the cut from taking
// the text of a program that appends without the lock. The append handle
// cannot move the end of the file; a second handle to the same file can.
void takeBackPartialRecord(HANDLE file, LARGE_INTEGER before, DWORD written) {
    LARGE_INTEGER now{};
    if (written == 0 || !GetFileSizeEx(file, &now) || now.QuadPart != before.QuadPart + written)
        return;
    const HANDLE cutter = ReOpenFile(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0);
    if (cutter == INVALID_HANDLE_VALUE) return;
    if (SetFilePointerEx(cutter, before, nullptr, FILE_BEGIN)) SetEndOfFile(cutter);
    CloseHandle(cutter);
}

// Append access alone places every write at the end of the file, even when
// another program appends at the same time; one write keeps the record whole.
// Reading the attributes gives the size and reading the data allows the lock;
// neither changes how writes append. Where reading is refused, the file is
// appended to without the lock.
HANDLE openForAppend(const char* path) {
    const auto open = [path](DWORD access) {
        return CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    const HANDLE file = open(FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | FILE_READ_DATA);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_ACCESS_DENIED) return file;
    return open(FILE_APPEND_DATA | FILE_READ_ATTRIBUTES);
}

} // namespace

AppendResult appendToFile(const char* path, std::string_view text) {
    const HANDLE file = openForAppend(path);
    if (file == INVALID_HANDLE_VALUE) return failure(GetLastError());
    // Without a lock nothing is ever cut back: the bytes past the record's
    // start might be another run's.
    const Lock lock = lockForAppend(file);
    if (lock == Lock::busy) {
        CloseHandle(file);
        return {.reason = kBusyReason};
    }
    LARGE_INTEGER before{};
    const bool mayCutBack =
        lock == Lock::held && GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &before);

    const std::string bytes = withTextFileLineEnds(text);
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const DWORD writeError = wrote ? ERROR_SUCCESS : GetLastError();
    if ((!wrote || written != bytes.size()) && mayCutBack)
        takeBackPartialRecord(file, before, written);
    if (lock == Lock::held) unlock(file);
    const bool whole = wrote && written == bytes.size();
    if (!CloseHandle(file) && wrote)
        return {.writtenBeforeFailure = whole, .reason = systemReason(GetLastError())};
    if (!wrote) return failure(writeError);
    if (!whole) return failure(ERROR_HANDLE_DISK_FULL);
    return {.saved = true, .reason = {}};
}

} // namespace parabeam
