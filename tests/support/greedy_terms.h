// The greedy reduction's terms written as its tests read them: "aBc[159D]",
// the letters in the order the procedure writes them (lower case for a
// complemented variable), then the 1-cells inside the term by their place on
// the map (hex digits of 4 * row + col).
#pragma once

#include "minimiser/greedy.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tessary::testing {

inline std::string term_code(const greedy_term& term) {
    std::string code;
    for (int k = 0; k < literal_count(term.term); ++k) {
        const int v = term.order[static_cast<std::size_t>(k)];
        const bool plain = (term.term.value & variable_bit(v)) != 0;
        code += static_cast<char>((plain ? 'A' : 'a') + v);
    }
    code += '[';
    for (int place = 0; place < cell_count; ++place)
        if (term.listed & minterm_bit(minterm_at(place / map_side, place % map_side)))
            code += "0123456789ABCDEF"[place];
    return code + ']';
}

// The terms of a table with their cell lists in ascending order, as
// term_code() writes them: the order in which a pass lists the cells of its
// group is no part of the answer.
inline std::vector<std::string> with_sorted_cells(std::vector<std::string> codes) {
    for (std::string& code : codes) {
        const std::size_t open = code.find('['), close = code.find(']');
        if (open != std::string::npos && close != std::string::npos)
            std::sort(code.begin() + static_cast<long>(open) + 1,
                      code.begin() + static_cast<long>(close));
    }
    return codes;
}

// The shown answer as text.
inline std::string shown_answer(const boolean_map& map) {
    return std::string(write_greedy(reduce_greedy(map)).view());
}

} // namespace tessary::testing
