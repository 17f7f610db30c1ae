// The pair pass: three-letter terms from a 1-cell and one neighbour. An
// uncovered neighbour is preferred (left, right, up, down); failing that, a
// covered one or a don't-care (left, up, right, down).
#include "passes.h"

namespace tessary {

namespace {

inline constexpr direction first_choice_order[] = {direction::left, direction::right, direction::up,
                                                   direction::down};
inline constexpr direction fallback_order[] = {direction::left, direction::up, direction::right,
                                               direction::down};

// A horizontal pair shares its row literals and varies in its column
// literals; a vertical pair the other way round.
const char* shared_literals(const map_cell& cell, direction dir) {
    return is_vertical(dir) ? cell.col_literals : cell.row_literals;
}

const char* varying_literals(const map_cell& cell, direction dir) {
    return is_vertical(dir) ? cell.row_literals : cell.col_literals;
}

void pair_text(int row, int col, direction dir) {
    const map_cell& start = grid[row][col];
    const char* shared = shared_literals(start, dir);
    char* text = terms[last_term].text;
    text[0] = shared[0];
    text[1] = shared[1];
    text[2] = shared_letter(varying_literals(start, dir),
                            varying_literals(neighbour(row, col, dir), dir));
    text[3] = '\0';
}

void mark_pair(int row, int col, direction dir) {
    grid[row][col].state = 'X';
    neighbour(row, col, dir).state = 'X';
}

void pair_ids(int row, int col, direction dir) {
    char* ids = terms[last_term].cell_ids;
    int length = 0;
    append_id_if_one(ids, length, grid[row][col]);
    append_id_if_one(ids, length, neighbour(row, col, dir));
}

void make_pair(int row, int col, direction dir) {
    begin_term();
    pair_text(row, col, dir);
    mark_pair(row, col, dir);
    pair_ids(row, col, dir);
    clear_redundant();
}

} // namespace

int pair_with_uncovered(int row, int col) {
    for (const direction dir : first_choice_order) {
        if (neighbour(row, col, dir).state == '1') {
            make_pair(row, col, dir);
            return 0;
        }
    }
    return 1;
}

void pair_cell(int row, int col) {
    if (pair_with_uncovered(row, col) == 0) return;
    for (const direction dir : fallback_order) {
        const char state = neighbour(row, col, dir).state;
        if (state == '1' || state == 'X') return make_pair(row, col, dir);
    }
}

void pair_pass() {
    scan_cells(pair_cell);
}

} // namespace tessary
