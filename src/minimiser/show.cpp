// The Show pipeline and Reset.
#include "show.h"

#include "passes.h"

#include <cstring>

namespace tessary {

namespace {

// The two trivial answers are written by hand and hide the second line.
void display_trivial(const char* answer) {
    std::strcpy(key_display.first, answer);
    key_display.second_shown = false;
}

// Looks at all sixteen cells, without an early exit, which costs less than
// the branches it would save.
bool any_cell_in_state(bool (*test)(char state)) {
    bool any = false;
    for (const auto& row : grid) {
        for (const map_cell& cell : row) any |= test(cell.state);
    }
    return any;
}

} // namespace

void load_cells(const cell_values& cells) {
    for (int r = 0; r < map_side; ++r) {
        for (int c = 0; c < map_side; ++c) {
            grid[r][c].state = grid[r][c].value = cells[static_cast<std::size_t>(map_side * r + c)];
        }
    }
}

int check_for_ones() {
    if (any_cell_in_state([](char state) { return state == '1'; })) return 1;
    display_trivial("0");
    return 0;
}

int check_for_zeros() {
    if (any_cell_in_state([](char state) { return state != '1' && state != 'X'; })) return 1;
    display_trivial("1");
    return 0;
}

const key_fields& show_map(const cell_values& cells) {
    build_grid();
    load_cells(cells);
    if (check_for_ones() == 0 || check_for_zeros() == 0) return key_display;
    octet_pass();
    quad_pass();
    pair_pass();
    single_pass();
    flag_redundant();
    render_expression();
    return key_display;
}

void reset_map() {
    for (auto& row : grid) {
        for (map_cell& cell : row) cell.state = cell.value = '0';
    }
    expression[0] = '\0';
    last_term = -1;
}

} // namespace tessary
