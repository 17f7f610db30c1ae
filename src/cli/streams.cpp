// The line reader and the writer of tessary-key (see streams.h).
#include "cli/streams.h"

#include "words/words.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace tessary {

namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

} // namespace

line_reader::line_reader(int fd, void (*before_wait)(void*), void* context)
    : fd_(fd), before_wait_(before_wait), context_(context), buffer_(new char[capacity]) {}

line_reader::~line_reader() {
    delete[] buffer_;
}

// Moves what is left to the front and reads more after it.
bool line_reader::fill() {
    std::memmove(buffer_, buffer_ + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    before_wait_(context_);
    for (;;) {
        const ssize_t got = ::read(fd_, buffer_ + end_, capacity - end_);
        if (got > 0) {
            end_ += static_cast<std::size_t>(got);
            return true;
        }
        if (got == 0) {
            at_eof_ = true;
            return true;
        }
        if (errno != EINTR) {
            error_ = errno;
            return false;
        }
    }
}

std::string_view line_reader::take(std::size_t length, std::size_t skip) {
    std::string_view line(buffer_ + begin_, length);
    begin_ += length + skip;
    if (at_start_ && line.starts_with(byte_order_mark)) line.remove_prefix(byte_order_mark.size());
    at_start_ = false;
    return line;
}

line_reader::result line_reader::next(std::string_view& line) {
    for (;;) {
        const std::string_view pending(buffer_ + begin_, end_ - begin_);
        const std::size_t newline = pending.find('\n');
        // A byte-order mark that is there does not count towards the limit.
        const bool marked = at_start_ && pending.starts_with(byte_order_mark);
        const std::size_t limit = line_limit + (marked ? byte_order_mark.size() : 0);
        if (newline != std::string_view::npos) {
            if (newline > limit) return result::too_long;
            line = take(newline, 1);
            return result::line;
        }
        if (pending.size() > limit) return result::too_long;
        if (at_eof_) {
            if (pending.empty()) return result::end;
            line = take(pending.size(), 0);
            return result::line;
        }
        if (!fill()) return result::read_error;
    }
}

bool line_writer::flush() {
    std::size_t done = 0;
    while (error_ == 0 && done < used_) {
        const ssize_t put = ::write(fd_, buffer_ + done, used_ - done);
        if (put >= 0) {
            done += static_cast<std::size_t>(put);
        } else if (errno != EINTR) {
            error_ = errno;
        }
    }
    used_ = 0;
    return error_ == 0;
}

bool line_writer::write(std::string_view text) {
    while (error_ == 0 && !text.empty()) {
        if (used_ == capacity && !flush()) break;
        const std::size_t n = std::min(text.size(), capacity - used_);
        std::memcpy(buffer_ + used_, text.data(), n);
        used_ += n;
        text.remove_prefix(n);
    }
    return error_ == 0;
}

bool line_writer::write_line(std::string_view text) {
    // A line that does not fit what is left goes out after what is buffered,
    // so that it is never split between two writes of a small buffer.
    if (used_ + text.size() + 1 > capacity && !flush()) return false;
    return write(text) && write("\n");
}

} // namespace tessary
