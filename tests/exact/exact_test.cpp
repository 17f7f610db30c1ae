// The exact minimiser against a brute force of its own: every set of prime
// implicants of growing size, with the primes found by evaluating each of
// the 81 possible terms. On all 65,536 maps of 0 and 1 and a seeded sample
// with don't-cares: the same minimum cost, the same set of minimum covers,
// and the documented tie-break.
#include "exact/exact.h"
#include "minimiser/greedy.h"
#include "support/key_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tessary {
namespace {

// A term of the brute force: a digit per variable A to D, 0 absent, 1 plain,
// 2 complemented.
struct brute_term {
    int digits[4];
    std::uint16_t cells;
    int literals;
    int number; // the tie-break number: A 1, B 3, C 9, D 27, doubled if complemented
    std::string text;
};

std::vector<brute_term> every_term() {
    std::vector<brute_term> terms;
    for (int code = 0; code < 81; ++code) {
        brute_term t{{code % 3, code / 3 % 3, code / 9 % 3, code / 27 % 3}, 0xFFFF, 0, 0, ""};
        const int weight[4] = {1, 3, 9, 27};
        for (int v = 0; v < 4; ++v) {
            if (t.digits[v] == 0) continue;
            const std::uint16_t plain = testing::literal_mask(static_cast<char>('A' + v));
            t.cells &= t.digits[v] == 1 ? plain : static_cast<std::uint16_t>(~plain);
            ++t.literals;
            t.number += weight[v] * t.digits[v];
            t.text += static_cast<char>('A' + v);
            if (t.digits[v] == 2) t.text += '\'';
        }
        if (t.text.empty()) t.text = "1";
        terms.push_back(t);
    }
    return terms;
}

const std::vector<brute_term>& all_terms() {
    static const std::vector<brute_term> terms = every_term();
    return terms;
}

bool term_before(const brute_term* a, const brute_term* b) {
    return a->literals != b->literals ? a->literals < b->literals : a->number < b->number;
}

using brute_cover = std::vector<const brute_term*>; // in tie-break order

// The primes of the map: implicants (no 0-cell) that lose that property when
// any literal is dropped, and that cover some 1-cell.
std::vector<const brute_term*> primes_of(std::uint16_t ones, std::uint16_t zeros) {
    std::vector<const brute_term*> primes;
    for (const brute_term& t : all_terms()) {
        if ((t.cells & zeros) != 0 || (t.cells & ones) == 0) continue;
        bool prime = true;
        for (const brute_term& u : all_terms())
            if (u.literals == t.literals - 1 && (u.cells & t.cells) == t.cells &&
                (u.cells & zeros) == 0)
                prime = false;
        if (prime) primes.push_back(&t);
    }
    return primes;
}

// Every set of `k` primes, from index `from` on, that covers `ones`.
void covers_of_size(const std::vector<const brute_term*>& primes, std::uint16_t ones,
                    std::size_t from, int k, brute_cover& chosen, std::vector<brute_cover>& found) {
    if (k == 0) {
        if (ones == 0) found.push_back(chosen);
        return;
    }
    for (std::size_t i = from; i < primes.size(); ++i) {
        chosen.push_back(primes[i]);
        covers_of_size(primes, ones & static_cast<std::uint16_t>(~primes[i]->cells), i + 1, k - 1,
                       chosen, found);
        chosen.pop_back();
    }
}

int literals_of(const brute_cover& c) {
    int n = 0;
    for (const brute_term* t : c) n += t->literals;
    return n;
}

// Every minimum cover, in tie-break order.
std::vector<brute_cover> brute_minimum(std::uint16_t ones, std::uint16_t zeros) {
    std::vector<const brute_term*> primes = primes_of(ones, zeros);
    std::sort(primes.begin(), primes.end(), term_before);
    for (int k = 0;; ++k) {
        std::vector<brute_cover> found;
        brute_cover chosen;
        covers_of_size(primes, ones, 0, k, chosen, found);
        if (found.empty()) continue;
        int fewest = 99;
        for (const brute_cover& c : found) fewest = std::min(fewest, literals_of(c));
        std::erase_if(found, [&](const brute_cover& c) { return literals_of(c) != fewest; });
        std::sort(found.begin(), found.end(), [](const brute_cover& a, const brute_cover& b) {
            return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                term_before);
        });
        return found;
    }
}

std::string text_of(const brute_cover& c) {
    if (c.empty()) return "0";
    std::string text;
    for (const brute_term* t : c) text += (text.empty() ? "" : "+") + t->text;
    return text;
}

std::vector<std::string> texts_of(const std::vector<brute_cover>& covers) {
    std::vector<std::string> texts;
    for (const brute_cover& c : covers) texts.push_back(text_of(c));
    return texts;
}

std::vector<std::string> texts_of(const std::vector<cover>& covers) {
    std::vector<std::string> texts;
    for (const cover& c : covers) texts.push_back(sop_text(c));
    return texts;
}

// The exact answers of one map against the brute force.
void check_map(const boolean_map& map) {
    SCOPED_TRACE(map_text(map));
    const std::vector<brute_cover> sops = brute_minimum(map.ones, map.zeros());
    EXPECT_EQ(texts_of(all_minimum_sops(map)), texts_of(sops));
    EXPECT_EQ(sop_text(minimum_sop(map)), text_of(sops.front()));
    // A product of sums is a sum of products of the complement, dualised.
    const std::vector<brute_cover> pos = brute_minimum(map.zeros(), map.ones);
    const cover exact_pos = minimum_pos(map);
    EXPECT_EQ(cost_of(exact_pos),
              (cover_cost{static_cast<int>(pos.front().size()), literals_of(pos.front())}));
    EXPECT_TRUE(agrees(map, pos_value(exact_pos))) << pos_text(exact_pos);
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
        boolean_map map;
        for (int m = 0; m < 16; ++m) {
            const auto roll = random() % 3;
            if (roll == 1) map.ones |= minterm_bit(m);
            if (roll == 2) map.dont_cares |= minterm_bit(m);
        }
        check_map(map);
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
