// The drawing interface on cairo, with text through pango (see
// cairo_surface.h).
#include "render/cairo_surface.h"

#include "render/text.h"

#include <algorithm>
#include <numbers>

namespace tessary {

void cairo_surface::set_colour(colour c) {
    cairo_set_source_rgb(cr_, c.r, c.g, c.b);
}

void cairo_surface::set_line(double width, std::span<const double> dashes, bool round_caps) {
    cairo_set_line_width(cr_, width);
    cairo_set_dash(cr_, dashes.data(), static_cast<int>(dashes.size()), 0);
    cairo_set_line_cap(cr_, round_caps ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
}

void cairo_surface::transform(double x, double y, double scale) {
    cairo_translate(cr_, x, y);
    cairo_scale(cr_, scale, scale);
}

void cairo_surface::clip(double x0, double y0, double x1, double y1) {
    cairo_rectangle(cr_, x0, y0, x1 - x0, y1 - y0);
    cairo_clip(cr_);
}

void cairo_surface::rectangle(double x0, double y0, double x1, double y1, double radius) {
    radius = std::min({radius, (x1 - x0) / 2, (y1 - y0) / 2});
    if (radius <= 0) {
        cairo_rectangle(cr_, x0, y0, x1 - x0, y1 - y0);
        return;
    }
    constexpr double pi = std::numbers::pi;
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, x1 - radius, y0 + radius, radius, -pi / 2, 0);
    cairo_arc(cr_, x1 - radius, y1 - radius, radius, 0, pi / 2);
    cairo_arc(cr_, x0 + radius, y1 - radius, radius, pi / 2, pi);
    cairo_arc(cr_, x0 + radius, y0 + radius, radius, pi, 3 * pi / 2);
    cairo_close_path(cr_);
}

void cairo_surface::circle(double x, double y, double radius) {
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, x, y, radius, 0, 2 * std::numbers::pi);
}

// The block's own glyphs, laid out once for every surface: unhinted, so
// that the window shows each word where the PDF has it.
void cairo_surface::text(double x, double y, const text_block& block, anchor a) {
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
        const text_line& line = block.lines[i];
        const double shift = a == anchor::left     ? 0
                             : a == anchor::centre ? line.width / 2
                                                   : line.width;
        cairo_move_to(cr_, x - shift, y + line.baseline);
        pango_cairo_show_layout_line(cr_, layout_line(block, i));
    }
}

} // namespace tessary
