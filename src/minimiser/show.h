// The Show pipeline: from the sixteen cell values to the key fields.
//
// show_map() is the one entry point a display needs; the stages it runs are
// declared here too so that tests can drive them one by one.
#pragma once

#include "model.h"

#include <array>

namespace tessary {

// The first characters of the sixteen cell labels, row-major: row C'D' first,
// then C'D, CD, CD'; within a row the columns A'B', A'B, AB, AB'. Each is
// '0', '1' or 'X'.
using cell_values = std::array<char, cell_count>;

// Reduces the map and returns what the key fields show: the first line, the
// second line and whether the second is shown. The result lives in
// `key_display` until the next Show.
const key_fields& show_map(const cell_values& cells);

// Puts every cell back to '0' and forgets the last answer's expression.
void reset_map();

// Stages of a Show, in the order show_map() runs them.
void load_cells(const cell_values& cells);
int check_for_ones();  // 1 when some cell is '1'; else writes the answer "0"
int check_for_zeros(); // 1 when some cell is '0'; else writes the answer "1"
void flag_redundant();
void render_expression();

} // namespace tessary
