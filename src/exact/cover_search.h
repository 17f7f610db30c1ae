// The one cover search of the exact minimiser. A cover problem is a set of
// elements to cover (cells, pairs of cells, cells of several outputs) and
// candidate terms, each taking in some of them at a cost in literals; the
// search finds, by branch and bound, the sets of candidates that cover every
// element with the fewest terms and then the fewest literals.
//
// Candidates are numbered in the tie-break order of exact.h, so of two sets
// of as many terms the earlier is the one holding the lowest number of their
// difference.
#pragma once

#include "logic/cube.h"

#include <array>
#include <bit>
#include <cstdint>

namespace tessary::detail {

// A set of candidates by number: every cube of four variables fits. Like
// element_set, it is left as it is by default (a cover problem holds many,
// most never read) and made empty by `{}`.
struct term_set {
    static constexpr int capacity = 128;
    std::array<std::uint64_t, 2> words;

    constexpr void add(int i) {
        words[static_cast<std::size_t>(i / 64)] |= std::uint64_t{1} << (i % 64);
    }
    constexpr bool has(int i) const {
        return (words[static_cast<std::size_t>(i / 64)] >> (i % 64) & 1) != 0;
    }
    constexpr bool empty() const { return (words[0] | words[1]) == 0; }
    constexpr bool meets(const term_set& o) const {
        return ((words[0] & o.words[0]) | (words[1] & o.words[1])) != 0;
    }
    constexpr term_set& operator|=(const term_set& o) {
        words[0] |= o.words[0];
        words[1] |= o.words[1];
        return *this;
    }
    friend constexpr bool operator==(const term_set&, const term_set&) = default;

    // Calls f(i) for each member, lowest first.
    template <typename F> constexpr void each(F&& f) const {
        for (std::size_t w = 0; w < 2; ++w)
            for (std::uint64_t bits = words[w]; bits != 0; bits &= bits - 1)
                f(static_cast<int>(64 * w) + std::countr_zero(bits));
    }
};

// Whether `a` comes before `b` in tie-break order: the lowest candidate of
// their difference is in `a`.
constexpr bool earlier(const term_set& a, const term_set& b) {
    for (std::size_t w = 0; w < 2; ++w) {
        const std::uint64_t differ = a.words[w] ^ b.words[w];
        if (differ != 0) return (a.words[w] & differ & (~differ + 1)) != 0;
    }
    return false;
}

// A set of elements, in `Words` words of 64.
template <int Words> struct element_set {
    std::array<std::uint64_t, Words> words{};

    constexpr void add(int i) {
        words[static_cast<std::size_t>(i / 64)] |= std::uint64_t{1} << (i % 64);
    }
    constexpr bool empty() const {
        for (const std::uint64_t w : words)
            if (w != 0) return false;
        return true;
    }
    constexpr element_set without(const element_set& o) const {
        element_set left;
        for (std::size_t w = 0; w < Words; ++w) left.words[w] = words[w] & ~o.words[w];
        return left;
    }
    template <typename F> constexpr void each(F&& f) const {
        for (std::size_t w = 0; w < Words; ++w)
            for (std::uint64_t bits = words[w]; bits != 0; bits &= bits - 1)
                f(static_cast<int>(64 * w) + std::countr_zero(bits));
    }
};

template <int Words> struct cover_problem {
    static constexpr int element_capacity = 64 * Words;
    element_set<Words> to_cover{};
    int candidates = 0;
    std::array<element_set<Words>, term_set::capacity> takes; // by candidate
    std::array<std::uint8_t, term_set::capacity> literals;
    // By element of to_cover (the others are never read): the candidates
    // that take it in, and how many.
    std::array<term_set, element_capacity> over;
    std::array<std::uint8_t, element_capacity> over_count;

    // A new candidate, numbered after those before it, taking nothing yet.
    int add_candidate(int literal_count) {
        const int k = candidates++;
        takes[static_cast<std::size_t>(k)] = {};
        literals[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(literal_count);
        return k;
    }
    // A new element to cover, taken by no candidate yet.
    void add_element(int e) {
        to_cover.add(e);
        over[static_cast<std::size_t>(e)] = {};
        over_count[static_cast<std::size_t>(e)] = 0;
    }
    void takes_in(int k, int e) {
        takes[static_cast<std::size_t>(k)].add(e);
        over[static_cast<std::size_t>(e)].add(k);
        ++over_count[static_cast<std::size_t>(e)];
    }
};

struct cover_found {
    term_set chosen{};
    cover_cost cost;
};

template <int Words> class cover_search {
  public:
    // `keep(found)` is called with every cover whose cost is not above
    // `bound` at that moment; it may lower `bound` (the cost of the best so
    // far). A problem with an element no candidate takes has no cover.
    template <typename Keep>
    static void run(const cover_problem<Words>& p, cover_cost& bound, Keep&& keep) {
        bool coverable = true;
        p.to_cover.each([&](int e) { coverable &= p.over_count[static_cast<std::size_t>(e)] > 0; });
        if (coverable) step(p, p.to_cover, cover_found{}, bound, keep);
    }

  private:
    // Elements of which no two share a candidate need a term each: a lower
    // bound on the terms still to come. Taken greedily, hardest first.
    static int disjoint_elements(const cover_problem<Words>& p, const element_set<Words>& left) {
        term_set used{};
        int n = 0;
        left.each([&](int e) {
            const term_set& over = p.over[static_cast<std::size_t>(e)];
            if (used.meets(over)) return;
            used |= over;
            ++n;
        });
        return n;
    }

    // The uncovered element with the fewest candidates. No candidate of an
    // uncovered element is chosen yet, so its count never changes.
    static int hardest(const cover_problem<Words>& p, const element_set<Words>& left) {
        int best = -1, fewest = term_set::capacity + 1;
        left.each([&](int e) {
            const int n = p.over_count[static_cast<std::size_t>(e)];
            if (n < fewest) fewest = n, best = e;
        });
        return best;
    }

    template <typename Keep>
    static void step(const cover_problem<Words>& p, const element_set<Words>& left,
                     const cover_found& here, cover_cost& bound, Keep& keep) {
        if (left.empty()) return keep(here);
        // Another term is needed: hopeless once that passes the best cost.
        if (here.cost.terms + 1 > bound.terms) return;
        if (Words > 1 && here.cost.terms + disjoint_elements(p, left) > bound.terms) return;
        const int e = hardest(p, left);
        p.over[static_cast<std::size_t>(e)].each([&](int k) {
            const auto ku = static_cast<std::size_t>(k);
            cover_found next = here;
            next.chosen.add(k);
            next.cost = {here.cost.terms + 1, here.cost.literals + p.literals[ku]};
            if (next.cost > bound) return;
            step(p, left.without(p.takes[ku]), next, bound, keep);
        });
    }
};

} // namespace tessary::detail
