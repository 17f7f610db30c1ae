// The four covering passes, largest group first. Each scans the map row by
// row and, at every cell still uncovered, tries to make one group; a group
// becomes a term appended to `terms` and turns its cells' state to 'X'.
#pragma once

#include "model.h"

namespace tessary {

// Groups of eight: two adjacent full rows, else two adjacent full columns.
void octet_pass();
void octet_cell(int row, int col);
int row_octet(int row, int col);    // 0 when it made an octet, 1 otherwise
int column_octet(int row, int col); // 0 when it made an octet, 1 otherwise

// Groups of four: the cell's full row, else its full column, else the first
// open 2-by-2 square in the order down-left, up-left, down-right, up-right.
struct square {
    int row_step;
    int col_step;
};
inline constexpr square down_left{+1, -1};
inline constexpr square up_left{-1, -1};
inline constexpr square down_right{+1, +1};
inline constexpr square up_right{-1, +1};

void quad_pass();
void quad_cell(int row, int col);
int square_blocked(int row, int col, square sq); // 0 when all four cells are '1' or 'X'

// Pairs: the cell with an uncovered neighbour, else with a covered one or a
// don't-care.
void pair_pass();
void pair_cell(int row, int col);
int pair_with_uncovered(int row, int col); // 0 when it made a pair, 1 otherwise

// Whatever is left: one term per cell.
void single_pass();
void make_single(int row, int col);

} // namespace tessary
