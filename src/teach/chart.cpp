// The prime-implicant chart reduced (see chart.h).
#include "teach/chart.h"

#include <algorithm>
#include <bit>

namespace tessary {

namespace {

prime_set bit_of(int prime) {
    return prime_set{1} << prime;
}

// The chart as a round sees it: the primes and cells still in it.
struct chart_state {
    const prime_chart& chart;
    prime_set primes = 0;
    minterm_set cells = 0;

    minterm_set cells_of(int p) const {
        return static_cast<minterm_set>(chart.cells[static_cast<std::size_t>(p)] & cells);
    }
    prime_set primes_over(int cell) const {
        prime_set over = 0;
        for (prime_set q = primes; q != 0; q &= q - 1) {
            const int p = std::countr_zero(q);
            if (chart.cells[static_cast<std::size_t>(p)] & minterm_bit(cell)) over |= bit_of(p);
        }
        return over;
    }
    // A prime over no cell left goes without a word.
    void drop_empty_rows() {
        for (prime_set q = primes; q != 0; q &= q - 1) {
            const int p = std::countr_zero(q);
            if (cells_of(p) == 0) primes &= ~bit_of(p);
        }
    }
};

bool drop_rows(chart_state& s, std::vector<chart_step>& steps) {
    bool changed = false;
    const prime_chart& c = s.chart;
    for (int p = 0; p < static_cast<int>(c.primes.size()); ++p) {
        if ((s.primes & bit_of(p)) == 0) continue;
        const minterm_set mine = s.cells_of(p);
        const int cost = literal_count(c.primes[static_cast<std::size_t>(p)]);
        for (prime_set q = s.primes & ~bit_of(p); q != 0; q &= q - 1) {
            const int other = std::countr_zero(q);
            const int other_cost = literal_count(c.primes[static_cast<std::size_t>(other)]);
            if ((mine & ~s.cells_of(other)) != 0) continue;
            if (other_cost > cost || (other_cost == cost && other > p)) continue;
            steps.push_back({chart_step::kind::row, p, other});
            s.primes &= ~bit_of(p);
            changed = true;
            break;
        }
    }
    return changed;
}

bool drop_columns(chart_state& s, std::vector<chart_step>& steps) {
    bool changed = false;
    for (int cell = 0; cell < cell_count; ++cell) {
        if ((s.cells & minterm_bit(cell)) == 0) continue;
        const prime_set mine = s.primes_over(cell);
        for (int other = 0; other < cell_count; ++other) {
            if (other == cell || (s.cells & minterm_bit(other)) == 0) continue;
            const prime_set theirs = s.primes_over(other);
            if ((theirs & ~mine) != 0) continue;
            if (theirs == mine && other > cell) continue;
            steps.push_back({chart_step::kind::column, cell, other});
            s.cells = static_cast<minterm_set>(s.cells & ~minterm_bit(cell));
            changed = true;
            break;
        }
    }
    s.drop_empty_rows();
    return changed;
}

bool take_essentials(chart_state& s, std::vector<chart_step>& steps) {
    bool changed = false;
    for (int cell = 0; cell < cell_count; ++cell) {
        if ((s.cells & minterm_bit(cell)) == 0) continue;
        const prime_set over = s.primes_over(cell);
        if (std::popcount(over) != 1) continue;
        const int p = std::countr_zero(over);
        steps.push_back({chart_step::kind::essential, p, cell});
        s.cells = static_cast<minterm_set>(s.cells & ~s.chart.cells[static_cast<std::size_t>(p)]);
        s.primes &= ~bit_of(p);
        s.drop_empty_rows();
        changed = true;
    }
    return changed;
}

// The sums multiplied out one at a time, each product absorbed by any that
// holds fewer of its primes.
std::vector<prime_set> multiply_out(const std::vector<prime_set>& sums) {
    std::vector<prime_set> products{0};
    for (const prime_set sum : sums) {
        std::vector<prime_set> next;
        for (const prime_set product : products)
            for (prime_set q = sum; q != 0; q &= q - 1) next.push_back(product | (q & -q));
        std::sort(next.begin(), next.end(),
                  [](prime_set a, prime_set b) { return std::popcount(a) < std::popcount(b); });
        products.clear();
        for (const prime_set candidate : next) {
            const bool absorbed =
                std::any_of(products.begin(), products.end(),
                            [&](prime_set kept) { return (kept & ~candidate) == 0; });
            if (!absorbed) products.push_back(candidate);
        }
    }
    return products;
}

} // namespace

int literals_of(const prime_chart& chart, prime_set primes) {
    int literals = 0;
    for (prime_set q = primes; q != 0; q &= q - 1)
        literals += literal_count(chart.primes[static_cast<std::size_t>(std::countr_zero(q))]);
    return literals;
}

prime_chart reduce_chart(const boolean_map& map, cover_kind kind) {
    prime_chart c{
        kind, cells_to_cover(map, kind), primes_of(map, kind), {}, {}, 0, {}, {}, 0, 0, {}, {}};
    for (const cube p : c.primes)
        c.cells.push_back(static_cast<minterm_set>(minterms_of(p) & c.to_cover));
    chart_state s{c, 0, c.to_cover};
    for (int p = 0; p < static_cast<int>(c.primes.size()); ++p) s.primes |= bit_of(p);
    minterm_set taken = 0;
    for (int p = 0; p < static_cast<int>(c.primes.size()); ++p)
        for (int cell = 0; cell < cell_count; ++cell)
            if ((c.cells[static_cast<std::size_t>(p)] & minterm_bit(cell)) &&
                s.primes_over(cell) == bit_of(p)) {
                c.essentials.emplace_back(p, cell);
                taken |= c.cells[static_cast<std::size_t>(p)];
                break;
            }
    c.left = static_cast<minterm_set>(c.to_cover & ~taken);
    s.cells = c.left;
    for (const auto& [p, cell] : c.essentials) s.primes &= ~bit_of(p);
    s.drop_empty_rows();
    for (;;) {
        bool changed = drop_rows(s, c.steps);
        s.drop_empty_rows();
        changed |= drop_columns(s, c.steps);
        changed |= take_essentials(s, c.steps);
        if (!changed) break;
        c.round_ends.push_back(c.steps.size());
    }
    if (s.cells == 0) return c;
    c.core_primes = s.primes;
    c.core_cells = s.cells;
    for (int cell = 0; cell < cell_count; ++cell)
        if (s.cells & minterm_bit(cell)) c.sums.push_back(s.primes_over(cell));
    c.products = multiply_out(c.sums);
    // Fewest primes, then fewest literals, then the lowest P-numbers first.
    const auto places = [](prime_set set) {
        std::vector<int> p;
        for (; set != 0; set &= set - 1) p.push_back(std::countr_zero(set));
        return p;
    };
    std::sort(c.products.begin(), c.products.end(), [&](prime_set a, prime_set b) {
        const int na = std::popcount(a), nb = std::popcount(b);
        if (na != nb) return na < nb;
        const int la = literals_of(c, a), lb = literals_of(c, b);
        if (la != lb) return la < lb;
        return places(a) < places(b);
    });
    return c;
}

} // namespace tessary
