// The steps to a minimum against the brute force: the primes, the essential
// ones with their cells, the cells left, the choices and the number of
// minimum covers, for sums and for products, on every map of 0 and 1 and a
// seeded sample with don't-cares.
#include "teach/explain.h"

#include "support/brute_force.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tessary {
namespace {

using testing::brute_term;

// The whole explanation as one line of text, so that a difference shows
// where it is.
struct steps_text {
    std::string primes, essentials, left, choices;
    std::size_t covers = 0;
    friend bool operator==(const steps_text&, const steps_text&) = default;
};

std::ostream& operator<<(std::ostream& out, const steps_text& s) {
    return out << "primes " << s.primes << " | essential " << s.essentials << " | left " << s.left
               << " | choose " << s.choices << " | covers " << s.covers;
}

std::string cells_text(unsigned cells) {
    std::string text;
    for (int m = 0; m < 16; ++m)
        if (cells >> m & 1) text += std::to_string(m) + " ";
    return text;
}

steps_text from_engine(const boolean_map& map, cover_kind kind) {
    const explanation e = explain(map, kind);
    const bool sums = kind == cover_kind::product_of_sums;
    auto term = [sums](cube c) { return sums ? sum_text(c) : product_text(c); };
    steps_text s;
    for (const cube c : e.primes) s.primes += term(c) + " ";
    for (const essential_prime& p : e.essentials)
        s.essentials += term(p.prime) + "@" + std::to_string(p.cell) + " ";
    s.left = cells_text(e.left);
    for (const cell_choice& c : e.choices) {
        s.choices += std::to_string(c.cell) + ":";
        for (const cube p : c.candidates) s.choices += term(p) + " ";
    }
    s.covers = e.covers;
    return s;
}

steps_text from_brute_force(const boolean_map& map, cover_kind kind) {
    const bool sums = kind == cover_kind::product_of_sums;
    const std::uint16_t on = sums ? map.zeros() : map.ones, off = sums ? map.ones : map.zeros();
    std::vector<const brute_term*> primes = testing::primes_of(on, off);
    std::sort(primes.begin(), primes.end(), [sums](const brute_term* a, const brute_term* b) {
        if (a->literals != b->literals) return a->literals < b->literals;
        return sums ? a->sum_number < b->sum_number : a->number < b->number;
    });
    auto term = [sums](const brute_term* t) { return sums ? t->sum_text : t->text; };
    steps_text s;
    unsigned covered = 0;
    for (const brute_term* p : primes) {
        s.primes += term(p) + " ";
        unsigned only = p->cells & on;
        for (const brute_term* q : primes)
            if (q != p) only &= ~q->cells;
        if (only == 0) continue;
        s.essentials += term(p) + "@" + std::to_string(std::countr_zero(only)) + " ";
        covered |= p->cells;
    }
    const unsigned left = on & ~covered;
    s.left = cells_text(left);
    for (int m = 0; m < 16; ++m) {
        if ((left >> m & 1) == 0) continue;
        s.choices += std::to_string(m) + ":";
        for (const brute_term* p : primes)
            if (p->cells >> m & 1) s.choices += term(p) + " ";
    }
    s.covers = testing::brute_minimum(on, off, sums).size();
    return s;
}

void check_map(const boolean_map& map) {
    for (const cover_kind kind : {cover_kind::sum_of_products, cover_kind::product_of_sums}) {
        EXPECT_EQ(from_engine(map, kind), from_brute_force(map, kind))
            << map_text(map) << (kind == cover_kind::product_of_sums ? " (product)" : " (sum)");
    }
}

TEST(ExplainAgainstBruteForce, EveryMapOfZerosAndOnes) {
    for (unsigned bits = 0; bits < 0x10000 && !HasFailure(); ++bits)
        check_map({static_cast<minterm_set>(bits), 0});
}

TEST(ExplainAgainstBruteForce, SeededSampleWithDontCares) {
    std::mt19937 random(1712);
    for (int i = 0; i < 20000 && !HasFailure(); ++i) {
        check_map(testing::random_map(random));
    }
}

TEST(Explain, MinimumIsTheExactEngines) {
    const boolean_map map = testing::map_of("0111/1111/1101/1111");
    EXPECT_EQ(explain(map, cover_kind::sum_of_products).minimum, minimum_sop(map));
    EXPECT_EQ(explain(map, cover_kind::product_of_sums).minimum, minimum_pos(map));
}

} // namespace
} // namespace tessary
