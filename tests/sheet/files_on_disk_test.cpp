// What tessary-sheet and tessary-key --draw leave on disk: a file replaced
// whole or not at all, its mode kept, a symbolic link written through, a
// long name written, a sheet and its key never the same file, and no
// temporary file after a failure or an interrupting signal.
#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const std::string& path, const std::string& text, mode_t mode = 0644) {
    std::ofstream(path, std::ios::binary) << text;
    chmod(path.c_str(), mode);
}

mode_t mode_of(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

bool is_link(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// Every name in the directory, hidden ones too.
std::set<std::string> listing(const std::string& dir) {
    std::set<std::string> names;
    DIR* d = opendir(dir.c_str());
    EXPECT_NE(d, nullptr) << dir;
    if (d == nullptr) return names;
    while (const dirent* e = readdir(d))
        if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
            names.insert(e->d_name);
    closedir(d);
    return names;
}

struct run_result {
    int status = -1; // the exit status, or 128 + the signal
    std::string err;
};

pid_t spawn(const char* program, const std::vector<std::string>& args, const std::string& dir,
            const std::string& err_path) {
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    pid_t pid = -1;
    posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

run_result finish(pid_t pid, const std::string& err_path) {
    int status = -1;
    waitpid(pid, &status, 0);
    run_result r{WIFEXITED(status)     ? WEXITSTATUS(status)
                 : WIFSIGNALED(status) ? 128 + WTERMSIG(status)
                                       : -1,
                 read_file(err_path)};
    std::remove(err_path.c_str());
    return r;
}

class FilesOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        umask(022);
        char name[] = "/tmp/tessary-files-test.XXXXXX";
        dir_ = mkdtemp(name);
        err_ = dir_ + ".err";
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

    std::string at(const std::string& name) const { return dir_ + "/" + name; }

    run_result run(const char* program, const std::vector<std::string>& args) {
        return finish(spawn(program, args, dir_, err_), err_);
    }

    std::string dir_, err_;
};

std::string long_name(char letter, const char* extension) {
    return std::string(251 - 4, letter) + extension;
}

struct disk_case {
    const char* name;
    std::function<void(const std::string& dir)> before;
    const char* program;
    std::vector<std::string> args;
    int status;
    std::string err; // the start of a line on standard error
    std::function<void(const std::string& dir)> after;
};

const char map_arg[] = "0110/0110/0000/0000";

// Whether some line on standard error begins with `message`.
bool has_line(const std::string& err, const std::string& message) {
    return err.rfind(message, 0) == 0 || err.find("\n" + message) != std::string::npos;
}

const disk_case disk_cases[] = {
    // Every target is checked before the first rename: one that cannot be
    // replaced (a folder, a pipe, a link to a folder) leaves every file old.
    {"the key pages a folder: the sheet stays",
     [](const std::string& d) {
         write_file(d + "/w.pdf", "old sheet");
         mkdir((d + "/k.pdf").c_str(), 0755);
     },
     TESSARY_SHEET,
     {"-s", "1", "-n", "5", "-o", "w.pdf", "--key", "k.pdf"},
     1,
     "tessary-sheet: cannot write 'k.pdf': Is a directory",
     [](const std::string& d) {
         EXPECT_EQ(read_file(d + "/w.pdf"), "old sheet");
         EXPECT_EQ(listing(d), (std::set<std::string>{"k.pdf", "w.pdf"}));
     }},
    {"the LaTeX key a folder: the sheet and the text key stay",
     [](const std::string& d) {
         write_file(d + "/w.tex", "old sheet");
         write_file(d + "/k.tsv", "old key");
         mkdir((d + "/k.tex").c_str(), 0755);
     },
     TESSARY_SHEET,
     {"-s", "1", "-n", "5", "-o", "w.tex", "--key", "k.tsv", "--key", "k.tex"},
     1,
     "tessary-sheet: cannot write 'k.tex': Is a directory",
     [](const std::string& d) {
         EXPECT_EQ(read_file(d + "/w.tex"), "old sheet");
         EXPECT_EQ(read_file(d + "/k.tsv"), "old key");
         EXPECT_EQ(listing(d), (std::set<std::string>{"k.tex", "k.tsv", "w.tex"}));
     }},
    {"the text key a pipe",
     [](const std::string& d) {
         write_file(d + "/w.pdf", "old sheet");
         mkfifo((d + "/k.tsv").c_str(), 0600);
     },
     TESSARY_SHEET,
     {"-s", "1", "-n", "5", "-o", "w.pdf", "--key", "k.tsv"},
     1,
     "tessary-sheet: cannot write 'k.tsv': it is not a regular file",
     [](const std::string& d) { EXPECT_EQ(read_file(d + "/w.pdf"), "old sheet"); }},
    {"the sheet a link to a folder",
     [](const std::string& d) {
         mkdir((d + "/folder").c_str(), 0755);
         symlink("folder", (d + "/w.pdf").c_str());
         write_file(d + "/k.tsv", "old key");
     },
     TESSARY_SHEET,
     {"-s", "1", "-n", "5", "-o", "w.pdf", "--key", "k.tsv"},
     1,
     "tessary-sheet: cannot write 'w.pdf': Is a directory",
     [](const std::string& d) {
         EXPECT_EQ(read_file(d + "/k.tsv"), "old key");
         EXPECT_EQ(listing(d), (std::set<std::string>{"folder", "k.tsv", "w.pdf"}));
     }},
    {"a link to a regular file is written through",
     [](const std::string& d) {
         write_file(d + "/real.pdf", "old sheet");
         symlink("real.pdf", (d + "/w.pdf").c_str());
     },
     TESSARY_SHEET,
     {"-s", "1", "-n", "5", "-o", "w.pdf", "--key", "k.tsv"},
     0,
     "",
     [](const std::string& d) {
         EXPECT_EQ(read_file(d + "/real.pdf").rfind("%PDF", 0), 0u);
         EXPECT_EQ(listing(d), (std::set<std::string>{"k.tsv", "real.pdf", "w.pdf"}));
     }},
    // A failed key: the sheet that was there stays, no temporary file.
    {"failed key keeps the old sheet",
     [](const std::string& d) { write_file(d + "/keep.pdf", "old sheet"); },
     TESSARY_SHEET,
     {"-s", "2", "-o", "keep.pdf", "--key", "/nonexistent/key.tsv"},
     1,
     "tessary-sheet: cannot write '/nonexistent/key.tsv': No such file or directory",
     [](const std::string& d) {
         EXPECT_EQ(read_file(d + "/keep.pdf"), "old sheet");
         EXPECT_EQ(listing(d), std::set<std::string>{"keep.pdf"});
     }},
    // The sheet and the key may not be one file, by any path.
    {"same name",
     nullptr,
     TESSARY_SHEET,
     {"-s", "1", "-o", "same.pdf", "--key", "same.pdf"},
     2,
     "tessary-sheet: -o and --key name the same file",
     [](const std::string& d) { EXPECT_TRUE(listing(d).empty()); }},
    {"same file by another path",
     [](const std::string& d) { mkdir((d + "/sub").c_str(), 0755); },
     TESSARY_SHEET,
     {"-s", "1", "-o", "same.pdf", "--key", "sub/../same.pdf"},
     2,
     "tessary-sheet: -o and --key name the same file",
     [](const std::string& d) { EXPECT_EQ(listing(d), std::set<std::string>{"sub"}); }},
    {"same file through a link",
     [](const std::string& d) {
         write_file(d + "/same.pdf", "old sheet");
         symlink("same.pdf", (d + "/key.tsv").c_str());
     },
     TESSARY_SHEET,
     {"-s", "1", "-o", "same.pdf", "--key", "key.tsv"},
     2,
     "tessary-sheet: -o and --key name the same file",
     [](const std::string& d) { EXPECT_EQ(read_file(d + "/same.pdf"), "old sheet"); }},
    {"same file by a hard link",
     [](const std::string& d) {
         write_file(d + "/same.pdf", "old sheet");
         link((d + "/same.pdf").c_str(), (d + "/key.tsv").c_str());
     },
     TESSARY_SHEET,
     {"-s", "1", "-o", "same.pdf", "--key", "key.tsv"},
     2,
     "tessary-sheet: -o and --key name the same file",
     [](const std::string& d) { EXPECT_EQ(read_file(d + "/same.pdf"), "old sheet"); }},
    // Only a PDF by its name.
    {"-o not a .pdf",
     nullptr,
     TESSARY_SHEET,
     {"-o", "x.svg"},
     2,
     "tessary-sheet: -o: the file name must end in .pdf",
     [](const std::string& d) { EXPECT_TRUE(listing(d).empty()); }},
    {"-o -",
     nullptr,
     TESSARY_SHEET,
     {"-o", "-"},
     2,
     "tessary-sheet: -o: the file name must end in .pdf",
     [](const std::string& d) { EXPECT_TRUE(listing(d).empty()); }},
    // A file replaced keeps its mode; a new one gets the usual mode.
    {"modes kept and given",
     [](const std::string& d) {
         write_file(d + "/secret.tsv", "old key", 0600);
         write_file(d + "/s.pdf", "old sheet", 0640);
     },
     TESSARY_SHEET,
     {"-s", "3", "-o", "s.pdf", "--key", "secret.tsv"},
     0,
     "",
     [](const std::string& d) {
         EXPECT_EQ(mode_of(d + "/secret.tsv"), 0600u);
         EXPECT_EQ(mode_of(d + "/s.pdf"), 0640u);
         EXPECT_NE(read_file(d + "/secret.tsv"), "old key");
     }},
    {"a new sheet's mode",
     nullptr,
     TESSARY_SHEET,
     {"-s", "3", "-o", "new.pdf"},
     0,
     "",
     [](const std::string& d) { EXPECT_EQ(mode_of(d + "/new.pdf"), 0644u); }},
    {"--draw keeps the mode",
     [](const std::string& d) { write_file(d + "/priv.svg", "old", 0600); },
     TESSARY_KEY,
     {"--draw", "priv.svg", map_arg},
     0,
     "",
     [](const std::string& d) {
         EXPECT_EQ(mode_of(d + "/priv.svg"), 0600u);
         EXPECT_EQ(read_file(d + "/priv.svg").rfind("<?xml", 0), 0u);
     }},
    // Symbolic links are written through and stay links.
    {"sheet through a link",
     [](const std::string& d) {
         mkdir((d + "/real").c_str(), 0755);
         write_file(d + "/real/t.pdf", "old sheet");
         symlink("real/t.pdf", (d + "/link.pdf").c_str());
     },
     TESSARY_SHEET,
     {"-s", "5", "-o", "link.pdf", "--key", "link.tsv"},
     0,
     "",
     [](const std::string& d) {
         EXPECT_TRUE(is_link(d + "/link.pdf"));
         EXPECT_EQ(read_file(d + "/real/t.pdf").rfind("%PDF", 0), 0u);
         EXPECT_EQ(listing(d + "/real"), std::set<std::string>{"t.pdf"});
     }},
    {"--draw through a dangling link",
     [](const std::string& d) {
         mkdir((d + "/real").c_str(), 0755);
         symlink("real/new.png", (d + "/link.png").c_str());
     },
     TESSARY_KEY,
     {"--draw", "link.png", map_arg},
     0,
     "",
     [](const std::string& d) {
         EXPECT_TRUE(is_link(d + "/link.png"));
         EXPECT_EQ(read_file(d + "/real/new.png").substr(1, 3), "PNG");
     }},
    // Names as long as a name may be.
    {"a 251-character sheet",
     nullptr,
     TESSARY_SHEET,
     {"-s", "1", "-n", "2", "-o", long_name('c', ".pdf")},
     0,
     "",
     [](const std::string& d) {
         EXPECT_EQ(listing(d), std::set<std::string>{long_name('c', ".pdf")});
     }},
    {"a 251-character picture",
     nullptr,
     TESSARY_KEY,
     {"--draw", long_name('a', ".svg"), map_arg},
     0,
     "",
     [](const std::string& d) {
         EXPECT_EQ(listing(d), std::set<std::string>{long_name('a', ".svg")});
     }},
};

TEST_F(FilesOnDisk, EachKindOfFile) {
    for (const disk_case& c : disk_cases) {
        SCOPED_TRACE(c.name);
        std::system(("rm -rf '" + dir_ + "' && mkdir '" + dir_ + "'").c_str());
        if (c.before) c.before(dir_);
        const run_result r = run(c.program, c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_TRUE(has_line(r.err, c.err)) << r.err;
        c.after(dir_);
    }
}

// Under a file size limit (ulimit -f) a write fails like any other: each
// program says so and ends with status 1, the earlier files stay as they
// were and no temporary file is left. Nothing here ignores SIGXFSZ: the
// programs must.
TEST_F(FilesOnDisk, AFileSizeLimitIsAFailureLikeAnyOther) {
    std::string key, answers = "Student,1\n";
    key = "1001/0000/0000/1001\tB'D'\n";
    for (int n = 0; n < 400; ++n) answers += "Student number " + std::to_string(n) + ",B'D'\n";
    const struct {
        const char* name;
        const char* program;
        std::vector<std::string> args;
        std::vector<std::string> old_files; // each holding "old"
        const char* message;
    } cases[] = {
        {"a sheet and its key",
         TESSARY_SHEET,
         {"-s", "3", "-o", "s.pdf", "--key", "s.tsv"},
         {"s.pdf", "s.tsv"},
         "tessary-sheet: cannot write 's.pdf': File too large"},
        {"a picture",
         TESSARY_KEY,
         {"--draw", "m.png", map_arg},
         {"m.png"},
         "tessary-key: cannot write 'm.png': File too large"},
        {"a class's summary",
         TESSARY_KEY,
         {"--grade", "key.tsv", "--summary", "sum.csv", "class.csv"},
         {"sum.csv"},
         "tessary-key: cannot write 'sum.csv': File too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::system(("rm -rf '" + dir_ + "' && mkdir '" + dir_ + "'").c_str());
        write_file(at("key.tsv"), key);
        write_file(at("class.csv"), answers);
        std::set<std::string> before{"key.tsv", "class.csv"};
        for (const std::string& name : c.old_files) {
            write_file(at(name), "old");
            before.insert(name);
        }
        // The limit is the child's: lowered around the spawn, then put back.
        rlimit was{};
        getrlimit(RLIMIT_FSIZE, &was);
        const rlimit limit{4096, was.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        const pid_t pid = spawn(c.program, c.args, dir_, err_);
        setrlimit(RLIMIT_FSIZE, &was);
        const run_result r = finish(pid, err_);
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_TRUE(has_line(r.err, c.message)) << r.err;
        EXPECT_EQ(listing(dir_), before) << "a temporary file is left";
        for (const std::string& name : c.old_files) EXPECT_EQ(read_file(at(name)), "old") << name;
    }
}

// A real signal while the sheet and its key are being written: the old
// files stay as they were, no temporary file remains, and the program dies
// of the signal.
TEST_F(FilesOnDisk, InterruptedRunLeavesNothingHalfWritten) {
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(sig));
        std::system(("rm -rf '" + dir_ + "' && mkdir '" + dir_ + "'").c_str());
        write_file(at("k.pdf"), "old sheet");
        write_file(at("k.tsv"), "old key");
        const pid_t pid = spawn(TESSARY_SHEET,
                                {"-s", "9", "-n", "200", "--dont-cares", "50", "--terms", "1-8",
                                 "--answers", "both", "-o", "k.pdf", "--key", "k.tsv"},
                                dir_, err_);
        // Once a temporary file is there, the run is writing.
        for (int waited = 0; listing(dir_).size() == 2 && waited < 100000; ++waited) usleep(100);
        ASSERT_GT(listing(dir_).size(), 2u) << "no temporary file seen";
        kill(pid, sig);
        const run_result r = finish(pid, err_);
        EXPECT_EQ(r.status, 128 + sig);
        EXPECT_EQ(listing(dir_), (std::set<std::string>{"k.pdf", "k.tsv"}));
        EXPECT_EQ(read_file(at("k.pdf")), "old sheet");
        EXPECT_EQ(read_file(at("k.tsv")), "old key");
    }
}

} // namespace
