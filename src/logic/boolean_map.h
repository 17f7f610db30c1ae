// What a map is: a Boolean function of A, B, C and D with don't-cares, and
// the one place that knows where each minterm sits on the 4-by-4 map.
//
// Everything else in Tessary (parsers, engines, window, tests) speaks of maps
// through this header. A minterm is numbered 8A + 4B + 2C + D; a set of
// minterms is a 16-bit mask with bit m for minterm m.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tessary {

inline constexpr int map_side = 4;
inline constexpr int cell_count = map_side * map_side;
inline constexpr int variable_count = 4;

using minterm_set = std::uint16_t;
inline constexpr minterm_set all_minterms = 0xFFFF;

// A map as a value. A minterm in neither set is a 0-cell; the two sets never
// overlap.
struct boolean_map {
    minterm_set ones = 0;
    minterm_set dont_cares = 0;

    constexpr minterm_set zeros() const { return static_cast<minterm_set>(~(ones | dont_cares)); }
    friend constexpr bool operator==(const boolean_map&, const boolean_map&) = default;
};

// The map's geometry. Rows stand for C,D and columns for A,B, both in
// Gray-code order (00, 01, 11, 10), so the map closes into a torus: the
// columns read A'B', A'B, AB, AB' and the rows C'D', C'D, CD, CD'.
inline constexpr std::array<int, map_side> gray_order = {0, 1, 3, 2};

constexpr int minterm_at(int row, int col) {
    return map_side * gray_order[static_cast<std::size_t>(col)] +
           gray_order[static_cast<std::size_t>(row)];
}

struct cell_place {
    int row;
    int col;
};

// Gray order is its own inverse: the position of value v is gray_order[v].
constexpr cell_place place_of(int minterm) {
    return {gray_order[static_cast<std::size_t>(minterm & 3)],
            gray_order[static_cast<std::size_t>((minterm >> 2) & 3)]};
}

// How a drawing lays the map out: C and D down the side and A and B along
// the top, as the window does; or A and B down the side and C and D along
// the top, as many textbooks draw it, the same grid turned about its
// diagonal. Either way a cell keeps its minterm.
enum class map_layout { cd_rows, ab_rows };

constexpr cell_place place_of(int minterm, map_layout layout) {
    const cell_place p = place_of(minterm);
    return layout == map_layout::ab_rows ? cell_place{p.col, p.row} : p;
}

constexpr int minterm_at(int row, int col, map_layout layout) {
    return layout == map_layout::ab_rows ? minterm_at(col, row) : minterm_at(row, col);
}

constexpr minterm_set minterm_bit(int minterm) {
    return static_cast<minterm_set>(1u << minterm);
}

// The value of variable v (0 for A to 3 for D) in a minterm.
constexpr bool variable_value(int minterm, int variable) {
    return ((minterm >> (variable_count - 1 - variable)) & 1) != 0;
}

// The sixteen cells as the window lays them out, row by row from row C'D',
// each '0', '1' or 'X'.
using cell_values = std::array<char, cell_count>;

// A cell that is neither '1' nor 'X' (x too) is a 0-cell.
boolean_map map_from_cells(const cell_values& cells);
cell_values cells_of(const boolean_map& map);

// '0', '1' or 'X' for a minterm.
char value_at(const boolean_map& map, int minterm);

// The map as tessary-key reads it: "0110/0110/0000/0000".
std::string map_text(const boolean_map& map);

// True when the function `f` (the minterms where it is 1) is 1 on every
// 1-cell and 0 on every 0-cell.
constexpr bool agrees(const boolean_map& map, minterm_set f) {
    return (map.ones & ~f) == 0 && (map.zeros() & f) == 0;
}

// The lowest minterm, not a don't-care, where `f` and the map differ; -1 when
// they agree.
int first_difference(const boolean_map& map, minterm_set f);

} // namespace tessary
