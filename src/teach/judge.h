// A student's groups judged, one by one and as a cover, as a teacher marks
// loops drawn on a map: a loop that covers a 0, one with no 1 in it, one
// given twice, one that could be bigger, one not needed, and the 1s left out.
// For a product of sums the loops are of 0-cells and the faults mirrored (a
// loop that covers a 1). A value, with no text.
#pragma once

#include "logic/boolean_map.h"
#include "logic/cube.h"

#include <optional>
#include <vector>

namespace tessary {

// The first of these that applies to a group.
enum class group_fault {
    covers_wrong_cell, // a 0-cell in a loop of 1s (a 1-cell in a loop of 0s)
    only_dont_cares,   // no cell to cover inside
    repeated,          // the same group was given earlier
    none,              // judged on its size and need instead
};

struct group_judgement {
    cube group;
    group_fault fault = group_fault::none;
    int wrong_cell = -1; // covers_wrong_cell: the lowest such cell
    // Not a prime: the prime to grow it into, of those that hold it the
    // first essential one, else the first of the minimum, else the first.
    std::optional<cube> inside;
    // Its cells to cover are all in other groups without a wrong cell that
    // are not themselves redundant; decided for the groups that could be
    // bigger first, then for the primes, each in the order given, so that
    // every group marked can be taken away at once.
    bool redundant = false;
    bool essential = false; // a prime that is an essential prime
};

struct cover_judgement {
    minterm_set missed = 0; // cells to cover that no group without a fault covers
    int wrong_groups = 0;   // groups that cover a wrong cell
    cover_cost given;       // every group given, as written
    cover_cost minimum;

    bool correct() const { return missed == 0 && wrong_groups == 0; }
    bool minimal() const { return correct() && given == minimum; }
};

struct judgement {
    cover_kind kind;
    std::vector<group_judgement> groups; // in the order given
    cover_judgement cover;
};

judgement judge(const boolean_map& map, cover_kind kind, const std::vector<cube>& groups);

// Whether cells a student selected make a group: a rectangle of 1, 2, 4, 8
// or 16 cells on the map as it wraps round. When they do, `group` is it.
enum class selection_fault {
    none,
    empty, // no cell
    size,  // a number of cells that is not a power of two
    shape, // as many cells as a group, not in a rectangle
};

selection_fault group_of_cells(minterm_set cells, cube& group);

} // namespace tessary
