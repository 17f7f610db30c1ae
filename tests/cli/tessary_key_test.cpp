// tessary-key as a script sees it: answers on standard output, errors on
// standard error, and the exit status.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
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

// Where the streams go when not to files of their own.
struct redirection {
    const char* stdin_path = nullptr;  // read this instead of `input`
    const char* stdout_path = nullptr; // write here; the result's `out` stays empty
    bool errors_to_stdout = false;     // 2>&1
};

std::vector<char*> argv_of(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(TESSARY_KEY)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// Runs tessary-key with the arguments and standard input given.
run_result run_key(const std::vector<std::string>& args, const std::string& input = "",
                   const redirection& to = {}) {
    char dir_template[] = "/tmp/tessary-key-test.XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    const std::string in = dir + "/in", out = dir + "/out", err = dir + "/err";
    std::ofstream(in, std::ios::binary) << input;
    std::ofstream(out, std::ios::binary) << "";

    std::vector<char*> argv = argv_of(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, to.stdin_path ? to.stdin_path : in.c_str(),
                                     O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, to.stdout_path ? to.stdout_path : out.c_str(),
                                     O_WRONLY | O_CREAT, 0600);
    if (to.errors_to_stdout)
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    else
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

// A run that is refused: its status, no answer, and how standard error
// begins (all of it where the message is the whole of it).
struct refused_run {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string err;
};

void expect_refused(const std::vector<refused_run>& rows) {
    for (const refused_run& r : rows) {
        SCOPED_TRACE(r.name);
        const run_result result = run_key(r.args);
        EXPECT_EQ(result.status, r.status);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.substr(0, r.err.size()), r.err);
    }
}

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
         "tessary-key: line 3: bad character '2' at column 3 (a cell is 0, 1 or X)\n"},
        {{},
         std::string("01100110\0"
                     "00000000\n",
                     18),
         "",
         "tessary-key: line 1: bad character '\\x00' at column 9 (a cell is 0, 1 or X)\n"},
        {{"--minterms", "3,16"},
         "",
         "",
         "tessary-key: --minterms: column 3: minterm 16 is out of range (0 to 15)\n"},
        // Lists given more than once are named by their place.
        {{"-m", "3", "-m", "4,3"},
         "",
         "",
         "tessary-key: --minterms (list 2): column 3: minterm 3 is listed twice\n"},
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

// Refused options are told in the program's own words, under its own name.
TEST(TessaryKey, RefusedOptionsNamedByTheProgram) {
    struct row {
        std::vector<std::string> args;
        std::string message;
    };
    const row rows[] = {
        {{"--bogus"}, "unrecognized option '--bogus'"},
        {{"--bogus=1"}, "unrecognized option '--bogus'"},
        {{"--m", "1"}, "option '--m' is ambiguous (--minterms, --minimal)"},
        {{"--expr"}, "option '--expr' requires an argument"},
        {{"--help=x"}, "option '--help' doesn't allow an argument"},
        {{"-x"}, "invalid option -- 'x'"},
        {{"--minimal", "-xq"}, "invalid option -- 'x'"},
        {{"-m"}, "option requires an argument -- 'm'"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.args[0]);
        const run_result result = run_key(r.args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "tessary-key: " + r.message +
                                  "\nTry 'tessary-key --help' for more information.\n");
    }
}

TEST(TessaryKey, HelpAndVersion) {
    const run_result help = run_key({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: tessary-key"), std::string::npos);
    const run_result version = run_key({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tessary-key " TESSARY_VERSION_TEXT "\n");
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
        {"too long on a line", {}, long_map + "\n", "line 1: too long"},
        {"comma separators", {"1111,1111,1111,1111"}, "", "bad character ',' at column 5"},
        {"three groups", {"1111/1111/11111111"}, "", "has 3 groups"},
        {"tab inside", {}, "1111\t1111/1111/1111\n", "bad character '\\x09' at column 5"},
        {"control byte",
         {"111\x01"
          "111111111111"},
         "",
         "bad character '\\x01' at column 4"},
        {"non-ASCII", {"1111/1111/1111/111\xc3\x97"}, "", "bad character '\xc3\x97' at column 19"},
        {"NUL in a line",
         {},
         std::string("1111\0"
                     "1111111111111\n",
                     19),
         "line 1: bad character '\\x00' at column 5"},
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

namespace {

// The forms of the answer, from each source of maps.
TEST(TessaryKey, FormsOfTheAnswer) {
    struct row {
        const char* name;
        std::vector<std::string> args;
        std::string input, out;
    };
    const row rows[] = {
        {"greedy by default", {"0111/1111/1101/1111"}, "", "A'B+BC'+AB'+C'D+B'C+CD'\n"},
        {"minimal", {"--minimal", "0111/1111/1101/1111"}, "", "A'B+B'C+C'D+AD'\n"},
        {"product of sums", {"--pos", "0111/1111/1101/1111"}, "", "(A+B+C+D)(A'+B'+C'+D')\n"},
        {"one-literal sums", {"--pos", "0110/0110/0000/0000"}, "", "BC'\n"},
        {"every minimum", {"--all-minimal", "1X00/X000/0000/0000"}, "", "A'B'C'\tA'C'D'\n"},
        {"trivial maps", {"--minimal", "0000/0000/0000/0000", "1111/1X11/1111/1111"}, "", "0\n1\n"},
        {"trivial products", {"--pos", "0000/0000/0000/0000", "XXXX/XXXX/XXXX/XXXX"}, "", "0\n1\n"},
        {"from standard input",
         {"--minimal"},
         "0111/1111/1101/1111\n0110/0110/0000/0000\n",
         "A'B+B'C+C'D+AD'\nBC'\n"},
        {"from minterms", {"--pos", "-m", "0,1,2,3"}, "", "A'B'\n"},
        {"expression", {"--expr", "A'B + C(D+a)"}, "", "A'B+CD+AC\n"},
        {"expression, minimal", {"--minimal", "-e", "A'B + C(D+a)"}, "", "A'B+AC+CD\n"},
        {"expression with don't-cares", {"--minimal", "-e", "AB", "-d", "8,9,10,11"}, "", "A\n"},
        {"expression giving 0", {"--expr", "AA'"}, "", "0\n"},
        {"minterm lists add up",
         {"-m", "1", "-m", "3", "-d", "0", "--dont-cares", "2"},
         "",
         "A'B'\n"},
        {"a blank list adds nothing", {"-m", "", "-m", "0,4,15"}, "", "C'D'A'+ABCD\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        const run_result result = run_key(r.args, r.input);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, r.out);
        EXPECT_EQ(result.err, "");
    }
}

TEST(TessaryKey, CheckGivesAVerdictPerMap) {
    struct row {
        const char* name;
        std::vector<std::string> args;
        std::string input, out;
        int status;
    };
    const row rows[] = {
        {"minimal sum",
         {"--check", "A'B+B'C+C'D+AD'", "0111/1111/1101/1111"},
         "",
         "equal, minimal\n",
         0},
        {"the greedy answer is not minimal",
         {"-c", "A'B+BC'+AB'+C'D+B'C+CD'", "0111/1111/1101/1111"},
         "",
         "equal, not minimal\n",
         0},
        {"minimal product",
         {"--check", "(A+B+C+D)(A'+B'+C'+D')", "0111/1111/1101/1111"},
         "",
         "equal, minimal\n",
         0},
        {"neither form", {"--check", "A^B", "-m", "4,5,6,7,8,9,10,11"}, "", "equal\n", 0},
        {"differs",
         {"--check", "A'B", "0110/0110/0000/0000"},
         "",
         "differs at minterm 6 (A'BCD'): the expression gives 1, the map has 0\n",
         3},
        {"differs the other way",
         {"--check", "0", "0000/0100/0000/0000"},
         "",
         "differs at minterm 5 (A'BC'D): the expression gives 0, the map has 1\n",
         3},
        {"don't-cares are free",
         {"--check", "A", "-e", "AB", "-d", "8,9,10,11"},
         "",
         "equal, minimal\n",
         0},
        {"each line of standard input",
         {"--check", "BC'"},
         "0110/0110/0000/0000\n0000/0000/0000/0000\n0110/0110/0000/0000\n",
         "equal, minimal\n"
         "differs at minterm 4 (A'BC'D'): the expression gives 1, the map has 0\n"
         "equal, minimal\n",
         3},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        const run_result result = run_key(r.args, r.input);
        EXPECT_EQ(result.status, r.status) << result.err;
        EXPECT_EQ(result.out, r.out);
        EXPECT_EQ(result.err, "");
    }
}

// Bad expressions and option combinations: a message, the status, no answer.
TEST(TessaryKey, BadExpressionsAndCombinations) {
    expect_refused({
        {"unknown variable",
         {"--expr", "AE"},
         1,
         "tessary-key: --expr: column 2: unknown variable 'E' (the map has A, B, C and D)\n"},
        {"missing operand",
         {"--check", "A+", "0000000000000000"},
         1,
         "tessary-key: --check: column 3: expected a variable, 0, 1 or '(' after '+', found "
         "the end of the expression\n"},
        {"unbalanced", {"-e", "(A+B"}, 1, "tessary-key: --expr: column 1: '(' is not closed\n"},
        {"empty", {"-e", ""}, 1, "tessary-key: --expr: column 1: the expression is empty\n"},
        {"bad don't-cares",
         {"-e", "A", "-d", "16"},
         1,
         "tessary-key: --dont-cares: column 1: minterm 16 is out of range (0 to 15)\n"},
        {"two forms",
         {"--minimal", "--pos", "--minimal", "0000000000000000"},
         2,
         "tessary-key: --minimal and --pos are two forms: choose one of --minimal, --pos and "
         "--all-minimal\n"},
        {"form with check",
         {"--minimal", "-c", "A", "0000000000000000"},
         2,
         "tessary-key: --check prints a verdict"},
        {"expr and minterms",
         {"-e", "A", "-m", "1"},
         2,
         "tessary-key: give either --minterms or --expr\n"},
        {"expr and maps", {"-e", "A", "0000000000000000"}, 2, "tessary-key: give either"},
        {"two exprs", {"-e", "A", "-e", "B"}, 2, "tessary-key: give --expr once\n"},
        {"don't-cares alone",
         {"-d", "1"},
         2,
         "tessary-key: --dont-cares needs --minterms or --expr\n"},
    });
}

} // namespace

namespace {

// Standard input and output as a filter's: read and write errors, long
// lines, the order of answers and errors, where a column is.
// --explain: a block of lines per map, blocks separated by an empty line;
// with --pos on the 0-cells; with no other form.
// A run of tessary-key and all it should give: the status, standard
// output whole, and the start of standard error.
struct block_row {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out, err;
};

void expect_runs(const std::vector<block_row>& rows) {
    for (const block_row& r : rows) {
        std::string trace;
        for (const std::string& arg : r.args) trace += arg + " ";
        SCOPED_TRACE(trace);
        const run_result result = run_key(r.args, r.input);
        EXPECT_EQ(result.status, r.status);
        EXPECT_EQ(result.out, r.out);
        EXPECT_EQ(result.err.substr(0, r.err.size()), r.err);
    }
}

TEST(TessaryKey, ExplainPrintsTheStepsToTheMinimum) {
    expect_runs({
        {{"--explain", "1001/0000/0000/1001", "0000/0000/0000/0000"},
         "",
         0,
         "map: 1001/0000/0000/1001\nprimes: B'D'\nessential: B'D' (only it covers 0)\n"
         "left: none\nchoose: none\nminimal: B'D'\ncovers: 1\n\n"
         "map: 0000/0000/0000/0000\nprimes: none\nessential: none\nleft: none\n"
         "choose: none\nminimal: 0\ncovers: 1\n",
         ""},
        // No essential prime, a choice at every cell.
        {{"--explain"},
         "0111/1111/1101/1111\n",
         0,
         "map: 0111/1111/1101/1111\n"
         "primes: A'B, AB', A'C, B'C, AC', BC', A'D, B'D, C'D, AD', BD', CD'\n"
         "essential: none\nleft: 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n"
         "choose: 1 by A'D or B'D or C'D; 2 by A'C or B'C or CD'; 3 by A'C or B'C or A'D or "
         "B'D; 4 by A'B or BC' or BD'; 5 by A'B or BC' or A'D or C'D; 6 by A'B or A'C or BD' or "
         "CD'; 7 by A'B or A'C or A'D; 8 by AB' or AC' or AD'; 9 by AB' or AC' or B'D or C'D; 10 "
         "by AB' or B'C or AD' or CD'; 11 by AB' or B'C or B'D; 12 by AC' or BC' or AD' or BD'; "
         "13 by AC' or BC' or C'D; 14 by AD' or BD' or CD'\n"
         "minimal: A'B+B'C+C'D+AD'\ncovers: 6\n",
         ""},
        // 1s and don't-cares fill the map; a don't-care is never left, and
        // two primes that share only a 1-cell leave it to a choice.
        {{"--explain", "1111/1X11/1111/1111", "X1X0/0000/0000/0000"},
         "",
         0,
         "map: 1111/1X11/1111/1111\nprimes: 1\nessential: 1 (only it covers 0)\nleft: none\n"
         "choose: none\nminimal: 1\ncovers: 1\n\n"
         "map: X1X0/0000/0000/0000\nprimes: A'C'D', BC'D'\nessential: none\nleft: 4\n"
         "choose: 4 by A'C'D' or BC'D'\nminimal: A'C'D'\ncovers: 2\n",
         ""},
        {{"--explain", "--pos", "0000/0000/0000/0000", "0110/0110/0000/0000"},
         "",
         0,
         "map: 0000/0000/0000/0000\nprimes: 0\nessential: 0 (only it covers 0)\nleft: none\n"
         "choose: none\nminimal: 0\ncovers: 1\n\n"
         "map: 0110/0110/0000/0000\nprimes: B, C'\nessential: B (only it covers 0), C' (only "
         "it covers 6)\nleft: none\nchoose: none\nminimal: BC'\ncovers: 1\n",
         ""},
        {{"--explain", "-m", "0,4,15"},
         "",
         0,
         "map: 1100/0000/0010/0000\nprimes: A'C'D', ABCD\n"
         "essential: A'C'D' (only it covers 0), ABCD (only it covers 15)\nleft: none\n"
         "choose: none\nminimal: A'C'D'+ABCD\ncovers: 1\n",
         ""},
        // A bad map: what came before stays, nothing of its own.
        {{"--explain", "0110/0110/0000/0000", "0110"},
         "",
         1,
         "map: 0110/0110/0000/0000\nprimes: BC'\nessential: BC' (only it covers 4)\n"
         "left: none\nchoose: none\nminimal: BC'\ncovers: 1\n",
         "tessary-key: argument 2: has 4 cells (a map has 16,"},
        {{"--explain", "--minimal", "0"},
         "",
         2,
         "",
         "tessary-key: --explain explains a minimal sum, or with --pos a minimal product: leave "
         "out --minimal"},
        {{"--explain", "--all-minimal", "0"},
         "",
         2,
         "",
         "tessary-key: --explain explains a minimal sum, or with --pos a minimal product: leave "
         "out --all-minimal"},
        {{"--explain", "--check", "A", "0"},
         "",
         2,
         "",
         "tessary-key: --explain and --check are two modes: choose one"},
        {{"--explain", "--draw", "x.svg", "0"},
         "",
         2,
         "",
         "tessary-key: --explain explains a minimal sum, or with --pos a minimal product: leave "
         "out --draw"},
    });
}

// --chart: a block per map, blocks separated by an empty line, maps from
// arguments, --minterms or standard input; with --pos on the 0-cells; with
// no other form and none of the other modes.
// Each mode admits the options its table row gives and refuses the
// others with a usage error that names the mode and the option; two modes
// are an error that names both.
TEST(TessaryKey, EachModeAdmitsItsOptions) {
    const std::vector<std::vector<std::string>> options = {
        {"--minimal"},          {"--pos"},           {"--all-minimal"},
        {"--hazard-free"},      {"--format", "c"},   {"--draw", "x.svg"},
        {"--numbers"},          {"--read", "x.pla"}, {"--minterms", "1"},
        {"--summary", "s.csv"}, {"--points", "2,1"}, {"--shared"}};
    // y: admitted, n: refused; in the order of `options`.
    const struct {
        std::vector<std::string> mode;
        const char* admits;
    } modes[] = {
        {{"--check", "A"}, "nnnnnnnyynnn"}, {{"--explain"}, "nynnnnnyynnn"},
        {{"--chart"}, "nynnnynnynnn"},      {{"--judge", "A"}, "nynnnnnyynnn"},
        {{"--hazards"}, "yynynyyyynnn"},    {{"--grade", "k.tsv"}, "yynynnnnnyyn"},
    };
    for (const auto& m : modes)
        for (std::size_t k = 0; k < options.size(); ++k) {
            if (m.admits[k] == 'y') continue;
            std::vector<std::string> args = m.mode;
            args.insert(args.end(), options[k].begin(), options[k].end());
            SCOPED_TRACE(m.mode[0] + " " + options[k][0]);
            const run_result result = run_key(args);
            EXPECT_EQ(result.status, 2);
            EXPECT_EQ(result.err.rfind("tessary-key: " + m.mode[0] + " ", 0), 0u) << result.err;
            EXPECT_NE(result.err.find(": leave out " + options[k][0] + "\n"), std::string::npos)
                << result.err;
        }
    for (const auto& first : modes)
        for (const auto& second : modes) {
            if (&first == &second) continue;
            std::vector<std::string> args = first.mode;
            args.insert(args.end(), second.mode.begin(), second.mode.end());
            const run_result result = run_key(args);
            EXPECT_EQ(result.status, 2);
            EXPECT_EQ(result.err.rfind("tessary-key: " + first.mode[0] + " and " + second.mode[0] +
                                           " are two modes: choose one\n",
                                       0),
                      0u)
                << result.err;
        }
    // Without a mode: the answer's options, and those of a mode named.
    const run_result summary = run_key({"--summary", "s.csv", "0"});
    EXPECT_EQ(summary.status, 2);
    EXPECT_EQ(summary.err.rfind("tessary-key: --summary goes with --grade\n", 0), 0u);
    const run_result same_mode_twice = run_key({"--explain", "--explain", "0000/0000/0000/0001"});
    EXPECT_EQ(same_mode_twice.status, 0) << same_mode_twice.err;
}

TEST(TessaryKey, ChartPrintsTheReducedChart) {
    expect_runs({
        {{"--chart", "1001/0000/0000/1001", "0000/0000/0000/0000"},
         "",
         0,
         "map: 1001/0000/0000/1001\nprime: P1 B'D': 0 2 8 10\n"
         "essential: P1 B'D' (only it covers 0)\nleft: none\ncyclic: none\nminimal: B'D'\n"
         "covers: 1\n\n"
         "map: 0000/0000/0000/0000\nessential: none\nleft: none\ncyclic: none\nminimal: 0\n"
         "covers: 1\n",
         ""},
        {{"--chart", "--pos", "-m", "0,4,15"},
         "",
         0,
         "map: 1100/0000/0010/0000\nprime: P1 (A'+B): 8 9 10 11\n"
         "prime: P2 (A'+C): 8 9 12 13\nprime: P3 (A+C'): 2 3 6 7\n"
         "prime: P4 (B+C'): 2 3 10 11\nprime: P5 (A'+D): 8 10 12 14\n"
         "prime: P6 (C'+D): 2 6 10 14\nprime: P7 (A+D'): 1 3 5 7\n"
         "prime: P8 (B+D'): 1 3 9 11\nprime: P9 (C+D'): 1 5 9 13\nessential: none\n"
         "left: 1 2 3 5 6 7 8 9 10 11 12 13 14\ncolumn: 1 by 5\ncolumn: 2 by 6\n"
         "column: 3 by 7\ncolumn: 8 by 12\ncolumn: 9 by 13\ncolumn: 10 by 14\n"
         "row: P4 by P1\nrow: P8 by P1\nessential: P1 (A'+B) (only it covers 11)\n"
         "cyclic: P2 P3 P5 P6 P7 P9: 5 6 7 12 13 14\n"
         "petrick: (P7+P9)(P3+P6)(P3+P7)(P2+P5)(P2+P9)(P5+P6)\n"
         "products: P2P6P7+P3P5P9+P2P3P5P7+P2P3P6P9+P5P6P7P9\n"
         "minimal: (A'+B)(A'+C)(C'+D)(A+D')\ncovers: 6\n",
         ""},
        {{"--chart"},
         "X1X0/0000/0000/0000\n",
         0,
         "map: X1X0/0000/0000/0000\nprime: P1 A'C'D': 4\nprime: P2 BC'D': 4\n"
         "essential: none\nleft: 4\nrow: P2 by P1\nessential: P1 A'C'D' (only it covers 4)\n"
         "cyclic: none\nminimal: A'C'D'\ncovers: 2\n",
         ""},
        // A form given twice is given once.
        {{"--pos", "--chart", "--pos", "0000/0000/0000/0000"},
         "",
         0,
         "map: 0000/0000/0000/0000\nprime: P1 0: 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15\n"
         "essential: P1 0 (only it covers 0)\nleft: none\ncyclic: none\nminimal: 0\ncovers: 1\n",
         ""},
        {{"--chart", "--minimal", "0"},
         "",
         2,
         "",
         "tessary-key: --chart prints the chart of a sum, or with --pos of a product: leave out "
         "--minimal"},
        {{"--chart", "--hazard-free", "0"},
         "",
         2,
         "",
         "tessary-key: --chart prints the chart of a sum, or with --pos of a product: leave out "
         "--hazard-free"},
        {{"--chart", "--explain", "0"},
         "",
         2,
         "",
         "tessary-key: --chart and --explain are two modes: choose one"},
        {{"--chart", "--judge", "A", "0"},
         "",
         2,
         "",
         "tessary-key: --chart and --judge are two modes: choose one"},
        {{"--chart", "--hazards", "0"},
         "",
         2,
         "",
         "tessary-key: --chart and --hazards are two modes: choose one"},
        {{"--chart", "--format", "vhdl", "0"}, "", 2, "", "tessary-key: --chart prints"},
        {{"--chart", "--check", "A", "0"},
         "",
         2,
         "",
         "tessary-key: --chart and --check are two modes: choose one"},
        {{"--chart", "--read", "x.pla"}, "", 2, "", "tessary-key: --chart prints the chart"},
        {{"--chart", "--grade", "k.tsv"},
         "",
         2,
         "",
         "tessary-key: --chart and --grade are two modes: choose one"},
        {{"--chart", "--numbers", "--draw", "x.svg", "0"},
         "",
         2,
         "",
         "tessary-key: --chart prints the chart of a sum, or with --pos of a product: leave out "
         "--numbers"},
        {{"--chart", "--draw", "x.svg", "0", "1"}, "", 2, "", "tessary-key: --draw needs one map"},
    });
}

// --judge: a line per group and a cover line per map, blocks separated by an
// empty line; status 0 only when every cover is minimal.
TEST(TessaryKey, JudgeMarksEachGroup) {
    expect_runs({
        {{"--judge", "A'B'C'D'+B'D'+A'B", "1001/0000/0000/1001"},
         "",
         3,
         "A'B'C'D': could be bigger: inside B'D', redundant\nB'D': prime, essential\n"
         "A'B: covers a 0 at 4\ncover: incorrect; 1 of the groups covers a 0\n",
         ""},
        {{"--judge", "b'd'", "1001/0000/0000/1001", "1001/0000/0000/1000"},
         "",
         3,
         "B'D': prime, essential\ncover: minimal\n\n"
         "B'D': covers a 0 at 10\ncover: incorrect; misses 0 2 8; 1 of the groups covers a 0\n",
         ""},
        {{"--judge", "B'D'"},
         "1001/0000/0000/1001\n\n100X/0000/0000/1001\n",
         0,
         "B'D': prime, essential\ncover: minimal\n\nB'D': prime, essential\ncover: minimal\n",
         ""},
        {{"--judge", "(B'+D')D", "--pos", "-m", "0,2,8,10"},
         "",
         3,
         "(B'+D'): could be bigger: inside B'\nD: covers a 1 at 0\n"
         "cover: incorrect; misses 1 3 4 6 9 11 12 14; 1 of the groups covers a 1\n",
         ""},
        {{"--pos", "--judge", "B'D'", "-e", "B'D'"},
         "",
         0,
         "B': prime, essential\nD': prime, essential\ncover: minimal\n",
         ""},
        // Bad groups: nothing judged; a bad map: the blocks before it stay.
        {{"--judge", "AA'", "1001/0000/0000/1001"},
         "",
         1,
         "",
         "tessary-key: --judge: column 2: 'A' twice in one term\n"},
        {{"--judge", "A^B", "0"}, "", 1, "", "tessary-key: --judge: column 2: XOR is not a group"},
        {{"--judge", "B'D'", "1001/0000/0000/1001", "10"},
         "",
         1,
         "B'D': prime, essential\ncover: minimal\n",
         "tessary-key: argument 2: "},
        {{"--judge", "A", "--minimal", "0"},
         "",
         2,
         "",
         "tessary-key: --judge judges the groups of a sum, or with --pos of a product: leave out "
         "--minimal"},
        {{"--judge", "A", "--explain", "0"},
         "",
         2,
         "",
         "tessary-key: --judge and --explain are two modes: choose one"},
        {{"--judge", "A", "--check", "A", "0"},
         "",
         2,
         "",
         "tessary-key: --judge and --check are two modes: choose one"},
        {{"--judge", "A", "--draw", "x.svg", "0"},
         "",
         2,
         "",
         "tessary-key: --judge judges the groups of a sum, or with --pos of a product: leave out "
         "--draw"},
        {{"--judge", "A", "--judge", "B", "0"}, "", 2, "", "tessary-key: give --judge once"},
    });
}

TEST(TessaryKeyStreams, FaultsOfInputAndOutput) {
    struct row {
        const char* name;
        std::vector<std::string> args;
        std::string input;
        redirection to;
        int status;
        std::string out, err; // `err` is all of standard error
    };
    std::string many_maps;
    for (int i = 0; i < 100000; ++i) many_maps += "1111111111111111\n";
    const std::string huge_line(10 * 1000 * 1000, '1');
    const row rows[] = {
        {"a read error is not the end of input",
         {},
         "",
         {"/", nullptr, false},
         1,
         "",
         "tessary-key: standard input: Is a directory\n"},
        {"a long line is refused early",
         {},
         "0110/0110/0000/0000\n" + huge_line + "\n",
         {},
         1,
         "BC'\n",
         "tessary-key: line 2: too long (more than 4096 bytes)\n"},
        // The limit holds for the first line too, its byte-order mark aside.
        {"a first line one byte too long",
         {},
         std::string(4081, ' ') + "0110011000000000\n",
         {},
         1,
         "",
         "tessary-key: line 1: too long (more than 4096 bytes)\n"},
        {"a first line of 4096 bytes after a byte-order mark",
         {},
         "\xef\xbb\xbf" + std::string(4080, ' ') + "0110011000000000\n",
         {},
         0,
         "BC'\n",
         ""},
        {"a long last line without its newline",
         {},
         huge_line,
         {},
         1,
         "",
         "tessary-key: line 1: too long (more than 4096 bytes)\n"},
        {"a failed write stops the run",
         {},
         many_maps,
         {nullptr, "/dev/full", false},
         1,
         "",
         "tessary-key: error writing the answers: No space left on device\n"},
        {"a failed write of arguments' answers",
         {"1111111111111111"},
         "",
         {nullptr, "/dev/full", false},
         1,
         "",
         "tessary-key: error writing the answers: No space left on device\n"},
        {"--help to a full disk",
         {"--help"},
         "",
         {nullptr, "/dev/full", false},
         1,
         "",
         "tessary-key: error writing standard output: No space left on device\n"},
        {"--version to a full disk",
         {"--version"},
         "",
         {nullptr, "/dev/full", false},
         1,
         "",
         "tessary-key: error writing standard output: No space left on device\n"},
        {"answers before the error",
         {},
         "0110/0110/0000/0000\n0120/0110/0000/0000\n",
         {nullptr, nullptr, true},
         1,
         "BC'\ntessary-key: line 2: bad character '2' at column 3 (a cell is 0, 1 or X)\n",
         ""},
        {"the column in the line as given",
         {},
         "    0120/0110/0000/0000\n",
         {},
         1,
         "",
         "tessary-key: line 1: bad character '2' at column 7 (a cell is 0, 1 or X)\n"},
        {"the column after a tab and a wide letter",
         {},
         "\t0110/0\xc3\xa9\n",
         {},
         1,
         "",
         "tessary-key: line 1: bad character '\xc3\xa9' at column 8 (a cell is 0, 1 or X)\n"},
        {"a byte-order mark at the start",
         {},
         "\xef\xbb\xbf"
         "1111111111111111\n0000000000000000\n",
         {},
         0,
         "1\n0\n",
         ""},
        {"a byte-order mark later is an error",
         {},
         "1111111111111111\n\xef\xbb\xbf"
         "0000\n",
         {},
         1,
         "1\n",
         "tessary-key: line 2: bad character '\\uFEFF' at column 1 (a cell is 0, 1 or X)\n"},
        {"a trailing '/'",
         {"1111/1111/1111/1111/"},
         "",
         {},
         1,
         "",
         "tessary-key: argument 1: has 5 groups separated by '/' (a map has 4 groups of 4 "
         "cells)\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        const run_result result = run_key(r.args, r.input, r.to);
        EXPECT_EQ(result.status, r.status);
        EXPECT_EQ(result.out, r.out);
        EXPECT_EQ(result.err, r.err);
    }
}

// Waits up to ten seconds for the child; -1 (and the child killed) after.
int wait_for(pid_t pid) {
    for (int tenth = 0; tenth < 100; ++tenth) {
        int status;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        usleep(100000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

struct piped_key {
    pid_t pid = -1;
    int to_key = -1, from_key = -1, errors = -1;
};

// Starts tessary-key with its three streams on pipes.
piped_key start_piped(const std::vector<std::string>& args) {
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    for (const int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
        posix_spawn_file_actions_addclose(&actions, fd);
    std::vector<char*> argv = argv_of(args);
    piped_key key;
    if (posix_spawn(&key.pid, TESSARY_KEY, &actions, nullptr, argv.data(), environ) != 0)
        key.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    key.to_key = in[1];
    key.from_key = out[0];
    key.errors = err[0];
    return key;
}

// What arrives on `fd` within `ms` milliseconds, up to the first newline.
std::string read_line_within(int fd, int ms) {
    std::string line;
    char ch;
    pollfd p{fd, POLLIN, 0};
    while (poll(&p, 1, ms) == 1 && read(fd, &ch, 1) == 1) {
        line += ch;
        if (ch == '\n') break;
    }
    return line;
}

std::string read_all(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, std::size_t(n));
    return text;
}

// A coprocess gets each answer as soon as its map is written.
TEST(TessaryKeyStreams, AnswersBeforeWaitingForMoreInput) {
    piped_key key = start_piped({});
    ASSERT_GT(key.pid, 0);
    const std::string maps[] = {"0110/0110/0000/0000\n", "1111/1111/1000/0001\n"};
    const std::string answers[] = {"BC'\n", "C'+A'B'D+AB'D'\n"};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(write(key.to_key, maps[i].data(), maps[i].size()), ssize_t(maps[i].size()));
        EXPECT_EQ(read_line_within(key.from_key, 5000), answers[i]);
    }
    close(key.to_key);
    EXPECT_EQ(read_all(key.from_key), "");
    EXPECT_EQ(wait_for(key.pid), 0);
    close(key.from_key);
    close(key.errors);
}

// With SIGPIPE ignored, a reader that goes away is a write error, at once.
TEST(TessaryKeyStreams, ReaderGoneWhileSigpipeIsIgnored) {
    struct sigaction ignore {
    }, before{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &before); // inherited by the child
    piped_key key = start_piped({});
    sigaction(SIGPIPE, &before, nullptr);
    ASSERT_GT(key.pid, 0);
    close(key.from_key);
    std::string maps;
    for (int i = 0; i < 1000; ++i) maps += "1111111111111111\n";
    // The tool may stop reading at any point; a failed write here is fine.
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &before);
    for (int i = 0; i < 100 && write(key.to_key, maps.data(), maps.size()) > 0; ++i) {
    }
    sigaction(SIGPIPE, &before, nullptr);
    close(key.to_key);
    EXPECT_EQ(wait_for(key.pid), 1);
    EXPECT_EQ(read_all(key.errors), "tessary-key: error writing the answers: Broken pipe\n");
    close(key.errors);
}

} // namespace

namespace {

// --draw: the picture of the one map, the answer still printed; a usage
// error for a wrong extension or more maps, status 1 when it cannot be
// written, and then no answer.
TEST(TessaryKeyDraw, PicturesAndTheirFailures) {
    char dir_template[] = "/tmp/tessary-draw-test.XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    struct row {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string out, err; // `err`: the start of standard error
        std::string file;     // what must exist afterwards, or ""
    };
    const row rows[] = {
        {"svg of the shown answer",
         {"--draw", dir + "/a.svg", "0110/0110/0000/0000"},
         0,
         "BC'\n",
         "",
         "a.svg"},
        {"png of the minimum",
         {"--minimal", "--draw", dir + "/b.png", "-e", "A'B+AB"},
         0,
         "B\n",
         "",
         "b.png"},
        {"pdf of the product",
         {"--pos", "--draw", dir + "/c.PDF", "-m", "1,2,3"},
         0,
         "A'B'(C+D)\n",
         "",
         "c.PDF"},
        {"A and B down the side",
         {"--rows", "AB", "--numbers", "--draw", dir + "/g.svg", "0110/0110/0000/0000"},
         0,
         "BC'\n",
         "",
         "g.svg"},
        {"rows neither CD nor AB",
         {"--rows", "BA", "--draw", dir + "/h.svg", "0110/0110/0000/0000"},
         2,
         "",
         "tessary-key: --rows: 'BA' is not CD or AB\n",
         ""},
        {"rows without a picture",
         {"--rows", "AB", "0110/0110/0000/0000"},
         2,
         "",
         "tessary-key: --rows goes with --draw\n",
         ""},
        {"other extension",
         {"--draw", dir + "/d.gif", "0110/0110/0000/0000"},
         2,
         "",
         "tessary-key: --draw: the file name must end in .svg, .png, .pdf, .tex or .tikz\n",
         ""},
        {"two maps",
         {"--draw", dir + "/e.svg", "0000000000000000", "0000000000000000"},
         2,
         "",
         "tessary-key: --draw needs one map",
         ""},
        {"standard input",
         {"--draw", dir + "/f.svg"},
         2,
         "",
         "tessary-key: --draw needs one map",
         ""},
        {"every minimum",
         {"--all-minimal", "--draw", dir + "/g.svg", "0000000000000000"},
         2,
         "",
         "tessary-key: --draw draws the shown, --minimal or --pos answer\n",
         ""},
        {"no such directory",
         {"--draw", dir + "/none/h.svg", "0000000000000000"},
         1,
         "",
         "tessary-key: cannot write '" + dir + "/none/h.svg': No such file or directory\n",
         ""},
        {"bad map",
         {"--draw", dir + "/i.svg", "0000"},
         1,
         "",
         "tessary-key: argument 1: has 4",
         ""},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        const run_result result = run_key(r.args);
        EXPECT_EQ(result.status, r.status);
        EXPECT_EQ(result.out, r.out);
        EXPECT_EQ(result.err.substr(0, r.err.size()), r.err);
        if (!r.file.empty()) {
            EXPECT_EQ(access((dir + "/" + r.file).c_str(), R_OK), 0);
        }
    }
    EXPECT_EQ(std::system(("xmllint --noout " + dir + "/a.svg").c_str()), 0);
    EXPECT_EQ(std::system(("pdfinfo " + dir + "/c.PDF >/dev/null").c_str()), 0);
    // Listed without a shell, so that a listing that fails fails the test.
    std::set<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"a.svg", "b.png", "c.PDF", "g.svg"}))
        << "only the four pictures are left";
    std::system(("rm -rf " + dir).c_str());
}

// --hazards and --hazard-free: the examples every course gives, in both forms.
TEST(TessaryKey, HazardPairsAndHazardFreeCovers) {
    struct row {
        std::vector<std::string> args;
        std::string out;
    };
    const row rows[] = {
        {{"--minimal", "--hazards", "0011/1111/1100/0000"}, "1-9 5-13\n"},
        {{"--hazard-free", "0011/1111/1100/0000"}, "AC'+A'D+C'D\n"},
        {{"--hazard-free", "--hazards", "0011/1111/1100/0000"}, "none\n"},
        {{"--minimal", "--hazards", "0000/1100/0110/0110"}, "5-7\n"},
        {{"--hazard-free", "0000/1100/0110/0110"}, "BC+A'BD+A'C'D\n"},
        {{"--minimal", "--hazards", "1001/0110/0110/1001"}, "none\n"},
        {{"--hazard-free", "1001/0110/0110/1001"}, "BD+B'D'\n"},
        {{"--pos", "--hazards", "1100/0000/0011/1111"}, "1-9 5-13\n"},
        {{"--pos", "--hazard-free", "1100/0000/0011/1111"}, "(A'+C)(A+D')(C+D')\n"},
        // The shown answer by default; a don't-care is never one of a pair.
        {{"--hazards", "0011/1111/1100/0000", "0011/X111/1100/0000"}, "1-9 5-13\n5-13\n"},
        // No cell to cover, every cell covered by one term.
        {{"--hazard-free", "0000/0000/0000/0000", "1111/1111/1111/1111"}, "0\n1\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.args[0] + " " + r.args[1]);
        const run_result result = run_key(r.args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, r.out);
    }
    expect_refused({
        {"--hazard-free with --minimal",
         {"--hazard-free", "--minimal", "0000/1100/0110/0110"},
         2,
         "tessary-key: --hazard-free is a form of its own"},
        {"--hazard-free with --all-minimal",
         {"--all-minimal", "--hazard-free", "0000/1100/0110/0110"},
         2,
         "tessary-key: --hazard-free is a form of its own"},
        {"--hazards with --all-minimal",
         {"--all-minimal", "--hazards", "0000/1100/0110/0110"},
         2,
         "tessary-key: --hazards prints the hazard pairs an answer leaves: leave out "
         "--all-minimal"},
        {"--hazards with --check",
         {"--hazards", "--check", "A", "0000/1100/0110/0110"},
         2,
         "tessary-key: --hazards and --check are two modes: choose one"},
    });
}

// --format: the answer of each form in the lab's languages, as written.
TEST(TessaryKey, AnswersInTheLabsLanguages) {
    const std::string map = "0011/1111/1100/0000"; // AC'+A'D, (A'+C')(A+D)
    struct row {
        std::vector<std::string> args;
        std::string out;
    };
    const row rows[] = {
        {{"--minimal", "--format", "verilog"}, "assign F = (A & ~C) | (~A & D);\n"},
        {{"--pos", "--format", "verilog"}, "assign F = (~A | ~C) & (A | D);\n"},
        {{"--minimal", "--format", "vhdl"}, "F <= (A and not C) or (not A and D);\n"},
        {{"--minimal", "--format", "c"}, "(A && !C) || (!A && D)\n"},
        {{"--minimal", "--format", "python"}, "(A and not C) or (not A and D)\n"},
        {{"--minimal", "--format", "latex"}, "A\\overline{C} + \\overline{A}D\n"},
        {{"--pos", "--format", "latex"}, "(\\overline{A} + \\overline{C})(A + D)\n"},
        {{"--minimal", "--format", "text"}, "AC'+A'D\n"},
        {{"--minimal", "--format", "pla"},
         ".i 4\n.o 1\n.ilb A B C D\n.ob F\n.p 2\n1-0- 1\n0--1 1\n.e\n"},
        {{"--hazard-free", "--format", "verilog"}, "assign F = (A & ~C) | (~A & D) | (~C & D);\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.args[0] + " " + r.args[2]);
        std::vector<std::string> args = r.args;
        args.push_back(map);
        const run_result result = run_key(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, r.out);
    }
    const std::vector<std::string> constants = {"0000/0000/0000/0000", "1111/1111/1111/1111"};
    EXPECT_EQ(run_key({"--format", "verilog", constants[0], constants[1]}).out,
              "assign F = 1'b0;\nassign F = 1'b1;\n");
    EXPECT_EQ(run_key({"--format", "vhdl", constants[0], constants[1]}).out,
              "F <= '0';\nF <= '1';\n");
    EXPECT_EQ(run_key({"--format", "python", constants[0], constants[1]}).out, "False\nTrue\n");
    expect_refused({
        {"an unknown format",
         {"--format", "yaml", map},
         2,
         "tessary-key: --format: 'yaml' is not text, verilog, vhdl, c, python, latex or pla"},
        {"a PLA of a product",
         {"--pos", "--format", "pla", map},
         2,
         "tessary-key: --format pla writes one sum of products"},
        {"a PLA of every minimum",
         {"--all-minimal", "--format", "pla", map},
         2,
         "tessary-key: --format pla writes one sum of products"},
        {"--format with --check",
         {"--format", "c", "--check", "A", map},
         2,
         "tessary-key: --check prints a verdict, not an answer: leave out --format"},
    });
}

// --read: maps from PLA files and truth tables, every output its own map
// and answer line; a bad file is refused whole, its line named.
// --shared: a file's outputs minimised together, one line each, or one
// piece for the lab named after the file; the rest is a usage error.
TEST(TessaryKey, SharedMinimisesAFilesOutputsTogether) {
    char dir_template[] = "/tmp/tessary-shared-test.XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    auto write = [&dir](const std::string& name, const std::string& text) {
        std::ofstream(dir + "/" + name, std::ios::binary) << text;
        return dir + "/" + name;
    };
    // Sum is BC+A'D and Carry AC+BC: BC is made once.
    const std::string two = write(
        "two.pla", ".i 4\n.o 2\n.ilb A B C D\n.ob Sum Carry\n-11- 11\n0--1 10\n1-1- 01\n.e\n");
    const struct {
        std::vector<std::string> args;
        std::string out;
    } rows[] = {
        {{"--read", two, "--shared"}, "BC+A'D\nAC+BC\n"},
        {{"--read", two, "--shared", "--minimal"}, "BC+A'D\nAC+BC\n"},
        {{"--read", two, "--shared", "--format", "verilog"},
         "module two(input A, B, C, D, output Sum, Carry);\n"
         "  wire t1 = B & C;\n"
         "  assign Sum = t1 | (~A & D);\n"
         "  assign Carry = (A & C) | t1;\n"
         "endmodule\n"},
        {{"--read", two, "--shared", "--format", "vhdl"},
         "library ieee; use ieee.std_logic_1164.all;\n"
         "entity two is port (A, B, C, D : in std_logic; Sum, Carry : out std_logic); end entity;\n"
         "architecture logic of two is signal t1 : std_logic; begin\n"
         "  t1 <= B and C; Sum <= t1 or (not A and D); Carry <= (A and C) or t1;\n"
         "end architecture;\n"},
        {{"--read", two, "--shared", "--format", "pla"},
         ".i 4\n.o 2\n.ilb A B C D\n.ob Sum Carry\n.p 3\n-11- 11\n0--1 10\n1-1- 01\n.e\n"},
        {{"--read", two, "--shared", "--format", "c"},
         "int Sum(int A, int B, int C, int D) { return (B && C) || (!A && D); }\n"
         "int Carry(int A, int B, int C, int D) { return (A && C) || (B && C); }\n"},
        {{"--read", two, "--shared", "--format", "python"},
         "def Sum(A, B, C, D): return (B and C) or (not A and D)\n"
         "def Carry(A, B, C, D): return (A and C) or (B and C)\n"},
        {{"--read", two, "--shared", "--format", "latex"},
         "\\mathit{Sum} = BC + \\overline{A}D\n\\mathit{Carry} = AC + BC\n"},
        // Names made identifiers: the file's name, .ilb by position, a
        // keyword, no .ob; the inputs in the file's order.
        {{"--read",
          write("7 seg.pla", ".i 4\n.o 2\n.ilb x-1 wire b c\n-11- 11\n0--1 10\n1-1- 01\n"),
          "--shared", "--format", "verilog"},
         "module t_7_seg(input x_1, wire_, b, c, output F0, F1);\n"
         "  wire t1 = wire_ & b;\n"
         "  assign F0 = t1 | (~x_1 & c);\n"
         "  assign F1 = (x_1 & b) | t1;\n"
         "endmodule\n"},
        {{"--read", write("dcba.pla", ".i 4\n.o 2\n.ilb D C B A\n.ob Y Z\n-11- 11\n0--1 10\n"),
          "--shared", "--format", "verilog"},
         "module dcba(input D, C, B, A, output Y, Z);\n"
         "  wire t1 = B & C;\n"
         "  assign Y = t1 | (A & ~D);\n"
         "  assign Z = t1;\n"
         "endmodule\n"},
        // Without --shared, one piece all the same, of each output's answer.
        {{"--read", two, "--minimal", "--format", "verilog"},
         "module two(input A, B, C, D, output Sum, Carry);\n"
         "  wire t1 = B & C;\n"
         "  assign Sum = t1 | (~A & D);\n"
         "  assign Carry = (A & C) | t1;\n"
         "endmodule\n"},
        // Nothing to make: one cube that makes no output 1.
        {{"--read", write("zero.pla", ".i 4\n.o 2\n.type f\n.e\n"), "--shared", "--format", "pla"},
         ".i 4\n.o 2\n.ilb A B C D\n.ob F0 F1\n.p 1\n---- 00\n.e\n"},
        // One output: what --minimal prints.
        {{"--read", write("one.pla", ".i 4\n.o 1\n-11- 1\n0--1 1\n"), "--shared", "--format",
          "verilog"},
         "assign F = (B & C) | (~A & D);\n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.args[1] + " " + r.args.back());
        const run_result result = run_key(r.args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, r.out);
    }
    // Every output's map on one page, the answers after it; none when the
    // page cannot be written.
    const run_result drawn = run_key({"--read", two, "--shared", "--draw", dir + "/two.png"});
    EXPECT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_EQ(drawn.out, "BC+A'D\nAC+BC\n");
    std::ifstream png(dir + "/two.png", std::ios::binary);
    std::string magic(8, '\0');
    png.read(magic.data(), 8);
    EXPECT_EQ(magic, "\x89PNG\r\n\x1a\n");
    const char* needs_file =
        "tessary-key: --shared minimises the outputs of a file together: give --read FILE and no "
        "maps\n";
    expect_refused({
        {"maps", {"--shared", "0000/0000/0000/0001"}, 2, needs_file},
        {"standard input", {"--shared"}, 2, needs_file},
        {"--minterms", {"--shared", "-m", "1"}, 2, needs_file},
        {"--expr", {"--shared", "--expr", "A"}, 2, needs_file},
        {"--pos",
         {"--shared", "--read", two, "--pos"},
         2,
         "tessary-key: --shared minimises sums of products together: leave out --pos\n"},
        {"--all-minimal",
         {"--shared", "--read", two, "--all-minimal"},
         2,
         "tessary-key: --shared minimises sums of products together: leave out --all-minimal\n"},
        {"--hazard-free",
         {"--shared", "--read", two, "--hazard-free"},
         2,
         "tessary-key: --shared minimises sums of products together: leave out --hazard-free\n"},
        {"--explain", {"--shared", "--read", two, "--explain"}, 2, "tessary-key: --explain "},
        {"--draw without --shared",
         {"--read", two, "--draw", dir + "/x.svg"},
         2,
         "tessary-key: --read gives the maps: leave out map arguments, --minterms, --expr and "
         "--draw\n"},
        {"a page that cannot be written",
         {"--read", two, "--shared", "--draw", dir + "/no/x.svg"},
         1,
         "tessary-key: cannot write '" + dir + "/no/x.svg': No such file or directory\n"},
    });
}

TEST(TessaryKey, ReadsPlaFilesAndTruthTables) {
    char dir_template[] = "/tmp/tessary-read-test.XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    auto write = [&dir](const std::string& name, const std::string& text) {
        std::ofstream(dir + "/" + name, std::ios::binary) << text;
        return dir + "/" + name;
    };
    struct row {
        const char* name;
        std::string file, text;
        std::vector<std::string> form;
        std::string out;
    };
    const row rows[] = {
        {"a PLA of two outputs, a don't-care by '-'",
         "two.pla",
         "# F and G\n.i 4\n.o 2\n.ilb A B C D\n.ob F G\n.p 3\n0--1 10\n1-0- 11\n1111 -0\n.e\n",
         {"--minimal"},
         "AC'+A'D\nAC'\n"},
        {"type fr: what no cube gives is a don't-care",
         "fr.pla",
         ".i 4\n.o 1\n.type fr\n11-- 1\n00-- 0\n",
         {"--minimal"},
         "A\n"},
        {"type f: a '-' output is nothing",
         "f.pla",
         ".i 4\n.o 1\n.type f\n1--- 1\n0--- -\n",
         {"--minimal"},
         "A\n"},
        {"a truth table in any order of columns and rows, two outputs",
         "t.csv",
         "C,A,D,B,,F,G\n" +
             [] {
                 std::string rows;
                 for (int m = 15; m >= 0; --m) {
                     const int a = m >> 3 & 1, b = m >> 2 & 1, c = m >> 1 & 1, d = m & 1;
                     rows += std::to_string(c) + "," + std::to_string(a) + "," + std::to_string(d) +
                             "," + std::to_string(b) + ",," + std::to_string(a ^ b) + "," +
                             (m == 15 ? "X" : std::to_string(c & d)) + "\n";
                 }
                 return rows;
             }(),
         {"--minimal"},
         "A'B+AB'\nCD\n"},
        {"X in the inputs stands for both values",
         "x.csv",
         "A,B,C,D,F\nX,X,X,0,1\nX,X,X,1,0\n",
         {"--minimal"},
         "D'\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<std::string> args{"--read", write(r.file, r.text)};
        args.insert(args.end(), r.form.begin(), r.form.end());
        const run_result result = run_key(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, r.out);
    }
    const std::string pipe = dir + "/pipe.pla", zero = dir + "/zero.csv";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
    expect_refused({
        {".i not 4",
         {"--read", write("i.pla", ".i 5\n.o 1\n10101 1\n")},
         1,
         "tessary-key: " + dir + "/i.pla: line 1: .i 5: the maps have 4 inputs"},
        {"1 and 0 for one cell",
         {"--read", write("c.pla", ".i 4\n.o 1\n.type fr\n0000 1\n0--0 0\n")},
         1,
         "tessary-key: " + dir + "/c.pla: line 5: output 1 makes minterm 0 both 1 and 0"},
        {"a missing row",
         {"--read", write("m.csv", "A,B,C,D,F\n0,0,0,0,1\n")},
         1,
         "tessary-key: " + dir + "/m.csv: line 2: no row gives minterm 1 (A'B'C'D)"},
        {"a repeated row",
         {"--read", write("r.csv", "A,B,C,D,F\nX,X,X,X,1\n0,0,0,0,1\n")},
         1,
         "tessary-key: " + dir + "/r.csv: line 3: minterm 0 was given already, on line 2"},
        {"an unknown column",
         {"--read", write("u.csv", "A,B,E,D,F\n")},
         1,
         "tessary-key: " + dir + "/u.csv: line 1: column 3: 'E' is not an input A, B, C or D"},
        {"a bad value",
         {"--read", write("v.csv", "A,B,C,D,F\n0,0,0,2,1\n")},
         1,
         "tessary-key: " + dir + "/v.csv: line 2: column 4: '2' is not an input value 0, 1 or X"},
        {"not .pla or .csv",
         {"--read", dir + "/t.txt"},
         2,
         "tessary-key: --read: the file name must end in .pla or .csv"},
        {"--read with a map",
         {"--read", dir + "/two.pla", "0000/0000/0000/0000"},
         2,
         "tessary-key: --read gives the maps"},
        // Regression: these were named twice, and a pipe or a device was
        // read until it ended (or memory ran out).
        {"no such file",
         {"--read", dir + "/none.pla"},
         1,
         "tessary-key: " + dir + "/none.pla: No such file or directory"},
        {"a named pipe", {"--read", pipe}, 1, "tessary-key: " + pipe + ": not a regular file"},
        {"a link to a device",
         {"--read", zero},
         1,
         "tessary-key: " + zero + ": not a regular file"},
    });
    std::system(("rm -rf " + dir).c_str());
}

// --grade: a small class marked against a key of two exercises, with every
// verdict, written by a spreadsheet as CSV and as TSV.
class TessaryKeyGrade : public ::testing::Test {
  protected:
    void SetUp() override {
        char dir_template[] = "/tmp/tessary-grade-test.XXXXXX";
        dir = mkdtemp(dir_template);
        write("key.tsv", "1001/0000/0000/1001\tB'D'\n0110/0110/0000/0000\tBC'\n");
    }
    void TearDown() override { std::system(("rm -rf " + dir).c_str()); }

    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir + "/" + name, std::ios::binary) << text;
        return dir + "/" + name;
    }

    std::string dir;
};

// The marks of the class below, whatever the table's format.
const char class_marks[] =
    "Smith, Ann\t1\tminimal\tequal, minimal\n"
    "Smith, Ann\t2\tcorrect\tequal\n"
    "Say \"Hi\"\t1\tcorrect\tequal, not minimal\n"
    "Say \"Hi\"\t2\tincorrect\tdiffers at minterm 6 (A'BCD'): the expression gives 1, the map "
    "has 0\n"
    "Bo\t1\tunreadable\tcolumn 3: expected a variable, 0, 1 or '(' after '+', found the end of "
    "the expression\n"
    "Bo\t2\tunanswered\t\n"
    "Cy\t1\tunanswered\t\n"
    "Cy\t2\tunanswered\t\n";

TEST_F(TessaryKeyGrade, EveryVerdictFromCsvAndTsv) {
    struct row {
        const char* name;
        std::string file; // "" for standard input
        std::string table;
    };
    const row rows[] = {
        {"CSV with a byte-order mark, CRLF, quoted names and short rows", "class.csv",
         "\xEF\xBB\xBF"
         "Student,Exercise 1,Exercise 2\r\n"
         "\"Smith, Ann\",B'D',(B^0)C'\r\n"
         "\"Say \"\"Hi\"\"\",A'B'D'+AB'D',B\r\n"
         "Bo,A+\r\n"
         "\r\n"
         "Cy,,\r\n"},
        {"TSV, the names as they are", "class.tsv",
         "Student\t1\t2\nSmith, Ann\tB'D'\t(B^0)C'\nSay \"Hi\"\tA'B'D'+AB'D'\tB\nBo\tA+\nCy\n"},
        {"TSV on standard input", "",
         "Student\t1\t2\nSmith, Ann\tB'D'\t(B^0)C'\nSay \"Hi\"\tA'B'D'+AB'D'\tB\nBo\tA+\t \nCy\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<std::string> args{"--grade", dir + "/key.tsv"};
        if (!r.file.empty()) args.push_back(write(r.file, r.table));
        const run_result result = run_key(args, r.file.empty() ? r.table : "");
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, class_marks);
        EXPECT_EQ(result.err, "");
    }
}

// A student met on two rows is counted once, on both; the summary is
// written only when every file was good.
TEST_F(TessaryKeyGrade, SummaryWithDefaultAndGivenPoints) {
    const std::string header =
        "student,minimal,correct,incorrect,unanswered,unreadable,score,max_score\n";
    struct row {
        std::vector<std::string> points;
        std::string summary;
    };
    const row rows[] = {
        {{}, header + "\"Smith, Ann\",2,1,0,0,1,5,8\nBo,0,0,0,1,1,0,4\n"},
        {{"--points", "5,2"}, header + "\"Smith, Ann\",2,1,0,0,1,12,20\nBo,0,0,0,1,1,0,10\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.points.empty() ? "2,1" : r.points[1]);
        std::vector<std::string> args{"--grade", dir + "/key.tsv", "--summary", dir + "/s.csv"};
        args.insert(args.end(), r.points.begin(), r.points.end());
        args.push_back(write("class.csv", "S,1,2\n\"Smith, Ann\",B'D',(B^0)C'\nBo,A+\n"
                                          "\"Smith, Ann\",B'D',A+\n"));
        ASSERT_EQ(run_key(args).status, 0);
        EXPECT_EQ(read_file(dir + "/s.csv"), r.summary);
        std::filesystem::remove(dir + "/s.csv");
    }
    const run_result bad = run_key({"--grade", dir + "/key.tsv", "--summary", dir + "/s.csv",
                                    write("class.csv", "S,1,2\nAnn,B'D',BC',B\n")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_FALSE(std::filesystem::exists(dir + "/s.csv")) << "no summary for a bad table";
}

TEST_F(TessaryKeyGrade, BadFilesAndUsage) {
    const std::string good = write("good.csv", "S,1,2\nAnn,B'D'\n");
    expect_refused({
        {"an unclosed quote",
         {"--grade", dir + "/key.tsv", write("q.csv", "S,1\n\"Ann,B'D'\n")},
         1,
         "tessary-key: " + dir + "/q.csv: line 2: a quote is not closed"},
        {"more answer columns",
         {"--grade", dir + "/key.tsv", write("w.tsv", "S\t1\t2\t3\nAnn\tB'D'\tBC'\tB\n")},
         1,
         "tessary-key: " + dir + "/w.tsv: line 2: more answer columns than the key's 2 exercises"},
        {"a name that is not UTF-8",
         {"--grade", dir + "/key.tsv", write("u.csv", "S,1\nAnn,B'D'\nJos\xE9,B'D'\n")},
         1,
         "tessary-key: " + dir + "/u.csv: line 3: the student's name is not UTF-8"},
        {"the key and the answers both from standard input",
         {"--grade", "-", "-"},
         2,
         "tessary-key: --grade: the key and the answers cannot both be read from standard input"},
        {"the key from standard input, and so the answers",
         {"--grade", "-"},
         2,
         "tessary-key: --grade: the key and the answers cannot both be read from standard input"},
        {"a name with a line break",
         {"--grade", dir + "/key.tsv", write("n.csv", "S,1\n\"A\nB\",B'D'\n")},
         1,
         "tessary-key: " + dir + "/n.csv: line 2: the student's name holds a tab or a line break"},
        {"a key line that is not a map",
         {"--grade", write("bad.tsv", "1001/0000/0000/1001\tB'D'\n0000\tx\n"), good},
         1,
         "tessary-key: " + dir + "/bad.tsv: line 2: has 4 cells"},
        {"an empty key",
         {"--grade", write("empty.tsv", ""), good},
         1,
         "tessary-key: " + dir + "/empty.tsv: no exercise in the key"},
        {"no such key",
         {"--grade", dir + "/none.tsv", good},
         1,
         "tessary-key: " + dir + "/none.tsv: No such file or directory"},
        {"no such table",
         {"--grade", dir + "/key.tsv", dir + "/none.csv"},
         1,
         "tessary-key: " + dir + "/none.csv: No such file or directory"},
        {"a summary not .csv",
         {"--grade", dir + "/key.tsv", "--summary", dir + "/s.txt", good},
         2,
         "tessary-key: --summary: the file name must end in .csv"},
        {"the summary over the table",
         {"--grade", dir + "/key.tsv", "--summary", good, good},
         2,
         "tessary-key: --summary would write over a file it reads"},
        {"points not whole numbers",
         {"--grade", dir + "/key.tsv", "--points", "2.5,1", good},
         2,
         "tessary-key: --points: '2.5,1' is not two whole numbers"},
        {"with a form of many answers",
         {"--grade", dir + "/key.tsv", "--all-minimal", good},
         2,
         "tessary-key: --grade grades a class's answers against a key: leave out "
         "--all-minimal"},
        {"with --judge",
         {"--grade", dir + "/key.tsv", "--judge", "A", good},
         2,
         "tessary-key: --grade and --judge are two modes: choose one"},
        {"two tables",
         {"--grade", dir + "/key.tsv", good, good},
         2,
         "tessary-key: --grade reads one table of answers"},
        {"a summary without --grade",
         {"--summary", dir + "/s.csv", "0000/0000/0000/0000"},
         2,
         "tessary-key: --summary goes with --grade"},
    });
    EXPECT_FALSE(std::filesystem::exists(dir + "/s.txt"));
}

// Tables as spreadsheets and hands leave them: each is graded as the plain
// class of EveryVerdictFromCsvAndTsv is, or as the row says.
TEST_F(TessaryKeyGrade, ClassesOfAnyShape) {
    const std::string plain = "Student,1,2\n\"Smith, Ann\",B'D',(B^0)C'\n\"Say \"\"Hi\"\"\",A'B'D'+"
                              "AB'D',B\nBo,A+\nCy,,\n";
    struct row {
        const char* name;
        std::string table;
    };
    const row rows[] = {
        {"blank lines before the header", "\n\n" + plain},
        {"blank CRLF lines before the header and between rows",
         "\r\n\r\nStudent,1,2\r\n\"Smith, Ann\",B'D',(B^0)C'\r\n\r\n\"Say \"\"Hi\"\"\","
         "A'B'D'+AB'D',B\r\nBo,A+\r\nCy,,\r\n"},
        {"rows of commas only", "Student,1,2\n,,\n\"Smith, Ann\",B'D',(B^0)C'\n,,,,\n\"Say "
                                "\"\"Hi\"\"\",A'B'D'+AB'D',B\nBo,A+\nCy,,\n,\n"},
        {"a header of more columns than the key, nothing under them",
         "Student,1,2,3,4\n\"Smith, Ann\",B'D',(B^0)C',,\n\"Say \"\"Hi\"\"\",A'B'D'+AB'D',B\n"
         "Bo,A+\nCy,,\n"},
        {"Cy's cells hold a no-break space and an ideographic space",
         "Student,1,2\n\"Smith, Ann\",B'D',(B^0)C'\n\"Say \"\"Hi\"\"\",A'B'D'+AB'D',B\nBo,"
         "A+\nCy,\u00A0,\u3000\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        const run_result result =
            run_key({"--grade", dir + "/key.tsv", write("class.csv", r.table)});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, class_marks);
        EXPECT_EQ(result.err, "");
    }
    // A key as an editor may save it, with blank lines at its end.
    write("key.tsv", "1001/0000/0000/1001\tB'D'\n0110/0110/0000/0000\tBC'\n\n\n");
    const run_result trailing = run_key({"--grade", dir + "/key.tsv", write("c.csv", plain)});
    EXPECT_EQ(trailing.status, 0) << trailing.err;
    EXPECT_EQ(trailing.out, class_marks);
}

// Points past what 32 bits hold: 108 rows of 20 minimal answers at 999,999
// points each are 2,159,997,840 points.
TEST_F(TessaryKeyGrade, ScoresPastThirtyTwoBits) {
    std::string key, answers = "Student";
    for (int n = 1; n <= 20; ++n) key += "1001/0000/0000/1001\tB'D'\n";
    for (int n = 1; n <= 20; ++n) answers += "," + std::to_string(n);
    answers += "\n";
    for (int r = 0; r < 108; ++r) {
        answers += "Ann";
        for (int n = 0; n < 20; ++n) answers += ",B'D'";
        answers += "\n";
    }
    write("key.tsv", key);
    const run_result result = run_key({"--grade", dir + "/key.tsv", "--summary", dir + "/s.csv",
                                       "--points", "999999,1", write("class.csv", answers)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(read_file(dir + "/s.csv"),
              "student,minimal,correct,incorrect,unanswered,unreadable,score,max_score\n"
              "Ann,2160,0,0,0,0,2159997840,2159997840\n");
}

// Graded against the key's form: a hazard-free key marks the hazard-free
// answer minimal and says what a minimal sum that leaves a pair lacks; a
// key of products wants a product.
TEST_F(TessaryKeyGrade, AgainstTheKeysForm) {
    write("key.tsv", "0000/1100/0110/0110\tBC+A'BD+A'C'D\n");
    const std::string answers = write("class.csv", "S,1\nAnn,BC+A'BD+A'C'D\nBob,BC+A'C'D\n"
                                                   "Cy,(A'+C)(B+C')(C+D)\nDi,A'BD+BC+A'C'D+BCD\n");
    const struct {
        const char* flag;
        const char* marks;
    } rows[] = {
        {nullptr, "Ann\t1\tcorrect\tequal, not minimal\nBob\t1\tminimal\tequal, minimal\n"
                  "Cy\t1\tminimal\tequal, minimal\nDi\t1\tcorrect\tequal, not minimal\n"},
        {"--hazard-free",
         "Ann\t1\tminimal\tequal, minimal\nBob\t1\tcorrect\tequal, leaves hazard pairs 5-7\n"
         "Cy\t1\tcorrect\tequal, not a sum of products\n"
         "Di\t1\tcorrect\tequal, no hazard pair, not minimal\n"},
        {"--pos", "Ann\t1\tcorrect\tequal, not a product of sums\n"
                  "Bob\t1\tcorrect\tequal, not a product of sums\n"
                  "Cy\t1\tminimal\tequal, minimal\nDi\t1\tcorrect\tequal, not a product of sums\n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.flag != nullptr ? r.flag : "no form");
        std::vector<std::string> args{"--grade", dir + "/key.tsv"};
        if (r.flag != nullptr) args.push_back(r.flag);
        args.push_back(answers);
        const run_result result = run_key(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, r.marks);
    }
    // A score never passes its maximum.
    const run_result points = run_key({"--grade", dir + "/key.tsv", "--points", "1,5", answers});
    EXPECT_EQ(points.status, 2);
    EXPECT_EQ(points.err.rfind("tessary-key: --points: '1,5' gives a correct answer more than a "
                               "minimal one\n",
                               0),
              0u)
        << points.err;
}

// The lines go out as they are made: a name of a megabyte and 2,000
// answers (2 GB of lines) grade within a gigabyte of memory.
TEST_F(TessaryKeyGrade, MemoryFollowsTheClassNotTheOutput) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more than the limit";
#endif
    constexpr int exercises = 2000;
    std::string key, answers = "Student";
    for (int n = 1; n <= exercises; ++n) key += "1001/0000/0000/1001\tB'D'\n";
    for (int n = 1; n <= exercises; ++n) answers += "," + std::to_string(n);
    answers += "\n" + std::string(1 << 20, 'a');
    for (int n = 0; n < exercises; ++n) answers += ",B'D'";
    answers += "\n";
    write("key.tsv", key);
    const std::string table = write("class.csv", answers);
    const std::string command = "ulimit -v 1048576 && '" TESSARY_KEY "' --grade '" + dir +
                                "/key.tsv' '" + table + "' | wc -l > '" + dir + "/lines'";
    EXPECT_EQ(std::system(("bash -c \"" + command + "\"").c_str()), 0);
    EXPECT_EQ(read_file(dir + "/lines"), std::to_string(exercises) + "\n");
}

// The summary may not name the file standard input reads.
TEST_F(TessaryKeyGrade, SummaryOverStandardInputIsRefused) {
    const std::string table = write("class.tsv", "S\t1\t2\nAnn\tB'D'\n");
    const std::string summary = write("s.csv", "old");
    const run_result result = run_key({"--grade", dir + "/key.tsv", "--summary", summary}, "",
                                      {summary.c_str(), nullptr, false});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("tessary-key: --summary would write over a file it reads", 0), 0u)
        << result.err;
    EXPECT_EQ(read_file(summary), "old");
    const run_result from_table = run_key({"--grade", dir + "/key.tsv", "--summary", summary}, "",
                                          {table.c_str(), nullptr, false});
    EXPECT_EQ(from_table.status, 0) << from_table.err;
}

} // namespace

namespace {

// The environment of a run in another language: the C locale's character
// set, the language by LANGUAGE, and the build tree's catalogues. Put back
// as it was afterwards.
class in_language {
  public:
    explicit in_language(const char* language) {
        for (const char* name : {"LC_ALL", "LANGUAGE", "TESSARY_LOCALEDIR"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value != nullptr ? std::optional<std::string>(value)
                                                       : std::nullopt);
        }
        setenv("LC_ALL", "C.UTF-8", 1);
        setenv("LANGUAGE", language, 1);
        setenv("TESSARY_LOCALEDIR", TESSARY_BUILD_LOCALE_DIR, 1);
    }
    ~in_language() {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    in_language(const in_language&) = delete;
    in_language& operator=(const in_language&) = delete;

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// What scripts read is the same in every language: every form of the
// answer, --check's verdicts, --explain's and --judge's lines, --grade's
// marks (a message on an unreadable answer among them), byte for byte.
TEST(TessaryKeyLanguage, StandardOutputIsTheSameInEveryLanguage) {
    const std::string maps = "0000111100001111\n1X0X/0110/1001/X0X0\n0000000000000000\n";
    char dir_template[] = "/tmp/tessary-key-language.XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    const std::string key = dir + "/key.tsv", answers = dir + "/answers.csv";
    std::ofstream(key) << "0000111100001111\tC'D+CD'\n0101010101010101\tD\n";
    std::ofstream(answers) << "student,1,2\nAnn,C'D+CD',D\nBo,A+,\nCy,C+D,ABE\n";
    const std::vector<std::vector<std::string>> runs = {
        {},
        {"--minimal"},
        {"--pos"},
        {"--all-minimal"},
        {"--check", "C^D"},
        {"--check", "A'B+CD"},
        {"--explain"},
        {"--explain", "--pos"},
        {"--chart"},
        {"--chart", "--pos"},
        {"--judge", "A'B+CD+C'D+ABCD"},
        {"--judge", "(C+D)(C'+D')(A+B)", "--pos"},
        {"--grade", key, answers},
    };
    for (const std::vector<std::string>& args : runs) {
        SCOPED_TRACE(args.empty() ? "(shown)" : args.front());
        const run_result english = run_key(args, maps);
        for (const char* language : {"de", "es"}) {
            const in_language switched(language);
            const run_result other = run_key(args, maps);
            EXPECT_EQ(other.out, english.out) << language;
            EXPECT_EQ(other.status, english.status) << language;
        }
    }
    std::filesystem::remove_all(dir);
}

// What a person reads follows the language: the help, and the messages on
// standard error, while the option names in them stay.
// The help in every language: no line wider than 80 columns (counted in
// characters), and its words as a German or Spanish reader expects.
TEST(TessaryKeyLanguage, HelpFitsEightyColumnsInEveryLanguage) {
    struct row {
        const char* language;
        std::vector<std::string> words;
    };
    const row rows[] = {
        {"en", {"--grade KEY.tsv"}},
        {"de", {"Ein DIAGRAMM besteht aus 16 Feldern", "--grade SCHLÜSSEL.tsv"}},
        {"es", {"--grade CLAVE.tsv"}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.language);
        const in_language switched(r.language);
        const run_result help = run_key({"--help"});
        ASSERT_EQ(help.status, 0);
        std::istringstream lines(help.out);
        for (std::string line; std::getline(lines, line);) {
            std::size_t columns = 0;
            for (const char ch : line) columns += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
            EXPECT_LE(columns, 80u) << line;
        }
        for (const std::string& words : r.words)
            EXPECT_NE(help.out.find(words), std::string::npos) << words;
    }
}

TEST(TessaryKeyLanguage, HelpAndMessagesAreTranslated) {
    struct row {
        const char* language;
        std::vector<std::string> args;
        const char* err; // the whole of standard error, or the help's start
    };
    const std::vector<row> rows = {
        {"de",
         {"--expr", "A+E"},
         "tessary-key: --expr: Spalte 3: unbekannte Variable »E« (das Diagramm hat A, B, C und "
         "D)\n"},
        {"es",
         {"--expr", "A+E"},
         "tessary-key: --expr: columna 3: variable desconocida «E» (el mapa tiene A, B, C y D)\n"},
        {"de",
         {"--numbers", "0000111100001111"},
         "tessary-key: --numbers gehört zu --draw\n"
         "»tessary-key --help« gibt weitere Informationen.\n"},
        // The two messages of the end of an expression.
        {"de", {"--expr", "A)"}, "tessary-key: --expr: Spalte 2: »)« ohne passende »(«\n"},
        {"es", {"--expr", "A)"}, "tessary-key: --expr: columna 2: «)» no tiene su «(»\n"},
        {"de",
         {"--expr", "A,B"},
         "tessary-key: --expr: Spalte 2: ein Operator erwartet, gefunden: ','\n"},
        {"es",
         {"--expr", "A,B"},
         "tessary-key: --expr: columna 2: se esperaba un operador, se encontró ','\n"},
        {"es",
         {"1111"},
         "tessary-key: argumento 1: tiene 4 celdas (un mapa tiene 16, o 4 grupos de 4 separados "
         "por «/»)\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.language);
        const in_language switched(r.language);
        const run_result run = run_key(r.args);
        EXPECT_NE(run.status, 0);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, r.err);
    }
    const in_language german("de");
    const run_result help = run_key({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Aufruf: tessary-key [OPTION...] [DIAGRAMM...]\n", 0), 0u);
    EXPECT_NE(help.out.find("  -m, --minterms LISTE"), std::string::npos);
    EXPECT_EQ(run_key({"--version"}).out, "tessary-key " TESSARY_VERSION_TEXT "\n");
}

} // namespace
