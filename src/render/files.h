// Files written whole or not at all: pictures (SVG, PNG and PDF, chosen by
// the file name's extension), documents of pages, and text.
//
// Each file is written to a temporary name beside its target and renamed
// over it only when complete, so a failure or an interruption leaves the
// target as it was and no partial file. A symbolic link is written through:
// the file it names is replaced and the link stays. A file that is replaced
// keeps its permissions; a new one gets the usual mode (0666 less the
// umask).
#pragma once

#include "render/picture.h"

#include <cstdio>
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

// A file being written. Until commit() the target is untouched; a
// pending_file that is not committed removes its temporary file. Several
// can be written and then committed together, so that either all of them
// are replaced or (but for a failed rename) none.
class pending_file {
  public:
    explicit pending_file(const std::string& path);
    ~pending_file();
    pending_file(const pending_file&) = delete;
    pending_file& operator=(const pending_file&) = delete;

    bool ok() const { return error_ == 0; }
    std::string reason() const; // why not, when !ok()

    bool write(std::string_view bytes);
    // For cairo's streams; `closure` is the pending_file.
    static cairo_status_t write_for_cairo(void* closure, const unsigned char* data,
                                          unsigned int length);

    // Flushes, syncs and closes the file: it is complete.
    bool finish(std::string& error);
    // Finishes it if need be and renames it into place.
    bool commit(std::string& error);

  private:
    std::string target_, temporary_;
    std::FILE* file_ = nullptr;
    int error_ = 0;
    int slot_ = -1; // in the list of temporary files the signal handler removes
    bool committed_ = false;
};

// Draws the pages into a pending PDF of `width` by `height` points:
// `draw_pages` gets the cairo context and calls cairo_show_page() after each
// page. The same drawing gives the same bytes.
bool write_pdf(pending_file& file, double width, double height,
               const std::function<void(cairo_t*)>& draw_pages, std::string& error);

// Each writes one file whole; on failure returns false and says why in
// `error` (without the file's name).
bool save_picture(const std::string& path, const map_picture& picture, std::string& error);
bool save_text(const std::string& path, std::string_view text, std::string& error);
bool save_pdf(const std::string& path, double width, double height,
              const std::function<void(cairo_t*)>& draw_pages, std::string& error);

// Whether two names reach one file: the same name, another path to it, a
// hard link, or a symbolic link to it; also for files yet to be made.
bool same_file(const std::string& a, const std::string& b);

// From now on SIGINT, SIGTERM and SIGHUP (unless ignored) first remove the
// temporary files of every pending_file, then end the program as before.
void remove_temporaries_on_signals();

} // namespace tessary
