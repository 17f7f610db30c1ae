// The reduction's private vocabulary: cells by their place on the map, the
// letters of each row and column, and the state of one reduction. Only the
// files of this library include it; everything else uses greedy.h.
#pragma once

#ifndef TESSARY_MINIMISER_BUILD
#error "minimiser/reduction.h is private to the minimiser library: include minimiser/greedy.h"
#endif

#include "minimiser/greedy.h"

#include <bit>
#include <cassert>
#include <initializer_list>

namespace tessary::greedy {

// A set of cells by place: bit 4 * row + col, so that scanning the bits from
// the lowest visits the map row by row, as the procedure does.
using place_set = std::uint16_t;

constexpr int wrap(int index, int step) {
    return (index + step + map_side) % map_side;
}

constexpr place_set place_bit(int row, int col) {
    return static_cast<place_set>(1u << (map_side * row + col));
}

// A whole row or column of the map.
struct map_line {
    bool is_row;
    int index;
};

constexpr place_set cells_of(map_line line) {
    return static_cast<place_set>(line.is_row ? 0xFu << (map_side * line.index)
                                              : 0x1111u << line.index);
}

// A variable with its value: one letter of a term, 'A' or "A'".
struct letter {
    std::uint8_t variable;
    bool value;
    friend constexpr bool operator==(letter, letter) = default;
};

// The two letters of a line: A and B for a column, C and D for a row, as the
// map's geometry gives them.
struct line_letters {
    letter first, second;
};

constexpr line_letters letters_of(map_line line) {
    const int minterm = line.is_row ? minterm_at(line.index, 0) : minterm_at(0, line.index);
    const int v = line.is_row ? 2 : 0;
    return {{static_cast<std::uint8_t>(v), variable_value(minterm, v)},
            {static_cast<std::uint8_t>(v + 1), variable_value(minterm, v + 1)}};
}

// The letter two adjacent lines share: the start line's first letter if the
// other line has it too, otherwise its second.
constexpr letter shared_letter(map_line start, map_line other) {
    const line_letters s = letters_of(start), o = letters_of(other);
    return s.first == o.first ? s.first : s.second;
}

// The state of one reduction, on the stack of its call. A cell is a 0-cell,
// a 1-cell or a don't-care for good; a 1-cell is uncovered until a term takes
// it in.
class reduction {
  public:
    explicit reduction(const boolean_map& map);

    bool full(place_set cells) const { return (cells & ~filled_) == 0; }
    bool is_uncovered(int row, int col) const { return (uncovered_ & place_bit(row, col)) != 0; }
    bool is_filled(int row, int col) const { return (filled_ & place_bit(row, col)) != 0; }

    // Makes a term of the group: its letters in the order given, its 1-cells
    // listed, its cells covered.
    void record(place_set group, std::initializer_list<letter> letters);

    // Calls visit(row, col) at each cell, row by row, that is uncovered when
    // the scan reaches it.
    template <class Visit> void scan(Visit visit) {
        // Cells only ever become covered, so the cells to visit are among
        // those uncovered now; each is looked at again when it is reached.
        for (place_set todo = uncovered_; todo != 0; todo &= static_cast<place_set>(todo - 1)) {
            const int place = std::countr_zero(todo);
            if ((uncovered_ >> place & 1) != 0) visit(place / map_side, place % map_side);
        }
    }

    greedy_answer& answer() { return answer_; }

  private:
    minterm_set ones_;
    place_set filled_;    // 1-cells and don't-cares
    place_set uncovered_; // 1-cells no term has taken in yet
    greedy_answer answer_;
};

// The four covering passes, largest group first.
void octet_pass(reduction& r);
void quad_pass(reduction& r);
void pair_pass(reduction& r);
void single_pass(reduction& r);

// Drops each term whose 1-cells other kept terms list.
void flag_redundant(greedy_answer& answer);

} // namespace tessary::greedy
