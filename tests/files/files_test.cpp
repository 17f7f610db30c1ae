// Files written whole, at the edges a review found: a write that fails
// halfway (a file-size limit) leaves the old file as it was; a write after
// finish() fails; modes come from the umask or the file replaced; and a
// signal at a known point removes the temporary file and goes on to the
// handler that was there before, or ends the program by the signal. Each
// case that changes the process (limits, umask, handlers) runs in a child.
#include "files/files.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace tessary {
namespace {

class Files : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/tessary-files-test.XXXXXX";
        dir = mkdtemp(name);
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

    std::string path(const std::string& name) const { return dir + "/" + name; }

    std::set<std::string> names() const {
        std::set<std::string> found;
        if (DIR* d = opendir(dir.c_str())) {
            while (const dirent* e = readdir(d))
                if (e->d_name[0] != '.') found.insert(e->d_name);
            closedir(d);
        }
        return found;
    }

    std::string contents(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Runs `body` in a child and returns its wait status.
    template <class Body> int in_child(Body body) {
        const pid_t pid = fork();
        if (pid == 0) {
            body();
            _exit(0);
        }
        int status = -1;
        waitpid(pid, &status, 0);
        return status;
    }

    std::string dir;
};

TEST_F(Files, AWriteThatFailsHalfwayLeavesTheOldFile) {
    std::string error;
    ASSERT_TRUE(save_text(path("key.tsv"), "old\n", error)) << error;
    const int status = in_child([&] {
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::string why;
        const bool saved = save_text(path("key.tsv"), std::string(100000, 'x'), why);
        _exit(!saved && why == std::strerror(EFBIG) ? 0 : 1);
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the write did not fail with EFBIG";
    EXPECT_EQ(contents("key.tsv"), "old\n");
    EXPECT_EQ(names(), std::set<std::string>{"key.tsv"}) << "no temporary file is left";
}

TEST_F(Files, AWriteAfterFinishFails) {
    {
        pending_file file(path("a.txt"));
        std::string error;
        ASSERT_TRUE(file.write("whole"));
        ASSERT_TRUE(file.finish(error)) << error;
        EXPECT_FALSE(file.write("more"));
        EXPECT_FALSE(file.commit(error));
    }
    EXPECT_TRUE(names().empty()) << "nothing committed, nothing left";
}

TEST_F(Files, ModesFromTheUmaskOrTheFileReplaced) {
    const int status = in_child([&] {
        umask(027);
        std::string error;
        const bool made = save_text(path("new.txt"), "x", error);
        struct stat st;
        stat(path("new.txt").c_str(), &st);
        const mode_t mask = umask(0);
        _exit(made && (st.st_mode & 07777) == 0640 && mask == 027 ? 0 : 1);
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "mode 0640 under umask 027";
    std::string error;
    ASSERT_TRUE(save_text(path("kept.txt"), "old", error)) << error;
    chmod(path("kept.txt").c_str(), 0604);
    ASSERT_TRUE(save_text(path("kept.txt"), "new", error)) << error;
    struct stat st;
    ASSERT_EQ(stat(path("kept.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
}

// Set by the handler installed before ours.
volatile sig_atomic_t earlier_handler_ran = 0;

// SIGTERM raised while a file is being written, at a known point: with a
// handler installed before, the temporary goes and that handler runs; with
// none, the temporary goes and the program ends by the signal.
TEST_F(Files, ASignalRemovesTheTemporaryAndGoesOnToWhatWasThere) {
    std::string error;
    ASSERT_TRUE(save_text(path("sheet.pdf"), "old", error)) << error;
    for (const bool earlier : {true, false}) {
        SCOPED_TRACE(earlier ? "a handler before ours" : "the default action");
        const int status = in_child([&] {
            if (earlier) signal(SIGTERM, [](int) { earlier_handler_ran = 1; });
            remove_temporaries_on_signals();
            pending_file file(path("sheet.pdf"));
            file.write("new, half written");
            raise(SIGTERM);
            _exit(earlier_handler_ran ? 3 : 4); // only with the handler before ours
        });
        if (earlier)
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
        else
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
        EXPECT_EQ(names(), std::set<std::string>{"sheet.pdf"}) << "no temporary file is left";
        EXPECT_EQ(contents("sheet.pdf"), "old");
    }
}

// Set by an earlier SA_SIGINFO handler: the sender's pid it was given, and
// whether it had a context.
volatile sig_atomic_t earlier_info_pid = 0, earlier_had_context = 0;

// A handler before ours that takes the signal's information is passed the
// real siginfo_t and context, not null pointers.
TEST_F(Files, AnEarlierHandlerWithInformationIsPassedTheRealOnes) {
    const int status = in_child([&] {
        struct sigaction with_info {};
        with_info.sa_flags = SA_SIGINFO;
        with_info.sa_sigaction = [](int, siginfo_t* info, void* context) {
            earlier_info_pid = info != nullptr ? info->si_pid : -1;
            earlier_had_context = context != nullptr;
        };
        sigemptyset(&with_info.sa_mask);
        sigaction(SIGTERM, &with_info, nullptr);
        remove_temporaries_on_signals();
        pending_file file(path("sheet.pdf"));
        file.write("half written");
        kill(getpid(), SIGTERM);
        _exit(earlier_info_pid == getpid() && earlier_had_context ? 3 : 4);
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
    EXPECT_TRUE(names().empty()) << "no temporary file is left";
}

TEST_F(Files, CommittedTogether) {
    std::string error;
    pending_file a(path("a.pdf")), b(path("b.tsv"));
    a.write("sheet");
    b.write("key");
    const pending_file* failed = nullptr;
    ASSERT_TRUE(commit_together({&a, &b}, error, failed)) << error;
    EXPECT_EQ(contents("a.pdf"), "sheet");
    EXPECT_EQ(contents("b.tsv"), "key");
    EXPECT_EQ(names(), (std::set<std::string>{"a.pdf", "b.tsv"}));
}

} // namespace
} // namespace tessary
