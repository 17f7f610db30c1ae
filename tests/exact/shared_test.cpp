// Several outputs minimised together, against a brute force of their own:
// every term that serves some output tried, covers of growing size, and
// among the fewest terms the fewest literals and then the fewest
// connections, each output's connections by trying every subset.
#include "exact/exact.h"
#include "support/brute_force.h"
#include "support/key_check.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tessary {
namespace {

struct brute_shared {
    int terms = 0, literals = 0, connections = 0;
};

struct brute_search {
    const std::vector<boolean_map>& maps;
    // The terms worth trying: each serves some output (takes a 1-cell of it
    // and no 0-cell), and no larger term serves all of those outputs.
    std::vector<const testing::brute_term*> candidates;
    std::vector<unsigned> serves;
    std::vector<const testing::brute_term*> chosen;
    brute_shared best{1000, 0, 0};
    bool found = false;

    explicit brute_search(const std::vector<boolean_map>& m) : maps(m) {
        auto serving = [&](const testing::brute_term& t, bool touching) {
            unsigned s = 0;
            for (std::size_t j = 0; j < maps.size(); ++j)
                if ((t.cells & maps[j].zeros()) == 0 &&
                    (!touching || (t.cells & maps[j].ones) != 0))
                    s |= 1u << j;
            return s;
        };
        for (const testing::brute_term& t : testing::all_terms()) {
            const unsigned s = serving(t, true);
            if (s == 0) continue;
            bool dominated = false;
            for (const testing::brute_term& larger : testing::all_terms())
                dominated |= larger.cells != t.cells && (larger.cells & t.cells) == t.cells &&
                             (serving(larger, false) & s) == s;
            if (dominated) continue;
            candidates.push_back(&t);
            serves.push_back(s);
        }
    }

    // The fewest of the chosen terms that cover output j: its connections.
    int fewest_for(std::size_t j) const {
        std::vector<std::uint16_t> serving;
        for (const testing::brute_term* t : chosen)
            if ((t->cells & maps[j].zeros()) == 0) serving.push_back(t->cells);
        int fewest = 1000;
        for (unsigned subset = 0; subset < (1u << serving.size()); ++subset) {
            if (std::popcount(subset) >= fewest) continue;
            std::uint16_t cells = 0;
            for (std::size_t k = 0; k < serving.size(); ++k)
                if ((subset >> k & 1) != 0) cells |= serving[k];
            if ((cells & maps[j].ones) == maps[j].ones) fewest = std::popcount(subset);
        }
        return fewest;
    }

    void consider() {
        brute_shared here{static_cast<int>(chosen.size()), 0, 0};
        for (const testing::brute_term* t : chosen) here.literals += t->literals;
        for (std::size_t j = 0; j < maps.size(); ++j) here.connections += fewest_for(j);
        if (!found || here.literals < best.literals ||
            (here.literals == best.literals && here.connections < best.connections))
            best = here;
        found = true;
    }

    // Every cover of `size` terms, by the first output and cell left;
    // `covered` holds each output's cells the chosen terms cover.
    void extend(int size, std::vector<std::uint16_t>& covered) {
        for (std::size_t j = 0; j < maps.size(); ++j) {
            const auto left = static_cast<std::uint16_t>(maps[j].ones & ~covered[j]);
            if (left == 0) continue;
            if (static_cast<int>(chosen.size()) == size) return;
            const int cell = std::countr_zero(left);
            for (std::size_t c = 0; c < candidates.size(); ++c) {
                if ((serves[c] >> j & 1) == 0 || (candidates[c]->cells >> cell & 1) == 0) continue;
                std::vector<std::uint16_t> more = covered;
                for (std::size_t o = 0; o < maps.size(); ++o)
                    if ((serves[c] >> o & 1) != 0) more[o] |= candidates[c]->cells;
                chosen.push_back(candidates[c]);
                extend(size, more);
                chosen.pop_back();
            }
            return;
        }
        consider();
    }

    brute_shared run() {
        for (int size = 0; !found; ++size) {
            std::vector<std::uint16_t> covered(maps.size());
            extend(size, covered);
        }
        return best;
    }
};

brute_shared cost_of(const shared_cover& shared) {
    brute_shared c{static_cast<int>(shared.terms.size()), 0, 0};
    for (const cube t : shared.terms) c.literals += literal_count(t);
    for (const cover& output : shared.outputs) c.connections += output.size;
    return c;
}

std::string described(const std::vector<boolean_map>& maps) {
    std::string text;
    for (const boolean_map& m : maps) text += map_text(m) + " ";
    return text;
}

// Each output is its function, made of the shared terms; and no term is
// left unused.
void check_outputs(const std::vector<boolean_map>& maps, const shared_cover& shared) {
    ASSERT_EQ(shared.outputs.size(), maps.size());
    std::vector<bool> used(shared.terms.size());
    for (std::size_t j = 0; j < maps.size(); ++j) {
        const minterm_set value = sop_value(shared.outputs[j]);
        EXPECT_EQ(value & maps[j].ones, maps[j].ones) << described(maps) << "output " << j;
        EXPECT_EQ(value & maps[j].zeros(), 0) << described(maps) << "output " << j;
        for (const cube t : shared.outputs[j]) {
            const auto at = std::find(shared.terms.begin(), shared.terms.end(), t);
            ASSERT_NE(at, shared.terms.end()) << described(maps);
            used[static_cast<std::size_t>(at - shared.terms.begin())] = true;
        }
    }
    for (std::size_t k = 0; k < used.size(); ++k) EXPECT_TRUE(used[k]) << described(maps);
}

TEST(SharedMinimum, OneOutputIsTheMinimalSum) {
    for (unsigned bits = 0; bits < 0x10000; ++bits) {
        const boolean_map map{static_cast<minterm_set>(bits), 0};
        const shared_cover shared = minimum_shared_sop(std::span(&map, 1));
        ASSERT_EQ(shared.outputs.size(), 1u);
        ASSERT_EQ(shared.outputs[0], minimum_sop(map)) << map_text(map);
        ASSERT_EQ(shared.terms.size(), static_cast<std::size_t>(shared.outputs[0].size));
    }
    std::mt19937 random(42);
    for (int i = 0; i < 20000; ++i) {
        const boolean_map map = testing::random_map(random);
        const shared_cover shared = minimum_shared_sop(std::span(&map, 1));
        ASSERT_EQ(shared.outputs[0], minimum_sop(map)) << map_text(map);
    }
}

TEST(SharedMinimum, SeededFilesOfTwoToSixOutputsAgainstBruteForce) {
    std::mt19937 random(4242);
    for (int i = 0; i < 300 && !HasFailure(); ++i) {
        std::vector<boolean_map> maps(2 + i % 5);
        for (boolean_map& m : maps) m = testing::random_map(random);
        const shared_cover shared = minimum_shared_sop(maps);
        check_outputs(maps, shared);
        const brute_shared want = brute_search(maps).run();
        const brute_shared got = cost_of(shared);
        EXPECT_EQ(got.terms, want.terms) << described(maps);
        EXPECT_EQ(got.literals, want.literals) << described(maps);
        EXPECT_EQ(got.connections, want.connections) << described(maps);
    }
}

TEST(SharedMinimum, NamedFiles) {
    struct row {
        std::vector<std::vector<int>> maps; // each output's 1-cells
        std::vector<const char*> sums;      // each output's
        std::size_t terms;
    };
    const row rows[] = {
        // Alone, Sum is A'D+BC and Carry AC+BC; together BC is made once.
        {{{1, 3, 5, 6, 7, 14, 15}, {6, 7, 10, 11, 14, 15}}, {"BC+A'D", "AC+BC"}, 3},
        // Outputs that are 0 or 1 everywhere need no term, or the term 1.
        {{{}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}}, {"0", "1"}, 1},
    };
    for (const row& r : rows) {
        std::vector<boolean_map> maps;
        for (const std::vector<int>& ones : r.maps) {
            boolean_map m;
            for (const int cell : ones) m.ones |= minterm_bit(cell);
            maps.push_back(m);
        }
        const shared_cover shared = minimum_shared_sop(maps);
        check_outputs(maps, shared);
        EXPECT_EQ(shared.terms.size(), r.terms) << described(maps);
        for (std::size_t j = 0; j < maps.size(); ++j)
            EXPECT_EQ(sop_text(shared.outputs[j]), r.sums[j]) << described(maps);
    }
}

} // namespace
} // namespace tessary
