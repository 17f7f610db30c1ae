// tessary-key's standard streams, read and written with the system calls so
// that every error is seen where it happens: a bounded line reader and an
// answer writer that stops at the first failed write.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessary {

// Lines of standard input, at most `line_limit` bytes each; memory stays
// bounded however long a line is. A UTF-8 byte-order mark at the start of
// the input is skipped.
class line_reader {
  public:
    static constexpr std::size_t line_limit = 4096;
    enum class result { line, end, too_long, read_error };

    // `before_wait` runs whenever no whole line is buffered and the reader
    // is about to wait for more input.
    line_reader(int fd, void (*before_wait)(void*), void* context);
    ~line_reader();
    line_reader(const line_reader&) = delete;
    line_reader& operator=(const line_reader&) = delete;

    // The next line, without its '\n'; valid until the next call.
    result next(std::string_view& line);
    int error() const { return error_; } // errno of a read error

  private:
    static constexpr std::size_t capacity = 64 * 1024;
    int fd_;
    void (*before_wait_)(void*);
    void* context_;
    char* buffer_;
    std::size_t begin_ = 0, end_ = 0;
    bool at_start_ = true, at_eof_ = false;
    int error_ = 0;

    bool fill();
    std::string_view take(std::size_t length, std::size_t skip);
};

// Buffered writing of whole lines. After the first failed write nothing more
// is written and failed() is true.
class line_writer {
  public:
    explicit line_writer(int fd) : fd_(fd) {}
    ~line_writer() = default;
    line_writer(const line_writer&) = delete;
    line_writer& operator=(const line_writer&) = delete;

    // Each line goes out whole or, on a failure, not at all past the failure.
    bool write_line(std::string_view text);
    bool write(std::string_view text);
    bool flush();
    bool failed() const { return error_ != 0; }
    int error() const { return error_; }

  private:
    static constexpr std::size_t capacity = 64 * 1024;
    int fd_;
    char buffer_[capacity];
    std::size_t used_ = 0;
    int error_ = 0;
};

} // namespace tessary
