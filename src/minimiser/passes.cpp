// The four covering passes. Each scans the map row by row and, at every cell
// still uncovered when the scan reaches it, tries to make one group, in a
// fixed order of preference:
//   octets: the cell's row with the row above, then below; then its column
//           with the column on the left, then on the right;
//   quads:  the cell's row, its column, then the 2-by-2 squares down-left,
//           up-left, down-right, up-right;
//   pairs:  an uncovered neighbour (left, right, up, down), else a covered
//           neighbour or a don't-care (left, up, right, down);
//   singles: the cell alone.
// Every line and square wraps round the map's edges.
#include "minimiser/reduction.h"

namespace tessary::greedy {

namespace {

struct step {
    int row;
    int col;
};

constexpr step left{0, -1}, right{0, +1}, up{-1, 0}, down{+1, 0};
constexpr step square_order[] = {{+1, -1}, {-1, -1}, {+1, +1}, {-1, +1}};
constexpr step uncovered_order[] = {left, right, up, down};
constexpr step fallback_order[] = {left, up, right, down};

constexpr map_line row_line(int row) {
    return {true, row};
}
constexpr map_line column_line(int col) {
    return {false, col};
}

// The line with the line before it, else after it; the one letter they share.
bool line_octet(reduction& r, map_line line) {
    if (!r.full(cells_of(line))) return false;
    for (const int side : {-1, +1}) {
        const map_line other{line.is_row, wrap(line.index, side)};
        if (!r.full(cells_of(other))) continue;
        r.record(cells_of(line) | cells_of(other), {shared_letter(line, other)});
        return true;
    }
    return false;
}

// A full line: both its letters.
bool line_quad(reduction& r, map_line line) {
    if (!r.full(cells_of(line))) return false;
    const line_letters l = letters_of(line);
    r.record(cells_of(line), {l.first, l.second});
    return true;
}

// A square: the letter its columns share, then the letter its rows share.
bool square_quad(reduction& r, int row, int col, step corner) {
    const int row2 = wrap(row, corner.row), col2 = wrap(col, corner.col);
    const place_set cells =
        place_bit(row, col) | place_bit(row, col2) | place_bit(row2, col2) | place_bit(row2, col);
    if (!r.full(cells)) return false;
    r.record(cells, {shared_letter(column_line(col), column_line(col2)),
                     shared_letter(row_line(row), row_line(row2))});
    return true;
}

// A pair: the two letters of the line both cells stand in, then the letter
// their two cross lines share.
void make_pair(reduction& r, int row, int col, step dir) {
    const int row2 = wrap(row, dir.row), col2 = wrap(col, dir.col);
    const bool vertical = dir.row != 0;
    const line_letters common = letters_of(vertical ? column_line(col) : row_line(row));
    const letter varying = vertical ? shared_letter(row_line(row), row_line(row2))
                                    : shared_letter(column_line(col), column_line(col2));
    r.record(place_bit(row, col) | place_bit(row2, col2), {common.first, common.second, varying});
}

void pair_at(reduction& r, int row, int col) {
    for (const step dir : uncovered_order) {
        if (r.is_uncovered(wrap(row, dir.row), wrap(col, dir.col)))
            return make_pair(r, row, col, dir);
    }
    for (const step dir : fallback_order) {
        if (r.is_filled(wrap(row, dir.row), wrap(col, dir.col))) return make_pair(r, row, col, dir);
    }
}

} // namespace

void octet_pass(reduction& r) {
    r.scan([&r](int row, int col) {
        if (!line_octet(r, row_line(row))) line_octet(r, column_line(col));
    });
}

void quad_pass(reduction& r) {
    r.scan([&r](int row, int col) {
        if (line_quad(r, row_line(row)) || line_quad(r, column_line(col))) return;
        for (const step corner : square_order)
            if (square_quad(r, row, col, corner)) return;
    });
}

void pair_pass(reduction& r) {
    r.scan([&r](int row, int col) { pair_at(r, row, col); });
}

// The cell's column letters, then its row letters.
void single_pass(reduction& r) {
    r.scan([&r](int row, int col) {
        const line_letters across = letters_of(column_line(col)), down = letters_of(row_line(row));
        r.record(place_bit(row, col), {across.first, across.second, down.first, down.second});
    });
}

} // namespace tessary::greedy
