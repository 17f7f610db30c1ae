// The prime-implicant chart against a reduction of its own, written from the
// rules as a teacher states them, line for line on every map of 0 and 1 in
// both forms and on maps with don't-cares; and, beside that, what any right
// reduction has: each drop allowed, nothing left that a rule could drop,
// Petrick's products the least covers of the core, and the minimum made of
// the primes taken and a cheapest product.
#include "answers/answers.h"
#include "answers/explanation.h"
#include "exact/exact.h"
#include "input/map_text.h"
#include "teach/chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tessary {
namespace {

// The chart as a table of marks, reduced with plain loops.
struct plain_chart {
    cover_kind kind;
    std::vector<cube> primes;
    std::vector<std::vector<bool>> mark; // [prime][cell]: the prime covers the cell to cover
    std::vector<bool> row_in, cell_in;
    std::vector<std::string> lines;

    std::string name(int p) const { return "P" + std::to_string(p + 1); }
    std::string item(int p) const {
        return name(p) + " " + group_text(primes[static_cast<std::size_t>(p)], kind);
    }
    int rows() const { return static_cast<int>(primes.size()); }
    bool covers(int p, int c) const {
        return mark[static_cast<std::size_t>(p)][static_cast<std::size_t>(c)];
    }
    std::vector<int> primes_left_over(int c) const {
        std::vector<int> over;
        for (int p = 0; p < rows(); ++p)
            if (row_in[static_cast<std::size_t>(p)] && covers(p, c)) over.push_back(p);
        return over;
    }
    std::vector<int> cells_left_of(int p) const {
        std::vector<int> cells;
        for (int c = 0; c < 16; ++c)
            if (cell_in[static_cast<std::size_t>(c)] && covers(p, c)) cells.push_back(c);
        return cells;
    }
    void drop_silent_rows() {
        for (int p = 0; p < rows(); ++p)
            if (row_in[static_cast<std::size_t>(p)] && cells_left_of(p).empty())
                row_in[static_cast<std::size_t>(p)] = false;
    }
    static bool subset(const std::vector<int>& a, const std::vector<int>& b) {
        return std::includes(b.begin(), b.end(), a.begin(), a.end());
    }
    static std::string list(const std::vector<int>& cells) {
        std::string text;
        for (const int c : cells) text += (text.empty() ? "" : " ") + std::to_string(c);
        return text.empty() ? "none" : text;
    }
    void take(int p, int c) {
        lines.push_back("essential: " + item(p) + " (only it covers " + std::to_string(c) + ")");
        for (int cell = 0; cell < 16; ++cell)
            if (covers(p, cell)) cell_in[static_cast<std::size_t>(cell)] = false;
        row_in[static_cast<std::size_t>(p)] = false;
        drop_silent_rows();
    }
};

std::string plain_block(const boolean_map& map, cover_kind kind) {
    plain_chart t{kind, primes_of(map, kind), {}, {}, {}, {}};
    const minterm_set to_cover = cells_to_cover(map, kind);
    t.lines.push_back("map: " + map_text(map));
    for (int p = 0; p < t.rows(); ++p) {
        std::vector<bool> row(16);
        std::vector<int> cells;
        for (int c = 0; c < 16; ++c)
            if ((minterms_of(t.primes[static_cast<std::size_t>(p)]) & to_cover & (1u << c)) != 0) {
                row[static_cast<std::size_t>(c)] = true;
                cells.push_back(c);
            }
        t.mark.push_back(row);
        t.lines.push_back("prime: " + t.item(p) + ": " + plain_chart::list(cells));
    }
    t.row_in.assign(static_cast<std::size_t>(t.rows()), true);
    t.cell_in.assign(16, false);
    for (int c = 0; c < 16; ++c) t.cell_in[static_cast<std::size_t>(c)] = (to_cover >> c & 1) != 0;
    // The essential primes of the whole chart, then the cells they leave.
    std::vector<int> essential;
    for (int p = 0; p < t.rows(); ++p)
        for (int c = 0; c < 16; ++c)
            if (t.covers(p, c) && t.primes_left_over(c) == std::vector<int>{p}) {
                t.lines.push_back("essential: " + t.item(p) + " (only it covers " +
                                  std::to_string(c) + ")");
                essential.push_back(p);
                break;
            }
    if (essential.empty()) t.lines.push_back("essential: none");
    for (const int p : essential) {
        for (int c = 0; c < 16; ++c)
            if (t.covers(p, c)) t.cell_in[static_cast<std::size_t>(c)] = false;
        t.row_in[static_cast<std::size_t>(p)] = false;
    }
    t.drop_silent_rows();
    std::vector<int> left;
    for (int c = 0; c < 16; ++c)
        if (t.cell_in[static_cast<std::size_t>(c)]) left.push_back(c);
    t.lines.push_back("left: " + plain_chart::list(left));
    for (bool changed = true; changed;) {
        changed = false;
        for (int p = 0; p < t.rows(); ++p) {
            if (!t.row_in[static_cast<std::size_t>(p)]) continue;
            for (int q = 0; q < t.rows(); ++q) {
                if (q == p || !t.row_in[static_cast<std::size_t>(q)]) continue;
                const int lp = literal_count(t.primes[static_cast<std::size_t>(p)]),
                          lq = literal_count(t.primes[static_cast<std::size_t>(q)]);
                if (!(lq < lp || (lq == lp && q < p))) continue;
                if (!plain_chart::subset(t.cells_left_of(p), t.cells_left_of(q))) continue;
                t.lines.push_back("row: " + t.name(p) + " by " + t.name(q));
                t.row_in[static_cast<std::size_t>(p)] = false;
                changed = true;
                break;
            }
        }
        for (int c = 0; c < 16; ++c) {
            if (!t.cell_in[static_cast<std::size_t>(c)]) continue;
            for (int d = 0; d < 16; ++d) {
                if (d == c || !t.cell_in[static_cast<std::size_t>(d)]) continue;
                const std::vector<int> mine = t.primes_left_over(c), theirs = t.primes_left_over(d);
                if (!plain_chart::subset(theirs, mine)) continue;
                if (!(theirs.size() < mine.size() || d < c)) continue;
                t.lines.push_back("column: " + std::to_string(c) + " by " + std::to_string(d));
                t.cell_in[static_cast<std::size_t>(c)] = false;
                changed = true;
                break;
            }
        }
        t.drop_silent_rows();
        for (int c = 0; c < 16; ++c) {
            if (!t.cell_in[static_cast<std::size_t>(c)]) continue;
            const std::vector<int> over = t.primes_left_over(c);
            if (over.size() != 1) continue;
            t.take(over.front(), c);
            changed = true;
        }
    }
    std::vector<int> core_rows, core_cells;
    for (int p = 0; p < t.rows(); ++p)
        if (t.row_in[static_cast<std::size_t>(p)]) core_rows.push_back(p);
    for (int c = 0; c < 16; ++c)
        if (t.cell_in[static_cast<std::size_t>(c)]) core_cells.push_back(c);
    if (core_cells.empty()) {
        t.lines.push_back("cyclic: none");
    } else {
        std::string primes;
        for (const int p : core_rows) primes += (primes.empty() ? "" : " ") + t.name(p);
        t.lines.push_back("cyclic: " + primes + ": " + plain_chart::list(core_cells));
        // Petrick: every set of core primes that covers the core, kept when
        // no smaller such set lies inside it.
        std::string sums;
        for (const int c : core_cells) {
            std::string sum;
            for (const int p : t.primes_left_over(c)) sum += (sum.empty() ? "" : "+") + t.name(p);
            sums += "(" + sum + ")";
        }
        t.lines.push_back("petrick: " + sums);
        std::vector<std::vector<int>> covering;
        const std::size_t n = core_rows.size();
        for (unsigned pick = 1; pick < (1u << n); ++pick) {
            std::vector<int> set;
            for (std::size_t k = 0; k < n; ++k)
                if (pick >> k & 1) set.push_back(core_rows[k]);
            const bool all = std::all_of(core_cells.begin(), core_cells.end(), [&](int c) {
                return std::any_of(set.begin(), set.end(), [&](int p) { return t.covers(p, c); });
            });
            if (all) covering.push_back(set);
        }
        std::vector<std::vector<int>> least;
        for (const auto& set : covering)
            if (std::none_of(covering.begin(), covering.end(), [&](const std::vector<int>& other) {
                    return other.size() < set.size() && plain_chart::subset(other, set);
                }))
                least.push_back(set);
        const auto literals = [&](const std::vector<int>& set) {
            int sum = 0;
            for (const int p : set) sum += literal_count(t.primes[static_cast<std::size_t>(p)]);
            return sum;
        };
        std::sort(least.begin(), least.end(), [&](const auto& a, const auto& b) {
            if (a.size() != b.size()) return a.size() < b.size();
            if (literals(a) != literals(b)) return literals(a) < literals(b);
            return a < b;
        });
        std::string products;
        for (const auto& set : least) {
            products += products.empty() ? "" : "+";
            for (const int p : set) products += t.name(p);
        }
        t.lines.push_back("products: " + products);
    }
    const cover minimum = kind == cover_kind::product_of_sums ? minimum_pos(map) : minimum_sop(map);
    t.lines.push_back("minimal: " + cover_text(kind, minimum));
    t.lines.push_back("covers: " + std::to_string(minimum_cover_count(map, kind)));
    std::string block;
    for (const std::string& line : t.lines) block += (block.empty() ? "" : "\n") + line;
    return block;
}

// The minimum holds every prime the chart took, and the rest of it is as
// cheap as the chart's cheapest product.
void expect_minimum_holds_the_taken(const boolean_map& map, const prime_chart& c) {
    const cover minimum =
        c.kind == cover_kind::product_of_sums ? minimum_pos(map) : minimum_sop(map);
    std::set<int> taken;
    for (const auto& [p, cell] : c.essentials) taken.insert(p);
    for (const chart_step& s : c.steps)
        if (s.what == chart_step::kind::essential) taken.insert(s.dropped_or_taken);
    prime_set rest = 0;
    for (const cube term : minimum) {
        const auto at = std::find(c.primes.begin(), c.primes.end(), term);
        ASSERT_NE(at, c.primes.end()) << map_text(map);
        const int p = static_cast<int>(at - c.primes.begin());
        if (!taken.erase(p)) rest |= prime_set{1} << p;
    }
    ASSERT_TRUE(taken.empty()) << map_text(map) << ": a prime taken is not in the minimum";
    if (c.products.empty()) {
        ASSERT_EQ(rest, 0u) << map_text(map);
        return;
    }
    const prime_set cheapest = c.products.front();
    ASSERT_EQ(std::popcount(rest), std::popcount(cheapest)) << map_text(map);
    ASSERT_EQ(literals_of(c, rest), literals_of(c, cheapest)) << map_text(map);
}

TEST(Chart, EveryMapOfZerosAndOnesAsTheRulesGiveIt) {
    int solved_by_essentials = 0, cyclic = 0;
    for (const cover_kind kind : {cover_kind::sum_of_products, cover_kind::product_of_sums}) {
        for (unsigned ones = 0; ones < 0x10000 && !HasFailure(); ++ones) {
            const boolean_map map{static_cast<minterm_set>(ones), 0};
            const prime_chart c = reduce_chart(map, kind);
            ASSERT_EQ(chart_text(map, c), plain_block(map, kind)) << map_text(map);
            expect_minimum_holds_the_taken(map, c);
            if (kind == cover_kind::sum_of_products) {
                solved_by_essentials += c.left == 0;
                cyclic += c.core_cells != 0;
            }
        }
    }
    EXPECT_EQ(solved_by_essentials, 38120);
    EXPECT_EQ(cyclic, 6696);
}

TEST(Chart, MapsWithDontCares) {
    std::mt19937 random(40);
    for (int n = 0; n < 20000 && !HasFailure(); ++n) {
        minterm_set ones = 0, dont_cares = 0;
        for (int m = 0; m < 16; ++m) {
            const auto value = random() % 3;
            if (value == 1) ones |= minterm_bit(m);
            if (value == 2) dont_cares |= minterm_bit(m);
        }
        const boolean_map map{ones, dont_cares};
        for (const cover_kind kind : {cover_kind::sum_of_products, cover_kind::product_of_sums}) {
            const prime_chart c = reduce_chart(map, kind);
            ASSERT_EQ(chart_text(map, c), plain_block(map, kind)) << map_text(map);
            expect_minimum_holds_the_taken(map, c);
        }
    }
}

// Two blocks as a teacher reads them: cells dropped before rows, a prime
// made essential by the dropping and a cyclic core; a tie of rows kept for
// the earlier prime. Each round that changed something ends where its
// last line is.
TEST(Chart, TwoBlocksWordForWord) {
    const struct {
        const char* map;
        const char* block;
        std::vector<std::size_t> round_ends;
    } cases[] = {
        {"0110/1111/1101/1111",
         "map: 0110/1111/1101/1111\nprime: P1 A'B: 4 5 6 7\nprime: P2 A'C: 2 3 6 7\n"
         "prime: P3 B'C: 2 3 10 11\nprime: P4 BC': 4 5 12 13\nprime: P5 A'D: 1 3 5 7\n"
         "prime: P6 B'D: 1 3 9 11\nprime: P7 C'D: 1 5 9 13\nprime: P8 BD': 4 6 12 14\n"
         "prime: P9 CD': 2 6 10 14\nessential: none\nleft: 1 2 3 4 5 6 7 9 10 11 12 13 14\n"
         "column: 1 by 9\ncolumn: 2 by 10\ncolumn: 3 by 11\ncolumn: 4 by 12\n"
         "column: 5 by 13\ncolumn: 6 by 14\nrow: P2 by P1\nrow: P5 by P1\n"
         "essential: P1 A'B (only it covers 7)\ncyclic: P3 P4 P6 P7 P8 P9: 9 10 11 12 13 14\n"
         "petrick: (P6+P7)(P3+P9)(P3+P6)(P4+P8)(P4+P7)(P8+P9)\n"
         "products: P3P7P8+P4P6P9+P3P4P6P8+P3P4P7P9+P6P7P8P9\nminimal: A'B+B'C+C'D+BD'\n"
         "covers: 6",
         {6, 9}},
        {"1100/0100/1000/1000",
         "map: 1100/0100/1000/1000\nprime: P1 A'B'C: 2 3\nprime: P2 A'BC': 4 5\n"
         "prime: P3 A'B'D': 0 2\nprime: P4 A'C'D': 0 4\n"
         "essential: P1 A'B'C (only it covers 3)\nessential: P2 A'BC' (only it covers 5)\n"
         "left: 0\nrow: P4 by P3\nessential: P3 A'B'D' (only it covers 0)\ncyclic: none\n"
         "minimal: A'B'C+A'BC'+A'B'D'\ncovers: 2",
         {2}},
    };
    for (const auto& c : cases) {
        boolean_map map;
        std::string error;
        ASSERT_TRUE(parse_map(c.map, map, error)) << error;
        const prime_chart chart = reduce_chart(map, cover_kind::sum_of_products);
        EXPECT_EQ(chart_text(map, chart), c.block);
        EXPECT_EQ(chart.round_ends, c.round_ends) << c.map;
    }
}

} // namespace
} // namespace tessary
