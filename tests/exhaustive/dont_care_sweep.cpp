// Every map of 0, 1 and X (3^16 = 43,046,721 maps): the greedy answer is 1
// on every 1-cell and 0 on every 0-cell and its first line fits its field;
// the minimum sum of products and product of sums are the map's function
// and never cost more than the greedy answer. Prints how often the greedy
// answer has more terms than the minimum. Run in a release build.
#include "exact/exact.h"
#include "key_fields.h"
#include "minimiser/greedy.h"
#include "support/key_check.h"

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

TEST(EveryMapWithDontCares, AnswersAreSoundAndNoneBeatsTheMinimum) {
    cell_values cells;
    cells.fill('0');
    long maps = 0, failures = 0, greedy_longer = 0, longer_without_dont_cares = 0;
    do {
        ++maps;
        const boolean_map map = map_from_cells(cells);
        const greedy_answer greedy = reduce_greedy(map);
        const cover sop = minimum_sop(map), pos = minimum_pos(map);
        const cover_cost greedy_cost = cost_of(greedy.kept_cover());
        const bool sound = split_key(greedy.answer()).first.size() <= key_field_limit &&
                           testing::is_sound(map, greedy.answer()) && agrees(map, sop_value(sop)) &&
                           agrees(map, pos_value(pos)) &&
                           (greedy.term_count == 0 || cost_of(sop) <= greedy_cost);
        if (!sound && ++failures <= 10)
            ADD_FAILURE() << "map " << map_text(map) << ": greedy " << greedy.answer()
                          << ", minimal " << sop_text(sop) << ", product " << pos_text(pos);
        if (greedy.term_count > 0 && sop.size < greedy_cost.terms) {
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
