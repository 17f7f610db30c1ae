// Text through pango on a scratch context (see text.h).
#include "render/text.h"

#include "render/cairo_surface.h"

#include <pango/pangocairo.h>

namespace tessary {

namespace {

// One scratch layout for every measurement: an image surface, as the
// window's and the PNG's, with its metrics.
PangoLayout* scratch_layout() {
    static PangoLayout* const layout = [] {
        cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        cairo_t* cr = cairo_create(scratch);
        PangoLayout* made = pango_cairo_create_layout(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(scratch);
        return made;
    }();
    return layout;
}

PangoLayout* measuring(std::string_view text, font f, double wrap_width) {
    PangoLayout* layout = scratch_layout();
    set_pango_font(layout, f);
    pango_layout_set_width(layout,
                           wrap_width > 0 ? static_cast<int>(wrap_width * PANGO_SCALE) : -1);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    return layout;
}

// Where each word of `line`, which begins at byte `start` of the layout's
// text, stands from the line's left.
void word_places(PangoLayout* layout, std::size_t start, text_line& line) {
    PangoRectangle first;
    pango_layout_index_to_pos(layout, static_cast<int>(start), &first);
    for (std::size_t i = 0; i < line.text.size(); ++i) {
        if (line.text[i] == ' ' || (i > 0 && line.text[i - 1] != ' ')) continue;
        PangoRectangle at;
        pango_layout_index_to_pos(layout, static_cast<int>(start + i), &at);
        line.words.emplace_back(i, double(at.x - first.x) / PANGO_SCALE);
    }
}

} // namespace

text_block lay_out_text(std::string_view text, font f, double wrap_width) {
    PangoLayout* layout = measuring(text, f, wrap_width);
    int width, height;
    pango_layout_get_pixel_size(layout, &width, &height);
    text_block block{{}, double(width), double(height)};
    PangoLayoutIter* at = pango_layout_get_iter(layout);
    do {
        const PangoLayoutLine* line = pango_layout_iter_get_line_readonly(at);
        std::string_view piece = text.substr(static_cast<std::size_t>(line->start_index),
                                             static_cast<std::size_t>(line->length));
        while (!piece.empty() && (piece.back() == '\n' || piece.back() == ' '))
            piece.remove_suffix(1);
        PangoRectangle logical;
        pango_layout_line_get_pixel_extents(const_cast<PangoLayoutLine*>(line), nullptr, &logical);
        block.lines.push_back({std::string(piece),
                               double(pango_layout_iter_get_baseline(at)) / PANGO_SCALE,
                               double(logical.width),
                               {}});
        word_places(layout, static_cast<std::size_t>(line->start_index), block.lines.back());
    } while (pango_layout_iter_next_line(at));
    pango_layout_iter_free(at);
    return block;
}

ink_box ink_of(std::string_view text, font f) {
    PangoRectangle ink;
    pango_layout_get_pixel_extents(measuring(text, f, 0), &ink, nullptr);
    return {double(ink.width), double(ink.height)};
}

double put_text(surface& s, std::string_view text, double x, double y, font f, bool centred,
                double wrap_width) {
    const text_block block = lay_out_text(text, f, wrap_width);
    const double top = centred ? y - block.height / 2 : y;
    for (const text_line& line : block.lines)
        s.text(x, top + line.baseline, line.text, f, centred ? anchor::centre : anchor::left);
    return block.height;
}

} // namespace tessary
