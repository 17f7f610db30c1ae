// The steps from a map to its minimum (see explain.h).
#include "teach/explain.h"

#include <bit>

namespace tessary {

namespace {

// The primes over each cell, in prime order, as bits of their places in the list.
std::array<std::uint64_t, cell_count> primes_over_cells(const std::vector<cube>& primes,
                                                        minterm_set to_cover) {
    std::array<std::uint64_t, cell_count> over{};
    for (std::size_t k = 0; k < primes.size(); ++k)
        for (unsigned m = minterms_of(primes[k]) & to_cover; m != 0; m &= m - 1)
            over[static_cast<std::size_t>(std::countr_zero(m))] |= std::uint64_t{1} << k;
    return over;
}

} // namespace

explanation explain(const boolean_map& map, cover_kind kind) {
    explanation e{kind, cells_to_cover(map, kind), primes_of(map, kind), {}, 0, {}, {}, 0};
    const auto over = primes_over_cells(e.primes, e.to_cover);
    minterm_set covered = 0;
    for (std::size_t k = 0; k < e.primes.size(); ++k) {
        const minterm_set cells = minterms_of(e.primes[k]) & e.to_cover;
        for (unsigned m = cells; m != 0; m &= m - 1) {
            const int cell = std::countr_zero(m);
            if (over[static_cast<std::size_t>(cell)] != std::uint64_t{1} << k) continue;
            e.essentials.push_back({e.primes[k], cell});
            covered |= cells;
            break;
        }
    }
    e.left = static_cast<minterm_set>(e.to_cover & ~covered);
    for (unsigned m = e.left; m != 0; m &= m - 1) {
        const int cell = std::countr_zero(m);
        cell_choice choice{cell, {}};
        for (std::uint64_t k = over[static_cast<std::size_t>(cell)]; k != 0; k &= k - 1)
            choice.candidates.push_back(e.primes[static_cast<std::size_t>(std::countr_zero(k))]);
        e.choices.push_back(std::move(choice));
    }
    e.minimum = kind == cover_kind::product_of_sums ? minimum_pos(map) : minimum_sop(map);
    e.covers = minimum_cover_count(map, kind);
    return e;
}

} // namespace tessary
