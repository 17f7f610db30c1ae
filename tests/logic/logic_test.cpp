// The vocabulary: where each minterm sits, maps as cells and text, cubes,
// covers and their texts.
#include "logic/boolean_map.h"
#include "logic/cube.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tessary {
namespace {

// The window's layout, written out by hand: the minterm 8A+4B+2C+D of each
// cell, row C'D' first, columns A'B', A'B, AB, AB'.
TEST(Geometry, MintermOfEveryCell) {
    const int expected[4][4] = {{0, 4, 12, 8}, {1, 5, 13, 9}, {3, 7, 15, 11}, {2, 6, 14, 10}};
    std::set<int> seen;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            SCOPED_TRACE("row " + std::to_string(row) + " col " + std::to_string(col));
            const int m = minterm_at(row, col);
            EXPECT_EQ(m, expected[row][col]);
            EXPECT_EQ(place_of(m).row, row);
            EXPECT_EQ(place_of(m).col, col);
            seen.insert(m);
        }
    }
    EXPECT_EQ(seen.size(), 16u);
}

// Neighbouring cells, across the wrap too, differ in one variable.
TEST(Geometry, NeighboursDifferInOneVariable) {
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const int m = minterm_at(row, col);
            EXPECT_EQ(std::popcount(unsigned(m ^ minterm_at(row, (col + 1) % 4))), 1);
            EXPECT_EQ(std::popcount(unsigned(m ^ minterm_at((row + 1) % 4, col))), 1);
        }
    }
}

TEST(BooleanMap, CellsAndTextRoundTrip) {
    const std::string texts[] = {"0000/0000/0000/0000", "1111/1111/1000/0001",
                                 "X001/X00X/X000/X011", "1X1X/X1X1/1X1X/X1X1"};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        cell_values cells{};
        std::size_t n = 0;
        for (const char ch : text)
            if (ch != '/') cells[n++] = ch;
        const boolean_map map = map_from_cells(cells);
        EXPECT_EQ(cells_of(map), cells);
        EXPECT_EQ(map_text(map), text);
        EXPECT_EQ(map.ones & map.dont_cares, 0);
    }
    // Row C'D' holds minterms 0, 4, 12 and 8.
    EXPECT_EQ(map_from_cells(
                  {'1', '1', '1', '1', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0'})
                  .ones,
              0x1111);
}

TEST(BooleanMap, AgreementAndFirstDifference) {
    const boolean_map map{0b0110, 0b1000}; // 1-cells 1 and 2, don't-care 3
    EXPECT_TRUE(agrees(map, 0b0110));
    EXPECT_TRUE(agrees(map, 0b1110));
    EXPECT_FALSE(agrees(map, 0b0100));
    EXPECT_EQ(first_difference(map, 0b1110), -1);
    EXPECT_EQ(first_difference(map, 0b0100), 1);
    EXPECT_EQ(first_difference(map, 0b0111), 0);
}

TEST(Cube, TextsCellsAndLiterals) {
    struct row {
        cube c;
        const char* product;
        const char* sum;
        int literals;
        int cells;
    };
    const row rows[] = {
        {{0, 0}, "1", "0", 0, 16},
        {{0x8, 0x8}, "A", "A'", 1, 8},
        {{0xC, 0x4}, "A'B", "(A+B')", 2, 4},
        {{0x3, 0x2}, "CD'", "(C'+D)", 2, 4},
        {{0xF, 0x5}, "A'BC'D", "(A+B'+C+D')", 4, 1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.product);
        EXPECT_EQ(product_text(r.c), r.product);
        EXPECT_EQ(sum_text(r.c), r.sum);
        EXPECT_EQ(literal_count(r.c), r.literals);
        EXPECT_EQ(std::popcount(unsigned{minterms_of(r.c)}), r.cells);
    }
    EXPECT_EQ(minterms_of(cube{0xC, 0x4}), 0x00F0); // A'B: minterms 4 to 7
    EXPECT_EQ(minterm_text(5), "A'BC'D");
}

TEST(Cover, TextsValuesAndCost) {
    cover none;
    EXPECT_EQ(sop_text(none), "0");
    EXPECT_EQ(pos_text(none), "1");
    EXPECT_EQ(sop_value(none), 0);
    EXPECT_EQ(pos_value(none), 0xFFFF);

    cover two;
    two.push_back({0xC, 0x4}); // A'B
    two.push_back({0x3, 0x2}); // CD'
    EXPECT_EQ(sop_text(two), "A'B+CD'");
    EXPECT_EQ(pos_text(two), "(A+B')(C'+D)");
    EXPECT_EQ(sop_value(two), 0x00F0 | 0x4444);
    EXPECT_EQ(pos_value(two), static_cast<minterm_set>(~(0x00F0 | 0x4444)));
    EXPECT_EQ(cost_of(two), (cover_cost{2, 4}));
    EXPECT_LT((cover_cost{2, 5}), (cover_cost{3, 3}));
}

} // namespace
} // namespace tessary
