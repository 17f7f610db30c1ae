// Where a group sits on the 4-by-4 map: a cube's cells as rectangles of the
// grid. The map wraps round, so a group across an edge is two pieces (each
// open towards that edge) and the four corners are four quarter pieces.
#pragma once

#include "logic/cube.h"

#include <vector>

namespace tessary {

// Rows and columns of the grid, open sides where the group goes on across
// the map's edge.
struct grid_piece {
    int row, col;   // top-left cell
    int rows, cols; // 1, 2 or 4
    bool open_top = false, open_bottom = false, open_left = false, open_right = false;

    friend bool operator==(const grid_piece&, const grid_piece&) = default;
};

// The pieces of a cube, top to bottom, then left to right.
std::vector<grid_piece> pieces_of(cube c);
// The same on a grid of the given layout.
std::vector<grid_piece> pieces_of(cube c, map_layout layout);

} // namespace tessary
