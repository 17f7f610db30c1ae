// Reading maps as text, for tessary-key: a map of sixteen cells ("1111..." or
// "1111/1111/1000/0001"), or lists of minterm numbers.
#pragma once

#include "show.h"

#include <string>
#include <string_view>

namespace tessary {

// Fills `cells` from a map written as 16 characters, or as four groups of four
// separated by '/'; each cell is 0, 1, X or x. On bad text returns false and
// says in `error` what is wrong (without naming where the text came from).
bool parse_map(std::string_view text, cell_values& cells, std::string& error);

// Fills `cells` from comma-separated minterm numbers 0 to 15 (8A+4B+2C+D):
// `ones` are the 1-cells, `dont_cares` the X-cells, every other cell is 0.
// On bad lists returns false and says in `error` which list and what is wrong.
bool parse_minterms(std::string_view ones, std::string_view dont_cares, cell_values& cells,
                    std::string& error);

// The cell index (4 * row + col) of a minterm number.
int cell_of_minterm(int minterm);

// Text that is safe to print in a message: control and non-ASCII bytes as
// \xNN, and cut short after `limit` bytes.
std::string printable(std::string_view text, std::size_t limit = 24);

} // namespace tessary
