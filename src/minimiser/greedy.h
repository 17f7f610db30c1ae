// The greedy reduction: the window's Show and tessary-key's default answer.
//
// A fixed procedure, not a minimisation: it covers the 1-cells with groups
// of eight, then four, two and one, each time taking the first group that
// fits in a fixed order, and drops the terms whose 1-cells other kept terms
// list. The same map always gives the same answer, term order and letter
// order included, and the answer may have more terms than the minimum (see
// exact/exact.h).
//
// reduce_greedy() gives the terms as cubes of the shared vocabulary, with the
// one thing the procedure keeps of its own: the order in which it writes each
// term's letters. greedy_text() writes the answer out; neither allocates.
#pragma once

#include "logic/boolean_map.h"
#include "logic/cube.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessary {

// One group the procedure made, in the order it made them.
struct greedy_term {
    cube term;
    std::array<std::uint8_t, variable_count> order; // its variables (0 for A) as written
    minterm_set listed;                             // the 1-cells inside it
    bool kept;                                      // false when dropped as redundant
};

struct greedy_answer {
    // Each term covers a 1-cell that no earlier term covered.
    static constexpr int capacity = cell_count;
    std::array<greedy_term, capacity> terms;
    int term_count = 0;
    bool whole_map = false; // no 0-cell and some 1-cell: the answer "1", without terms

    // The kept terms; for "1", the one term that fixes no variable.
    cover kept_cover() const;
};

greedy_answer reduce_greedy(const boolean_map& map);

// The answer as the window writes it: the kept terms joined with '+',
// letters in the procedure's order ("CD'A+A'BC"); "0" or "1" without terms.
struct greedy_text {
    // Sixteen terms of four complemented letters and fifteen '+'.
    std::array<char, cell_count * 8 + cell_count> chars;
    std::size_t size = 0;
    std::string_view view() const { return {chars.data(), size}; }
};

greedy_text write_greedy(const greedy_answer& answer);

// One term as the answer writes it: "CD'A".
std::string written_term(const greedy_term& term);

} // namespace tessary
