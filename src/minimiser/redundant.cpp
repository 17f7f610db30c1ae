// Redundant-term elimination: a term is left out of the answer when each of
// its 1-cells is listed by another term that is itself kept.
//
// Terms are examined in table order. Only kept terms vouch for a cell: terms
// already examined carry their final flag and later ones still carry the 0
// they were made with. Two terms that list each other's 1-cells are therefore
// never both dropped, so every 1-cell stays covered by the shown sum.
#include "show.h"

namespace tessary {

namespace {

// The cells a term lists, one bit per id.
std::uint16_t id_mask(const char* cell_ids) {
    unsigned mask = 0;
    for (const char* id = cell_ids; *id != '\0'; ++id)
        mask |= 1u << (*id <= '9' ? *id - '0' : *id - 'A' + 10);
    return static_cast<std::uint16_t>(mask);
}

} // namespace

void flag_redundant() {
    std::array<std::uint16_t, term_capacity> listed{};
    for (int i = 0; i <= last_term; ++i) listed[i] = id_mask(terms[i].cell_ids);
    for (int i = 0; i <= last_term; ++i) {
        unsigned kept_by_others = 0;
        for (int k = 0; k <= last_term; ++k) {
            if (k != i && terms[k].redundant == 0) kept_by_others |= listed[k];
        }
        terms[i].redundant = (listed[i] & ~kept_by_others) == 0 ? 1 : 0;
    }
}

} // namespace tessary
