// Helpers the tests share: maps written as text, and an answer read back as
// the Boolean function it denotes, by a reader of its own (not the
// program's expression parser).
#pragma once

#include "logic/boolean_map.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tessary::testing {

// "1111/1111/1000/0001" or "1111111110000001": '/' is ignored; cells row by
// row from row C'D', as the window shows them.
inline boolean_map map_of(std::string_view text) {
    cell_values cells{};
    cells.fill('0');
    std::size_t n = 0;
    for (const char ch : text) {
        if (ch != '/' && n < cells.size()) cells[n++] = ch;
    }
    return map_from_cells(cells);
}

// A map of 0-cells with the cells given by id (hex of 4 * row + col) set to
// 1 and to X.
inline boolean_map map_with(std::string_view ones, std::string_view dont_cares = "") {
    cell_values cells;
    cells.fill('0');
    auto set = [&](std::string_view ids, char mark) {
        for (const char id : ids) {
            const int index = id <= '9' ? id - '0' : id - 'A' + 10;
            cells[static_cast<std::size_t>(index)] = mark;
        }
    };
    set(ones, '1');
    set(dont_cares, 'X');
    return map_from_cells(cells);
}

// A map whose cells are 0, 1 or X with equal chances, drawn from `random`.
template <class Random> boolean_map random_map(Random& random) {
    boolean_map map;
    for (int m = 0; m < 16; ++m) {
        const auto roll = random() % 3;
        if (roll == 1) map.ones |= minterm_bit(m);
        if (roll == 2) map.dont_cares |= minterm_bit(m);
    }
    return map;
}

// The minterms where the literal of variable 'A' to 'D' is 1.
inline std::uint16_t literal_mask(char variable) {
    std::uint16_t mask = 0;
    for (int m = 0; m < 16; ++m)
        if ((m >> (3 - (variable - 'A'))) & 1) mask = static_cast<std::uint16_t>(mask | (1u << m));
    return mask;
}

// The minterms on which a sum of products such as "A'B+CD'" is 1. "0" and
// "1" are the constants.
inline std::uint16_t function_mask(std::string_view answer) {
    if (answer == "0") return 0;
    if (answer == "1") return 0xFFFF;
    std::uint16_t sum = 0, product = 0xFFFF;
    for (std::size_t i = 0; i <= answer.size(); ++i) {
        if (i == answer.size() || answer[i] == '+') {
            sum = static_cast<std::uint16_t>(sum | product);
            product = 0xFFFF;
            continue;
        }
        if (answer[i] < 'A' || answer[i] > 'D') { // not our notation: matches nothing
            product = 0;
            continue;
        }
        std::uint16_t literal = literal_mask(answer[i]);
        if (i + 1 < answer.size() && answer[i + 1] == '\'') {
            literal = static_cast<std::uint16_t>(~literal);
            ++i;
        }
        product = static_cast<std::uint16_t>(product & literal);
    }
    return sum;
}

// True when the answer is 1 on every 1-cell and 0 on every 0-cell.
inline bool is_sound(const boolean_map& map, std::string_view answer) {
    const std::uint16_t f = function_mask(answer);
    return (map.ones & ~f) == 0 && (map.zeros() & f) == 0;
}

} // namespace tessary::testing
