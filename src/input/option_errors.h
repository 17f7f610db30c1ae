// Why getopt_long() refused an argument, in words of our own, so that a
// face can begin the message with its own name rather than the path it was
// started by.
#pragma once

#include <getopt.h>

#include <string>

namespace tessary {

// "unrecognized option '--bogus'", "option '--expr' requires an argument",
// "option '--help' doesn't allow an argument", "option '--m' is ambiguous
// (--minterms, --minimal)", "invalid option -- 'x'". Call it at once after
// getopt_long() returned '?' or ':' (run with opterr = 0 and an option string
// that begins with ':').
std::string option_error(int returned, char** argv, const option* long_options);

} // namespace tessary
