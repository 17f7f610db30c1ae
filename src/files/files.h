// Files written whole or not at all, as coreutils and gnulib write them: to
// a temporary name beside the target, renamed over it only when complete,
// so a failure or an interruption leaves the target as it was and no
// partial file. A symbolic link is written through: the file it names is
// replaced and the link stays. A file that is replaced keeps its
// permissions; a new one gets the usual mode (0666 less the umask, which
// applies by itself). Draws nothing: the pictures and documents are written
// through it by the render library.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tessary {

// A file being written. Until commit() the target is untouched; a
// pending_file that is not committed removes its temporary file.
class pending_file {
  public:
    explicit pending_file(const std::string& path);
    ~pending_file();
    pending_file(const pending_file&) = delete;
    pending_file& operator=(const pending_file&) = delete;

    bool ok() const { return error_ == 0; }
    std::string reason() const; // why not, when !ok()

    // False once anything has failed, and after finish().
    bool write(std::string_view bytes);

    // Writes out, syncs and closes the file: it is complete.
    bool finish(std::string& error);
    // Whether the target may be replaced: it is absent, or a regular file
    // (through its links); not a folder, a device or a pipe.
    bool replaceable(std::string& error);
    // Finishes it if need be and renames it into place.
    bool commit(std::string& error);

  private:
    std::string target_, temporary_;
    int fd_ = -1;
    int error_ = 0;
    int slot_ = -1; // in the list of temporary files the signal handler removes
    bool finished_ = false, committed_ = false;
    bool special_ = false; // the target is there and not a regular file
};

// Finishes every file and checks that every target may be replaced, then
// renames them into place one after another with the signals that remove
// temporaries held off across all the renames, so that an interruption
// leaves all of them new or (but for a failed rename) all of them old, and a
// target that cannot be replaced leaves them all old. On failure `failed`
// is the one that failed.
bool commit_together(std::initializer_list<pending_file*> files, std::string& error,
                     const pending_file*& failed);

// Writes one file whole; on failure returns false and says why in `error`
// (without the file's name).
bool save_text(const std::string& path, std::string_view text, std::string& error);

// Whether two names reach one file: the same name, another path to it, a
// hard link, or a symbolic link to it; also for files yet to be made.
bool same_file(const std::string& a, const std::string& b);
// Whether `path` names the file open on descriptor `fd` (standard input: 0).
bool same_file_as_descriptor(const std::string& path, int fd);

// A write past the file size limit (ulimit -f) fails with EFBIG, to be told
// like any other failure, instead of ending the program by SIGXFSZ with its
// temporary files left behind. Every program that writes files does this
// at its start; a pending_file does it too.
void fail_writes_past_the_size_limit();

// From now on SIGINT, SIGTERM and SIGHUP (unless ignored) first remove the
// temporary files of every pending_file, then go on to what was there
// before: a handler installed earlier is called, else the program ends by
// the signal as it would have.
void remove_temporaries_on_signals();

} // namespace tessary
