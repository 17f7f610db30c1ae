// The drawing interface on a cairo context: what the window draws on, and
// the SVG, PNG and PDF files. Only render/ and app/ include this header.
#pragma once

#include "render/surface.h"

#include <cairo.h>
#include <pango/pangocairo.h>

namespace tessary {

class cairo_surface final : public surface {
  public:
    // Draws on `cr`, which stays the caller's; its state is as it was after
    // each balanced save() and restore().
    explicit cairo_surface(cairo_t* cr) : cr_(cr) {}

    void save() override { cairo_save(cr_); }
    void restore() override { cairo_restore(cr_); }
    void set_colour(colour c) override;
    void set_line(double width, std::span<const double> dashes, bool round_caps) override;
    void transform(double x, double y, double scale) override;
    void clip(double x0, double y0, double x1, double y1) override;
    void move_to(double x, double y) override { cairo_move_to(cr_, x, y); }
    void line_to(double x, double y) override { cairo_line_to(cr_, x, y); }
    void rectangle(double x0, double y0, double x1, double y1, double radius) override;
    void circle(double x, double y, double radius) override;
    void stroke() override { cairo_stroke(cr_); }
    void fill() override { cairo_fill(cr_); }
    void text(double x, double y, const text_block& block, anchor a) override;
    void end_page() override { cairo_show_page(cr_); }

  private:
    cairo_t* cr_;
};

// Line `line` of a block's layout (text.cpp), to draw.
PangoLayoutLine* layout_line(const text_block& block, std::size_t line);

} // namespace tessary
