// The exact minimiser against the brute force of support/brute_force.h,
// through check_engines(): on all 65,536 maps of 0 and 1 and a seeded sample
// with don't-cares, the same minimum covers and the documented tie-breaks,
// for sums and for products.
#include "exact/exact.h"
#include "support/check_engines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tessary {
namespace {

// Every engine's answers for one map, against each other and the brute force.
void check_map(const boolean_map& map) {
    EXPECT_EQ(testing::check_engines(map), "") << map_text(map);
}

TEST(ExactAgainstBruteForce, EveryMapOfZerosAndOnes) {
    for (unsigned bits = 0; bits < 0x10000; ++bits) {
        check_map({static_cast<minterm_set>(bits), 0});
        if (HasFailure()) break; // one map's report is enough to go on
    }
}

TEST(ExactAgainstBruteForce, SeededSampleWithDontCares) {
    std::mt19937 random(2026);
    for (int i = 0; i < 20000 && !HasFailure(); ++i) {
        check_map(testing::random_map(random));
    }
}

TEST(Exact, NamedMaps) {
    struct row {
        const char* map;
        const char* sop;
        const char* pos;
        std::size_t covers;
    };
    const row rows[] = {
        // The greedy answer has six terms; four suffice, in six ways.
        {"0111/1111/1101/1111", "A'B+B'C+C'D+AD'", "(A+B+C+D)(A'+B'+C'+D')", 6},
        {"0000/0000/0000/0000", "0", "0", 1},
        {"XXXX/XXXX/XXXX/XXXX", "0", "1", 1},
        {"1111/1X11/1111/1111", "1", "1", 1},
        {"0110/0110/0000/0000", "BC'", "BC'", 1}, // two one-literal sums
        // Two single-literal-cheaper groups tie; A'B'C' is 2 + 6 + 18, A'C'D' 2 + 18 + 54.
        {"1X00/X000/0000/0000", "A'B'C'", "A'B'C'", 2},
        // Terms with fewer literals come first, then by their numbers.
        {"1010/0101/1010/0101", "ABCD+A'B'CD+A'BC'D+AB'C'D+A'BCD'+AB'CD'+ABC'D'+A'B'C'D'",
         "(A'+B+C+D)(A+B'+C+D)(A+B+C'+D)(A'+B'+C'+D)(A+B+C+D')(A'+B'+C+D')(A'+B+C'+D')"
         "(A+B'+C'+D')",
         1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.map);
        const boolean_map map = testing::map_of(r.map);
        EXPECT_EQ(sop_text(minimum_sop(map)), r.sop);
        EXPECT_EQ(pos_text(minimum_pos(map)), r.pos);
        EXPECT_EQ(all_minimum_sops(map).size(), r.covers);
    }
}

} // namespace
} // namespace tessary
