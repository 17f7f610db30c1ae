// Redundant-term elimination: a term is left out of the answer when each of
// its 1-cells is listed by another term that is itself kept.
//
// Terms are examined in table order. Only kept terms vouch for a cell: terms
// already examined carry their final flag and later ones still carry the 0
// they were made with. Two terms that list each other's 1-cells are therefore
// never both dropped, so every 1-cell stays covered by the shown sum.
#include "stages.h"

namespace tessary {

namespace {

// The bit of each id character: '0' to '9' and 'A' to 'F' are cells 0 to 15.
constexpr std::array<std::uint16_t, 128> make_id_bits() {
    std::array<std::uint16_t, 128> bits{};
    for (int cell = 0; cell < cell_count; ++cell)
        bits["0123456789ABCDEF"[cell]] = static_cast<std::uint16_t>(1u << cell);
    return bits;
}

constexpr std::array<std::uint16_t, 128> id_bits = make_id_bits();

// The cells a term lists, one bit per id.
std::uint16_t id_mask(const char* cell_ids) {
    unsigned mask = 0;
    for (const char* id = cell_ids; *id != '\0'; ++id)
        mask |= id_bits[static_cast<unsigned char>(*id) & 0x7f];
    return static_cast<std::uint16_t>(mask);
}

} // namespace

void flag_redundant() {
    std::array<std::uint16_t, term_capacity> listed{};
    for (int i = 0; i <= last_term; ++i) listed[i] = id_mask(terms[i].cell_ids);
    for (int i = 0; i <= last_term; ++i) {
        unsigned kept_by_others = 0;
        for (int k = 0; k <= last_term; ++k) {
            const bool vouches = (k != i) & (terms[k].redundant == 0);
            kept_by_others |= vouches ? listed[k] : 0u;
        }
        terms[i].redundant = (listed[i] & ~kept_by_others) == 0 ? 1 : 0;
    }
}

} // namespace tessary
