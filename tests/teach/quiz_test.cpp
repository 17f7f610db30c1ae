// A quiz's options on every map of 0 and 1 that has both, in both forms:
// four different expressions, exactly one of them a minimum, each wrong one
// wrong as its slip says; and one that is not the function among them
// wherever the minimum has a term to get wrong.
#include "teach/quiz.h"

#include "exact/exact.h"
#include "input/map_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace tessary {
namespace {

std::vector<std::pair<int, int>> sorted_terms(const cover& c) {
    std::vector<std::pair<int, int>> terms;
    for (const cube t : c) terms.emplace_back(t.care, t.value);
    std::sort(terms.begin(), terms.end());
    return terms;
}

TEST(Quiz, EveryMapHasOneMinimumAndThreeSlips) {
    for (const cover_kind kind : {cover_kind::sum_of_products, cover_kind::product_of_sums}) {
        for (unsigned ones = 1; ones < 0xFFFF && !HasFailure(); ++ones) {
            const boolean_map map{static_cast<minterm_set>(ones), 0};
            const map_quiz q = quiz_of(map, kind, ones * 7919u);
            const cover minimum =
                kind == cover_kind::sum_of_products ? minimum_sop(map) : minimum_pos(map);
            ASSERT_EQ(q.options.size(), 4u) << map_text(map);
            std::set<std::vector<std::pair<int, int>>> different;
            int right = 0, not_function = 0;
            for (const quiz_option& o : q.options) {
                different.insert(sorted_terms(o.terms));
                const bool function = is_function(map, kind, o.terms);
                const bool cheapest = function && cost_of(o.terms) == cost_of(minimum);
                if (o.what == slip::none) {
                    ++right;
                    ASSERT_TRUE(o.terms == minimum) << map_text(map);
                } else {
                    ASSERT_FALSE(cheapest) << map_text(map) << ": a wrong option is a minimum";
                }
                if (o.what == slip::cell_missed || o.what == slip::wrong_cell) {
                    ASSERT_FALSE(function) << map_text(map);
                    ++not_function;
                }
                if (o.what == slip::greedy || o.what == slip::redundant ||
                    o.what == slip::not_prime) {
                    ASSERT_TRUE(function && cost_of(o.terms) > cost_of(minimum)) << map_text(map);
                }
            }
            ASSERT_EQ(right, 1) << map_text(map);
            ASSERT_EQ(different.size(), 4u) << map_text(map) << ": options repeat";
            ASSERT_GE(not_function, 1) << map_text(map);
            // The same seed gives the same quiz.
            const map_quiz again = quiz_of(map, kind, ones * 7919u);
            for (std::size_t k = 0; k < 4; ++k)
                ASSERT_TRUE(again.options[k].terms == q.options[k].terms) << map_text(map);
        }
    }
}

} // namespace
} // namespace tessary
