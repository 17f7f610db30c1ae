// The grid's geometry, wrap_step and the full-line tests.
#include "model.h"

#include <gtest/gtest.h>

#include <string>

namespace tessary {
namespace {

TEST(BuildGrid, FixedFieldsOfEveryCell) {
    build_grid();
    // id, column literals, row literals for cells 0 to F in row-major order.
    const char* const expected[16][3] = {
        {"0", "ab", "cd"}, {"1", "aB", "cd"}, {"2", "AB", "cd"}, {"3", "Ab", "cd"},
        {"4", "ab", "cD"}, {"5", "aB", "cD"}, {"6", "AB", "cD"}, {"7", "Ab", "cD"},
        {"8", "ab", "CD"}, {"9", "aB", "CD"}, {"A", "AB", "CD"}, {"B", "Ab", "CD"},
        {"C", "ab", "Cd"}, {"D", "aB", "Cd"}, {"E", "AB", "Cd"}, {"F", "Ab", "Cd"}};
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE("cell " + std::to_string(i));
        const map_cell& cell = grid[i / 4][i % 4];
        EXPECT_EQ(std::string(1, cell.id), expected[i][0]);
        EXPECT_STREQ(cell.col_literals, expected[i][1]);
        EXPECT_STREQ(cell.row_literals, expected[i][2]);
    }
}

TEST(BuildGrid, LinksWrapRoundTheTorus) {
    build_grid();
    EXPECT_EQ(grid[2][3].right, &grid[2][0]);
    EXPECT_EQ(grid[2][3].down, &grid[3][3]);
    EXPECT_EQ(grid[0][0].up, &grid[3][0]);
    EXPECT_EQ(grid[0][0].left, &grid[0][3]);
    EXPECT_EQ(grid[3][1].down, &grid[0][1]);
    EXPECT_EQ(grid[1][2].left, &grid[1][1]);
}

TEST(BuildGrid, LeavesStatesAndValuesAlone) {
    grid[1][1].state = 'X';
    grid[1][1].value = '1';
    grid[3][2].state = grid[3][2].value = '0';
    build_grid();
    EXPECT_EQ(grid[1][1].state, 'X');
    EXPECT_EQ(grid[1][1].value, '1');
    EXPECT_EQ(grid[3][2].state, '0');
}

TEST(WrapStep, Table) {
    struct row {
        int index, dir, expected;
    };
    const row rows[] = {{0, -1, 3}, {3, +1, 0}, {1, +1, 2}, {2, -1, 1}, {2, 0, 0}, {1, 5, 0}};
    for (const row& r : rows) {
        SCOPED_TRACE(std::to_string(r.index) + " by " + std::to_string(r.dir));
        EXPECT_EQ(wrap_step(r.index, r.dir), r.expected);
    }
}

// Sets row 1 (or column 1) to the given four states, everything else '0'.
void set_line(bool is_row, const char* states) {
    build_grid();
    for (auto& line : grid)
        for (map_cell& cell : line) cell.state = cell.value = '0';
    for (int k = 0; k < 4; ++k) {
        map_cell& cell = is_row ? grid[1][k] : grid[k][1];
        cell.state = cell.value = states[k];
    }
}

TEST(FullLine, FromEveryStartCell) {
    struct row {
        const char* states;
        bool full;
    };
    const row rows[] = {
        {"X111", true},  {"XXXX", true},  {"1111", true},
        {"0111", false}, {"1101", false}, {"0000", false},
    };
    for (const row& r : rows) {
        for (int start = 0; start < 4; ++start) {
            SCOPED_TRACE(std::string(r.states) + " from " + std::to_string(start));
            set_line(true, r.states);
            EXPECT_EQ(row_is_full(1, start), r.full);
            set_line(false, r.states);
            EXPECT_EQ(column_is_full(start, 1), r.full);
        }
    }
}

TEST(FullLine, ColumnTestFromRowThreeWrapsToRowZero) {
    set_line(false, "1110");
    EXPECT_FALSE(column_is_full(1, 1));
    set_line(false, "0111");
    EXPECT_FALSE(column_is_full(3, 1)); // looks at rows 0, 1, 2 after the start
}

} // namespace
} // namespace tessary
