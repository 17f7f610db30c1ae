// Pictures as files (see picture_files.h). Cairo writes through a stream of
// ours into a pending file, so that a failed write is seen with its reason.
#include "render/picture_files.h"

#include "render/cairo_surface.h"
#include "render/tikz_surface.h"
#include "words/words.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

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

// Every step's status is checked: a surface too large to make, a drawing
// that failed, and the writing of the PNG.
bool write_png(pending_file& file, const map_picture& picture) {
    const picture_size size = measure_picture(picture);
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(size.width * png_scale),
                                   static_cast<int>(size.height * png_scale));
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, png_scale, png_scale);
    cairo_surface on(cr);
    draw_picture(on, picture);
    const cairo_status_t drawn = cairo_status(cr);
    cairo_destroy(cr);
    const cairo_status_t written =
        drawn == CAIRO_STATUS_SUCCESS
            ? cairo_surface_write_to_png_stream(surface, write_for_cairo, &file)
            : drawn;
    cairo_surface_destroy(surface);
    return written == CAIRO_STATUS_SUCCESS;
}

// The PDF's dates are fixed so that the same drawing gives the same bytes.
void fix_pdf_dates(cairo_surface_t* surface) {
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, "2026-01-01T00:00:00Z");
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_MOD_DATE, "2026-01-01T00:00:00Z");
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
    if (format == picture_format::tex) {
        tikz_surface tikz(width, height);
        draw_pages(tikz);
        file.write(latex_document(tikz.pictures(), width, height));
        return file.ok() || fail(error, file.reason());
    }
    cairo_surface_t* pdf =
        cairo_pdf_surface_create_for_stream(write_for_cairo, &file, width, height);
    fix_pdf_dates(pdf);
    const bool drawn = draw_to(pdf, draw_pages);
    if (!file.ok()) return fail(error, file.reason());
    if (!drawn) return fail(error, say(words::reader, N_("the document could not be drawn")));
    return true;
}

std::string picture_tikz(const map_picture& picture) {
    const picture_size size = measure_picture(picture);
    tikz_surface tikz(size.width, size.height);
    draw_picture(tikz, picture);
    return tikz.pictures().front();
}

bool save_picture(const std::string& path, const map_picture& picture, std::string& error) {
    const std::optional<picture_format> format = format_of(path);
    if (!format)
        return fail(error,
                    say(words::reader,
                        N_("the name does not end in .svg, .png, .pdf, .tex or .tikz")));
    pending_file file(path);
    if (!file.ok()) return fail(error, file.reason());
    const picture_size size = measure_picture(picture);
    const auto draw = [&picture](surface& s) { draw_picture(s, picture); };
    bool drawn = false;
    switch (*format) {
    case picture_format::png: drawn = write_png(file, picture); break;
    case picture_format::svg:
        drawn = draw_to(
            cairo_svg_surface_create_for_stream(write_for_cairo, &file, size.width, size.height),
            draw);
        break;
    case picture_format::tikz:
        file.write(picture_tikz(picture));
        drawn = true;
        break;
    case picture_format::pdf:
    case picture_format::tex:
        return write_pages(file, *format, size.width, size.height, draw, error) &&
               file.commit(error);
    }
    if (!file.ok()) return fail(error, file.reason());
    if (!drawn) return fail(error, say(words::reader, N_("the picture could not be drawn")));
    return file.commit(error);
}

} // namespace tessary
