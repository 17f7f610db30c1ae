// The greedy reduction's own model: its state and the few operations on it
// that every covering pass uses. Private to src/minimiser; other code calls
// reduce_greedy() (greedy.h).
//
// The grid mirrors the 4-by-4 Karnaugh map of the window (the geometry is
// logic/boolean_map.h's), so the map closes into a torus. A reduction
// (greedy.cpp) loads the cells, lets the passes append terms to `terms`,
// flags the redundant ones (redundant.cpp) and renders the kept ones
// (render.cpp) into `expression`. All storage is static; nothing is
// allocated.
#pragma once

#include "logic/boolean_map.h"

#include <array>
#include <cstdint>

namespace tessary {

inline constexpr int term_capacity = 20;

// One cell. `value` is the cell as entered ('0', '1' or 'X'); `state` starts
// equal to it at each Show and turns from '1' to 'X' once a term covers it.
struct map_cell {
    char state;
    char value;
    char id; // hex digit of 4 * row + col
    map_cell* left;
    map_cell* right;
    map_cell* down;
    map_cell* up;
    char col_literals[3]; // "ab", "aB", "AB", "Ab": lower case is complemented
    char row_literals[3]; // "cd", "cD", "CD", "Cd"
};

// One product term in compact text: upper case for a variable, lower case for
// its complement, letters in the order the pass wrote them (aBc is A'BC').
struct term_record {
    char text[6];      // four letters, the "+" rendering appends, NUL
    char cell_ids[10]; // ids of the covered cells entered as '1', NUL
    std::int32_t redundant;
};

using grid_type = std::array<std::array<map_cell, map_side>, map_side>;

extern grid_type grid;
extern std::array<term_record, term_capacity> terms;
extern int last_term; // index of the last term written, -1 when none
extern char raw_sum[96];
extern char expression[128];

// The four neighbours of a cell, with wrap-around.
enum class direction { up, down, left, right };

struct grid_step {
    int row;
    int col;
};

constexpr grid_step step_of(direction dir) {
    switch (dir) {
    case direction::up: return {-1, 0};
    case direction::down: return {+1, 0};
    case direction::left: return {0, -1};
    case direction::right: return {0, +1};
    }
    return {0, 0};
}

constexpr bool is_vertical(direction dir) {
    return dir == direction::up || dir == direction::down;
}

// Lays out ids, links and literal strings; leaves `state` and `value` alone.
void build_grid();

// Steps a row or column index round the torus: -1 and +1 wrap, any other
// direction gives 0.
inline int wrap_step(int index, int dir) {
    const bool steps = (dir == -1) | (dir == +1);
    return steps ? (index + dir + map_side) % map_side : 0;
}

// True when the NUL-terminated `text` holds `ch` (which is not NUL).
inline bool contains(const char* text, char ch) {
    for (; *text != '\0'; ++text)
        if (*text == ch) return true;
    return false;
}

// True when the cell's state is '1' or 'X': it may stand in a group.
inline bool is_filled(const map_cell& cell) {
    return cell.state == '1' || cell.state == 'X';
}

// True when no cell of the row (column) of (row, col) has the state '0'.
bool row_is_full(int row, int col);
bool column_is_full(int row, int col);

// The last step of making a term: the new term starts out kept.
void clear_redundant();

// The letter two adjacent lines share: of the start line's two literals, the
// first if it occurs in the other line's literals, otherwise the second.
inline char shared_letter(const char* start_literals, const char* other_literals) {
    return contains(other_literals, start_literals[0]) ? start_literals[0] : start_literals[1];
}

// The cell one step from (row, col) in `dir`, across the wrap. Only the
// moving index is stepped: wrap_step(i, 0) would give 0, not i.
inline map_cell& neighbour(int row, int col, direction dir) {
    const grid_step step = step_of(dir);
    const int r = step.row == 0 ? row : wrap_step(row, step.row);
    const int c = step.col == 0 ? col : wrap_step(col, step.col);
    return grid[r][c];
}

// A whole row or column of the map; its cells are taken in index order.
struct map_line {
    bool is_row;
    int index;
};

map_cell& line_cell(map_line line, int k);

// Appends the cell's id to a NUL-terminated id list when it was entered as
// '1'; don't-cares are never listed.
void append_id_if_one(char* cell_ids, int& length, const map_cell& cell);

// Advances `last_term` and returns the new term's record. The table never
// overflows: a reduction makes at most 15 terms.
term_record& begin_term();

// The scan of every covering pass: row by row, and at each cell whose state
// is still '1' at the moment of the visit, calls `visit`.
void scan_cells(void (*visit)(int row, int col));

} // namespace tessary
