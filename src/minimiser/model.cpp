// The program-wide map model and its shared operations (see model.h).
#include "model.h"

#include <bit>
#include <cassert>
#include <cstring>

namespace tessary {

grid_type grid;
std::array<term_record, term_capacity> terms;
int last_term = -1;
char raw_sum[96];
char expression[128];

namespace {

constexpr char hex_digits[] = "0123456789ABCDEF";
static_assert(sizeof hex_digits == cell_count + 1);

// The two letters of each line's variables (A and B for a column, C and D
// for a row), upper case where the variable is 1: "aB" is A'B. Worked out
// once from the map's geometry.
struct line_names {
    char columns[map_side][3];
    char rows[map_side][3];
};

constexpr void name_line(char (&to)[3], int minterm, int first_variable) {
    for (int k = 0; k < 2; ++k) {
        const int v = first_variable + k;
        to[k] = static_cast<char>((variable_value(minterm, v) ? 'A' : 'a') + v);
    }
    to[2] = '\0';
}

constexpr line_names make_line_names() {
    line_names names{};
    for (int i = 0; i < map_side; ++i) {
        name_line(names.columns[i], minterm_at(0, i), 0);
        name_line(names.rows[i], minterm_at(i, 0), 2);
    }
    return names;
}

constexpr line_names literal_names = make_line_names();
static_assert(literal_names.columns[1][0] == 'a' && literal_names.columns[1][1] == 'B');
static_assert(literal_names.rows[3][0] == 'C' && literal_names.rows[3][1] == 'd');

} // namespace

void build_grid() {
    for (int r = 0; r < map_side; ++r) {
        for (int c = 0; c < map_side; ++c) {
            map_cell& cell = grid[r][c];
            cell.id = hex_digits[map_side * r + c];
            cell.left = &grid[r][(c + 3) % map_side];
            cell.right = &grid[r][(c + 1) % map_side];
            cell.down = &grid[(r + 1) % map_side][c];
            cell.up = &grid[(r + 3) % map_side][c];
            std::memcpy(cell.col_literals, literal_names.columns[c], 3);
            std::memcpy(cell.row_literals, literal_names.rows[r], 3);
        }
    }
}

// The start cell only has to be other than '0'; the three others must be
// '1' or 'X'. All four are looked at, without an early exit: on real maps the
// early exits cost more in mispredicted branches than the reads they save.
bool row_is_full(int row, int col) {
    const auto& line = grid[row];
    const int members = (line[col].state != '0') + is_filled(line[(col + 1) % map_side]) +
                        is_filled(line[(col + 2) % map_side]) +
                        is_filled(line[(col + 3) % map_side]);
    return members == map_side;
}

bool column_is_full(int row, int col) {
    const int members = (grid[row][col].state != '0') + is_filled(grid[(row + 1) % map_side][col]) +
                        is_filled(grid[(row + 2) % map_side][col]) +
                        is_filled(grid[(row + 3) % map_side][col]);
    return members == map_side;
}

void clear_redundant() {
    terms[last_term].redundant = 0;
}

map_cell& line_cell(map_line line, int k) {
    return line.is_row ? grid[line.index][k] : grid[k][line.index];
}

void append_id_if_one(char* cell_ids, int& length, const map_cell& cell) {
    cell_ids[length] = cell.id; // kept only when the cell was entered as '1'
    length += cell.value == '1' ? 1 : 0;
    cell_ids[length] = '\0';
}

term_record& begin_term() {
    assert(last_term + 1 < term_capacity);
    ++last_term;
    return terms[last_term];
}

void scan_cells(void (*visit)(int row, int col)) {
    // Cells covered during the scan only ever turn from '1' to 'X', so the
    // cells to visit are among those that are '1' now. Walking their bits
    // saves the mispredicted branches of testing all sixteen in turn.
    unsigned uncovered = 0;
    for (int cell = 0; cell < cell_count; ++cell)
        uncovered |= unsigned{grid[cell / map_side][cell % map_side].state == '1'} << cell;
    for (; uncovered != 0; uncovered &= uncovered - 1) {
        const int cell = std::countr_zero(uncovered);
        // Read anew at each visit: an earlier group may have covered it.
        if (grid[cell / map_side][cell % map_side].state == '1')
            visit(cell / map_side, cell % map_side);
    }
}

} // namespace tessary
