// The state of one reduction and the two steps every pass shares: making a
// term, and at the end flagging the redundant ones (see reduction.h).
#include "minimiser/reduction.h"

namespace tessary::greedy {

namespace {

// The minterm at each place, worked out once from the map's geometry.
constexpr auto minterm_at_place = [] {
    std::array<std::uint8_t, cell_count> at{};
    for (int place = 0; place < cell_count; ++place)
        at[static_cast<std::size_t>(place)] =
            static_cast<std::uint8_t>(minterm_at(place / map_side, place % map_side));
    return at;
}();

// The minterms of every cube, by care * 16 + value: a term's 1-cells are
// then one look-up and one AND.
constexpr auto cube_cells = [] {
    std::array<minterm_set, 256> cells{};
    for (unsigned care = 0; care < 16; ++care) {
        for (unsigned value = 0; value < 16; ++value)
            if ((value & ~care) == 0)
                cells[care * 16 + value] = minterms_of(
                    {static_cast<std::uint8_t>(care), static_cast<std::uint8_t>(value)});
    }
    return cells;
}();

} // namespace

reduction::reduction(const boolean_map& map) : ones_(map.ones), filled_(0), uncovered_(0) {
    const minterm_set filled = map.ones | map.dont_cares;
    for (int place = 0; place < cell_count; ++place) {
        const int m = minterm_at_place[static_cast<std::size_t>(place)];
        filled_ |= static_cast<place_set>((filled >> m & 1u) << place);
        uncovered_ |= static_cast<place_set>((map.ones >> m & 1u) << place);
    }
}

void reduction::record(place_set group, std::initializer_list<letter> letters) {
    assert(answer_.term_count < greedy_answer::capacity);
    greedy_term& term = answer_.terms[static_cast<std::size_t>(answer_.term_count++)];
    cube c;
    std::size_t k = 0;
    for (const letter l : letters) {
        const std::uint8_t bit = variable_bit(l.variable);
        c.care |= bit;
        if (l.value) c.value |= bit;
        term.order[k++] = l.variable;
    }
    term.term = c;
    term.listed = cube_cells[c.care * 16u + c.value] & ones_;
    term.kept = true;
    uncovered_ &= static_cast<place_set>(~group);
}

// Terms are examined in the order made. Only kept terms vouch for a cell:
// terms already examined carry their final flag and later ones are still
// kept. Two terms that list each other's 1-cells are therefore never both
// dropped, so every 1-cell stays covered by the answer.
void flag_redundant(greedy_answer& answer) {
    const auto count = static_cast<std::size_t>(answer.term_count);
    for (std::size_t i = 0; i < count; ++i) {
        unsigned others = 0;
        for (std::size_t k = 0; k < count; ++k)
            others |= ((k != i) & answer.terms[k].kept) ? answer.terms[k].listed : 0u;
        answer.terms[i].kept = (answer.terms[i].listed & ~others) != 0;
    }
}

} // namespace tessary::greedy
