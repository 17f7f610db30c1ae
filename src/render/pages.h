// Printed pages of pictures, laid out for a class: a heading band, the
// pictures in a grid of boxes centred between equal margins, all the
// pictures of a page at one scale, ruled lines for the answers where asked,
// and a footer with a note and "Page N of M" on every page.
#pragma once

#include "render/picture.h"

#include <string>
#include <vector>

namespace tessary {

// A page in points: its size, the margin on every side, and the grid of
// boxes the pictures go into.
struct page_layout {
    double width, height, margin;
    int columns, rows;
};

// What goes round the pictures of a run of pages.
struct page_frame {
    std::string heading;            // at the top of every page
    std::vector<std::string> lines; // under the heading on the first page of the run
    std::string note;               // small, on the left of every footer ("seed 12")
    int answer_lines = 0;           // ruled lines for the answer under each picture
};

// The pages the pictures take.
int pages_for(const page_layout& page, std::size_t pictures);

// Draws the pictures columns * rows to a page, calling cairo_show_page()
// after each page. The pages are numbered from `first_page` out of
// `total_pages`.
void draw_picture_pages(cairo_t* cr, const page_layout& page,
                        const std::vector<map_picture>& pictures, const page_frame& frame,
                        int first_page, int total_pages);

} // namespace tessary
