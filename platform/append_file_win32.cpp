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
    return {false, systemReason(error)};
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

// A failed write can leave the start of the record behind, and the next record
// would follow it. It is cut off again, but only while the size shows that no
// other run has appended since. (A run that appends in the instant between
// that check and the cut would lose its bytes; only a lock could close that.) The append
// handle cannot move the end of the file; a second handle to the same file can.
void takeBackPartialRecord(HANDLE file, LARGE_INTEGER before, DWORD written) {
    LARGE_INTEGER now{};
    if (written == 0 || !GetFileSizeEx(file, &now) || now.QuadPart != before.QuadPart + written)
        return;
    const HANDLE cutter = ReOpenFile(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0);
    if (cutter == INVALID_HANDLE_VALUE) return;
    if (SetFilePointerEx(cutter, before, nullptr, FILE_BEGIN)) SetEndOfFile(cutter);
    CloseHandle(cutter);
}

} // namespace

AppendResult appendToFile(const char* path, std::string_view text) {
    // Append access alone places every write at the end of the file, even when
    // another run appends at the same time; one write keeps the record whole.
    // Reading the attributes gives the size, and leaves appending as it is.
    const HANDLE file = CreateFileA(path, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return failure(GetLastError());
    LARGE_INTEGER before{};
    const bool isDiskFile = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &before);

    const std::string bytes = withTextFileLineEnds(text);
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const DWORD writeError = wrote ? ERROR_SUCCESS : GetLastError();
    if ((!wrote || written != bytes.size()) && isDiskFile)
        takeBackPartialRecord(file, before, written);
    if (!CloseHandle(file) && wrote) return failure(GetLastError());
    if (!wrote) return failure(writeError);
    if (written != bytes.size()) return failure(ERROR_HANDLE_DISK_FULL);
    return {true, {}};
}

} // namespace parabeam
