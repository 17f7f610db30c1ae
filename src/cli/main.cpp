// tessary-key: the minimiser's command-line face, for scripts and for
// checking answer keys. Reads maps from the arguments, from --minterms, or
// line by line from standard input, and prints one answer line per map.
#include "map_text.h"
#include "show.h"
#include "tessary_config.h"

#include <getopt.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr int exit_bad_map = 1;
constexpr int exit_usage = 2;

const char usage_text[] =
    "Usage: tessary-key [MAP...]\n"
    "       tessary-key --minterms LIST [--dont-cares LIST]\n"
    "Prints the sum of products that Tessary's Show gives for each four-variable\n"
    "Karnaugh map, one line per map. With no MAP, reads maps from standard input,\n"
    "one per line (blank lines are skipped).\n"
    "\n"
    "A MAP is 16 cells, each 0, 1 or X (x too): row C'D' first, then C'D, CD, CD';\n"
    "within a row the columns A'B', A'B, AB, AB'. Write it as 16 characters or as\n"
    "four groups of four separated by '/', e.g. 1111/1111/1000/0001.\n"
    "\n"
    "  -m, --minterms LIST     the map's 1-cells as minterm numbers 0 to 15\n"
    "                          (8A+4B+2C+D), separated by commas\n"
    "  -d, --dont-cares LIST   its don't-care cells, the same way\n"
    "  -h, --help              show this help and exit\n"
    "  -V, --version           show the version and exit\n"
    "\n"
    "Exit status: 0 when every map was answered, 1 at the first bad map (the\n"
    "answers before it stay printed), 2 for a wrong option.\n";

struct options {
    const char* minterms = nullptr;
    const char* dont_cares = nullptr;
};

[[noreturn]] void usage_error(const char* message) {
    if (message != nullptr) std::fprintf(stderr, "tessary-key: %s\n", message);
    std::fputs("Try 'tessary-key --help' for more information.\n", stderr);
    std::exit(exit_usage);
}

// Writes the whole answer line with one call, so no half answer goes out.
void print_answer(const tessary::cell_values& cells) {
    const tessary::key_fields& key = tessary::show_map(cells);
    char line[sizeof key.first + sizeof key.second + 1];
    std::size_t length = std::strlen(key.first);
    std::memcpy(line, key.first, length);
    if (key.second_shown) {
        const std::size_t more = std::strlen(key.second);
        std::memcpy(line + length, key.second, more);
        length += more;
    }
    line[length++] = '\n';
    std::fwrite(line, 1, length, stdout);
}

int report_bad_map(const char* where, std::size_t number, const std::string& error) {
    std::fprintf(stderr, "tessary-key: %s %zu: %s\n", where, number, error.c_str());
    return exit_bad_map;
}

int answer_arguments(char** first, char** last) {
    tessary::cell_values cells;
    std::string error;
    for (char** arg = first; arg != last; ++arg) {
        if (!tessary::parse_map(*arg, cells, error))
            return report_bad_map("argument", static_cast<std::size_t>(arg - first + 1), error);
        print_answer(cells);
    }
    return EXIT_SUCCESS;
}

std::string_view strip_line(const char* text, std::size_t length) {
    std::string_view line(text, length);
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    return line;
}

// Streams: one line in, one answer out; only the current line is held.
int answer_standard_input() {
    char* buffer = nullptr;
    std::size_t capacity = 0;
    std::size_t line_number = 0;
    tessary::cell_values cells;
    std::string error;
    int status = EXIT_SUCCESS;
    for (ssize_t got; (got = getline(&buffer, &capacity, stdin)) != -1;) {
        ++line_number;
        const std::string_view line = strip_line(buffer, static_cast<std::size_t>(got));
        if (line.empty()) continue;
        if (!tessary::parse_map(line, cells, error)) {
            status = report_bad_map("line", line_number, error);
            break;
        }
        print_answer(cells);
    }
    std::free(buffer);
    return status;
}

int answer_minterms(const options& opts) {
    tessary::cell_values cells;
    std::string error;
    if (!tessary::parse_minterms(opts.minterms, opts.dont_cares ? opts.dont_cares : "", cells,
                                 error)) {
        std::fprintf(stderr, "tessary-key: %s\n", error.c_str());
        return exit_bad_map;
    }
    print_answer(cells);
    return EXIT_SUCCESS;
}

options parse_options(int argc, char** argv) {
    static const option long_options[] = {{"minterms", required_argument, nullptr, 'm'},
                                          {"dont-cares", required_argument, nullptr, 'd'},
                                          {"help", no_argument, nullptr, 'h'},
                                          {"version", no_argument, nullptr, 'V'},
                                          {nullptr, 0, nullptr, 0}};
    options opts;
    for (int opt; (opt = getopt_long(argc, argv, "m:d:hV", long_options, nullptr)) != -1;) {
        switch (opt) {
        case 'm': opts.minterms = optarg; break;
        case 'd': opts.dont_cares = optarg; break;
        case 'h': std::fputs(usage_text, stdout); std::exit(EXIT_SUCCESS);
        case 'V': std::puts("tessary-key " TESSARY_VERSION); std::exit(EXIT_SUCCESS);
        default: usage_error(nullptr);
        }
    }
    if (opts.dont_cares != nullptr && opts.minterms == nullptr)
        usage_error("--dont-cares needs --minterms");
    if (opts.minterms != nullptr && optind < argc)
        usage_error("give either --minterms or maps, not both");
    return opts;
}

// A full disk or a closed pipe must not pass for success.
int finish_output(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "tessary-key: error writing the answers: %s\n", std::strerror(errno));
        return exit_bad_map;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const options opts = parse_options(argc, argv);
    if (opts.minterms != nullptr) return finish_output(answer_minterms(opts));
    if (optind < argc) return finish_output(answer_arguments(argv + optind, argv + argc));
    return finish_output(answer_standard_input());
}
