// Pictures and documents of pages as files, written whole through the
// files library: SVG, PNG and PDF, chosen by the file name's extension.
#pragma once

#include "files/files.h"
#include "render/picture.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tessary {

enum class picture_format { svg, png, pdf, tex };

// By the extension, in either case: ".svg", ".png", ".pdf" or ".tex" (a
// LaTeX document whose picture is one tikzpicture).
std::optional<picture_format> format_of(std::string_view path);

// PNG pictures are drawn at this many pixels a unit, for print and for
// screens of high density.
inline constexpr double png_scale = 2;

// Draws the pages into a pending PDF of `width` by `height` points:
// `draw_pages` gets the cairo context and calls cairo_show_page() after each
// page. The same drawing gives the same bytes.
bool write_pdf(pending_file& file, double width, double height,
               const std::function<void(cairo_t*)>& draw_pages, std::string& error);

// Each writes one file whole; on failure returns false and says why in
// `error` (without the file's name).
bool save_picture(const std::string& path, const map_picture& picture, std::string& error);
bool save_pdf(const std::string& path, double width, double height,
              const std::function<void(cairo_t*)>& draw_pages, std::string& error);

} // namespace tessary
