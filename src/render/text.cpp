// Text through pango (see text.h).
#include "render/text.h"

#include <pango/pangocairo.h>

namespace tessary {

double show_text(cairo_t* cr, const std::string& text, double x, double y, text_style style) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_from_string(style.font);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    if (style.wrap_width > 0) {
        pango_layout_set_width(layout, static_cast<int>(style.wrap_width * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    }
    pango_layout_set_text(layout, text.c_str(), -1);
    int width, height;
    pango_layout_get_pixel_size(layout, &width, &height);
    cairo_move_to(cr, style.centred ? x - width / 2.0 : x, style.centred ? y - height / 2.0 : y);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
    return height;
}

} // namespace tessary
