// Text through pango (see text.h): the one place that makes layouts.
#include "render/text.h"

#include "render/cairo_surface.h"

#include <pango/pangocairo.h>

namespace tessary {

struct laid_out_text {
    PangoLayout* layout;
    explicit laid_out_text(PangoLayout* l) : layout(l) {}
    laid_out_text(const laid_out_text&) = delete;
    laid_out_text& operator=(const laid_out_text&) = delete;
    ~laid_out_text() { g_object_unref(layout); }
};

namespace {

// The context of every layout: a font map of its own, so that the window's
// screen settings do not reach it, unhinted, its glyphs where the font puts
// them rather than on whole pixels.
PangoContext* text_context() {
    static PangoContext* const context = [] {
        PangoFontMap* map = pango_cairo_font_map_new();
        PangoContext* made = pango_font_map_create_context(map);
        g_object_unref(map);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(made, options);
        cairo_font_options_destroy(options);
        pango_context_set_round_glyph_positions(made, FALSE);
        return made;
    }();
    return context;
}

PangoLayout* new_layout(std::string_view text, font f, double wrap_width) {
    PangoLayout* layout = pango_layout_new(text_context());
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family_static(description, text_family);
    pango_font_description_set_weight(description,
                                      f.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(description, f.size * PANGO_SCALE);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    pango_layout_set_width(layout,
                           wrap_width > 0 ? static_cast<int>(wrap_width * PANGO_SCALE) : -1);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    return layout;
}

constexpr std::string_view word_joiner = "\u2060";

// A hyphen does not break a line: "Don't-Care" and a hazard pair "1-9"
// stay whole, as the text a script or a reader looks for.
std::string joined_at_hyphens(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '-' && i + 1 < text.size() && text[i + 1] != ' ' && text[i + 1] != '\n')
            out += word_joiner;
    }
    return out;
}

std::string without_joiners(std::string_view text) {
    std::string out;
    for (std::size_t at = 0;;) {
        const std::size_t joiner = text.find(word_joiner, at);
        out += text.substr(at, joiner - at);
        if (joiner == std::string_view::npos) return out;
        at = joiner + word_joiner.size();
    }
}

double units(int pango_units) {
    return double(pango_units) / PANGO_SCALE;
}

} // namespace

text_block lay_out_text(std::string_view given, font f, double wrap_width) {
    const std::string joined = joined_at_hyphens(given);
    const std::string_view text = joined;
    PangoLayout* layout = new_layout(text, f, wrap_width);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    text_block block{{}, units(logical.width), units(logical.height), f, nullptr};
    PangoLayoutIter* at = pango_layout_get_iter(layout);
    do {
        const PangoLayoutLine* line = pango_layout_iter_get_line_readonly(at);
        std::string_view piece = text.substr(static_cast<std::size_t>(line->start_index),
                                             static_cast<std::size_t>(line->length));
        while (!piece.empty() && (piece.back() == '\n' || piece.back() == ' '))
            piece.remove_suffix(1);
        PangoRectangle extent;
        pango_layout_line_get_extents(const_cast<PangoLayoutLine*>(line), nullptr, &extent);
        block.lines.push_back({without_joiners(piece), units(pango_layout_iter_get_baseline(at)),
                               units(extent.width)});
    } while (pango_layout_iter_next_line(at));
    pango_layout_iter_free(at);
    block.layout = std::make_shared<const laid_out_text>(layout);
    return block;
}

PangoLayoutLine* layout_line(const text_block& block, std::size_t line) {
    return pango_layout_get_line_readonly(block.layout->layout, static_cast<int>(line));
}

ink_box ink_of(std::string_view text, font f) {
    const text_block block = lay_out_text(text, f);
    PangoRectangle ink;
    pango_layout_get_extents(block.layout->layout, &ink, nullptr);
    return {units(ink.width), units(ink.height)};
}

double put_text(surface& s, std::string_view text, double x, double y, font f, bool centred,
                double wrap_width) {
    const text_block block = lay_out_text(text, f, wrap_width);
    s.text(x, centred ? y - block.height / 2 : y, block, centred ? anchor::centre : anchor::left);
    return block.height;
}

} // namespace tessary
