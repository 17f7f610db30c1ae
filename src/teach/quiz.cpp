// A map's quiz (see quiz.h): the right option and wrong ones of each slip,
// made from the minimum and checked against the map, drawn from the seed.
#include "teach/quiz.h"

#include "exact/exact.h"
#include "minimiser/greedy.h"
#include "teach/exercises.h"
#include "teach/explain.h"

#include <algorithm>
#include <array>

namespace tessary {

namespace {

cover with_terms(const std::vector<cube>& terms) {
    cover c;
    for (const cube t : terms)
        if (c.size < cover::capacity) c.push_back(t);
    return c;
}

std::vector<cube> terms_of(const cover& c) {
    return {c.begin(), c.end()};
}

// Each wrong option a slip of the minimum can make, in a fixed order.
std::vector<quiz_option> candidates(const boolean_map& map, cover_kind kind, const cover& minimum,
                                    const std::vector<cube>& primes) {
    std::vector<quiz_option> found;
    const std::vector<cube> terms = terms_of(minimum);
    for (std::size_t i = 0; i < terms.size(); ++i) {
        // Left out: the term dropped, or made smaller by a literal.
        std::vector<cube> dropped = terms;
        dropped.erase(dropped.begin() + static_cast<std::ptrdiff_t>(i));
        if (!dropped.empty()) found.push_back({with_terms(dropped), slip::cell_missed});
        for (int bit = 8; bit >= 1; bit >>= 1) {
            if (terms[i].care & bit) {
                // Made larger by a literal dropped: it takes a cell it must not.
                std::vector<cube> larger = terms;
                larger[i].care = static_cast<std::uint8_t>(larger[i].care & ~bit);
                larger[i].value = static_cast<std::uint8_t>(larger[i].value & ~bit);
                found.push_back({with_terms(larger), slip::wrong_cell});
                continue;
            }
            for (const int value : {0, bit}) {
                std::vector<cube> smaller = terms;
                smaller[i].care = static_cast<std::uint8_t>(smaller[i].care | bit);
                smaller[i].value = static_cast<std::uint8_t>(smaller[i].value | value);
                found.push_back({with_terms(smaller), slip::cell_missed});
            }
        }
    }
    if (kind == cover_kind::sum_of_products)
        found.push_back({reduce_greedy(map).kept_cover(), slip::greedy});
    for (const cube p : primes)
        if (std::find(terms.begin(), terms.end(), p) == terms.end()) {
            std::vector<cube> more = terms;
            more.push_back(p);
            found.push_back({with_terms(more), slip::redundant});
        }
    for (std::size_t i = 0; i < terms.size(); ++i)
        for (int bit = 8; bit >= 1; bit >>= 1) {
            if (terms[i].care & bit) continue;
            std::vector<cube> split = terms;
            split[i].care = static_cast<std::uint8_t>(split[i].care | bit);
            cube other = split[i];
            other.value = static_cast<std::uint8_t>(other.value | bit);
            split.insert(split.begin() + static_cast<std::ptrdiff_t>(i) + 1, other);
            found.push_back({with_terms(split), slip::not_prime});
            break; // one split a term
        }
    return found;
}

// A wrong option is wrong as its slip says: not the function, or the
// function at a higher cost; and so never a minimum.
bool holds(const boolean_map& map, cover_kind kind, const quiz_option& o, cover_cost least) {
    const bool function = is_function(map, kind, o.terms);
    switch (o.what) {
    case slip::cell_missed:
    case slip::wrong_cell: return !function && o.terms.size > 0;
    case slip::greedy:
    case slip::redundant:
    case slip::not_prime: return function && cost_of(o.terms) > least;
    case slip::none: return false;
    }
    return false;
}

bool not_the_function(slip s) {
    return s == slip::cell_missed || s == slip::wrong_cell;
}

template <typename T> void shuffle(std::vector<T>& items, splitmix64& random) {
    for (std::size_t i = items.size(); i > 1; --i)
        std::swap(items[i - 1], items[static_cast<std::size_t>(random.below(static_cast<int>(i)))]);
}

} // namespace

bool is_function(const boolean_map& map, cover_kind kind, const cover& terms) {
    minterm_set covered = 0;
    for (const cube t : terms) covered = static_cast<minterm_set>(covered | minterms_of(t));
    const minterm_set to_cover = cells_to_cover(map, kind);
    const minterm_set other = kind == cover_kind::sum_of_products ? map.zeros() : map.ones;
    return (to_cover & ~covered) == 0 && (covered & other) == 0;
}

map_quiz quiz_of(const boolean_map& map, cover_kind kind, std::uint64_t seed) {
    const explanation e = explain(map, kind);
    map_quiz q{map, kind, {}, primes_of(map, kind), {}, cost_of(e.minimum).literals};
    for (const cube p : q.primes)
        q.essential.push_back(
            std::any_of(e.essentials.begin(), e.essentials.end(),
                        [p](const essential_prime& ep) { return ep.prime == p; }));
    splitmix64 random{seed};
    const cover_cost least = cost_of(e.minimum);
    std::vector<quiz_option> wrong, slips = candidates(map, kind, e.minimum, q.primes);
    shuffle(slips, random);
    // Not the function first, then the greedy answer, then any other:
    // each a different expression.
    std::stable_partition(slips.begin(), slips.end(),
                          [](const quiz_option& o) { return o.what == slip::greedy; });
    std::stable_partition(slips.begin(), slips.end(),
                          [](const quiz_option& o) { return not_the_function(o.what); });
    // The same terms in another order are the same expression.
    const auto sorted = [](const cover& c) {
        std::vector<cube> terms = terms_of(c);
        std::sort(terms.begin(), terms.end(), [](cube a, cube b) {
            return std::pair(a.care, a.value) < std::pair(b.care, b.value);
        });
        return terms;
    };
    const auto taken = [&](const quiz_option& o) {
        const std::vector<cube> mine = sorted(o.terms);
        return mine == sorted(e.minimum) ||
               std::any_of(wrong.begin(), wrong.end(),
                           [&](const quiz_option& w) { return sorted(w.terms) == mine; });
    };
    // One that is not the function, the greedy answer where it costs more,
    // one with a term too many or not prime; then any other.
    const std::array<bool (*)(slip), 4> passes = {
        [](slip s) { return not_the_function(s); },
        [](slip s) { return s == slip::greedy; },
        [](slip s) { return s == slip::redundant || s == slip::not_prime; },
        [](slip) { return true; },
    };
    for (std::size_t pass = 0; pass < passes.size(); ++pass)
        for (const quiz_option& o : slips) {
            if (wrong.size() == 3 || (pass < 3 && wrong.size() > pass)) break;
            if (passes[pass](o.what) && holds(map, kind, o, least) && !taken(o)) wrong.push_back(o);
        }
    q.options = wrong;
    q.options.push_back({e.minimum, slip::none});
    shuffle(q.options, random);
    return q;
}

} // namespace tessary
