// Writing files whole (see files.h). Cairo writes through a stream of
// ours, so that a failed write is seen with its reason; the file is then
// renamed into place. The temporary files in flight are listed where a
// signal handler can reach them without allocating.
#include "render/files.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tessary {

namespace {

// The temporary files that SIGINT, SIGTERM and SIGHUP remove. A slot is
// filled and emptied with those signals blocked, so the handler never sees
// half a name.
constexpr std::size_t temporary_slots = 8;
std::array<std::array<char, PATH_MAX>, temporary_slots> temporary_names;
std::array<volatile sig_atomic_t, temporary_slots> temporary_in_use{};
constexpr std::array<int, 3> cleanup_signals = {SIGINT, SIGTERM, SIGHUP};

// Blocks the cleanup signals for the life of the value.
class signals_held {
  public:
    signals_held() {
        sigset_t set;
        sigemptyset(&set);
        for (const int sig : cleanup_signals) sigaddset(&set, sig);
        sigprocmask(SIG_BLOCK, &set, &before_);
    }
    ~signals_held() { sigprocmask(SIG_SETMASK, &before_, nullptr); }
    signals_held(const signals_held&) = delete;
    signals_held& operator=(const signals_held&) = delete;

  private:
    sigset_t before_;
};

// mkstemp() on `name` with its slot taken at once; -1 for the slot when all
// are in use (the file is then not removed on a signal).
int make_temporary(std::string& name, int& slot) {
    signals_held held;
    const int fd = mkstemp(name.data());
    slot = -1;
    if (fd < 0 || name.size() >= PATH_MAX) return fd;
    for (std::size_t i = 0; i < temporary_slots; ++i) {
        if (temporary_in_use[i]) continue;
        std::memcpy(temporary_names[i].data(), name.c_str(), name.size() + 1);
        temporary_in_use[i] = 1;
        slot = static_cast<int>(i);
        break;
    }
    return fd;
}

void release_slot(int slot) {
    if (slot < 0) return;
    signals_held held;
    temporary_in_use[static_cast<std::size_t>(slot)] = 0;
}

void on_cleanup_signal(int sig) {
    for (std::size_t i = 0; i < temporary_slots; ++i)
        if (temporary_in_use[i]) unlink(temporary_names[i].data());
    // The handler was reset on entry: the signal, raised again, ends the
    // program as it would have without us once the handler returns.
    raise(sig);
}

std::string directory_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "";
    return path.substr(0, slash + 1);
}

// The file a name reaches once symbolic links are followed; for a dangling
// link, the file it would make. 0, or the errno of the failure.
int resolve_links(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(target.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode)) return 0;
        std::array<char, PATH_MAX> link{};
        const ssize_t n = readlink(target.c_str(), link.data(), link.size() - 1);
        if (n < 0) return errno;
        const std::string next(link.data(), static_cast<std::size_t>(n));
        target = next.starts_with('/') ? next : directory_of(target) + next;
    }
    return ELOOP;
}

// "NAME.XXXXXX" beside the target, NAME cut short (at a character) where
// the whole would pass the directory's limit on a name's length.
std::string temporary_name_for(const std::string& target) {
    const std::string dir = directory_of(target);
    std::string base = target.substr(dir.size());
    const long limit = pathconf(dir.empty() ? "." : dir.c_str(), _PC_NAME_MAX);
    const std::size_t room = (limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX) - 7;
    if (base.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80) --cut;
        base.resize(cut);
    }
    return dir + base + ".XXXXXX";
}

// The mode the new file gets: the old file's, or the usual one.
mode_t mode_for(const std::string& target) {
    struct stat st;
    if (stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

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

bool write_png(pending_file& file, const map_picture& picture) {
    const picture_size size = measure_picture(picture);
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(size.width * png_scale),
                                   static_cast<int>(size.height * png_scale));
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, png_scale, png_scale);
    draw_picture(cr, picture);
    cairo_destroy(cr);
    const cairo_status_t status =
        cairo_surface_write_to_png_stream(surface, pending_file::write_for_cairo, &file);
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

pending_file::pending_file(const std::string& path) {
    error_ = resolve_links(path, target_);
    if (error_ != 0) return;
    temporary_ = temporary_name_for(target_);
    const int fd = make_temporary(temporary_, slot_);
    if (fd < 0) {
        error_ = errno;
        temporary_.clear();
        return;
    }
    if (fchmod(fd, mode_for(target_)) != 0) error_ = errno;
    file_ = fdopen(fd, "wb");
    if (file_ == nullptr) {
        error_ = errno;
        close(fd);
    }
}

pending_file::~pending_file() {
    if (file_ != nullptr) std::fclose(file_);
    if (!temporary_.empty() && !committed_) unlink(temporary_.c_str());
    release_slot(slot_);
}

std::string pending_file::reason() const {
    return std::strerror(error_);
}

bool pending_file::write(std::string_view bytes) {
    if (error_ == 0 && file_ != nullptr &&
        std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        error_ = errno != 0 ? errno : EIO;
    return error_ == 0;
}

cairo_status_t pending_file::write_for_cairo(void* closure, const unsigned char* data,
                                             unsigned int length) {
    auto* self = static_cast<pending_file*>(closure);
    const bool written = self->write({reinterpret_cast<const char*>(data), length});
    return written ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

bool pending_file::finish(std::string& error) {
    if (file_ != nullptr) {
        if (error_ == 0 && std::fflush(file_) != 0) error_ = errno;
        if (error_ == 0 && fsync(fileno(file_)) != 0 && errno != EINVAL) error_ = errno;
        if (std::fclose(file_) != 0 && error_ == 0) error_ = errno;
        file_ = nullptr;
    }
    if (error_ != 0) error = reason();
    return error_ == 0;
}

bool pending_file::commit(std::string& error) {
    if (!finish(error)) return false;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error_ = errno;
        error = reason();
        return false;
    }
    committed_ = true;
    release_slot(slot_);
    slot_ = -1;
    return true;
}

bool write_pdf(pending_file& file, double width, double height,
               const std::function<void(cairo_t*)>& draw_pages, std::string& error) {
    if (!file.ok()) return fail(error, file.reason());
    cairo_surface_t* surface =
        cairo_pdf_surface_create_for_stream(pending_file::write_for_cairo, &file, width, height);
    fix_pdf_dates(surface);
    const bool drawn = draw_to(surface, draw_pages);
    if (!file.ok()) return fail(error, file.reason());
    if (!drawn) return fail(error, "the document could not be drawn");
    return true;
}

bool save_picture(const std::string& path, const map_picture& picture, std::string& error) {
    const std::optional<picture_format> format = format_of(path);
    if (!format) return fail(error, "the name does not end in .svg, .png or .pdf");
    pending_file file(path);
    if (!file.ok()) return fail(error, file.reason());
    const picture_size size = measure_picture(picture);
    const auto draw = [&picture](cairo_t* cr) { draw_picture(cr, picture); };
    bool drawn = false;
    switch (*format) {
    case picture_format::png: drawn = write_png(file, picture); break;
    case picture_format::svg:
        drawn = draw_to(cairo_svg_surface_create_for_stream(pending_file::write_for_cairo, &file,
                                                            size.width, size.height),
                        draw);
        break;
    case picture_format::pdf:
        return write_pdf(file, size.width, size.height, draw, error) && file.commit(error);
    }
    if (!file.ok()) return fail(error, file.reason());
    if (!drawn) return fail(error, "the picture could not be drawn");
    return file.commit(error);
}

bool save_text(const std::string& path, std::string_view text, std::string& error) {
    pending_file file(path);
    if (!file.write(text)) return fail(error, file.reason());
    return file.commit(error);
}

bool save_pdf(const std::string& path, double width, double height,
              const std::function<void(cairo_t*)>& draw_pages, std::string& error) {
    pending_file file(path);
    return write_pdf(file, width, height, draw_pages, error) && file.commit(error);
}

bool same_file(const std::string& a, const std::string& b) {
    std::string ta, tb;
    if (resolve_links(a, ta) != 0 || resolve_links(b, tb) != 0) return a == b;
    struct stat sa, sb;
    if (stat(ta.c_str(), &sa) == 0 && stat(tb.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    // Not both there yet: the same name in the same directory.
    const std::string da = directory_of(ta), db = directory_of(tb);
    if (ta.substr(da.size()) != tb.substr(db.size())) return false;
    if (stat(da.empty() ? "." : da.c_str(), &sa) != 0 ||
        stat(db.empty() ? "." : db.c_str(), &sb) != 0)
        return ta == tb;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void remove_temporaries_on_signals() {
    for (const int sig : cleanup_signals) {
        struct sigaction now {};
        if (sigaction(sig, nullptr, &now) != 0 || now.sa_handler == SIG_IGN) continue;
        struct sigaction cleanup {};
        cleanup.sa_handler = on_cleanup_signal;
        sigemptyset(&cleanup.sa_mask);
        for (const int other : cleanup_signals) sigaddset(&cleanup.sa_mask, other);
        cleanup.sa_flags = SA_RESETHAND;
        sigaction(sig, &cleanup, nullptr);
    }
}

} // namespace tessary
