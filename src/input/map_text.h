// Reading maps as text: a map of sixteen cells ("1111..." or
// "1111/1111/1000/0001"), or lists of minterm numbers.
#pragma once

#include "logic/boolean_map.h"

#include <string>
#include <string_view>

namespace tessary {

// Reads a map written as 16 characters, or as four groups of four separated
// by '/'; each cell is 0, 1, X or x, row C'D' first. On bad text returns
// false and says in `error` what is wrong (without naming where the text
// came from). `first_column` is the column, in characters, where the text
// begins in the line the user wrote.
bool parse_map(std::string_view text, boolean_map& map, std::string& error,
               std::size_t first_column = 1);

// Reads comma-separated minterm numbers 0 to 15 (8A+4B+2C+D) into `set`;
// an empty list is the empty set. `option` names the list in messages,
// with the column of the item at fault: "--minterms: column 3: minterm 16
// is out of range (0 to 15)".
bool parse_minterm_list(std::string_view list, const char* option, minterm_set& set,
                        std::string& error);
// The same, adding to `set`; a minterm already in it is listed twice.
bool add_minterm_list(std::string_view list, const char* option, minterm_set& set,
                      std::string& error);

// A map from its 1-cells and its don't-cares (--minterms and --dont-cares);
// a minterm in both is an error.
bool map_from_minterms(minterm_set ones, minterm_set dont_cares, boolean_map& map,
                       std::string& error);
bool parse_minterms(std::string_view ones, std::string_view dont_cares, boolean_map& map,
                    std::string& error);

// Text that is safe to print in a message: control and non-ASCII bytes as
// \xNN, and cut short after `limit` bytes.
std::string printable(std::string_view text, std::size_t limit = 24);

} // namespace tessary
