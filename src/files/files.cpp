// Writing files whole (see files.h). The temporary files in flight are
// listed where a signal handler can reach them without allocating; a slot
// is filled and emptied with those signals held off, so the handler never
// sees half a name.
#include "files/files.h"

#include "words/words.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace tessary {

namespace {

constexpr std::size_t temporary_slots = 8;
std::array<std::array<char, PATH_MAX>, temporary_slots> temporary_names;
std::array<volatile sig_atomic_t, temporary_slots> temporary_in_use{};
constexpr std::array<int, 3> cleanup_signals = {SIGINT, SIGTERM, SIGHUP};
// What each of cleanup_signals did before ours, to go on to.
std::array<struct sigaction, cleanup_signals.size()> previous_actions{};

// Holds the cleanup signals off this thread for the life of the value.
class signals_held {
  public:
    signals_held() {
        sigset_t set;
        sigemptyset(&set);
        for (const int sig : cleanup_signals) sigaddset(&set, sig);
        pthread_sigmask(SIG_BLOCK, &set, &before_);
    }
    ~signals_held() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
    signals_held(const signals_held&) = delete;
    signals_held& operator=(const signals_held&) = delete;

  private:
    sigset_t before_;
};

// Six letters for a temporary name, different at every call.
std::string random_suffix() {
    static std::uint64_t state = 0;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    state += 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(now.tv_nsec) ^
             (static_cast<std::uint64_t>(getpid()) << 32);
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    static constexpr char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string suffix(6, 'x');
    for (char& ch : suffix) {
        ch = letters[z % (sizeof letters - 1)];
        z /= sizeof letters - 1;
    }
    return suffix;
}

// Takes the first free slot for `name`; -1 when all are in use (the file is
// then not removed on a signal). Called with the signals held.
int take_slot(const std::string& name) {
    if (name.size() >= PATH_MAX) return -1;
    for (std::size_t i = 0; i < temporary_slots; ++i) {
        if (temporary_in_use[i]) continue;
        std::memcpy(temporary_names[i].data(), name.c_str(), name.size() + 1);
        temporary_in_use[i] = 1;
        return static_cast<int>(i);
    }
    return -1;
}

// A new file named `stem` and six letters, made with O_EXCL and mode 0666
// so that the umask applies by itself; its slot taken at once.
int make_temporary(const std::string& stem, std::string& name, int& slot) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + random_suffix();
        signals_held held;
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            slot = take_slot(name);
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    errno = EEXIST;
    return -1;
}

void release_slot(int slot) {
    if (slot < 0) return;
    signals_held held;
    temporary_in_use[static_cast<std::size_t>(slot)] = 0;
}

// Installed with SA_SIGINFO, so that a handler before ours that wants the
// signal's information and context is passed the real ones.
void on_cleanup_signal(int sig, siginfo_t* info, void* context) {
    const int saved = errno;
    for (std::size_t i = 0; i < temporary_slots; ++i)
        if (temporary_in_use[i]) unlink(temporary_names[i].data());
    for (std::size_t i = 0; i < cleanup_signals.size(); ++i) {
        if (cleanup_signals[i] != sig) continue;
        const struct sigaction& before = previous_actions[i];
        if ((before.sa_flags & SA_SIGINFO) != 0) {
            before.sa_sigaction(sig, info, context);
        } else if (before.sa_handler != SIG_DFL && before.sa_handler != SIG_IGN) {
            before.sa_handler(sig);
        } else {
            // The signal is held off while this runs: raised again under
            // the old action, it ends the program once we return.
            sigaction(sig, &before, nullptr);
            raise(sig);
        }
    }
    errno = saved;
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

// "NAME." beside the target, NAME cut short (at a character) where the
// whole with its six letters would pass the directory's limit on a name.
std::string temporary_stem_for(const std::string& target) {
    const std::string dir = directory_of(target);
    std::string base = target.substr(dir.size());
    const long limit = pathconf(dir.empty() ? "." : dir.c_str(), _PC_NAME_MAX);
    const std::size_t room = (limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX) - 7;
    if (base.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80) --cut;
        base.resize(cut);
    }
    return dir + base + ".";
}

bool fail(std::string& error, const std::string& reason) {
    error = reason;
    return false;
}

} // namespace

void fail_writes_past_the_size_limit() {
    signal(SIGXFSZ, SIG_IGN);
}

pending_file::pending_file(const std::string& path) {
    fail_writes_past_the_size_limit();
    error_ = resolve_links(path, target_);
    if (error_ != 0) return;
    fd_ = make_temporary(temporary_stem_for(target_), temporary_, slot_);
    if (fd_ < 0) {
        error_ = errno;
        temporary_.clear();
        return;
    }
    // A file replaced keeps its mode; a new one has the umask's.
    struct stat st;
    if (stat(target_.c_str(), &st) == 0 && fchmod(fd_, st.st_mode & 07777) != 0) error_ = errno;
}

pending_file::~pending_file() {
    if (fd_ >= 0) close(fd_);
    if (!temporary_.empty() && !committed_) unlink(temporary_.c_str());
    release_slot(slot_);
}

std::string pending_file::reason() const {
    if (special_) return say(words::reader, N_("it is not a regular file"));
    return std::strerror(error_);
}

bool pending_file::replaceable(std::string& error) {
    if (error_ != 0) return error = reason(), false;
    struct stat st;
    if (stat(target_.c_str(), &st) != 0) {
        if (errno == ENOENT) return true;
        error_ = errno;
    } else if (S_ISDIR(st.st_mode)) {
        error_ = EISDIR;
    } else if (!S_ISREG(st.st_mode)) {
        error_ = EINVAL;
        special_ = true;
    }
    if (error_ != 0) error = reason();
    return error_ == 0;
}

bool pending_file::write(std::string_view bytes) {
    if (error_ == 0 && finished_) error_ = EBADF;
    while (error_ == 0 && !bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            error_ = n < 0 ? errno : EIO;
        else
            bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return error_ == 0;
}

bool pending_file::finish(std::string& error) {
    if (fd_ >= 0) {
        if (error_ == 0 && fsync(fd_) != 0 && errno != EINVAL) error_ = errno;
        if (close(fd_) != 0 && error_ == 0) error_ = errno;
        fd_ = -1;
    }
    finished_ = true;
    if (error_ != 0) error = reason();
    return error_ == 0;
}

bool pending_file::commit(std::string& error) {
    if (!finish(error) || !replaceable(error)) return false;
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

bool commit_together(std::initializer_list<pending_file*> files, std::string& error,
                     const pending_file*& failed) {
    for (pending_file* f : files)
        if (!f->finish(error)) return failed = f, false;
    for (pending_file* f : files)
        if (!f->replaceable(error)) return failed = f, false;
    signals_held held;
    for (pending_file* f : files)
        if (!f->commit(error)) return failed = f, false;
    return true;
}

bool save_text(const std::string& path, std::string_view text, std::string& error) {
    pending_file file(path);
    if (!file.write(text)) return fail(error, file.reason());
    return file.commit(error);
}

bool same_file_as_descriptor(const std::string& path, int fd) {
    struct stat named, open;
    return stat(path.c_str(), &named) == 0 && fstat(fd, &open) == 0 &&
           named.st_dev == open.st_dev && named.st_ino == open.st_ino;
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
    for (std::size_t i = 0; i < cleanup_signals.size(); ++i) {
        const int sig = cleanup_signals[i];
        struct sigaction now {};
        if (sigaction(sig, nullptr, &now) != 0) continue;
        const bool with_info = (now.sa_flags & SA_SIGINFO) != 0;
        if (!with_info && now.sa_handler == SIG_IGN) continue;
        if (with_info && now.sa_sigaction == on_cleanup_signal) continue; // already ours
        previous_actions[i] = now;
        struct sigaction cleanup {};
        cleanup.sa_sigaction = on_cleanup_signal;
        cleanup.sa_flags = SA_SIGINFO;
        sigemptyset(&cleanup.sa_mask);
        for (const int other : cleanup_signals) sigaddset(&cleanup.sa_mask, other);
        sigaction(sig, &cleanup, nullptr);
    }
}

} // namespace tessary
