// Helpers the minimiser's tests share: writing maps as text, and reading an
// answer back as the Boolean function it denotes.
#pragma once

#include "show.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tessary::testing {

// "1111/1111/1000/0001" or "1111111110000001": '/' is ignored.
inline cell_values map_of(std::string_view text) {
    cell_values cells{};
    std::size_t n = 0;
    for (const char ch : text) {
        if (ch != '/' && n < cells.size()) cells[n++] = ch;
    }
    return cells;
}

// A map of '0' with the given cell ids ("0123", hex) set to '1' and 'X'.
inline cell_values map_with(std::string_view ones, std::string_view dont_cares = "") {
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
    return cells;
}

// The whole answer as the two fields show it, joined.
inline std::string answer_of(const key_fields& key) {
    std::string answer = key.first;
    if (key.second_shown) answer += key.second;
    return answer;
}

// Bit i is set for cell i (4 * row + col) when the literal holds there.
// Columns are A'B', A'B, AB, AB'; rows C'D', C'D, CD, CD'.
inline std::uint16_t literal_mask(char variable) {
    static constexpr bool first_bit[4] = {false, false, true, true};  // A of a column, C of a row
    static constexpr bool second_bit[4] = {false, true, true, false}; // B of a column, D of a row
    std::uint16_t mask = 0;
    for (int cell = 0; cell < 16; ++cell) {
        const int row = cell / 4, col = cell % 4;
        bool holds = false;
        switch (variable) {
        case 'A': holds = first_bit[col]; break;
        case 'B': holds = second_bit[col]; break;
        case 'C': holds = first_bit[row]; break;
        case 'D': holds = second_bit[row]; break;
        }
        if (holds) mask = static_cast<std::uint16_t>(mask | (1u << cell));
    }
    return mask;
}

// The cells on which a sum of products such as "A'B+CD'" is 1. "0" and "1"
// are the constants.
inline std::uint16_t function_mask(std::string_view answer) {
    static const std::uint16_t masks[4] = {literal_mask('A'), literal_mask('B'), literal_mask('C'),
                                           literal_mask('D')};
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
        std::uint16_t literal = masks[answer[i] - 'A'];
        if (i + 1 < answer.size() && answer[i + 1] == '\'') {
            literal = static_cast<std::uint16_t>(~literal);
            ++i;
        }
        product = static_cast<std::uint16_t>(product & literal);
    }
    return sum;
}

inline std::uint16_t cells_valued(const cell_values& cells, char value) {
    std::uint16_t mask = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] == value) mask = static_cast<std::uint16_t>(mask | (1u << i));
    }
    return mask;
}

// True when the answer is 1 on every 1-cell and 0 on every 0-cell.
inline bool is_sound(const cell_values& cells, std::string_view answer) {
    const std::uint16_t f = function_mask(answer);
    return (cells_valued(cells, '1') & ~f) == 0 && (cells_valued(cells, '0') & f) == 0;
}

} // namespace tessary::testing
