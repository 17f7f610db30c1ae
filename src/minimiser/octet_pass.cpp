// The octet pass: one-letter terms from two adjacent full rows or columns.
// Rows are tried before columns, the previous line before the next one.
#include "passes.h"

namespace tessary {

namespace {

// The line of the start cell that an octet in `dir` is built on, and the
// neighbouring line it joins.
map_line start_line(int row, int col, direction dir) {
    return is_vertical(dir) ? map_line{true, row} : map_line{false, col};
}

map_line other_line(int row, int col, direction dir) {
    const grid_step step = step_of(dir);
    return is_vertical(dir) ? map_line{true, wrap_step(row, step.row)}
                            : map_line{false, wrap_step(col, step.col)};
}

// The single literal the two lines share.
void octet_text(int row, int col, direction dir) {
    const map_cell& start = grid[row][col];
    const map_cell& across = neighbour(row, col, dir);
    const char* s = is_vertical(dir) ? start.row_literals : start.col_literals;
    const char* t = is_vertical(dir) ? across.row_literals : across.col_literals;
    term_record& term = terms[last_term];
    term.text[0] = shared_letter(s, t);
    term.text[1] = '\0';
}

// The 1-cells of the start line, then those of the other line.
void octet_ids(int row, int col, direction dir) {
    char* ids = terms[last_term].cell_ids;
    int length = 0;
    ids[0] = '\0';
    for (const map_line line : {start_line(row, col, dir), other_line(row, col, dir)}) {
        for (int k = 0; k < map_side; ++k) append_id_if_one(ids, length, line_cell(line, k));
    }
}

void mark_octet(int row, int col, direction dir) {
    for (const map_line line : {start_line(row, col, dir), other_line(row, col, dir)}) {
        for (int k = 0; k < map_side; ++k) line_cell(line, k).state = 'X';
    }
}

int make_octet(int row, int col, direction dir) {
    begin_term();
    octet_text(row, col, dir);
    octet_ids(row, col, dir);
    mark_octet(row, col, dir);
    clear_redundant();
    return 0;
}

} // namespace

int row_octet(int row, int col) {
    if (!row_is_full(row, col)) return 1;
    if (row_is_full(wrap_step(row, -1), col)) return make_octet(row, col, direction::up);
    if (row_is_full(wrap_step(row, +1), col)) return make_octet(row, col, direction::down);
    return 1;
}

int column_octet(int row, int col) {
    if (!column_is_full(row, col)) return 1;
    if (column_is_full(row, wrap_step(col, -1))) return make_octet(row, col, direction::left);
    if (column_is_full(row, wrap_step(col, +1))) return make_octet(row, col, direction::right);
    return 1;
}

void octet_cell(int row, int col) {
    if (row_octet(row, col) == 0) return;
    column_octet(row, col);
}

void octet_pass() {
    scan_cells(octet_cell);
}

} // namespace tessary
