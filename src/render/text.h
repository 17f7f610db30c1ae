// Text on a cairo context, through pango: the one place the pictures and the
// printed pages write words.
#pragma once

#include <cairo.h>

#include <string>

namespace tessary {

struct text_style {
    const char* font;  // a pango font description: "Sans Bold 12"
    bool centred;      // (x, y) is the text's centre rather than its top-left
    double wrap_width; // 0: no wrapping
};

// Writes `text` at (x, y) in the current source colour; returns its height.
double show_text(cairo_t* cr, const std::string& text, double x, double y, text_style style);

} // namespace tessary
