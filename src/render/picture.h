// Drawing a map with its groups. The one drawing interface of Tessary: the
// window, the picture files and the worksheets all say what to draw with a
// map_picture and let draw_picture() draw it on a cairo context.
#pragma once

#include "logic/boolean_map.h"
#include "logic/cube.h"

#include <cairo.h>

#include <string>
#include <vector>

namespace tessary {

// One group: its cells, and its term as the legend writes it ("A'B", or a
// sum "(A+B')").
struct map_group {
    cube cells;
    std::string label;
};

struct map_picture {
    boolean_map map;
    std::vector<map_group> groups; // each drawn as a loop of its own colour
    std::string title;             // above the map; none when empty
    std::string caption;           // under the legend; none when empty
    minterm_set marked = 0;        // cells picked out with a shaded ground and a frame
    int cursor = -1;               // a cell framed as the keyboard's place; none when -1
};

struct picture_size {
    double width, height;
};

// The size draw_picture() needs, in cairo units (pixels at scale 1).
picture_size measure_picture(const map_picture& picture);

// Draws at the origin of `cr`, within measure_picture()'s size.
void draw_picture(cairo_t* cr, const map_picture& picture);

// The minterm of the cell under a point of the drawn picture, or -1.
int minterm_at_point(const map_picture& picture, double x, double y);

} // namespace tessary
