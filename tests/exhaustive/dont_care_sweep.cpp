// Every map of 0, 1 and X (3^16 = 43,046,721 maps): the answer is 1 on every
// 1-cell and 0 on every 0-cell, and the first line fits its field. Run in a
// release build; it takes about half a minute.
#include "show.h"
#include "support/key_check.h"

#include <gtest/gtest.h>

#include <cstring>
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

TEST(EveryMapWithDontCares, AnswerIsSoundAndFitsTheFields) {
    cell_values cells;
    cells.fill('0');
    long maps = 0, failures = 0;
    do {
        ++maps;
        const key_fields& key = show_map(cells);
        const bool fits = std::strlen(key.first) <= 32;
        const std::string answer = testing::answer_of(key);
        if ((!fits || !testing::is_sound(cells, answer)) && ++failures <= 10)
            ADD_FAILURE() << "map " << std::string(cells.begin(), cells.end()) << " gives "
                          << answer;
    } while (next_map(cells));
    EXPECT_EQ(maps, 43046721);
    EXPECT_EQ(failures, 0);
}

} // namespace
} // namespace tessary
