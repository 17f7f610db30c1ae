// The method shown: how a minimum is found, step by step, as a course
// teaches it. List the primes; mark the essential ones (each the only prime
// over some cell); see which cells they leave; choose among the primes over
// each cell left; arrive at the minimum. A value, with no text: the faces
// write it out (tessary-key --explain, the window's Steps).
//
// For a sum of products the cells to cover are the 1-cells; for a product of
// sums, the 0-cells. Don't-cares are never to be covered, so they are never
// left and never make a prime essential.
#pragma once

#include "exact/exact.h"
#include "logic/boolean_map.h"
#include "logic/cube.h"

#include <vector>

namespace tessary {

struct essential_prime {
    cube prime;
    int cell; // the lowest cell to cover that no other prime covers
};

struct cell_choice {
    int cell;                     // a cell left after the essential primes
    std::vector<cube> candidates; // every prime over it, in prime order
};

struct explanation {
    cover_kind kind;
    minterm_set to_cover;                    // the 1-cells, or the 0-cells for a product
    std::vector<cube> primes;                // in the order a minimum lists its terms
    std::vector<essential_prime> essentials; // in prime order
    minterm_set left;                        // cells to cover that no essential prime covers
    std::vector<cell_choice> choices;        // one per cell left, ascending
    cover minimum;                           // what --minimal (or --pos) gives
    std::size_t covers;                      // how many minimum covers there are
};

explanation explain(const boolean_map& map, cover_kind kind);

} // namespace tessary
