// tessary-key as a script sees it: answers on standard output, errors on
// standard error, and the exit status.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct run_result {
    int status;
    std::string out, err;
};

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs tessary-key with the arguments and standard input given.
run_result run_key(const std::vector<std::string>& args, const std::string& input = "") {
    char dir_template[] = "/tmp/tessary-key-test.XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    const std::string in = dir + "/in", out = dir + "/out", err = dir + "/err";
    std::ofstream(in, std::ios::binary) << input;

    std::vector<char*> argv{const_cast<char*>(TESSARY_KEY)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT, 0600);
    pid_t pid;
    int wait_status = -1;
    if (posix_spawn(&pid, TESSARY_KEY, &actions, nullptr, argv.data(), environ) == 0)
        waitpid(pid, &wait_status, 0);
    posix_spawn_file_actions_destroy(&actions);
    run_result result{WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1, read_file(out),
                      read_file(err)};
    for (const std::string& path : {in, out, err}) std::remove(path.c_str());
    rmdir(dir.c_str());
    return result;
}

const char checkerboard_answer[] = "A'B'C'D'+ABC'D'+A'BC'D+AB'C'D+A'B'CD+ABCD+A'BCD'+AB'CD'";

TEST(TessaryKey, AnswersEachMapArgumentOnItsOwnLine) {
    const run_result r = run_key({"1010/0101/1010/0101", "1111111110000001", "0000000000000000",
                                  "1X1X/X1X1/1X1X/X1X1", "x001/x00x/x000/x011"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(checkerboard_answer) + "\nC'+A'B'D+AB'D'\n0\n1\nB'D'+CD'A\n");
    EXPECT_EQ(r.err, "");
}

TEST(TessaryKey, ReadsStandardInputSkippingBlankLines) {
    const run_result r = run_key({}, "1010/0101/1010/0101\n\n   \n0110/0110/0000/0000\r\n"
                                     "  1111111111111111\t\n0000/0000/0111/0100");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(checkerboard_answer) + "\nBC'\n1\nCDA+A'BC\n");
}

TEST(TessaryKey, MintermLists) {
    struct row {
        std::vector<std::string> args;
        std::string out;
    };
    const row rows[] = {
        {{"--minterms", "0,4,15"}, "C'D'A'+ABCD\n"},
        {{"-m", "0,12,5,9,3,15,6,10"}, std::string(checkerboard_answer) + "\n"},
        {{"--minterms", "1,3", "--dont-cares", "0,2"}, "A'B'\n"},
        {{"--minterms="}, "0\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.args[0] + " " + r.args.back());
        const run_result result = run_key(r.args);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, r.out);
    }
}

TEST(TessaryKey, BadMapsStopTheBatchWithStatusOne) {
    struct row {
        std::vector<std::string> args;
        std::string input, out, err;
    };
    const row rows[] = {
        {{"0110/0110/0000/0000", "0110/0110/0000", "1111111111111111"},
         "",
         "BC'\n",
         "tessary-key: argument 2: has 3 groups separated by '/' (a map has 4 groups of 4 "
         "cells)\n"},
        {{""}, "", "", "tessary-key: argument 1: empty map (a map is 16 cells of 0, 1 or X)\n"},
        {{},
         "0110/0110/0000/0000\n\n0120/0110/0000/0000\n1111111111111111\n",
         "BC'\n",
         "tessary-key: line 3: bad character '2' at position 3 (a cell is 0, 1 or X)\n"},
        {{},
         std::string("01100110\0"
                     "00000000\n",
                     18),
         "",
         "tessary-key: line 1: bad character '\\x00' at position 9 (a cell is 0, 1 or X)\n"},
        {{"--minterms", "3,16"},
         "",
         "",
         "tessary-key: --minterms: minterm 16 is out of range (0 to 15)\n"},
        {{"-m", "3", "-d", "3"},
         "",
         "",
         "tessary-key: minterm 3 is both in --minterms and --dont-cares\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.err);
        const run_result result = run_key(r.args, r.input);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, r.out);
        EXPECT_EQ(result.err, r.err);
    }
}

TEST(TessaryKey, WrongOptionsGiveUsageAndStatusTwo) {
    const std::vector<std::string> cases[] = {
        {"--bogus"}, {"--minterms"}, {"-d", "1"}, {"-m", "1", "1111111111111111"}};
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0]);
        const run_result r = run_key(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Try 'tessary-key --help'"), std::string::npos) << r.err;
    }
}

TEST(TessaryKey, HelpAndVersion) {
    const run_result help = run_key({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: tessary-key"), std::string::npos);
    const run_result version = run_key({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tessary-key 0.2\n");
}

} // namespace

namespace {

// Every kind of bad input: a clear message, a non-zero status and no answer.
TEST(TessaryKey, BadInputNeverGivesAnAnswer) {
    struct row {
        const char* name;
        std::vector<std::string> args;
        std::string input;
        std::string message; // part of what standard error must say
    };
    const std::string long_map(5000, '1');
    const row rows[] = {
        {"empty argument", {""}, "", "argument 1: empty map"},
        {"too short", {"101"}, "", "argument 1: has 3 cells"},
        {"too long", {long_map}, "", "argument 1: has 5000 cells"},
        {"too long on a line", {}, long_map + "\n", "line 1: has 5000 cells"},
        {"comma separators", {"1111,1111,1111,1111"}, "", "bad character ',' at position 5"},
        {"three groups", {"1111/1111/11111111"}, "", "group 3 has 8 cells"},
        {"tab inside", {}, "1111\t1111/1111/1111\n", "bad character '\\x09' at position 5"},
        {"control byte",
         {"111\x01"
          "111111111111"},
         "",
         "bad character '\\x01' at position 4"},
        {"non-ASCII", {"1111/1111/1111/111\xc3\x97"}, "", "bad character '\\xC3' at position 19"},
        {"NUL in a line",
         {},
         std::string("1111\0"
                     "1111111111111\n",
                     19),
         "line 1: bad character '\\x00' at position 5"},
        {"letter o for zero", {"0000o00000000000"}, "", "argument 1: bad character 'o'"},
        {"minterm out of range", {"-m", "15,16"}, "", "minterm 16 is out of range"},
        {"minterm negative", {"-m", "-3"}, "", "'-3' is not a number"},
        {"minterm huge", {"-m", "4294967297"}, "", "minterm 4294967297 is out of range"},
        {"minterm duplicated", {"-m", "1,2,1"}, "", "minterm 1 is listed twice"},
        {"don't-care duplicated", {"-m", "1", "-d", "2,2"}, "", "minterm 2 is listed twice"},
        {"overlap", {"-m", "1,2", "-d", "3,2"}, "", "minterm 2 is both in"},
        {"empty list item", {"-m", "1,,2"}, "", "empty item"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        const run_result result = run_key(r.args, r.input);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, ""); // the bad map is the first: nothing printed
        EXPECT_NE(result.err.find(r.message), std::string::npos) << result.err;
        EXPECT_EQ(result.err.rfind("tessary-key: ", 0), 0u) << result.err;
        EXPECT_LT(result.err.size(), 200u) << "the message should not echo the input";
    }
}

// Random bytes on standard input: every line is either a map, answered, or
// the first bad one, reported; nothing else, and never a crash.
TEST(TessaryKey, RandomBytesOnStandardInput) {
    std::uint32_t seed = 2026;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        std::string input;
        for (int i = 0; i < 4096; ++i) {
            seed = seed * 1664525u + 1013904223u;
            input += static_cast<char>(seed >> 24);
        }
        const run_result result = run_key({}, input);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err.rfind("tessary-key: line ", 0), 0u) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
    }
}

} // namespace
