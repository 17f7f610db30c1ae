// Text laid out as pango lays it out, for every surface: where a text
// breaks into lines, where each line's baseline goes, and how large the
// whole is. The cairo and the TikZ surface then draw the same lines at the
// same places; only the fonts' widths differ.
#pragma once

#include "render/surface.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// A font's size in the drawing's units from its size in points on a screen
// of 96 dots an inch, as GTK's and pango's "Sans 10" is.
constexpr double points(double size) {
    return size * 96 / 72;
}

struct text_line {
    std::string text;
    double baseline; // below the top of the block
    double width;
    // Where each word of the line (a run without blanks) begins, from the
    // line's left: its byte offset in `text` and its distance.
    std::vector<std::pair<std::size_t, double>> words;
};

struct text_block {
    std::vector<text_line> lines;
    double width, height;
};

// `text` in `f`, broken at blanks, at the break points of
// break_between_terms() and at '\n', into lines of at most `wrap_width`
// (none: no breaking but at '\n').
text_block lay_out_text(std::string_view text, font f, double wrap_width = 0);

// The ink of `text` in `f`: the part the glyphs cover.
struct ink_box {
    double width, height;
};
ink_box ink_of(std::string_view text, font f);

// Writes `text` with the top-left of its block at (x, y), or with the
// block's centre there; returns the block's height.
double put_text(surface& s, std::string_view text, double x, double y, font f, bool centred = false,
                double wrap_width = 0);

} // namespace tessary
