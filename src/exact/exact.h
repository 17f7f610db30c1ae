// The exact minimiser: minimum sums of products and products of sums.
// Pure functions of the map; nothing is kept between calls.
//
// A minimum cover has the fewest terms and, among those, the fewest
// literals; don't-cares are free. Where several covers tie, the one returned
// is fixed by an order on terms, the same on every machine:
//   - a term with fewer literals comes first;
//   - between terms of as many literals, each term is numbered by its
//     letters as written, A counting 1, B 3, C 9 and D 27 for a plain letter
//     and twice that for a complemented one, and the lower number comes
//     first (A'B is 2 + 3 = 5, B'C is 6 + 9 = 15, so A'B comes first).
// The terms of a cover are listed in that order, and of two tied covers the
// one whose list is smaller at its first difference wins. Sums are ordered
// by their letters as written in the same way.
#pragma once

#include "logic/boolean_map.h"
#include "logic/cube.h"

#include <cstddef>
#include <span>
#include <vector>

namespace tessary {

// The sum of products: 1 on every 1-cell, 0 on every 0-cell. A map without a
// 1-cell gives no term ("0"); a map without a 0-cell, the one term "1".
cover minimum_sop(const boolean_map& map);

// The product of sums, as the cubes on which its sums are 0. A map without a
// 0-cell gives no sum ("1"); a map without a 1-cell, the one sum "0".
cover minimum_pos(const boolean_map& map);

// Every distinct minimum sum of products, each listed in term order, the
// covers in the order of the tie-break (the first is minimum_sop's).
std::vector<cover> all_minimum_sops(const boolean_map& map);

// Every distinct minimum cover in a form, as all_minimum_sops() lists them
// (for a product, the cubes of its sums in the order of sums).
std::vector<cover> all_minimum_covers(const boolean_map& map, cover_kind kind);

// The minimum hazard-free cover in a form: of the covers that leave no
// hazard pair (cube.h), the one with the fewest terms and then the fewest
// literals, made of primes, tied as minimum covers are and listed in their
// term order. Only changes of one input are covered: a change of several
// can still glitch (a function hazard), and no term removes that.
cover minimum_hazard_free(const boolean_map& map, cover_kind kind);

// The primes that cover some cell to be covered (a 1-cell for a sum, a
// 0-cell for a product), in the order a minimum lists its terms.
std::vector<cube> primes_of(const boolean_map& map, cover_kind kind);

// Several functions of A to D minimised together, as one circuit of AND
// gates feeding OR gates: the fewest distinct products over all outputs,
// then the fewest literals in them, then the fewest connections from a
// product to an output. Remaining ties go to the earliest set of products
// in term order, and each output takes, of the products that may serve it,
// the fewest, then those of fewest literals, then the earliest. With one
// map it is minimum_sop().
struct shared_cover {
    std::vector<cube> terms;    // every distinct product, in term order
    std::vector<cover> outputs; // by map, its products in term order
};

inline constexpr std::size_t max_shared_outputs = 64;

shared_cover minimum_shared_sop(std::span<const boolean_map> maps);

// How many distinct minimum covers there are (1 for a map without a cell to
// cover: the empty one).
std::size_t minimum_cover_count(const boolean_map& map, cover_kind kind);

} // namespace tessary
