// Exercises drawn from a seed (see exercises.h). The maps come from a
// generator written out here (splitmix64), not from the standard library's
// distributions, whose results differ between implementations.
#include "teach/exercises.h"

#include "exact/exact.h"

#include <algorithm>
#include <utility>

namespace tessary {

namespace {

// Each attempt is a minimisation of a fraction of a microsecond: two
// million give up within a second or so.
constexpr long attempt_limit = 2'000'000;

// A map with exactly `dont_cares` X-cells, and 1-cells among the others at a
// density drawn for the map, so that small and large answers both occur.
boolean_map random_map(splitmix64& random, int dont_cares) {
    boolean_map map;
    int order[cell_count];
    for (int i = 0; i < cell_count; ++i) order[i] = i;
    for (int i = 0; i < dont_cares; ++i) {
        std::swap(order[i], order[i + random.below(cell_count - i)]);
        map.dont_cares |= minterm_bit(order[i]);
    }
    const int eighths = 1 + random.below(7);
    for (int m = 0; m < cell_count; ++m)
        if ((map.dont_cares & minterm_bit(m)) == 0 && random.below(8) < eighths)
            map.ones |= minterm_bit(m);
    return map;
}

bool acceptable(const boolean_map& map, const exercise_request& r) {
    if (map.ones == 0 || map.zeros() == 0) return false;
    const int terms =
        r.sized_by == cover_kind::product_of_sums ? minimum_pos(map).size : minimum_sop(map).size;
    return terms >= r.min_terms && terms <= r.max_terms;
}

} // namespace

bool draw_exercises(const exercise_request& r, std::vector<boolean_map>& maps) {
    splitmix64 random{r.seed};
    maps.clear();
    for (long attempt = 0; attempt < attempt_limit; ++attempt) {
        const boolean_map map = random_map(random, r.dont_cares);
        if (!acceptable(map, r) || std::find(maps.begin(), maps.end(), map) != maps.end()) continue;
        maps.push_back(map);
        if (static_cast<int>(maps.size()) == r.count) return true;
    }
    return false;
}

} // namespace tessary
