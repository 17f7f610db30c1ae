// The greedy reduction: the window's Show and tessary-key's default answer.
//
// A fixed procedure, not a minimisation: it covers the 1-cells with groups
// of eight, then four, two and one, each time taking the first group that
// fits in a fixed order, and drops the terms whose 1-cells other kept terms
// list. The same map always gives the same answer, term order included, and
// the answer may have more terms than the minimum (see exact/exact.h).
#pragma once

#include "logic/boolean_map.h"
#include "logic/cube.h"

#include <array>
#include <string>
#include <string_view>

namespace tessary {

// One group the procedure made, in the order it made them.
struct greedy_term {
    cube term;
    char letters[5];  // as the procedure wrote them; lower case is complemented: "aBc"
    char cell_ids[9]; // the 1-cells it lists, as hex digits of 4 * row + col
    bool kept;        // false when redundant-term elimination dropped it
};

struct greedy_answer {
    static constexpr int capacity = 20;
    std::array<greedy_term, capacity> terms;
    int term_count;
    char text[128]; // the kept terms joined with '+': "CD'A+A'BC"; "0" or "1"

    std::string_view answer() const { return text; }
    cover kept_cover() const;
};

greedy_answer reduce_greedy(const boolean_map& map);

// A term as the answer writes it: "CD'A" for the letters "CdA".
std::string written_term(const greedy_term& term);

} // namespace tessary
