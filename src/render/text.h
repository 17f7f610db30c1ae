// Text laid out once, by pango, for every surface: where a text breaks into
// lines, where each line's baseline goes, and how large the whole is. The
// surfaces draw the block as it was laid out: cairo the layout's own
// glyphs, TikZ the same lines in the same typeface, set by TeX.
//
// Every text is in one typeface, Latin Modern Sans at its 10 pt design
// size whatever the size (LaTeX is told the same), laid out unhinted with
// unrounded glyph positions: the window's pixels, the PDF and the LaTeX
// agree on each word's place.
#pragma once

#include "render/surface.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// The typeface's name as fontconfig knows it.
inline constexpr const char* text_family = "LM Sans 10";

// A font's size in the drawing's units from its size in points on a screen
// of 96 dots an inch, as GTK's and pango's "Sans 10" is.
constexpr double points(double size) {
    return size * 96 / 72;
}

struct text_line {
    std::string text; // without the blank or '\n' it broke at
    double baseline;  // below the top of the block
    double width;
};

// Pango's layout of a block, which its surfaces draw from.
struct laid_out_text;

struct text_block {
    std::vector<text_line> lines;
    double width = 0, height = 0;
    font f{0};
    std::shared_ptr<const laid_out_text> layout;
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
// block's centre there and each line centred; returns the block's height.
double put_text(surface& s, std::string_view text, double x, double y, font f, bool centred = false,
                double wrap_width = 0);

} // namespace tessary
