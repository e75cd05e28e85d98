// Another Windows program holding the record file's lock, for the checks under
// wine of parabeam.exe's wait for it:
//   lock_holder FILE LET-GO
// takes the lock parabeam.exe takes to save (FILE created when absent), says
// "locked" on standard output, and holds the lock until a file named LET-GO
// exists; then it lets go and ends.
#include <windows.h>

#include <cstdio>

namespace {

// The byte parabeam.exe locks, far beyond any end the file can have
// (platform/append_file_win32.cpp): stated here again, so that a program that
// locked another byte would no longer keep its older versions out.
constexpr DWORD kLockOffsetLow = 0xfffffffe;
constexpr DWORD kLockOffsetHigh = 0x7fffffff;

bool exists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: lock_holder FILE LET-GO\n", stderr);
        return 2;
    }
    const HANDLE file =
        CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    OVERLAPPED where{};
    where.Offset = kLockOffsetLow;
    where.OffsetHigh = kLockOffsetHigh;
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &where)) return 1;
    std::puts("locked");
    std::fflush(stdout);
    while (!exists(argv[2]))
        Sleep(20);
    const bool unlocked = UnlockFileEx(file, 0, 1, 0, &where);
    CloseHandle(file);
    return unlocked ? 0 : 1;
}
