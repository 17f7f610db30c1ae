// The simplest minimiser there is, the standard the exact engine is checked
// against: every one of the 81 terms evaluated, the primes picked out by
// definition, and every set of primes of growing size tried. Slow and
// obviously right.
#pragma once

#include "support/key_check.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tessary::testing {

// A term: a digit per variable A to D, 0 absent, 1 plain, 2 complemented.
struct brute_term {
    int digits[4];
    std::uint16_t cells;
    int literals;
    int number; // the tie-break number of its product: A 1, B 3, C 9, D 27, doubled if complemented
    int sum_number;   // the same for the sum that is 0 on its cells, whose letters are the opposite
    std::string text; // the product: "A'B"
    std::string sum_text; // the sum: "(A+B')", one letter bare, none "0"
};

inline std::vector<brute_term> every_term() {
    std::vector<brute_term> terms;
    for (int code = 0; code < 81; ++code) {
        brute_term t{
            {code % 3, code / 3 % 3, code / 9 % 3, code / 27 % 3}, 0xFFFF, 0, 0, 0, "", ""};
        const int weight[4] = {1, 3, 9, 27};
        std::string sum;
        for (int v = 0; v < 4; ++v) {
            if (t.digits[v] == 0) continue;
            const std::uint16_t plain = literal_mask(static_cast<char>('A' + v));
            t.cells &= t.digits[v] == 1 ? plain : static_cast<std::uint16_t>(~plain);
            ++t.literals;
            t.number += weight[v] * t.digits[v];
            t.sum_number += weight[v] * (3 - t.digits[v]);
            t.text += static_cast<char>('A' + v);
            if (t.digits[v] == 2) t.text += '\'';
            sum += std::string(sum.empty() ? "" : "+") + static_cast<char>('A' + v) +
                   (t.digits[v] == 1 ? "'" : "");
        }
        if (t.text.empty()) t.text = "1";
        t.sum_text = t.literals == 0 ? "0" : t.literals == 1 ? sum : "(" + sum + ")";
        terms.push_back(t);
    }
    return terms;
}

inline const std::vector<brute_term>& all_terms() {
    static const std::vector<brute_term> terms = every_term();
    return terms;
}

using brute_cover = std::vector<const brute_term*>; // in tie-break order

// The primes: terms without a `zeros` cell that lose that property when any
// literal is dropped, and that take in some cell of `ones`.
inline std::vector<const brute_term*> primes_of(std::uint16_t ones, std::uint16_t zeros) {
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

// Whether some term of `c` takes in both cells of every adjacent pair of
// `ones` (minterms one bit apart): no static hazard.
inline bool hazard_free_cover(const brute_cover& c, std::uint16_t ones) {
    for (int m = 0; m < 16; ++m)
        for (int bit = 1; bit < 16; bit <<= 1) {
            const int n = m ^ bit;
            const auto both = static_cast<std::uint16_t>((1u << m) | (1u << n));
            if (n < m || (ones & both) != both) continue;
            if (std::none_of(c.begin(), c.end(),
                             [both](const brute_term* t) { return (t->cells & both) == both; }))
                return false;
        }
    return true;
}

// Every set of `k` primes, from index `from` on, that covers `ones` (and,
// when `all_ones` is given, leaves no hazard pair of it).
inline void covers_of_size(const std::vector<const brute_term*>& primes, std::uint16_t ones,
                           std::size_t from, int k, brute_cover& chosen,
                           std::vector<brute_cover>& found, int all_ones = -1) {
    if (k == 0) {
        if (ones == 0 &&
            (all_ones < 0 || hazard_free_cover(chosen, static_cast<std::uint16_t>(all_ones))))
            found.push_back(chosen);
        return;
    }
    for (std::size_t i = from; i < primes.size(); ++i) {
        chosen.push_back(primes[i]);
        covers_of_size(primes, ones & static_cast<std::uint16_t>(~primes[i]->cells), i + 1, k - 1,
                       chosen, found, all_ones);
        chosen.pop_back();
    }
}

inline int literals_of(const brute_cover& c) {
    int n = 0;
    for (const brute_term* t : c) n += t->literals;
    return n;
}

// Every minimum cover of `ones` that keeps off `zeros`, in tie-break order:
// terms ordered by literals, then by their product's number (or, for
// `as_sums`, by their sum's).
// With `hazard_free`, only covers that leave no hazard pair count.
inline std::vector<brute_cover> brute_minimum(std::uint16_t ones, std::uint16_t zeros,
                                              bool as_sums = false, bool hazard_free = false) {
    auto before = [as_sums](const brute_term* a, const brute_term* b) {
        if (a->literals != b->literals) return a->literals < b->literals;
        return as_sums ? a->sum_number < b->sum_number : a->number < b->number;
    };
    std::vector<const brute_term*> primes = primes_of(ones, zeros);
    std::sort(primes.begin(), primes.end(), before);
    for (int k = 0;; ++k) {
        std::vector<brute_cover> found;
        brute_cover chosen;
        covers_of_size(primes, ones, 0, k, chosen, found, hazard_free ? ones : -1);
        if (found.empty()) continue;
        int fewest = 99;
        for (const brute_cover& c : found) fewest = std::min(fewest, literals_of(c));
        std::erase_if(found, [&](const brute_cover& c) { return literals_of(c) != fewest; });
        std::sort(found.begin(), found.end(), [&](const brute_cover& a, const brute_cover& b) {
            return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), before);
        });
        return found;
    }
}

// "A'B+CD'"; no term "0".
inline std::string sop_text_of(const brute_cover& c) {
    if (c.empty()) return "0";
    std::string text;
    for (const brute_term* t : c) text += (text.empty() ? "" : "+") + t->text;
    return text;
}

// "(A+B')(C'+D)"; no sum "1".
inline std::string pos_text_of(const brute_cover& c) {
    if (c.empty()) return "1";
    std::string text;
    for (const brute_term* t : c) text += t->sum_text;
    return text;
}

} // namespace tessary::testing
