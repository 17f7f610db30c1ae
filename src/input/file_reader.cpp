// The one reader of files: a regular file opened without waiting, checked
// before it is read, and read up to a limit.
#include "input/file_reader.h"

#include "input/truth_table.h"
#include "words/words.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessary {

namespace {

std::string failure(const char* path, int error) {
    return name_of(path) + ": " + std::strerror(error);
}

// Everything `fd` holds, up to one byte past the limit.
bool read_all(int fd, std::string& text, int& error) {
    char block[65536];
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return error = errno, false;
        if (got == 0 || text.size() > file_limit) return true;
        text.append(block, static_cast<std::size_t>(got));
    }
}

bool too_large(const char* path, std::string& error) {
    error = printed(_("%s: too large for a truth table or a class's table (more than %zu MiB)"),
                    name_of(path).c_str(), file_limit >> 20);
    return false;
}

} // namespace

bool is_standard_input(const char* path) {
    return path == nullptr || std::strcmp(path, "-") == 0;
}

std::string name_of(const char* path) {
    return is_standard_input(path) ? _("standard input") : path;
}

bool read_whole_file(const char* path, std::string& text, std::string& error) {
    text.clear();
    int fd = STDIN_FILENO;
    if (!is_standard_input(path)) {
        // O_NONBLOCK: opening a named pipe does not wait for a writer.
        fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return error = failure(path, errno), false;
        struct stat st;
        if (::fstat(fd, &st) != 0) {
            error = failure(path, errno);
            ::close(fd);
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            ::close(fd);
            error = printed(_("%s: not a regular file"), name_of(path).c_str());
            return false;
        }
        if (static_cast<std::size_t>(st.st_size) > file_limit) {
            ::close(fd);
            return too_large(path, error);
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    int why = 0;
    const bool read = read_all(fd, text, why);
    if (fd != STDIN_FILENO) ::close(fd);
    if (!read) return error = failure(path, why), false;
    if (text.size() > file_limit) return too_large(path, error);
    return true;
}

bool read_maps_file(const char* path, std::vector<boolean_map>& maps, std::string& error) {
    file_names names;
    return read_maps_file(path, maps, names, error);
}

bool read_maps_file(const char* path, std::vector<boolean_map>& maps, file_names& names,
                    std::string& error) {
    std::string text;
    if (!read_whole_file(path, text, error)) return false;
    const std::size_t length = std::strlen(path);
    const bool pla = length >= 4 && ::strcasecmp(path + length - 4, ".pla") == 0;
    if (pla ? read_pla(text, maps, names, error) : read_truth_table(text, maps, names, error))
        return true;
    error = name_of(path) + ": " + error;
    return false;
}

} // namespace tessary
