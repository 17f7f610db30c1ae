// A cube's pieces on the wrapped grid (see geometry.h).
#include "render/geometry.h"

#include <algorithm>

namespace tessary {

namespace {

// A run of rows (or columns) and whether it is open before and after.
struct span {
    int first, count;
    bool open_before, open_after;
};

// The lines of a cube along one side of the map: the positions whose cells
// it covers, as runs. Positions 3 and 0 are neighbours across the edge.
std::vector<span> spans_of(cube c, bool rows) {
    const minterm_set cells = minterms_of(c);
    bool in[map_side];
    for (int i = 0; i < map_side; ++i) {
        in[i] = false;
        for (int j = 0; j < map_side; ++j) {
            const int m = rows ? minterm_at(i, j) : minterm_at(j, i);
            in[i] |= (cells >> m & 1) != 0;
        }
    }
    const int count = in[0] + in[1] + in[2] + in[3];
    if (count == map_side) return {{0, map_side, false, false}};
    if (count == 2 && in[0] && in[map_side - 1]) return {{0, 1, true, false}, {3, 1, false, true}};
    for (int i = 0; i < map_side; ++i)
        if (in[i]) return {{i, count, false, false}};
    return {};
}

} // namespace

std::vector<grid_piece> pieces_of(cube c) {
    std::vector<grid_piece> pieces;
    for (const span& r : spans_of(c, true)) {
        for (const span& k : spans_of(c, false))
            pieces.push_back({r.first, k.first, r.count, k.count, r.open_before, r.open_after,
                              k.open_before, k.open_after});
    }
    return pieces;
}

std::vector<grid_piece> pieces_of(cube c, map_layout layout) {
    std::vector<grid_piece> pieces = pieces_of(c);
    if (layout == map_layout::cd_rows) return pieces;
    for (grid_piece& p : pieces)
        p = {p.col, p.row, p.cols, p.rows, p.open_left, p.open_right, p.open_top, p.open_bottom};
    std::sort(pieces.begin(), pieces.end(), [](const grid_piece& a, const grid_piece& b) {
        return a.row != b.row ? a.row < b.row : a.col < b.col;
    });
    return pieces;
}

} // namespace tessary
