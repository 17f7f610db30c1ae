// Printed pages of pictures: a heading on each page and the pictures in a
// grid of boxes, each scaled into its box.
#pragma once

#include "render/picture.h"

#include <string>
#include <vector>

namespace tessary {

// A page in points: its size, its margin, the height of its heading band,
// and the grid of boxes the pictures go into.
struct page_layout {
    double width, height, margin, header;
    int columns, rows;
};

// Draws the pictures columns * rows to a page, calling cairo_show_page()
// after each page, with `heading` at the top of every page.
void draw_picture_pages(cairo_t* cr, const page_layout& page,
                        const std::vector<map_picture>& pictures, const std::string& heading);

} // namespace tessary
