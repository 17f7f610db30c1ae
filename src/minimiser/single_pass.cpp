// The single-cell pass: every 1-cell still uncovered gets its full minterm.
#include "passes.h"

namespace tessary {

void make_single(int row, int col) {
    map_cell& cell = grid[row][col];
    term_record& term = begin_term();
    term.text[0] = cell.col_literals[0];
    term.text[1] = cell.col_literals[1];
    term.text[2] = cell.row_literals[0];
    term.text[3] = cell.row_literals[1];
    term.text[4] = '\0';
    term.cell_ids[0] = cell.id;
    term.cell_ids[1] = '\0';
    cell.state = 'X';
    clear_redundant();
}

void single_pass() {
    scan_cells(make_single);
}

} // namespace tessary
