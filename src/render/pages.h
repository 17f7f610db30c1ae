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
    double scale = 0; // of every picture; 0: the largest at which a page's pictures fit
};

// What goes round the pictures of a run of pages.
struct page_frame {
    std::string heading;            // at the top of every page
    std::vector<std::string> lines; // under the heading on the first page of the run
    std::string note;               // small, on the left of every footer ("seed 12")
    int answer_lines = 0;           // ruled lines for the answer under each picture
};

// The words of the pages, in the reader's language: the footer's page
// number, a printf pattern for the page and the count as strings ("Page %s
// of %s"), and the word over the answer lines ("Answer:").
struct page_words {
    std::string page_number;
    std::string answer_word;
};

// The footer's page number: `pattern` with `page` and `total` put in.
std::string page_number_text(const std::string& pattern, const std::string& page,
                             const std::string& total);

// The largest scale, at most 1, at which every one of the pictures fits a
// box of the page with its answer lines.
double fitting_scale(const page_layout& page, const page_frame& frame,
                     const std::vector<map_picture>& pictures);

// The pages the pictures take.
int pages_for(const page_layout& page, std::size_t pictures);

// Draws the pictures columns * rows to a page, ending each page; fewer
// pictures in all than a row are centred, and a lone picture at the end of
// a longer run stays in the first column. The pages are numbered
// from `first_page` out of `total_pages`.
void draw_picture_pages(surface& s, const page_layout& page,
                        const std::vector<map_picture>& pictures, const page_frame& frame,
                        const page_words& words, int first_page, int total_pages);

} // namespace tessary
