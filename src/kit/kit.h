// What the command-line faces, tessary-key and tessary-sheet, share: their
// exit statuses, their help put together from its parts, usage errors that
// begin with the face's name and end with the hint to --help, and printing
// the help or the version with a failed write told. The faces' options are
// read in words of our own (see options.h).
#pragma once

#include "kit/options.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tessary {

// Exit statuses of both faces, beside EXIT_SUCCESS; tessary-key adds its
// own 3 for a map that differs.
constexpr int exit_failure = 1; // bad input, or a file or stream failed
constexpr int exit_usage = 2;   // a wrong option

// The face's name, as each of its messages begins: "tessary-key". Set once,
// before the first message.
void name_face(const char* name);
const char* face_name();

// The help, each part (a paragraph or a table of options) translated on
// its own.
std::string help_text(const char* const* parts, std::size_t count);

// "NAME: MESSAGE" and the hint to --help on standard error, then exit
// status 2. Without a message, the hint alone.
[[noreturn]] void usage_error(const std::string& message);

// Writes `text` (the help, the version) to standard output and exits: 0,
// or 1 with "NAME: error writing standard output: WHY" when it could not.
[[noreturn]] void print_and_exit(std::string_view text);

// The value of --rows, or a usage error that names it.
map_layout rows_or_usage_error(std::string_view text);

} // namespace tessary
