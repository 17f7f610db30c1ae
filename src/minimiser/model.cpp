// The program-wide map model and its shared operations (see model.h).
#include "model.h"

#include <bit>

namespace tessary {

grid_type grid;
std::array<term_record, term_capacity> terms;
int last_term = -1;
char raw_sum[96];
char expression[128];
key_fields key_display;

namespace {

constexpr const char* column_literal_names[map_side] = {"ab", "aB", "AB", "Ab"};
constexpr const char* row_literal_names[map_side] = {"cd", "cD", "CD", "Cd"};
constexpr char hex_digits[] = "0123456789ABCDEF";
static_assert(sizeof hex_digits == cell_count + 1);

// Copies a two-letter literal string and its NUL.
void copy_literals(char (&to)[3], const char* from) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = '\0';
}

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
            copy_literals(cell.col_literals, column_literal_names[c]);
            copy_literals(cell.row_literals, row_literal_names[r]);
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
