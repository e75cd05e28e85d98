#pragma once
// Stream buffers that stand in for the keyboard and the console, so a test can
// see what the reader asked for and what the user could see at that moment.
#include <array>
#include <cstddef>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

namespace parabeam::testing {

// A console that shows its bytes only when flushed. Its buffer holds far more
// than all prompts together, so an unflushed prompt stays out of sight.
class ConsoleBuf : public std::streambuf {
  public:
    ConsoleBuf() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

    const std::string& shown() const { return shown_; }
    std::size_t pendingBytes() const { return static_cast<std::size_t>(pptr() - pbase()); }

  protected:
    int sync() override {
        deliver();
        return 0;
    }
    int_type overflow(int_type c) override {
        deliver();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            shown_.push_back(traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }

  private:
    void deliver() {
        shown_.append(pbase(), pptr());
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }

    std::array<char, 8192> buffer_{};
    std::string shown_;
};

// What the console showed when the reader had to wait for another key.
struct WaitSnapshot {
    std::string shown;
    std::size_t pendingBytes = 0;
};

// Hands out typed bytes one at a time, so every byte is a fresh wait for the
// user. A part of the script may end in an end-of-input report or a read error
// (thrown, as a file buffer does when the system read fails).
class KeyboardBuf : public std::streambuf {
  public:
    enum class Then { End, EndThenMore, ReadError };

    KeyboardBuf(std::string typed, Then then = Then::End, std::string more = {},
                const ConsoleBuf* console = nullptr)
        : typed_(std::move(typed)), then_(then), more_(std::move(more)), console_(console) {}

    const std::vector<WaitSnapshot>& waits() const { return waits_; }
    // Bytes handed out so far.
    std::size_t consumed() const { return next_; }

  protected:
    int_type underflow() override {
        if (console_ != nullptr) waits_.push_back({console_->shown(), console_->pendingBytes()});
        if (next_ == typed_.size()) {
            if (then_ == Then::ReadError) throw std::runtime_error("read error");
            if (then_ == Then::EndThenMore) {
                // End reported once; the user then types on.
                typed_ += more_;
                then_ = Then::End;
            }
            return traits_type::eof();
        }
        current_ = typed_[next_++];
        setg(&current_, &current_, &current_ + 1);
        return traits_type::to_int_type(current_);
    }

  private:
    std::string typed_;
    Then then_;
    std::string more_;
    const ConsoleBuf* console_;
    std::size_t next_ = 0;
    char current_ = 0;
    std::vector<WaitSnapshot> waits_;
};

} // namespace parabeam::testing
