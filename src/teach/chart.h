// The prime-implicant chart, as the textbooks reduce it after the map: the
// primes as rows, the cells to cover as columns. The essential primes are
// taken; then in rounds, until one changes nothing, dominated rows and
// columns are dropped and the primes the dropping makes essential taken.
// What is left is the cyclic core, which Petrick's method solves: one sum
// of primes per cell, multiplied out and absorbed. A value, with no text.
//
// Ties are broken so that the answer of --minimal is never dropped: of two
// rows over the same cells the one with fewer literals stays, of two as
// cheap the earlier; of two columns with the same primes the lower stays.
#pragma once

#include "exact/exact.h"
#include "logic/boolean_map.h"
#include "logic/cube.h"

#include <cstdint>
#include <vector>

namespace tessary {

// A set of primes, by their places in chart::primes.
using prime_set = std::uint64_t;

// One thing a round did, in the order it did it.
struct chart_step {
    enum class kind { row, column, essential };
    kind what;
    // row: the prime dropped, and the first prime that dominates it;
    // column: the cell dropped, and the lowest cell that dominates it;
    // essential: the prime taken, and the lowest cell only it covers.
    int dropped_or_taken;
    int by_or_cell;
};

struct prime_chart {
    cover_kind kind;
    minterm_set to_cover;
    std::vector<cube> primes;       // P1, P2, ...: in --explain's order
    std::vector<minterm_set> cells; // by prime: the cells to cover it covers
    // The essential primes of the map, in prime order, each with the lowest
    // cell only it covers.
    std::vector<std::pair<int, int>> essentials;
    minterm_set left;              // the cells the essential primes leave
    std::vector<chart_step> steps; // the rounds' drops and takes
    // Where each round that changed something ends in `steps`: round k is
    // steps[round_ends[k-1]] up to steps[round_ends[k]] (from 0 for k = 0).
    std::vector<std::size_t> round_ends;
    prime_set core_primes = 0;       // the cyclic core: its primes
    minterm_set core_cells = 0;      // and its cells; none when solved
    std::vector<prime_set> sums;     // Petrick: one per core cell, ascending
    std::vector<prime_set> products; // the sums multiplied out and absorbed, cheapest first
};

prime_chart reduce_chart(const boolean_map& map, cover_kind kind);

// The literals of a set of primes, for ordering products.
int literals_of(const prime_chart& chart, prime_set primes);

} // namespace tessary
