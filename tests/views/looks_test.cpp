// One group, one look: on every map of 0 and 1 with at most eight primes of
// a kind, a prime keeps its colour and line in every picture of the map (the
// answers' pictures and each step's), and within a picture of at most eight
// loops no two loops share a look.
#include "answers/answers.h"
#include "answers/explanation.h"
#include "exact/exact.h"
#include "views/pictures.h"
#include "views/steps.h"

#include "support/key_check.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tessary {
namespace {

std::vector<map_picture> pictures_of(const boolean_map& map, cover_kind kind) {
    std::vector<map_picture> pictures;
    if (kind == cover_kind::sum_of_products) {
        pictures.push_back(picture_of(map, answer_form::shown));
        pictures.push_back(picture_of(map, answer_form::minimal));
    } else {
        pictures.push_back(picture_of(map, answer_form::pos));
    }
    for (step_view& step : steps_of(map, kind)) pictures.push_back(std::move(step.picture));
    return pictures;
}

// "" when every prime keeps one look and no picture repeats one; else what broke.
std::string look_fault(const boolean_map& map, cover_kind kind) {
    const std::vector<cube> primes = primes_of(map, kind);
    std::map<std::pair<int, int>, int> look_of_prime; // by the prime's cube
    for (const map_picture& picture : pictures_of(map, kind)) {
        unsigned used = 0;
        for (const map_group& g : picture.groups) {
            if (g.look < 0 || g.look >= loop_styles) return g.label + " has no look";
            if (picture.groups.size() <= loop_styles && (used >> g.look & 1) != 0)
                return picture.caption + ": two loops look alike";
            used |= 1u << g.look;
            if (std::find(primes.begin(), primes.end(), g.cells) == primes.end()) continue;
            const auto [it, first] =
                look_of_prime.try_emplace({g.cells.care, g.cells.value}, g.look);
            if (!first && it->second != g.look) return g.label + " changes its look";
        }
    }
    return "";
}

TEST(Looks, APrimeKeepsItsLookInEveryPictureOfAMap) {
    for (unsigned ones = 0; ones < 0x10000 && !HasFailure(); ++ones) {
        const boolean_map map{static_cast<minterm_set>(ones), 0};
        for (const cover_kind kind : {cover_kind::sum_of_products, cover_kind::product_of_sums}) {
            if (primes_of(map, kind).size() > loop_styles) continue;
            ASSERT_EQ(look_fault(map, kind), "")
                << map_text(map) << (kind == cover_kind::product_of_sums ? " product" : " sum");
        }
    }
}

// More loops than looks: every loop and its legend entry are numbered.
TEST(Looks, MoreLoopsThanLooksAreNumbered) {
    const boolean_map map = testing::map_of("1101/0111/1101/1010"); // thirteen primes
    const map_picture primes = steps_of(map, cover_kind::sum_of_products)[0].picture;
    ASSERT_GT(primes.groups.size(), static_cast<std::size_t>(loop_styles));
    EXPECT_TRUE(loops_numbered(primes));
    EXPECT_EQ(layout_of(primes).tags.size(), primes.groups.size());
    EXPECT_FALSE(loops_numbered(picture_of(map, answer_form::minimal)));
}

// Several outputs on one page: a product keeps one look on every map that
// uses it, a map's loops differ, and the legend names the outputs that
// share a product.
TEST(Looks, ASharedProductKeepsItsLookOnEveryOutputsMap) {
    std::mt19937 random(7);
    for (int n = 0; n < 300; ++n) {
        std::vector<boolean_map> maps(2 + n % 6);
        for (boolean_map& m : maps) m = testing::random_map(random);
        std::vector<std::string> names;
        for (std::size_t j = 0; j < maps.size(); ++j) names.push_back("Y" + std::to_string(j));
        const shared_cover shared = minimum_shared_sop(maps);
        const std::vector<map_picture> pictures = shared_pictures(maps, shared, names);
        ASSERT_EQ(pictures.size(), maps.size());
        std::map<std::pair<int, int>, int> look_of_term;
        std::set<int> looks; // of every product: all different when they are few
        for (std::size_t j = 0; j < maps.size(); ++j) {
            const map_picture& p = pictures[j];
            EXPECT_EQ(p.title, names[j]);
            EXPECT_EQ(without_breaks(p.caption), names[j] + " = " + sop_text(shared.outputs[j]));
            ASSERT_EQ(p.groups.size(), static_cast<std::size_t>(shared.outputs[j].size));
            unsigned used = 0;
            for (const map_group& g : p.groups) {
                const auto [at, first] =
                    look_of_term.try_emplace({g.cells.care, g.cells.value}, g.look);
                EXPECT_EQ(at->second, g.look) << product_text(g.cells);
                if (first) looks.insert(g.look);
                EXPECT_EQ(used >> g.look & 1, 0u) << names[j];
                used |= 1u << g.look;
                std::string users;
                for (std::size_t o = 0; o < maps.size(); ++o) {
                    const cover& c = shared.outputs[o];
                    if (std::find(c.begin(), c.end(), g.cells) != c.end())
                        users.append(users.empty() ? "" : ", ").append(names[o]);
                }
                EXPECT_EQ(g.label, users == names[j] ? product_text(g.cells)
                                                     : product_text(g.cells) + " (" + users + ")");
            }
        }
        if (shared.terms.size() <= static_cast<std::size_t>(loop_styles)) {
            EXPECT_EQ(looks.size(), shared.terms.size());
        }
    }
}

} // namespace
} // namespace tessary
