#include "record/append_file.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace parabeam {
namespace {

AppendResult failure(int error) {
    return {false, std::strerror(error)};
}

} // namespace

AppendResult appendToFile(const char* path, std::string_view text) {
    const int file = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (file < 0) return failure(errno);

    // O_APPEND places every write at the end; one write keeps the record whole.
    const char* next = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(file, next, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            ::close(file);
            return failure(error);
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::close(file) != 0 && errno != EINTR) return failure(errno);
    return {true, {}};
}

} // namespace parabeam
