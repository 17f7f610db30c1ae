// A map as quiz questions that a learning platform marks by itself: which of
// four expressions is a minimum, how many primes there are, how many of
// them are essential, how many literals a minimum has, and which primes are
// essential. A value, with no words: the faces write it out.
#pragma once

#include "logic/boolean_map.h"
#include "logic/cube.h"

#include <cstdint>
#include <vector>

namespace tessary {

// What is wrong with a wrong option, of the kinds a student gets wrong.
enum class slip {
    none,        // the right option: a minimum
    cell_missed, // not the function: a cell to cover left out
    wrong_cell,  // not the function: a cell of the other value taken
    greedy,      // the function, as the greedy procedure leaves it, at a higher cost
    redundant,   // the function, with a term it does not need
    not_prime,   // the function, with a term split in two that are not primes
};

struct quiz_option {
    cover terms;
    slip what;
};

struct map_quiz {
    boolean_map map;
    cover_kind kind;
    // Four options in an order drawn from the seed: one minimum, three
    // different wrong ones.
    std::vector<quiz_option> options;
    std::vector<cube> primes;    // as --explain lists them
    std::vector<bool> essential; // by prime
    int literals;                // of a minimum
};

// The questions of one map in a form. The minimum is the one --minimal
// (--pos) gives; the wrong options are drawn from `seed` among the slips
// the map allows, one that is not the function first where there is one.
map_quiz quiz_of(const boolean_map& map, cover_kind kind, std::uint64_t seed);

// Whether a cover is the map's function in the form: it covers every cell
// to cover and none of the other value (don't-cares either way).
bool is_function(const boolean_map& map, cover_kind kind, const cover& terms);

} // namespace tessary
