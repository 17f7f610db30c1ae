// Why getopt_long() refused an argument, in words of our own, so that a
// face can begin the message with its own name rather than the path it was
// started by.
#pragma once

#include "logic/boolean_map.h"

#include <getopt.h>

#include <optional>
#include <string>
#include <string_view>

namespace tessary {

// "unrecognized option '--bogus'", "option '--expr' requires an argument",
// "option '--help' doesn't allow an argument", "option '--m' is ambiguous
// (--minterms, --minimal)", "invalid option -- 'x'". Call it at once after
// getopt_long() returned '?' or ':' (run with opterr = 0 and an option string
// that begins with ':').
std::string option_error(int returned, char** argv, const option* long_options);

// The value of --rows, the same for every face: "CD" (C and D down the
// side, the window's layout) or "AB" (A and B down the side), in either
// case; nothing for anything else.
std::optional<map_layout> rows_named(std::string_view text);
// Why a value of --rows was refused: "--rows: 'x' is not CD or AB".
std::string rows_error(std::string_view text);

} // namespace tessary
