// The faces' shared kit (see kit.h).
#include "kit/kit.h"

#include "words/words.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tessary {

namespace {

const char* name_of_face = "tessary";

// Every byte of `text` to standard output, or false with errno set.
bool write_all(std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

void name_face(const char* name) {
    name_of_face = name;
}

const char* face_name() {
    return name_of_face;
}

std::string help_text(const char* const* parts, std::size_t count) {
    std::string text;
    for (std::size_t k = 0; k < count; ++k) text += _(parts[k]);
    return text;
}

void usage_error(const std::string& message) {
    if (!message.empty()) std::fprintf(stderr, "%s: %s\n", name_of_face, message.c_str());
    // Translators: the hint after a wrong option, %s the program, as
    // "Try 'tessary-key --help' for more information."
    std::fprintf(stderr, _("Try '%s --help' for more information.\n"), name_of_face);
    std::exit(exit_usage);
}

void print_and_exit(std::string_view text) {
    if (!write_all(text)) {
        // Translators: %s the program, then why, as "No space left on device".
        std::fprintf(stderr, _("%s: error writing standard output: %s\n"), name_of_face,
                     std::strerror(errno));
        std::exit(exit_failure);
    }
    std::exit(EXIT_SUCCESS);
}

map_layout rows_or_usage_error(std::string_view text) {
    if (const std::optional<map_layout> rows = rows_named(text)) return *rows;
    usage_error(rows_error(text));
}

} // namespace tessary
