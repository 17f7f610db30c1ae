// The prime-implicant chart as the reduction leaves it, drawn on paper and
// on the screen through the one drawing interface: the primes as rows with
// their terms, the cells as columns, an X where a prime covers a cell; the
// primes taken marked, the rows and columns dropped struck through, and
// lines of text under the chart (the cyclic core, Petrick's product and
// its expansion), which wrap within the picture.
#pragma once

#include "logic/boolean_map.h"
#include "render/picture.h"
#include "render/surface.h"

#include <string>
#include <vector>

namespace tessary {

enum class chart_row_state {
    open,    // still in the chart: the cyclic core
    taken,   // an essential prime, of the map or of a round
    dropped, // dominated, or over no cell left
};

enum class chart_column_state {
    open,    // still to cover: the cyclic core
    covered, // by a prime taken
    dropped, // dominated
};

struct chart_row {
    std::string name; // "P1"
    std::string term; // "A'B"
    minterm_set cells;
    chart_row_state state;
};

struct chart_drawing {
    std::vector<int> columns; // the cells to cover, ascending
    std::vector<chart_column_state> column_states;
    std::vector<chart_row> rows;
    std::string key;                // what the marks mean, under the chart
    std::vector<std::string> notes; // the lines under it, each wrapped on its own
};

picture_size measure_chart(const chart_drawing& chart);
void draw_chart(surface& s, const chart_drawing& chart);

} // namespace tessary
