// Pictures and documents of pages as files, written whole through the
// files library: SVG, PNG, PDF and LaTeX, chosen by the file name's
// extension.
#pragma once

#include "files/files.h"
#include "render/chart_picture.h"
#include "render/picture.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

enum class picture_format { svg, png, pdf, tex, tikz };

// By the extension, in either case: ".svg", ".png", ".pdf", ".tex" (a
// LaTeX document whose page is the picture's size, one tikzpicture) or
// ".tikz" (the tikzpicture alone, for \input in a document that loads tikz).
std::optional<picture_format> format_of(std::string_view path);

// PNG pictures are drawn at this many pixels a unit, for print and for
// screens of high density.
inline constexpr double png_scale = 2;

// Draws pages of `width` by `height` points into a pending file in
// `format`, on the surface that format is drawn on: SVG, PNG (at png_scale)
// and PDF through cairo, LaTeX (a document whose every page is one
// tikzpicture, or the pictures alone for .tikz) through TikZ. `draw_pages`
// draws on the surface and ends each page; SVG and PNG keep the first. The
// same drawing gives the same bytes; on failure returns false and says why.
bool write_pages(pending_file& file, picture_format format, double width, double height,
                 const std::function<void(surface&)>& draw_pages, std::string& error);

// Writes one picture whole, by the file's extension; on failure returns
// false and says why in `error` (without the file's name). A LaTeX picture
// is a document with a page of the picture's size.
bool save_picture(const std::string& path, const map_picture& picture, std::string& error);
// Several pictures on one page, side by side in rows of up to four, each
// in a box of the largest one's size.
bool save_pictures(const std::string& path, const std::vector<map_picture>& pictures,
                   std::string& error);
// The same for a prime-implicant chart.
bool save_chart(const std::string& path, const chart_drawing& chart, std::string& error);

// A picture as the bytes of a PNG file (at png_scale), to embed in another
// file; false when it could not be drawn.
bool png_of(const map_picture& picture, std::string& png);

} // namespace tessary
