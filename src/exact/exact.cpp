// The exact minimiser (see exact.h). A minimum cover consists of prime
// implicants only (a smaller cube would cost more literals), so the search
// lists the primes that touch a cell to be covered and then picks, by branch
// and bound, a cover among them: at each step the uncovered cell with the
// fewest primes is covered by each of them in turn, so essential primes are
// taken without branching. Primes are numbered in the tie-break order, which
// makes comparing two tied covers a comparison of two bit sets.
#include "exact/exact.h"

#include "exact/cover_search.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdint>
#include <span>

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
// tie-break order.
struct prime_list {
    static constexpr int capacity = 64;
    std::array<cube, capacity> cubes;
    std::array<minterm_set, capacity> cells;
    std::array<std::uint8_t, capacity> literals;
    int size = 0;
};

cube_set cubes_touching(const cube_table& t, minterm_set cells) {
    cube_set touching;
    for (unsigned m = cells; m != 0; m &= m - 1)
        touching |= t.containing[static_cast<std::size_t>(std::countr_zero(m))];
    return touching;
}

// An implicant is prime when no cube one literal larger is an implicant.
prime_list find_primes(const cube_table& t, minterm_set on, minterm_set off) {
    prime_list p;
    const cube_set not_implicant = cubes_touching(t, off);
    const cube_set touching_on = cubes_touching(t, on);
    for (std::size_t w = 0; w < 2; ++w) {
        for (std::uint64_t bits = touching_on.words[w] & ~not_implicant.words[w]; bits != 0;
             bits &= bits - 1) {
            const auto i = static_cast<std::size_t>(64 * w) + std::countr_zero(bits);
            const cube_set& parents = t.parents[i];
            const bool prime = ((parents.words[0] & ~not_implicant.words[0]) |
                                (parents.words[1] & ~not_implicant.words[1])) == 0;
            if (!prime) continue;
            assert(p.size < prime_list::capacity);
            const auto k = static_cast<std::size_t>(p.size++);
            p.cubes[k] = t.cubes[i];
            p.cells[k] = t.cells[i];
            p.literals[k] = t.literals[i];
        }
    }
    return p;
}

using detail::cover_found;
using detail::cover_problem;
using detail::cover_search;
using detail::earlier;
using detail::term_set;

constexpr cover_cost no_cover{term_set::capacity + 1, 0};

// The cover problem of one function: its cells to cover (each cell the
// element of its minterm number), the primes its candidates.
cover_problem<1> cells_problem(const prime_list& p, minterm_set on) {
    cover_problem<1> problem;
    for (unsigned m = on; m != 0; m &= m - 1) problem.add_element(std::countr_zero(m));
    for (int k = 0; k < p.size; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        problem.add_candidate(p.literals[ku]);
        for (unsigned m = p.cells[ku] & on; m != 0; m &= m - 1)
            problem.takes_in(k, std::countr_zero(m));
    }
    return problem;
}

template <typename Numbered> cover cover_of(const Numbered& cubes, const term_set& chosen) {
    cover c;
    chosen.each([&](int k) { c.push_back(cubes[static_cast<std::size_t>(k)]); });
    return c;
}

// The best of the covers `run` finds: the least cost, then the earliest.
template <int Words> cover_found best_cover(const cover_problem<Words>& problem) {
    cover_found best{{}, no_cover};
    cover_search<Words>::run(problem, best.cost, [&best](const cover_found& found) {
        if (found.cost < best.cost ||
            (found.cost == best.cost && earlier(found.chosen, best.chosen)))
            best = found;
    });
    return best;
}

cover minimum(const cube_table& t, minterm_set on, minterm_set off) {
    const prime_list p = find_primes(t, on, off);
    return cover_of(p.cubes, best_cover(cells_problem(p, on)).chosen);
}

std::vector<cover> all_minimum(const cube_table& t, minterm_set on, minterm_set off) {
    const prime_list p = find_primes(t, on, off);
    cover_cost best = no_cover;
    std::vector<term_set> found_sets;
    cover_search<1>::run(cells_problem(p, on), best, [&](const cover_found& found) {
        if (found.cost < best) {
            best = found.cost;
            found_sets.clear();
        }
        if (std::find(found_sets.begin(), found_sets.end(), found.chosen) == found_sets.end())
            found_sets.push_back(found.chosen);
    });
    std::sort(found_sets.begin(), found_sets.end(), earlier);
    std::vector<cover> covers;
    for (const term_set& chosen : found_sets) covers.push_back(cover_of(p.cubes, chosen));
    return covers;
}

// The hazard-free cover covers other elements: each cell, and each
// adjacent pair of cells, which one prime must take in whole. Up to 16
// cells and 32 pairs: one word.
cover hazard_free(const cube_table& t, minterm_set on, minterm_set off) {
    const prime_list p = find_primes(t, on, off);
    cover_problem<1> problem;
    for (int k = 0; k < p.size; ++k) problem.add_candidate(p.literals[static_cast<std::size_t>(k)]);
    int count = 0;
    auto add = [&](minterm_set cells) {
        const int e = count++;
        problem.add_element(e);
        for (int k = 0; k < p.size; ++k)
            if ((p.cells[static_cast<std::size_t>(k)] & cells) == cells) problem.takes_in(k, e);
    };
    for (unsigned m = on; m != 0; m &= m - 1) add(minterm_bit(std::countr_zero(m)));
    for (const cell_pair& pair : adjacent_pairs(on))
        add(static_cast<minterm_set>(minterm_bit(pair.low) | minterm_bit(pair.high)));
    return cover_of(p.cubes, best_cover(problem).chosen);
}

// Several functions together. A candidate is a multi-output prime: a cube
// with the outputs it may serve (those it takes a 1-cell of and no 0-cell
// of), where no larger cube may serve them all. A larger cube would do as
// well with fewer literals, so a best shared cover has only such terms.
struct shared_candidates {
    std::vector<int> cubes;            // by index in the product table
    std::vector<std::uint64_t> serves; // by candidate, outputs as bits
};

shared_candidates shared_primes(std::span<const boolean_map> maps) {
    const cube_table& t = product_table;
    std::array<std::uint64_t, cube_count> implicant_of{}, touching{};
    for (std::size_t j = 0; j < maps.size(); ++j) {
        const cube_set off = cubes_touching(t, maps[j].zeros());
        const cube_set on = cubes_touching(t, maps[j].ones);
        for (std::size_t w = 0; w < 2; ++w)
            for (std::uint64_t bits = on.words[w] & ~off.words[w]; bits != 0; bits &= bits - 1)
                touching[64 * w + static_cast<std::size_t>(std::countr_zero(bits))] |=
                    std::uint64_t{1} << j;
        for (std::size_t i = 0; i < cube_count; ++i) {
            const bool outside_off = (off.words[i / 64] >> (i % 64) & 1) == 0;
            if (outside_off) implicant_of[i] |= std::uint64_t{1} << j;
        }
    }
    shared_candidates c;
    for (std::size_t i = 0; i < cube_count; ++i) {
        const std::uint64_t serves = touching[i];
        if (serves == 0) continue;
        bool prime = true;
        for (std::size_t w = 0; w < 2; ++w)
            for (std::uint64_t bits = t.parents[i].words[w]; bits != 0; bits &= bits - 1) {
                const auto parent = 64 * w + static_cast<std::size_t>(std::countr_zero(bits));
                prime &= (serves & ~implicant_of[parent]) != 0;
            }
        if (!prime) continue;
        c.cubes.push_back(static_cast<int>(i));
        c.serves.push_back(serves);
    }
    return c;
}

// Given the chosen terms, each output's own fewest terms among those that
// may serve it (then fewest literals, then the earliest): the connections.
std::vector<cover> connect(std::span<const boolean_map> maps, const shared_candidates& c,
                           const term_set& chosen) {
    std::vector<cover> outputs;
    for (std::size_t j = 0; j < maps.size(); ++j) {
        const minterm_set on = maps[j].ones;
        cover_problem<1> problem;
        for (unsigned m = on; m != 0; m &= m - 1) problem.add_element(std::countr_zero(m));
        std::array<cube, term_set::capacity> cubes;
        chosen.each([&](int k) {
            const auto ku = static_cast<std::size_t>(k);
            if ((c.serves[ku] >> j & 1) == 0) return;
            const auto i = static_cast<std::size_t>(c.cubes[ku]);
            const int n = problem.add_candidate(product_table.literals[i]);
            cubes[static_cast<std::size_t>(n)] = product_table.cubes[i];
            for (unsigned m = product_table.cells[i] & on; m != 0; m &= m - 1)
                problem.takes_in(n, std::countr_zero(m));
        });
        outputs.push_back(cover_of(cubes, best_cover(problem).chosen));
    }
    return outputs;
}

int connections(const std::vector<cover>& outputs) {
    int n = 0;
    for (const cover& c : outputs) n += c.size;
    return n;
}

// Each (output, cell) to cover is the element 16 * output + cell.
template <int Words>
shared_cover shared_minimum(std::span<const boolean_map> maps, const shared_candidates& c) {
    cover_problem<Words> problem;
    for (std::size_t j = 0; j < maps.size(); ++j)
        for (unsigned m = maps[j].ones; m != 0; m &= m - 1)
            problem.add_element(static_cast<int>(j) * cell_count + std::countr_zero(m));
    for (std::size_t k = 0; k < c.cubes.size(); ++k) {
        const auto i = static_cast<std::size_t>(c.cubes[k]);
        const int n = problem.add_candidate(product_table.literals[i]);
        for (std::size_t j = 0; j < maps.size(); ++j) {
            if ((c.serves[k] >> j & 1) == 0) continue;
            for (unsigned m = product_table.cells[i] & maps[j].ones; m != 0; m &= m - 1)
                problem.takes_in(n, static_cast<int>(j) * cell_count + std::countr_zero(m));
        }
    }
    cover_found best{{}, no_cover};
    int best_connections = 0;
    std::vector<cover> best_outputs;
    cover_search<Words>::run(problem, best.cost, [&](const cover_found& found) {
        if (found.cost > best.cost) return;
        std::vector<cover> outputs = connect(maps, c, found.chosen);
        const int n = connections(outputs);
        const bool better =
            found.cost < best.cost ||
            (n != best_connections ? n < best_connections : earlier(found.chosen, best.chosen));
        if (!better) return;
        best = found;
        best_connections = n;
        best_outputs = std::move(outputs);
    });
    shared_cover shared;
    best.chosen.each([&](int k) {
        shared.terms.push_back(
            product_table.cubes[static_cast<std::size_t>(c.cubes[static_cast<std::size_t>(k)])]);
    });
    shared.outputs =
        best_outputs.empty() ? std::vector<cover>(maps.size()) : std::move(best_outputs);
    return shared;
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

shared_cover minimum_shared_sop(std::span<const boolean_map> maps) {
    assert(maps.size() <= max_shared_outputs);
    const shared_candidates c = shared_primes(maps);
    if (maps.size() <= 4) return shared_minimum<1>(maps, c);
    if (maps.size() <= 16) return shared_minimum<4>(maps, c);
    return shared_minimum<16>(maps, c);
}

std::size_t minimum_cover_count(const boolean_map& map, cover_kind kind) {
    return all_minimum_covers(map, kind).size();
}

} // namespace tessary
