#include "platform/platform_setup.hpp"

#include <iostream>
#include <memory>
#include <streambuf>

#include "platform/page_bridge.hpp"

namespace parabeam {
namespace {

// Each read waits for the next line the user sends, as a terminal's does.
class PageInput : public std::streambuf {
  protected:
    int_type underflow() override {
        if (ended_) return traits_type::eof();
        const int count = page::awaitTypedBytes(buffer_, sizeof buffer_);
        if (count <= 0) {
            ended_ = true; // like a closed pipe: no line comes after the end
            return traits_type::eof();
        }
        setg(buffer_, buffer_, buffer_ + count);
        return traits_type::to_int_type(buffer_[0]);
    }

  private:
    char buffer_[4096];
    bool ended_ = false;
};

// Bytes reach the page on each flush, which the program does at every line's
// end and before every read, so the page sees them in the program's order.
class PageOutput : public std::streambuf {
  public:
    explicit PageOutput(int channel) : channel_(channel) {
        setp(buffer_, buffer_ + sizeof buffer_);
    }

  protected:
    int_type overflow(int_type c) override {
        sync();
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }
    int sync() override {
        if (pptr() > pbase())
            page::show(channel_, {pbase(), static_cast<std::size_t>(pptr() - pbase())});
        setp(buffer_, buffer_ + sizeof buffer_);
        return 0;
    }

  private:
    int channel_;
    char buffer_[4096];
};

struct PageStreams {
    PageInput input;
    PageOutput output{page::kOutputChannel};
    PageOutput errors{page::kErrorChannel};
};

} // namespace

// The page starts every run afresh: new buffers, and rdbuf clears the states
// (end of input, failed read) the last run left on the standard streams.
void prepareStandardStreams() {
    static std::unique_ptr<PageStreams> streams;
    auto fresh = std::make_unique<PageStreams>();
    std::cin.rdbuf(&fresh->input);
    std::cout.rdbuf(&fresh->output);
    std::cerr.rdbuf(&fresh->errors);
    streams = std::move(fresh);
}

} // namespace parabeam
