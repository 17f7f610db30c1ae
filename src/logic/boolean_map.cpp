// Maps as cells and as text (see boolean_map.h).
#include "logic/boolean_map.h"

#include <bit>

namespace tessary {

boolean_map map_from_cells(const cell_values& cells) {
    boolean_map map;
    for (int row = 0; row < map_side; ++row) {
        for (int col = 0; col < map_side; ++col) {
            const char cell = cells[static_cast<std::size_t>(map_side * row + col)];
            const minterm_set bit = minterm_bit(minterm_at(row, col));
            if (cell == '1') map.ones |= bit;
            if (cell == 'X' || cell == 'x') map.dont_cares |= bit;
        }
    }
    return map;
}

char value_at(const boolean_map& map, int minterm) {
    const minterm_set bit = minterm_bit(minterm);
    return (map.ones & bit) != 0 ? '1' : (map.dont_cares & bit) != 0 ? 'X' : '0';
}

cell_values cells_of(const boolean_map& map) {
    cell_values cells;
    for (int row = 0; row < map_side; ++row) {
        for (int col = 0; col < map_side; ++col)
            cells[static_cast<std::size_t>(map_side * row + col)] =
                value_at(map, minterm_at(row, col));
    }
    return cells;
}

std::string map_text(const boolean_map& map) {
    const cell_values cells = cells_of(map);
    std::string text;
    for (int i = 0; i < cell_count; ++i) {
        if (i > 0 && i % map_side == 0) text += '/';
        text += cells[static_cast<std::size_t>(i)];
    }
    return text;
}

int first_difference(const boolean_map& map, minterm_set f) {
    const unsigned differ = (map.ones & ~f) | (map.zeros() & f);
    return differ == 0 ? -1 : std::countr_zero(differ);
}

} // namespace tessary
