// Exercises: maps drawn at random from a seed, to a teacher's terms. The
// same request gives the same maps on every machine, for a worksheet and for
// the window's practice alike.
#pragma once

#include "logic/boolean_map.h"
#include "logic/cube.h"

#include <cstdint>
#include <vector>

namespace tessary {

// The generator behind every draw from a seed: written out here, not the
// standard library's distributions, whose results differ between
// implementations.
struct splitmix64 {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
};

struct exercise_request {
    std::uint64_t seed = 0;
    int count = 1;
    int dont_cares = 0;               // X-cells in each map
    int min_terms = 2, max_terms = 5; // of each map's minimum in the form below
    cover_kind sized_by = cover_kind::sum_of_products;
};

// `count` different maps, each with a 1-cell and a 0-cell, its don't-cares
// and a minimum (sum of products, or product of sums when sized by it) of
// min_terms to max_terms terms. False when
// the terms asked for are too rare to find that many; `maps` then holds the
// ones found.
bool draw_exercises(const exercise_request& request, std::vector<boolean_map>& maps);

} // namespace tessary
