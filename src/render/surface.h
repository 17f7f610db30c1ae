// The one drawing interface of Tessary. The picture of a map and the pages
// of a worksheet say what to draw through it, once; a surface knows how:
// cairo (the window, SVG, PNG and PDF, in cairo_surface.h) or TikZ (LaTeX,
// in tikz_surface.h). Units are points, y grows downwards.
#pragma once

#include <span>
#include <string_view>

namespace tessary {

struct colour {
    double r, g, b;
};

inline constexpr colour black = {0, 0, 0}, white = {1, 1, 1};

// A sans-serif font: its size in the drawing's units, and its weight.
struct font {
    double size;
    bool bold = false;
};

// Where the lines of a text stand from their point: to its right, on its
// centre, or to its left.
enum class anchor { left, centre, right };

struct text_block; // text.h

// A surface draws text that lay_out_text() (text.h) has laid out: the
// surface draws it where the layout says, and measuring text is the
// layout's part, the same for every surface.

class surface {
  public:
    virtual ~surface() = default;

    // The state of the strokes, fills and text that follow; save() and
    // restore() keep it, with the clip and the transformation.
    virtual void save() = 0;
    virtual void restore() = 0;
    virtual void set_colour(colour c) = 0;
    // The line's width and its dashes (none: solid); round caps, or flat
    // ones that end at the point.
    virtual void set_line(double width, std::span<const double> dashes = {},
                          bool round_caps = false) = 0;
    // Moves the origin to (x, y) and scales what follows: lines, text and
    // dashes alike.
    virtual void transform(double x, double y, double scale) = 0;
    // Cuts what follows to a rectangle, until restore().
    virtual void clip(double x0, double y0, double x1, double y1) = 0;

    // The path: lines, rectangles with corners of `radius`, circles.
    virtual void move_to(double x, double y) = 0;
    virtual void line_to(double x, double y) = 0;
    virtual void rectangle(double x0, double y0, double x1, double y1, double radius = 0) = 0;
    virtual void circle(double x, double y, double radius) = 0;
    // Draws the path and empties it.
    virtual void stroke() = 0;
    virtual void fill() = 0;

    // A block of text, its top at y, each of its lines anchored at x.
    virtual void text(double x, double y, const text_block& block, anchor a) = 0;

    // Ends a page of a document of several.
    virtual void end_page() = 0;
};

} // namespace tessary
