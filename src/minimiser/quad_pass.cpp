// The quad pass: two-letter terms from a full row, a full column or a 2-by-2
// square, tried in that order; the squares in the order down-left, up-left,
// down-right, up-right.
#include "passes.h"

namespace tessary {

namespace {

inline constexpr square squares_in_order[] = {down_left, up_left, down_right, up_right};

// Line kinds of a line quad.
constexpr int row_kind = 0;
constexpr int column_kind = 1;

map_line quad_line(int row, int col, int kind) {
    return kind == row_kind ? map_line{true, row} : map_line{false, col};
}

void line_quad_text(int row, int col, int kind) {
    const map_cell& start = grid[row][col];
    const char* literals = kind == row_kind ? start.row_literals : start.col_literals;
    term_record& term = terms[last_term];
    term.text[0] = literals[0];
    term.text[1] = literals[1];
    term.text[2] = '\0';
}

void line_quad_ids(int row, int col, int kind) {
    char* ids = terms[last_term].cell_ids;
    int length = 0;
    ids[0] = '\0';
    const map_line line = quad_line(row, col, kind);
    for (int k = 0; k < map_side; ++k) append_id_if_one(ids, length, line_cell(line, k));
}

void mark_line_quad(int row, int col, int kind) {
    const map_line line = quad_line(row, col, kind);
    for (int k = 0; k < map_side; ++k) line_cell(line, k).state = 'X';
}

void make_line_quad(int row, int col, int kind) {
    begin_term();
    line_quad_text(row, col, kind);
    line_quad_ids(row, col, kind);
    mark_line_quad(row, col, kind);
    clear_redundant();
}

// The four cells of a square, in the order start, beside (same row),
// diagonal, other row (same column).
std::array<map_cell*, 4> square_cells(int row, int col, square sq) {
    const int other_row = wrap_step(row, sq.row_step);
    const int other_col = wrap_step(col, sq.col_step);
    return {&grid[row][col], &grid[row][other_col], &grid[other_row][other_col],
            &grid[other_row][col]};
}

// The column letter the two columns share, then the row letter the two rows
// share.
void square_text(int row, int col, square sq) {
    const auto cells = square_cells(row, col, sq);
    term_record& term = terms[last_term];
    term.text[0] = shared_letter(cells[0]->col_literals, cells[1]->col_literals);
    term.text[1] = shared_letter(cells[0]->row_literals, cells[3]->row_literals);
    term.text[2] = '\0';
}

void square_ids(int row, int col, square sq) {
    char* ids = terms[last_term].cell_ids;
    int length = 0;
    ids[0] = '\0';
    for (const map_cell* cell : square_cells(row, col, sq)) append_id_if_one(ids, length, *cell);
}

void mark_square(int row, int col, square sq) {
    for (map_cell* cell : square_cells(row, col, sq)) cell->state = 'X';
}

void make_square(int row, int col, square sq) {
    begin_term();
    square_text(row, col, sq);
    square_ids(row, col, sq);
    mark_square(row, col, sq);
    clear_redundant();
}

} // namespace

int square_blocked(int row, int col, square sq) {
    const auto cells = square_cells(row, col, sq);
    const int members =
        is_filled(*cells[0]) + is_filled(*cells[1]) + is_filled(*cells[2]) + is_filled(*cells[3]);
    return members == 4 ? 0 : 1;
}

void quad_cell(int row, int col) {
    if (row_is_full(row, col)) return make_line_quad(row, col, row_kind);
    if (column_is_full(row, col)) return make_line_quad(row, col, column_kind);
    for (const square sq : squares_in_order) {
        if (square_blocked(row, col, sq) == 0) return make_square(row, col, sq);
    }
}

void quad_pass() {
    scan_cells(quad_cell);
}

} // namespace tessary
