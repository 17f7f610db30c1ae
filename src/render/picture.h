// A map with its groups as a picture: what to draw, described as a value
// (map_picture), and the one drawing of it, on any surface (surface.h).
// The window, the picture files and the worksheets all say what to draw
// with a map_picture and let draw_picture() draw it.
#pragma once

#include "logic/boolean_map.h"
#include "logic/cube.h"
#include "render/surface.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// One group: its cells, and its term as the legend writes it ("A'B", or a
// sum "(A+B')").
struct map_group {
    cube cells;
    std::string label;
    // Drawn thin and pale, beside the others drawn strong: a loop that was
    // looked at and not taken.
    bool faint = false;
    // Its colour and line, look_of(look); by its place among the groups
    // when -1. A group keeps one look in every picture of a map.
    int look = -1;
    // A loop found wrong (it takes a cell it must not): drawn red, thick
    // and broken, whatever its look.
    bool warning = false;
};

struct map_picture {
    boolean_map map;
    std::vector<map_group> groups; // each drawn as a loop of its own colour and line
    std::string title;             // above the map; none when empty
    std::string caption;           // under the legend; none when empty
    minterm_set marked = 0;        // cells picked out with a shaded ground and a frame
    int cursor = -1;               // a cell framed as the keyboard's place; none when -1
    minterm_set wrong_cells = 0;   // ringed in red: cells a loop takes and must not
    minterm_set missed_cells = 0;  // ringed with a broken red line: cells no loop takes
    // The loops take in the 1-cells of a sum of products, or the 0-cells of
    // a product of sums: those cells are drawn strong, the others light.
    cover_kind loops_of = cover_kind::sum_of_products;
    bool numbers = false; // each cell's minterm number, small in its corner (always with hazards)
    map_layout layout = map_layout::cd_rows; // A and B along the top, or down the side
    // The cells the loops do not take left empty, as many textbooks print a
    // map: the 0-cells of a sum of products, the 1-cells of a product of sums.
    bool blank_others = false;
    // Hazard pairs, each marked by an arrow from digit to digit (one on each
    // edge, named by the pair, for a pair round the map's edge), and the
    // legend's line that lists them; none when empty. A picture that marks
    // them shows the minterm numbers too.
    std::vector<cell_pair> hazards = {};
    std::string hazard_note = {};
};

// At most this many loops have a colour and a line of their own; more take
// them again from the first, and then every loop and its legend entry carry
// a small number, so that each loop can still be matched to its term.
inline constexpr int loop_styles = 8;

// A loop's colour and line, the same in the legend: a dash pattern of
// `dash_count` lengths (none: solid), and the line's width.
struct loop_look {
    double r, g, b;
    std::array<double, 6> dashes;
    int dash_count;
    double width;
};
const loop_look& look_of(std::size_t group);

struct picture_size {
    double width, height;
};

// The size draw_picture() needs, in points (pixels at scale 1).
picture_size measure_picture(const map_picture& picture);

// Draws at the surface's origin, within measure_picture()'s size.
void draw_picture(surface& s, const map_picture& picture);

// The minterm of the cell under a point of the drawn picture, or -1.
int minterm_at_point(const map_picture& picture, double x, double y);

// Where the strokes and the digits of the grid go, in the picture's units:
// what draw_picture() draws, for anyone who must check it.
struct picture_box {
    double x0, y0, x1, y1;
};
struct loop_stroke {
    std::size_t group;
    double width;    // of its line
    picture_box box; // the rectangle the loop's line runs along, before the grid's clip
    bool open_top, open_bottom, open_left, open_right; // no line on that side
};
struct picture_layout {
    picture_box grid;
    double line_width;                  // of the widest loop
    std::vector<loop_stroke> loops;     // each piece of each loop
    std::array<picture_box, 16> digits; // by minterm: the digit with its clearance
    // By group, where its number is written on its loop; none unless two
    // loops of the picture share a look.
    std::vector<picture_box> tags;
    // By minterm, where its number is written; none unless numbers are shown.
    std::vector<picture_box> numbers;
};

// Whether the loops carry numbers: when two of them share a look.
bool loops_numbered(const map_picture& picture);
picture_layout layout_of(const map_picture& picture);

// The picture as one LaTeX tikzpicture environment, drawn as
// draw_picture() draws it: it needs nothing but the tikz package.
std::string picture_tikz(const map_picture& picture);

// Text that may break between terms: a zero-width space after a '+'
// between products and between the sums of a product. Wrapped by words (as
// lay_out_text() and GTK's labels wrap), it then breaks only there or at a
// blank, never inside a term or a sum.
std::string break_between_terms(const std::string& text);

// The text again without the break points break_between_terms() put in: what
// a reader copies.
std::string without_breaks(std::string_view text);

} // namespace tessary
