// Pictures as files (see picture_files.h). Cairo writes through a stream of
// ours into a pending file, so that a failed write is seen with its reason.
#include "render/picture_files.h"

#include "render/cairo_surface.h"
#include "render/tikz_surface.h"
#include "words/words.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <algorithm>

namespace tessary {

namespace {

cairo_status_t write_for_cairo(void* closure, const unsigned char* data, unsigned int length) {
    auto* file = static_cast<pending_file*>(closure);
    const bool written = file->write({reinterpret_cast<const char*>(data), length});
    return written ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

bool fail(std::string& error, const std::string& reason) {
    error = reason;
    return false;
}

// Draws on a vector surface and finishes it, which writes it out.
bool draw_to(cairo_surface_t* surface, const std::function<void(tessary::surface&)>& draw) {
    cairo_t* cr = cairo_create(surface);
    cairo_surface on(cr);
    draw(on);
    const cairo_status_t drawn = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t finished = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    return drawn == CAIRO_STATUS_SUCCESS && finished == CAIRO_STATUS_SUCCESS;
}

cairo_status_t append_for_cairo(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// Every step's status is checked: a surface too large to make, a drawing
// that failed, and the writing of the PNG.
bool draw_png(cairo_write_func_t write, void* closure, double width, double height,
              const std::function<void(surface&)>& draw) {
    cairo_surface_t* image =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width * png_scale),
                                   static_cast<int>(height * png_scale));
    cairo_t* cr = cairo_create(image);
    cairo_scale(cr, png_scale, png_scale);
    cairo_surface on(cr);
    draw(on);
    const cairo_status_t drawn = cairo_status(cr);
    cairo_destroy(cr);
    const cairo_status_t written = drawn == CAIRO_STATUS_SUCCESS
                                       ? cairo_surface_write_to_png_stream(image, write, closure)
                                       : drawn;
    cairo_surface_destroy(image);
    return written == CAIRO_STATUS_SUCCESS;
}

// The PDF's dates are fixed so that the same drawing gives the same bytes.
void fix_pdf_dates(cairo_surface_t* surface) {
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, "2026-01-01T00:00:00Z");
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_MOD_DATE, "2026-01-01T00:00:00Z");
}

// The pictures of a LaTeX drawing: the font it is set in declared before
// them, for a .tikz \input into any document.
std::string tikz_pictures(double width, double height, const std::function<void(surface&)>& draw) {
    tikz_surface tikz(width, height);
    draw(tikz);
    std::string text = latex_font_declarations();
    for (const std::string& picture : tikz.pictures()) text += picture;
    return text;
}

} // namespace

std::optional<picture_format> format_of(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
        return std::nullopt;
    std::string extension(path.substr(dot + 1));
    for (char& ch : extension) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    if (extension == "svg") return picture_format::svg;
    if (extension == "png") return picture_format::png;
    if (extension == "pdf") return picture_format::pdf;
    if (extension == "tex") return picture_format::tex;
    if (extension == "tikz") return picture_format::tikz;
    return std::nullopt;
}

bool write_pages(pending_file& file, picture_format format, double width, double height,
                 const std::function<void(surface&)>& draw_pages, std::string& error) {
    if (!file.ok()) return fail(error, file.reason());
    bool drawn = false;
    switch (format) {
    case picture_format::svg:
        drawn = draw_to(cairo_svg_surface_create_for_stream(write_for_cairo, &file, width, height),
                        draw_pages);
        break;
    case picture_format::png:
        drawn = draw_png(write_for_cairo, &file, width, height, draw_pages);
        break;
    case picture_format::pdf: {
        cairo_surface_t* pdf =
            cairo_pdf_surface_create_for_stream(write_for_cairo, &file, width, height);
        fix_pdf_dates(pdf);
        drawn = draw_to(pdf, draw_pages);
        break;
    }
    case picture_format::tex: {
        tikz_surface tikz(width, height);
        draw_pages(tikz);
        drawn = file.write(latex_document(tikz.pictures(), width, height));
        break;
    }
    case picture_format::tikz: drawn = file.write(tikz_pictures(width, height, draw_pages)); break;
    }
    if (!file.ok()) return fail(error, file.reason());
    const bool pages = format == picture_format::pdf || format == picture_format::tex;
    if (!drawn)
        return fail(error, say(words::reader, pages ? N_("the document could not be drawn")
                                                    : N_("the picture could not be drawn")));
    return true;
}

namespace {

// One drawing of `size`, by the file's extension.
bool save_drawing(const std::string& path, picture_size size,
                  const std::function<void(surface&)>& draw, std::string& error) {
    const std::optional<picture_format> format = format_of(path);
    if (!format)
        return fail(error, say(words::reader,
                               N_("the name does not end in .svg, .png, .pdf, .tex or .tikz")));
    pending_file file(path);
    return write_pages(file, *format, size.width, size.height, draw, error) && file.commit(error);
}

} // namespace

bool save_picture(const std::string& path, const map_picture& picture, std::string& error) {
    return save_drawing(
        path, measure_picture(picture), [&picture](surface& s) { draw_picture(s, picture); },
        error);
}

bool save_pictures(const std::string& path, const std::vector<map_picture>& pictures,
                   std::string& error) {
    picture_size box{0, 0};
    for (const map_picture& picture : pictures) {
        const picture_size size = measure_picture(picture);
        box = {std::max(box.width, size.width), std::max(box.height, size.height)};
    }
    const std::size_t columns = std::clamp<std::size_t>(pictures.size(), 1, 4);
    const std::size_t rows = (pictures.size() + columns - 1) / columns;
    const picture_size page{box.width * static_cast<double>(columns),
                            box.height * static_cast<double>(std::max<std::size_t>(rows, 1))};
    return save_drawing(
        path, page,
        [&](surface& s) {
            for (std::size_t k = 0; k < pictures.size(); ++k) {
                s.save();
                s.transform(box.width * static_cast<double>(k % columns),
                            box.height * static_cast<double>(k / columns), 1);
                draw_picture(s, pictures[k]);
                s.restore();
            }
        },
        error);
}

bool save_chart(const std::string& path, const chart_drawing& chart, std::string& error) {
    return save_drawing(
        path, measure_chart(chart), [&chart](surface& s) { draw_chart(s, chart); }, error);
}

bool png_of(const map_picture& picture, std::string& png) {
    png.clear();
    const picture_size size = measure_picture(picture);
    return draw_png(append_for_cairo, &png, size.width, size.height,
                    [&](surface& on) { draw_picture(on, picture); });
}

} // namespace tessary
