// Pictures as files: SVG, PNG and PDF, chosen by the file name's extension.
// A picture is written to a temporary file beside the target and renamed
// over it, so a failure never leaves a partial picture behind.
#pragma once

#include "render/picture.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tessary {

enum class picture_format { svg, png, pdf };

// By the extension, in either case: ".svg", ".png" or ".pdf".
std::optional<picture_format> format_of(std::string_view path);

// PNG pictures are drawn at this many pixels a unit, for print and for
// screens of high density.
inline constexpr double png_scale = 2;

// Writes the picture; on failure returns false and says why in `error`
// (without the file's name).
bool save_picture(const std::string& path, const map_picture& picture, std::string& error);

// Writes `text` to a file whole, the same way: a temporary name, then a
// rename.
bool save_text(const std::string& path, std::string_view text, std::string& error);

// Writes a PDF of pages drawn by `draw_pages`, which gets the cairo context
// and calls cairo_show_page() after each page; the pages are `width` by
// `height` points. The same drawing gives the same bytes.
bool save_pdf(const std::string& path, double width, double height,
              const std::function<void(cairo_t*)>& draw_pages, std::string& error);

} // namespace tessary
