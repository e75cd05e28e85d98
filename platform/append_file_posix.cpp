#include "platform/append_file.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace parabeam {
namespace {

AppendResult failure(int error) {
    return {false, std::strerror(error)};
}

AppendResult closeAfterFailure(int file, int error) {
    ::close(file);
    return failure(error);
}

// A failed write can leave the start of the record behind, and the next record
// would follow it. It is cut off again, but only while the size shows that no
// other run has appended since. (A run that appends in the instant between
// that check and the cut would lose its bytes; only a lock could close that.)
bool takeBackPartialRecord(int file, const struct stat& before, std::size_t written) {
    struct stat now {};
    if (written == 0 || !S_ISREG(before.st_mode) || ::fstat(file, &now) != 0) return false;
    if (now.st_size != before.st_size + static_cast<off_t>(written)) return false;
    return ::ftruncate(file, before.st_size) == 0;
}

// Writes to a FIFO that has a reader, or to a device, wait as usual.
bool makeBlocking(int file) {
    const int flags = ::fcntl(file, F_GETFL);
    return flags >= 0 && ::fcntl(file, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

} // namespace

AppendResult appendToFile(const char* path, std::string_view text) {
    // Opening a FIFO for writing waits for a reader, for ever if none comes;
    // without blocking, a FIFO nobody reads is an error (ENXIO) like any other.
    const int file = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (file < 0) return failure(errno);
    if (!makeBlocking(file)) return closeAfterFailure(file, errno);
    struct stat before {};
    if (::fstat(file, &before) != 0) before.st_mode = 0; // nothing to take back then

    // O_APPEND places every write at the end; one write keeps the record whole.
    const char* next = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(file, next, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            takeBackPartialRecord(file, before, text.size() - left);
            return closeAfterFailure(file, error);
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::close(file) != 0 && errno != EINTR) return failure(errno);
    return {true, {}};
}

} // namespace parabeam
