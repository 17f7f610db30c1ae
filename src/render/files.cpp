// Writing pictures to files (see files.h). Cairo writes through a stream of
// ours, so that a failed write is seen with its reason; the file is then
// renamed into place.
#include "render/files.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tessary {

namespace {

// A temporary file beside the target, and the first error writing to it.
class staged_file {
  public:
    explicit staged_file(const std::string& path) : path_(path), temporary_(path + ".XXXXXX") {
        const int fd = mkstemp(temporary_.data());
        if (fd < 0) {
            error_ = errno;
            return;
        }
        made_ = true;
        // mkstemp makes the file private; a picture gets the usual mode.
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
        file_ = fdopen(fd, "wb");
        if (file_ == nullptr) {
            error_ = errno;
            close(fd);
        }
    }
    ~staged_file() {
        if (file_ != nullptr) std::fclose(file_);
        if (made_ && !committed_) unlink(temporary_.c_str());
    }
    staged_file(const staged_file&) = delete;
    staged_file& operator=(const staged_file&) = delete;

    bool ok() const { return error_ == 0; }

    static cairo_status_t write(void* closure, const unsigned char* data, unsigned int length) {
        auto* self = static_cast<staged_file*>(closure);
        if (self->error_ == 0 && std::fwrite(data, 1, length, self->file_) != length)
            self->error_ = errno != 0 ? errno : EIO;
        return self->error_ == 0 ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
    }

    // Closes the file and renames it into place.
    bool commit(std::string& error) {
        if (error_ == 0 && std::fflush(file_) != 0) error_ = errno;
        if (error_ == 0 && fsync(fileno(file_)) != 0 && errno != EINVAL) error_ = errno;
        if (std::fclose(file_) != 0 && error_ == 0) error_ = errno;
        file_ = nullptr;
        if (error_ == 0 && std::rename(temporary_.c_str(), path_.c_str()) != 0) error_ = errno;
        committed_ = error_ == 0;
        if (!committed_) error = std::strerror(error_);
        return committed_;
    }

    std::string reason() const { return std::strerror(error_); }

  private:
    std::string path_, temporary_;
    std::FILE* file_ = nullptr;
    int error_ = 0;
    bool made_ = false, committed_ = false;
};

bool fail(std::string& error, const std::string& reason) {
    error = reason;
    return false;
}

// Draws on a vector surface and finishes it, which writes it out.
bool draw_to(cairo_surface_t* surface, const std::function<void(cairo_t*)>& draw) {
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    const cairo_status_t drawn = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t finished = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    return drawn == CAIRO_STATUS_SUCCESS && finished == CAIRO_STATUS_SUCCESS;
}

bool write_png(staged_file& file, const map_picture& picture) {
    const picture_size size = measure_picture(picture);
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(size.width * png_scale),
                                   static_cast<int>(size.height * png_scale));
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, png_scale, png_scale);
    draw_picture(cr, picture);
    cairo_destroy(cr);
    const cairo_status_t status =
        cairo_surface_write_to_png_stream(surface, staged_file::write, &file);
    cairo_surface_destroy(surface);
    return status == CAIRO_STATUS_SUCCESS;
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
    return std::nullopt;
}

bool save_picture(const std::string& path, const map_picture& picture, std::string& error) {
    const std::optional<picture_format> format = format_of(path);
    if (!format) return fail(error, "the name does not end in .svg, .png or .pdf");
    staged_file file(path);
    if (!file.ok()) return fail(error, file.reason());
    const picture_size size = measure_picture(picture);
    const auto draw = [&picture](cairo_t* cr) { draw_picture(cr, picture); };
    bool drawn = false;
    switch (*format) {
    case picture_format::png: drawn = write_png(file, picture); break;
    case picture_format::svg:
        drawn = draw_to(
            cairo_svg_surface_create_for_stream(staged_file::write, &file, size.width, size.height),
            draw);
        break;
    case picture_format::pdf: {
        cairo_surface_t* surface =
            cairo_pdf_surface_create_for_stream(staged_file::write, &file, size.width, size.height);
        fix_pdf_dates(surface);
        drawn = draw_to(surface, draw);
        break;
    }
    }
    if (!file.ok()) return fail(error, file.reason());
    if (!drawn) return fail(error, "the picture could not be drawn");
    return file.commit(error);
}

bool save_text(const std::string& path, std::string_view text, std::string& error) {
    staged_file file(path);
    if (!file.ok()) return fail(error, file.reason());
    staged_file::write(&file, reinterpret_cast<const unsigned char*>(text.data()),
                       static_cast<unsigned int>(text.size()));
    if (!file.ok()) return fail(error, file.reason());
    return file.commit(error);
}

bool save_pdf(const std::string& path, double width, double height,
              const std::function<void(cairo_t*)>& draw_pages, std::string& error) {
    staged_file file(path);
    if (!file.ok()) return fail(error, file.reason());
    cairo_surface_t* surface =
        cairo_pdf_surface_create_for_stream(staged_file::write, &file, width, height);
    fix_pdf_dates(surface);
    const bool drawn = draw_to(surface, draw_pages);
    if (!file.ok()) return fail(error, file.reason());
    if (!drawn) return fail(error, "the document could not be drawn");
    return file.commit(error);
}

} // namespace tessary
