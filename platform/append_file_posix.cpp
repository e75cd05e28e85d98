#include "platform/append_file.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace parabeam {
namespace {

AppendResult failure(std::string reason) {
    return {.reason = std::move(reason)};
}

AppendResult closeAfterFailure(int file, std::string reason) {
    ::close(file);
    return failure(std::move(reason));
}

enum class Lock { held, busy, unsupported };

// A POSIX record lock on the whole file: the kind NFS carries to the server
// (flock is only emulated by it there), and the same on Linux, macOS and the
// BSDs. It belongs to the process and goes with any of its descriptors of the
// file; the program opens the file once, so it lasts until the close.
// Tried again and again rather than waited for, so that the wait has an end.
Lock lockWholeFile(int file) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(kLockWaitSeconds);
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET; // from the start, l_len 0: to any end
        if (::fcntl(file, F_SETLK, &whole) == 0) return Lock::held;
        // An interrupted attempt counts against the same deadline as a refused
        // one: signals that keep coming must not keep the save waiting.
        if (errno != EINTR && errno != EACCES && errno != EAGAIN)
            return Lock::unsupported; // ENOLCK, EINVAL...
        if (Clock::now() >= deadline) return Lock::busy;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

// A failed write can leave the start of the record behind, and the next record
// would follow it: it is cut off again. Only under the lock, which keeps every
// other run's append out meanwhile; the size check keeps the cut from taking
// the text of a program that appends without the lock.
void takeBackPartialRecord(int file, const struct stat& before, std::size_t written) {
    struct stat now {};
    if (written == 0 || !S_ISREG(before.st_mode) || ::fstat(file, &now) != 0) return;
    if (now.st_size == before.st_size + static_cast<off_t>(written))
        ::ftruncate(file, before.st_size);
}

// A regular file may not grow past the file-size limit (ulimit -f): a record
// that would end beyond it would be cut off part-way, so none of it is begun.
bool passesSizeLimit(const struct stat& file, std::size_t length) {
    rlimit limit{};
    if (!S_ISREG(file.st_mode) || ::getrlimit(RLIMIT_FSIZE, &limit) != 0 ||
        limit.rlim_cur == RLIM_INFINITY)
        return false;
    return static_cast<rlim_t>(file.st_size) + length > limit.rlim_cur;
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
    if (file < 0) return failure(std::strerror(errno));
    if (!makeBlocking(file)) return closeAfterFailure(file, std::strerror(errno));
    // Where the file system has no locks, the append goes ahead without one,
    // and nothing is ever cut back: the bytes past the record's start might
    // be another run's.
    const Lock lock = lockWholeFile(file);
    if (lock == Lock::busy) return closeAfterFailure(file, kBusyReason);
    // Under the lock the size is the one the record will start from; without
    // it, only a program appending meanwhile can change it.
    struct stat before {};
    const bool sized = ::fstat(file, &before) == 0;
    if (sized && passesSizeLimit(before, text.size()))
        return closeAfterFailure(file, std::strerror(EFBIG));
    if (lock != Lock::held || !sized) before.st_mode = 0; // no cut-back

    // O_APPEND places every write at the end, and the lock keeps other saves
    // out until the record is complete, should it take more than one write.
    const char* next = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(file, next, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            takeBackPartialRecord(file, before, text.size() - left);
            return closeAfterFailure(file, std::strerror(error));
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    // The close gives up the lock, after the record is complete. On a network
    // file system it is where a failed write-back shows (EIO, EDQUOT): the
    // record was written whole, and may still not be stored.
    if (::close(file) != 0 && errno != EINTR)
        return {.writtenBeforeFailure = true, .reason = std::strerror(errno)};
    return {.saved = true, .reason = {}};
}

} // namespace parabeam
