// The hazard-free minimiser against the brute force (every set of primes
// of growing size, kept when no adjacent pair of cells is left without a
// term over both), on every map of 0 and 1 and a seeded sample with
// don't-cares, in both forms; and the hazard pairs of a cover against their
// definition.
#include "exact/exact.h"
#include "input/map_text.h"
#include "support/check_engines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tessary {
namespace {

std::string brute_hazard_free(const boolean_map& map, cover_kind kind) {
    const bool sums = kind == cover_kind::product_of_sums;
    const std::uint16_t on = sums ? map.zeros() : map.ones, off = sums ? map.ones : map.zeros();
    const auto found = testing::brute_minimum(on, off, sums, true);
    return sums ? testing::pos_text_of(found.front()) : testing::sop_text_of(found.front());
}

std::string engine_hazard_free(const boolean_map& map, cover_kind kind) {
    const cover c = minimum_hazard_free(map, kind);
    return kind == cover_kind::product_of_sums ? pos_text(c) : sop_text(c);
}

// The engine's cover: the brute force's first, it is the function, and it
// leaves no pair.
void check_map(const boolean_map& map) {
    for (const cover_kind kind : {cover_kind::sum_of_products, cover_kind::product_of_sums}) {
        const cover c = minimum_hazard_free(map, kind);
        ASSERT_EQ(engine_hazard_free(map, kind), brute_hazard_free(map, kind))
            << map_text(map) << (kind == cover_kind::product_of_sums ? " product" : " sum");
        ASSERT_TRUE(hazard_pairs(map, kind, c).empty()) << map_text(map);
        const minterm_set value = kind == cover_kind::product_of_sums ? pos_value(c) : sop_value(c);
        ASSERT_TRUE(agrees(map, value)) << map_text(map);
    }
}

TEST(HazardFreeAgainstBruteForce, EveryMapOfZerosAndOnes) {
    for (unsigned bits = 0; bits < 0x10000 && !HasFailure(); ++bits)
        check_map({static_cast<minterm_set>(bits), 0});
}

TEST(HazardFreeAgainstBruteForce, SeededSampleWithDontCares) {
    std::mt19937 random(33);
    for (int i = 0; i < 5000 && !HasFailure(); ++i) check_map(testing::random_map(random));
}

// The pairs of a cover, by their definition: adjacent cells to cover, no
// term over both, a don't-care never one of them; round the map's edges.
TEST(HazardPairs, OfCoversAsDefined) {
    struct row {
        const char* map;
        cover_kind kind;
        std::vector<cube> terms;
        std::vector<cell_pair> pairs;
    };
    const cube ac_{0b1010, 0b1000}, a_d{0b1001, 0b0001}; // AC' and A'D
    const std::vector<row> rows = {
        // 1, 3, 5, 7, 8, 9, 12, 13: AC'+A'D leaves 1-9 and 5-13 (across A).
        {"0011/1111/1100/0000", cover_kind::sum_of_products, {ac_, a_d}, {{1, 9}, {5, 13}}},
        // The same cells, one of them a don't-care: its pair goes.
        {"0011/X111/1100/0000", cover_kind::sum_of_products, {ac_, a_d}, {{5, 13}}},
        // No term: every adjacent pair of 1-cells, those round the edges too.
        {"1001/0000/0000/1001",
         cover_kind::sum_of_products,
         {},
         {{0, 2}, {0, 8}, {2, 10}, {8, 10}}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.map);
        boolean_map map;
        std::string error;
        ASSERT_TRUE(parse_map(r.map, map, error)) << error;
        cover c;
        for (const cube t : r.terms) c.push_back(t);
        EXPECT_EQ(hazard_pairs(map, r.kind, c), r.pairs);
    }
}

} // namespace
} // namespace tessary
