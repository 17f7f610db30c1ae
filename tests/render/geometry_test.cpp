// A cube's pieces on the wrapped map: named cases, then every one of the 81
// cubes against the cells it covers.
#include "render/geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace tessary {
namespace {

TEST(PiecesOf, NamedGroups) {
    struct row {
        const char* name;
        cube c;
        std::vector<grid_piece> pieces;
    };
    const row rows[] = {
        {"the whole map", {0, 0}, {{0, 0, 4, 4}}},
        {"A'B, a column", {0xC, 0x4}, {{0, 1, 4, 1}}},
        {"C'D, a row", {0x3, 0x1}, {{1, 0, 1, 4}}},
        {"B, two middle columns", {0x4, 0x4}, {{0, 1, 4, 2}}},
        {"BD, a square", {0x5, 0x5}, {{1, 1, 2, 2}}},
        {"A'BC'D, one cell", {0xF, 0x5}, {{1, 1, 1, 1}}},
        {"D', rows across the top and bottom edges",
         {0x1, 0x0},
         {{0, 0, 1, 4, true, false, false, false}, {3, 0, 1, 4, false, true, false, false}}},
        {"B'C, columns across the side edges",
         {0x6, 0x2},
         {{2, 0, 2, 1, false, false, true, false}, {2, 3, 2, 1, false, false, false, true}}},
        {"B'D', the four corners",
         {0x5, 0x0},
         {{0, 0, 1, 1, true, false, true, false},
          {0, 3, 1, 1, true, false, false, true},
          {3, 0, 1, 1, false, true, true, false},
          {3, 3, 1, 1, false, true, false, true}}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(pieces_of(r.c), r.pieces);
    }
}

// Every cube: the pieces cover exactly its cells, once each; a side is open
// exactly where the piece meets the map's edge and the group goes on across.
TEST(PiecesOf, EveryCube) {
    int cubes = 0;
    for (unsigned care = 0; care < 16; ++care) {
        for (unsigned value = 0; value < 16; ++value) {
            if ((value & ~care) != 0) continue;
            const cube c{static_cast<std::uint8_t>(care), static_cast<std::uint8_t>(value)};
            SCOPED_TRACE(product_text(c));
            ++cubes;
            unsigned covered = 0;
            bool in_group[4][4] = {};
            for (int m = 0; m < 16; ++m)
                if ((minterms_of(c) >> m & 1) != 0)
                    in_group[place_of(m).row][place_of(m).col] = true;
            for (const grid_piece& p : pieces_of(c)) {
                for (int r = p.row; r < p.row + p.rows; ++r) {
                    for (int k = p.col; k < p.col + p.cols; ++k) {
                        const unsigned bit = 1u << minterm_at(r, k);
                        EXPECT_EQ(covered & bit, 0u) << "cell " << r << "," << k << " twice";
                        covered |= bit;
                    }
                }
                const bool above = p.row == 0 && in_group[3][p.col];
                const bool below = p.row + p.rows == 4 && p.rows < 4 && in_group[0][p.col];
                const bool left = p.col == 0 && in_group[p.row][3];
                const bool right = p.col + p.cols == 4 && p.cols < 4 && in_group[p.row][0];
                EXPECT_EQ(p.open_top, above && p.rows < 4);
                EXPECT_EQ(p.open_bottom, below);
                EXPECT_EQ(p.open_left, left && p.cols < 4);
                EXPECT_EQ(p.open_right, right);
            }
            EXPECT_EQ(covered, minterms_of(c));
        }
    }
    EXPECT_EQ(cubes, 81);
}

} // namespace
} // namespace tessary
