// The program-wide map model and its shared operations (see model.h).
#include "model.h"

#include <cstring>

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

int wrap_step(int index, int dir) {
    if (dir == -1) return index == 0 ? map_side - 1 : index - 1;
    if (dir == +1) return index == map_side - 1 ? 0 : index + 1;
    return 0;
}

bool row_is_full(int row, int col) {
    const map_cell& start = grid[row][col];
    if (start.state == '0') return false;
    // Walk right until the walk is back at the start column.
    for (const map_cell* cell = start.right;; cell = cell->right) {
        if (std::strcmp(cell->col_literals, start.col_literals) == 0) return true;
        if (cell->state != '1' && cell->state != 'X') return false;
    }
}

bool column_is_full(int row, int col) {
    const map_cell& start = grid[row][col];
    if (start.state == '0') return false;
    for (const map_cell* cell = start.down;; cell = cell->down) {
        if (std::strcmp(cell->row_literals, start.row_literals) == 0) return true;
        if (cell->state != '1' && cell->state != 'X') return false;
    }
}

void clear_redundant() { terms[last_term].redundant = 0; }

char shared_letter(const char* start_literals, const char* other_literals) {
    if (std::strchr(other_literals, start_literals[0]) != nullptr) return start_literals[0];
    return start_literals[1];
}

map_cell& neighbour(int row, int col, direction dir) {
    // Only the moving index is stepped: wrap_step(i, 0) would give 0, not i.
    const grid_step step = step_of(dir);
    const int r = step.row == 0 ? row : wrap_step(row, step.row);
    const int c = step.col == 0 ? col : wrap_step(col, step.col);
    return grid[r][c];
}

map_cell& line_cell(map_line line, int k) {
    return line.is_row ? grid[line.index][k] : grid[k][line.index];
}

void append_id_if_one(char* cell_ids, int& length, const map_cell& cell) {
    if (cell.value == '1') cell_ids[length++] = cell.id;
    cell_ids[length] = '\0';
}

term_record& begin_term() {
    ++last_term;
    return terms[last_term];
}

void scan_cells(void (*visit)(int row, int col)) {
    for (int r = 0; r < map_side; ++r) {
        for (int c = 0; c < map_side; ++c) {
            // Read anew at each visit: an earlier group may have covered it.
            if (grid[r][c].state == '1') visit(r, c);
        }
    }
}

} // namespace tessary
