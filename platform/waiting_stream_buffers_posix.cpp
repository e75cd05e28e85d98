#include "platform/waiting_stream_buffers.hpp"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <poll.h>
#include <streambuf>
#include <unistd.h>

namespace parabeam {
namespace {

// As large as the C library's own stream buffers.
constexpr std::size_t kBufferBytes = BUFSIZ;

// A descriptor without O_NONBLOCK would have blocked here: block in poll
// instead, until it is ready. EINTR is retried by the caller's loop.
bool tryAgainLater(int descriptor, short event) {
    if (errno == EINTR) return true;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
    pollfd ready{descriptor, event, 0};
    return ::poll(&ready, 1, -1) >= 0 || errno == EINTR;
}

// A read error ends the input, like its end: the entry being read still
// counts and nothing after it is read.
class InputBuffer : public std::streambuf {
  public:
    explicit InputBuffer(int descriptor) : descriptor_(descriptor) {}

  protected:
    int_type underflow() override {
        for (;;) {
            const ssize_t count = ::read(descriptor_, buffer_, kBufferBytes);
            if (count > 0) {
                setg(buffer_, buffer_, buffer_ + count);
                return traits_type::to_int_type(buffer_[0]);
            }
            if (count == 0 || !tryAgainLater(descriptor_, POLLIN)) return traits_type::eof();
        }
    }

  private:
    int descriptor_;
    char buffer_[kBufferBytes];
};

// Bytes leave only at a flush (every line end and prompt) or when the buffer is
// full, as with the library's own buffers. A write error fails the stream,
// which then takes no more output.
class OutputBuffer : public std::streambuf {
  public:
    explicit OutputBuffer(int descriptor) : descriptor_(descriptor) { emptyBuffer(); }

  protected:
    int_type overflow(int_type c) override {
        if (!writeBuffer()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }
    int sync() override { return writeBuffer() ? 0 : -1; }

  private:
    void emptyBuffer() { setp(buffer_, buffer_ + kBufferBytes); }

    bool writeBuffer() {
        const char* next = pbase();
        while (next < pptr()) {
            const ssize_t count =
                ::write(descriptor_, next, static_cast<std::size_t>(pptr() - next));
            if (count > 0) {
                next += count;
            } else if (count == 0 || !tryAgainLater(descriptor_, POLLOUT)) {
                emptyBuffer();
                return false;
            }
        }
        emptyBuffer();
        return true;
    }

    int descriptor_;
    char buffer_[kBufferBytes];
};

} // namespace

void installWaitingStreamBuffers() {
    // Never destroyed: the library flushes the standard streams at exit, after
    // the program's own static objects are gone.
    static InputBuffer* const input = new InputBuffer(STDIN_FILENO);
    static OutputBuffer* const output = new OutputBuffer(STDOUT_FILENO);
    static OutputBuffer* const errors = new OutputBuffer(STDERR_FILENO);
    std::cin.rdbuf(input);
    std::cout.rdbuf(output);
    std::cerr.rdbuf(errors);
}

} // namespace parabeam
