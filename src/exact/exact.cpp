// The exact minimiser (see exact.h). A minimum cover consists of prime
// implicants only (a smaller cube would cost more literals), so the search
// lists the primes that touch a cell to be covered and then picks, by branch
// and bound, a cover among them: at each step the uncovered cell with the
// fewest primes is covered by each of them in turn, so essential primes are
// taken without branching. Primes are numbered in the tie-break order, which
// makes comparing two tied covers a comparison of two bit sets.
#include "exact/exact.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdint>

namespace tessary {

namespace {

constexpr int cube_count = 81; // 3^4: each variable plain, complemented or absent

// The tie-break number of a cube's letters: 1, 3, 9, 27 for A to D plain,
// twice that complemented. A sum's letters are the cube's complemented.
constexpr int letter_number(cube c, bool as_sum) {
    constexpr int weight[variable_count] = {1, 3, 9, 27};
    int n = 0;
    for (int v = 0; v < variable_count; ++v) {
        const std::uint8_t bit = variable_bit(v);
        if ((c.care & bit) == 0) continue;
        const bool plain = ((c.value & bit) != 0) != as_sum;
        n += weight[v] * (plain ? 1 : 2);
    }
    return n;
}

constexpr bool comes_before(cube a, cube b, bool as_sum) {
    if (literal_count(a) != literal_count(b)) return literal_count(a) < literal_count(b);
    return letter_number(a, as_sum) < letter_number(b, as_sum);
}

// A set of cubes by their place in tie-break order.
struct cube_set {
    std::array<std::uint64_t, 2> words{};

    constexpr void add(int i) {
        words[static_cast<std::size_t>(i / 64)] |= std::uint64_t{1} << (i % 64);
    }
    constexpr cube_set& operator|=(const cube_set& o) {
        words[0] |= o.words[0];
        words[1] |= o.words[1];
        return *this;
    }
};

// Every cube in tie-break order, with its cells, the cubes one literal
// larger that contain it (its parents, which come earlier in the order), and
// for each minterm the cubes that contain it.
struct cube_table {
    std::array<cube, cube_count> cubes{};
    std::array<minterm_set, cube_count> cells{};
    std::array<std::uint8_t, cube_count> literals{};
    std::array<cube_set, cube_count> parents{};
    std::array<cube_set, cell_count> containing{};
};

constexpr int index_in(const std::array<cube, cube_count>& cubes, cube c) {
    for (int i = 0; i < cube_count; ++i)
        if (cubes[static_cast<std::size_t>(i)] == c) return i;
    return -1;
}

constexpr cube_table make_table(bool as_sum) {
    cube_table t;
    int n = 0;
    for (unsigned care = 0; care < 16; ++care) {
        for (unsigned value = 0; value < 16; ++value) {
            if ((value & ~care) != 0) continue;
            const cube c{static_cast<std::uint8_t>(care), static_cast<std::uint8_t>(value)};
            int at = n++;
            for (; at > 0 && comes_before(c, t.cubes[static_cast<std::size_t>(at - 1)], as_sum);
                 --at)
                t.cubes[static_cast<std::size_t>(at)] = t.cubes[static_cast<std::size_t>(at - 1)];
            t.cubes[static_cast<std::size_t>(at)] = c;
        }
    }
    for (std::size_t i = 0; i < cube_count; ++i) {
        const cube c = t.cubes[i];
        t.cells[i] = minterms_of(c);
        t.literals[i] = static_cast<std::uint8_t>(literal_count(c));
        for (int v = 0; v < variable_count; ++v) {
            const std::uint8_t bit = variable_bit(v);
            if ((c.care & bit) == 0) continue;
            const cube parent{static_cast<std::uint8_t>(c.care & ~bit),
                              static_cast<std::uint8_t>(c.value & ~bit)};
            t.parents[i].add(index_in(t.cubes, parent));
        }
        for (int m = 0; m < cell_count; ++m)
            if ((t.cells[i] >> m & 1) != 0)
                t.containing[static_cast<std::size_t>(m)].add(static_cast<int>(i));
    }
    return t;
}

constexpr cube_table product_table = make_table(false);
constexpr cube_table sum_table = make_table(true);

// The primes that cover some cell of `on` and no cell of `off`, in
// tie-break order; for each cell the primes that cover it, and how many.
struct prime_list {
    static constexpr int capacity = 64;
    std::array<cube, capacity> cubes;
    std::array<minterm_set, capacity> cells;
    std::array<std::uint8_t, capacity> literals;
    int size = 0;
    std::array<std::uint64_t, cell_count> covering{};
    std::array<std::uint8_t, cell_count> covering_count{};
};

cube_set cubes_touching(const cube_table& t, minterm_set cells) {
    cube_set touching;
    for (unsigned m = cells; m != 0; m &= m - 1)
        touching |= t.containing[static_cast<std::size_t>(std::countr_zero(m))];
    return touching;
}

void add_prime(prime_list& p, const cube_table& t, int i, minterm_set on) {
    assert(p.size < prime_list::capacity);
    const auto k = static_cast<std::size_t>(p.size++);
    const auto iu = static_cast<std::size_t>(i);
    p.cubes[k] = t.cubes[iu];
    p.cells[k] = t.cells[iu];
    p.literals[k] = t.literals[iu];
    for (unsigned m = p.cells[k] & on; m != 0; m &= m - 1) {
        const auto cell = static_cast<std::size_t>(std::countr_zero(m));
        p.covering[cell] |= std::uint64_t{1} << k;
        ++p.covering_count[cell];
    }
}

// An implicant is prime when no cube one literal larger is an implicant.
prime_list find_primes(const cube_table& t, minterm_set on, minterm_set off) {
    prime_list p;
    const cube_set not_implicant = cubes_touching(t, off);
    const cube_set touching_on = cubes_touching(t, on);
    for (std::size_t w = 0; w < 2; ++w) {
        for (std::uint64_t bits = touching_on.words[w] & ~not_implicant.words[w]; bits != 0;
             bits &= bits - 1) {
            const int i = static_cast<int>(64 * w) + std::countr_zero(bits);
            const cube_set& parents = t.parents[static_cast<std::size_t>(i)];
            const bool prime = ((parents.words[0] & ~not_implicant.words[0]) |
                                (parents.words[1] & ~not_implicant.words[1])) == 0;
            if (prime) add_prime(p, t, i, on);
        }
    }
    return p;
}

// A cover as a set of prime numbers. Of two sets of the same size, the
// earlier in tie-break order holds the lowest prime of their difference.
struct candidate {
    std::uint64_t chosen = 0;
    cover_cost cost{cover::capacity + 1, 0};
};

bool earlier(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t differ = a ^ b;
    return differ != 0 && (a & differ & (~differ + 1)) != 0;
}

// The uncovered cell with the fewest primes to choose from. None of the
// primes of an uncovered cell is chosen yet, so its count never changes.
int hardest_cell(const prime_list& p, minterm_set uncovered) {
    int best = -1, fewest = prime_list::capacity + 1;
    for (unsigned m = uncovered; m != 0; m &= m - 1) {
        const int cell = std::countr_zero(m);
        const int n = p.covering_count[static_cast<std::size_t>(cell)];
        if (n < fewest) fewest = n, best = cell;
    }
    return best;
}

// Branch and bound. `keep` is called with every cover found whose cost is
// not above the best so far; it updates `best`.
template <typename Keep>
void search(const prime_list& p, minterm_set uncovered, candidate here, candidate& best,
            Keep& keep) {
    if (uncovered == 0) return keep(here);
    // Another term is needed: hopeless once that passes the best cost.
    if (here.cost.terms + 1 > best.cost.terms) return;
    const int cell = hardest_cell(p, uncovered);
    for (std::uint64_t m = p.covering[static_cast<std::size_t>(cell)]; m != 0; m &= m - 1) {
        const int k = std::countr_zero(m);
        const auto ku = static_cast<std::size_t>(k);
        const candidate next{here.chosen | (std::uint64_t{1} << k),
                             {here.cost.terms + 1, here.cost.literals + p.literals[ku]}};
        if (next.cost > best.cost) continue;
        search(p, static_cast<minterm_set>(uncovered & ~p.cells[ku]), next, best, keep);
    }
}

cover cover_of(const prime_list& p, std::uint64_t chosen) {
    cover c;
    for (; chosen != 0; chosen &= chosen - 1)
        c.push_back(p.cubes[static_cast<std::size_t>(std::countr_zero(chosen))]);
    return c;
}

cover minimum(const cube_table& t, minterm_set on, minterm_set off) {
    const prime_list p = find_primes(t, on, off);
    candidate best;
    auto keep = [&best](const candidate& found) {
        if (found.cost < best.cost ||
            (found.cost == best.cost && earlier(found.chosen, best.chosen)))
            best = found;
    };
    search(p, on, candidate{0, {0, 0}}, best, keep);
    return cover_of(p, best.chosen);
}

std::vector<cover> all_minimum(const cube_table& t, minterm_set on, minterm_set off) {
    const prime_list p = find_primes(t, on, off);
    candidate best;
    std::vector<std::uint64_t> found_sets;
    auto keep = [&](const candidate& found) {
        if (found.cost < best.cost) {
            best = found;
            found_sets.clear();
        }
        if (found.cost == best.cost &&
            std::find(found_sets.begin(), found_sets.end(), found.chosen) == found_sets.end())
            found_sets.push_back(found.chosen);
    };
    search(p, on, candidate{0, {0, 0}}, best, keep);
    std::sort(found_sets.begin(), found_sets.end(), earlier);
    std::vector<cover> covers;
    for (const std::uint64_t chosen : found_sets) covers.push_back(cover_of(p, chosen));
    return covers;
}

// The hazard-free cover, by the same branch and bound over other things to
// cover: each cell, and each adjacent pair of cells, which one prime must
// take in whole. Up to 16 cells and 32 pairs: one 64-bit set.
struct hazard_elements {
    static constexpr int capacity = 48;
    int count = 0;
    std::array<std::uint64_t, capacity> covering{}; // by element, the primes over it
    std::array<std::uint8_t, capacity> covering_count{};
    std::array<std::uint64_t, prime_list::capacity> taken{}; // by prime, its elements
};

hazard_elements elements_of(const prime_list& p, minterm_set on) {
    hazard_elements e;
    auto add = [&](minterm_set cells) {
        const int at = e.count++;
        for (int k = 0; k < p.size; ++k) {
            const auto ku = static_cast<std::size_t>(k);
            if ((p.cells[ku] & cells) != cells) continue;
            e.covering[static_cast<std::size_t>(at)] |= std::uint64_t{1} << k;
            ++e.covering_count[static_cast<std::size_t>(at)];
            e.taken[ku] |= std::uint64_t{1} << at;
        }
    };
    for (unsigned m = on; m != 0; m &= m - 1) add(minterm_bit(std::countr_zero(m)));
    for (const cell_pair& pair : adjacent_pairs(on))
        add(static_cast<minterm_set>(minterm_bit(pair.low) | minterm_bit(pair.high)));
    return e;
}

void hazard_search(const prime_list& p, const hazard_elements& e, std::uint64_t uncovered,
                   candidate here, candidate& best) {
    if (uncovered == 0) {
        if (here.cost < best.cost || (here.cost == best.cost && earlier(here.chosen, best.chosen)))
            best = here;
        return;
    }
    if (here.cost.terms + 1 > best.cost.terms) return;
    int hardest = -1, fewest = prime_list::capacity + 1;
    for (std::uint64_t u = uncovered; u != 0; u &= u - 1) {
        const int at = std::countr_zero(u);
        const int n = e.covering_count[static_cast<std::size_t>(at)];
        if (n < fewest) fewest = n, hardest = at;
    }
    for (std::uint64_t m = e.covering[static_cast<std::size_t>(hardest)]; m != 0; m &= m - 1) {
        const int k = std::countr_zero(m);
        const auto ku = static_cast<std::size_t>(k);
        const candidate next{here.chosen | (std::uint64_t{1} << k),
                             {here.cost.terms + 1, here.cost.literals + p.literals[ku]}};
        if (next.cost > best.cost) continue;
        hazard_search(p, e, uncovered & ~e.taken[ku], next, best);
    }
}

cover hazard_free(const cube_table& t, minterm_set on, minterm_set off) {
    const prime_list p = find_primes(t, on, off);
    const hazard_elements e = elements_of(p, on);
    candidate best;
    const std::uint64_t all = e.count == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << e.count) - 1;
    hazard_search(p, e, all, candidate{0, {0, 0}}, best);
    return cover_of(p, best.chosen);
}

} // namespace

cover minimum_sop(const boolean_map& map) {
    return minimum(product_table, map.ones, map.zeros());
}

cover minimum_pos(const boolean_map& map) {
    return minimum(sum_table, map.zeros(), map.ones);
}

std::vector<cover> all_minimum_sops(const boolean_map& map) {
    return all_minimum(product_table, map.ones, map.zeros());
}

} // namespace tessary

namespace tessary {

cover minimum_hazard_free(const boolean_map& map, cover_kind kind) {
    return hazard_free(kind == cover_kind::product_of_sums ? sum_table : product_table,
                       cells_to_cover(map, kind), cells_to_avoid(map, kind));
}

std::vector<cube> primes_of(const boolean_map& map, cover_kind kind) {
    const prime_list p =
        find_primes(kind == cover_kind::product_of_sums ? sum_table : product_table,
                    cells_to_cover(map, kind), cells_to_avoid(map, kind));
    return {p.cubes.begin(), p.cubes.begin() + p.size};
}

std::vector<cover> all_minimum_covers(const boolean_map& map, cover_kind kind) {
    return all_minimum(kind == cover_kind::product_of_sums ? sum_table : product_table,
                       cells_to_cover(map, kind), cells_to_avoid(map, kind));
}

std::size_t minimum_cover_count(const boolean_map& map, cover_kind kind) {
    return all_minimum_covers(map, kind).size();
}

} // namespace tessary
