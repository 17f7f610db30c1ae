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

// Larger than any class's table; a file past it is not one.
constexpr std::size_t file_limit = 64u << 20;

bool is_standard_input(const char* path) {
    return path == nullptr || std::strcmp(path, "-") == 0;
}

std::string name_of(const char* path) {
    return is_standard_input(path) ? _("standard input") : path;
}

bool read_whole_file(const char* path, std::string& text, std::string& error) {
    std::FILE* file = is_standard_input(path) ? stdin : std::fopen(path, "rb");
    if (file == nullptr) {
        error = name_of(path) + ": " + std::strerror(errno);
        return false;
    }
    char block[65536];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0 && text.size() <= file_limit)
        text.append(block, got);
    const bool failed = std::ferror(file) != 0;
    const int saved = errno;
    if (file != stdin) std::fclose(file);
    if (failed)
        error = name_of(path) + ": " + std::strerror(saved);
    else if (text.size() > file_limit)
        error = printed(_("%s: too large for a class's table"), name_of(path).c_str());
    return error.empty();
}

} // namespace tessary
