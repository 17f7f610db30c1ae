// Every map of 0, 1 and X (3^16 = 43,046,721 maps) through check_engines():
// every answer is the map's function, the greedy answer never beats the
// minimum, and its first line fits its field. Prints how often the greedy
// answer has more terms than the minimum. Run in a release build.
#include "key_fields.h"
#include "support/check_engines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tessary {
namespace {

// Steps the map to the next one in base-3 order; false after the last.
bool next_map(cell_values& cells) {
    for (char& cell : cells) {
        cell = cell == '0' ? '1' : cell == '1' ? 'X' : '0';
        if (cell != '0') return true;
    }
    return false;
}

// Every map goes through check_engines(); the brute force, far slower than
// the engines, on every 4,999th.
TEST(EveryMapWithDontCares, AnswersAreSoundAndNoneBeatsTheMinimum) {
    cell_values cells;
    cells.fill('0');
    long maps = 0, failures = 0, greedy_longer = 0, longer_without_dont_cares = 0;
    do {
        const boolean_map map = map_from_cells(cells);
        const testing::brute_force brute =
            maps++ % 4999 == 0 ? testing::brute_force::every_map : testing::brute_force::skip;
        std::string faults = testing::check_engines(map, brute);
        const greedy_answer greedy = reduce_greedy(map);
        if (split_key(write_greedy(greedy).view()).first.size() > key_field_limit)
            faults += "; the shown answer's first line is too long for its field";
        if (!faults.empty() && ++failures <= 10)
            ADD_FAILURE() << "map " << map_text(map) << ": " << faults;
        if (minimum_sop(map).size < cost_of(greedy.kept_cover()).terms) {
            ++greedy_longer;
            longer_without_dont_cares += map.dont_cares == 0;
        }
    } while (next_map(cells));
    EXPECT_EQ(maps, 43046721);
    EXPECT_EQ(failures, 0);
    std::printf("the greedy answer has more terms than the minimum on %ld maps (%.2f%%), "
                "%ld of the 65,536 without don't-cares (%.2f%%)\n",
                greedy_longer, 100.0 * double(greedy_longer) / double(maps),
                longer_without_dont_cares, 100.0 * double(longer_without_dont_cares) / 65536.0);
}

} // namespace
} // namespace tessary
