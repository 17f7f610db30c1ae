// tessary-sheet: a worksheet of Karnaugh-map exercises and its answer key,
// as a PDF, from a seed that makes the same sheet again.
//
// Start at main(): the options are read and checked (a wrong one is a usage
// error, status 2, and nothing is written), the maps drawn, and the PDF and
// the optional key text written whole or not at all (status 1).
#include "kit/kit.h"
#include "render/picture_files.h"
#include "sheet/worksheet.h"
#include "tessary_config.h"
#include "words/words.h"

#include <getopt.h>
#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace tessary;

// The help, a part a paragraph or a table of options, each translated on its
// own. Translators: keep the option names and their arguments as they are,
// and the columns of the tables lined up.
const char* const usage_parts[] = {
    N_("Usage: tessary-sheet [OPTION...] -o FILE.pdf|FILE.tex|FILE.xml\n"
       "Makes a worksheet of four-variable Karnaugh maps: pages of exercises, each\n"
       "map numbered with room for the answer, then the answer key, each map drawn\n"
       "with the groups of its answer; or the exercises as a Moodle quiz.\n"
       "\n"),
    N_("  -o, --output FILE       the worksheet (required): FILE.pdf, or FILE.tex for\n"
       "                          LaTeX, each map a tikzpicture; or FILE.xml, a quiz\n"
       "                          to import into Moodle (Moodle XML): for each map\n"
       "                          which of four expressions is a minimum, how many\n"
       "                          primes and essential primes it has and how many\n"
       "                          literals a minimum has, and which primes are\n"
       "                          essential (--answers minimal or pos)\n"
       "  -n, --count N           N exercises, 1 to 200 (default 12)\n"
       "  -s, --seed S            the seed, 0 to 18446744073709551615 (default: from\n"
       "                          the clock); printed on the key pages and on standard\n"
       "                          error, not on the sheet, which prints a code made\n"
       "                          from it: the same options and seed make the same\n"
       "                          sheet\n"
       "      --dont-cares P      P percent of each map's cells are don't-cares,\n"
       "                          0 to 50 (default 0)\n"
       "      --terms MIN-MAX     each map's minimum sum of products has MIN to MAX\n"
       "                          terms, 1 to 8 (default 2-5)\n"
       "      --answers FORM      the key gives: shown (Tessary's greedy answer, as\n"
       "                          the window shows it), minimal (default), pos (a\n"
       "                          minimal product of sums), both (shown and minimal)\n"
       "                          or hazard-free (a minimal sum of products without\n"
       "                          static hazards; graded by tessary-key --grade with\n"
       "                          --hazard-free, the key pages say how)\n"
       "      --paper a4|letter   the paper size (default a4)\n"
       "      --numbers           each cell's minterm number, small in its corner\n"
       "      --rows CD|AB        C and D down the side of each map (CD, the default),\n"
       "                          or A and B (AB)\n"
       "      --zeros blank|shown leave the exercises' 0-cells (with --answers pos, the\n"
       "                          1-cells) empty, or show them (default shown; the\n"
       "                          key always shows them)\n"
       "      --key FILE          the key apart, by FILE's extension; may be given\n"
       "                          once for each: FILE.tsv, the key as text (per\n"
       "                          exercise the map, a tab and the answer as\n"
       "                          tessary-key prints it; both: the shown answer, a\n"
       "                          tab, the minimum); FILE.pdf or FILE.tex, the key\n"
       "                          pages as a document of their own, which then\n"
       "                          leave the worksheet (else they end it)\n"
       "  -h, --help              show this help and exit\n"
       "  -V, --version           show the version and exit\n"
       "\n"),
    N_("Every map has a 1-cell and a 0-cell, and no map appears twice.\n"
       "The sheet and the key are written whole: both to temporary files, renamed\n"
       "into place when both are complete. A symbolic link is written through, and\n"
       "a file replaced keeps its permissions. No two files may be the same.\n"
       "Exit status: 0 when the sheet was written; 1 when it could not be (the old\n"
       "files stay as they were), 2 for a wrong option.\n"),
};

// A whole decimal number from `low` to `high`, else a usage error.
template <typename Number>
Number number_in(std::string_view text, Number low, Number high, const char* option) {
    Number value{};
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (problem != std::errc() || end != text.data() + text.size() || value < low || value > high)
        usage_error(printed(_("%s: '%s' is not a number from %s to %s"), option,
                            std::string(text).c_str(), std::to_string(low).c_str(),
                            std::to_string(high).c_str()));
    return value;
}

void read_terms(std::string_view text, sheet_options& o) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) usage_error(_("--terms: write MIN-MAX, such as 2-5"));
    o.min_terms = number_in(text.substr(0, dash), 1, 8, "--terms");
    o.max_terms = number_in(text.substr(dash + 1), 1, 8, "--terms");
    if (o.min_terms > o.max_terms) usage_error(_("--terms: MIN is above MAX"));
}

key_choice read_answers(std::string_view text) {
    for (const key_choice choice : {key_choice::shown, key_choice::minimal, key_choice::pos,
                                    key_choice::both, key_choice::hazard_free})
        if (text == answers_name(choice)) return choice;
    usage_error(printed(_("--answers: '%s' is not shown, minimal, pos, both or hazard-free"),
                        std::string(text).c_str()));
}

paper_size read_paper(std::string_view text) {
    if (text == "a4") return paper_size::a4;
    if (text == "letter") return paper_size::letter;
    usage_error(printed(_("--paper: '%s' is not a4 or letter"), std::string(text).c_str()));
}

bool read_zeros(std::string_view text) {
    if (text == "blank") return true;
    if (text == "shown") return false;
    usage_error(printed(_("--zeros: '%s' is not blank or shown"), std::string(text).c_str()));
}

std::uint64_t seed_from_clock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
               std::chrono::duration_cast<std::chrono::microseconds>(now).count()) ^
           (static_cast<std::uint64_t>(getpid()) << 40);
}

enum long_only {
    opt_dont_cares = 256,
    opt_terms,
    opt_answers,
    opt_paper,
    opt_key,
    opt_numbers,
    opt_zeros,
    opt_rows
};

struct command {
    sheet_options options;
    std::string output, key_text, key_pages; // the key as TSV and as a PDF, when asked
};

// --key FILE by its extension: the text key or the key pages.
// A document of pages: a PDF, or LaTeX.
bool is_document(const std::string& path) {
    const std::optional<picture_format> format = format_of(path);
    return format == picture_format::pdf || format == picture_format::tex;
}

void add_key(command& c, const std::string& path) {
    const std::string_view name(path);
    std::string* slot = nullptr;
    if (name.size() > 4 && name.ends_with(".tsv")) slot = &c.key_text;
    if (is_document(path)) slot = &c.key_pages;
    if (slot == nullptr)
        usage_error(printed(_("--key: '%s' does not end in .tsv, .pdf or .tex"), path.c_str()));
    if (!slot->empty())
        usage_error(_("--key: give one key of each kind, text (.tsv) and pages (.pdf or .tex)"));
    *slot = path;
}

// A Moodle XML quiz, by the name's extension in either case.
bool is_quiz(const std::string& path) {
    return path.size() > 4 && strcasecmp(path.c_str() + path.size() - 4, ".xml") == 0;
}

// The sheet is a PDF, LaTeX or a quiz by its name, and the key is another
// file: a key written over the sheet would lose it.
void check_files(const command& c) {
    if (c.output.empty()) usage_error(_("give the worksheet's file with -o FILE.pdf"));
    if (!is_document(c.output) && !is_quiz(c.output))
        usage_error(_("-o: the file name must end in .pdf, .tex or .xml"));
    const key_choice answers = c.options.answers;
    if (is_quiz(c.output) && answers != key_choice::minimal && answers != key_choice::pos)
        usage_error(_("a quiz (-o FILE.xml) asks for a minimal sum or product: --answers "
                      "minimal or pos"));
    for (const std::string* key : {&c.key_text, &c.key_pages})
        if (!key->empty() && same_file(c.output, *key))
            usage_error(_("-o and --key name the same file: the key would replace the worksheet"));
    if (!c.key_text.empty() && !c.key_pages.empty() && same_file(c.key_text, c.key_pages))
        usage_error(_("the two --key files name the same file"));
}

command parse_options(int argc, char** argv) {
    static const option long_options[] = {
        {"output", required_argument, nullptr, 'o'},
        {"count", required_argument, nullptr, 'n'},
        {"seed", required_argument, nullptr, 's'},
        {"dont-cares", required_argument, nullptr, opt_dont_cares},
        {"terms", required_argument, nullptr, opt_terms},
        {"answers", required_argument, nullptr, opt_answers},
        {"paper", required_argument, nullptr, opt_paper},
        {"key", required_argument, nullptr, opt_key},
        {"numbers", no_argument, nullptr, opt_numbers},
        {"zeros", required_argument, nullptr, opt_zeros},
        {"rows", required_argument, nullptr, opt_rows},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, 'V'},
        {nullptr, 0, nullptr, 0}};
    command c;
    bool seeded = false;
    opterr = 0; // refused options are told in our own words
    for (int opt; (opt = getopt_long(argc, argv, ":o:n:s:hV", long_options, nullptr)) != -1;) {
        switch (opt) {
        case 'o': c.output = optarg; break;
        case 'n': c.options.count = number_in(optarg, 1, 200, "--count"); break;
        case 's':
            c.options.seed = number_in<std::uint64_t>(optarg, 0, UINT64_MAX, "--seed");
            seeded = true;
            break;
        case opt_dont_cares:
            c.options.dont_care_percent = number_in(optarg, 0, 50, "--dont-cares");
            break;
        case opt_terms: read_terms(optarg, c.options); break;
        case opt_answers: c.options.answers = read_answers(optarg); break;
        case opt_paper: c.options.paper = read_paper(optarg); break;
        case opt_key: add_key(c, optarg); break;
        case opt_numbers: c.options.numbers = true; break;
        case opt_zeros: c.options.blank_zeros = read_zeros(optarg); break;
        case opt_rows: c.options.layout = rows_or_usage_error(optarg); break;
        case 'h': print_and_exit(help_text(usage_parts, std::size(usage_parts)));
        case 'V': print_and_exit("tessary-sheet " TESSARY_VERSION "\n");
        default: usage_error(option_error(opt, argv, long_options));
        }
    }
    if (optind < argc) usage_error(printed(_("unexpected argument '%s'"), argv[optind]));
    check_files(c);
    if (!seeded) c.options.seed = seed_from_clock();
    return c;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "tessary-sheet: %s\n", message.c_str());
    return exit_failure;
}

// Every file is complete before any is renamed into place, and the renames
// are one step that a signal cannot split: a failure or an interruption
// leaves the old sheet and keys as they were.
int write_files(const command& c, const std::vector<boolean_map>& maps) {
    std::string error;
    pending_file sheet(c.output);
    // A quiz holds no key pages: Moodle gives each answer after the attempt.
    const bool with_key = c.key_pages.empty();
    const bool written = is_quiz(c.output) ? write_quiz(sheet, maps, c.options, error)
                                           : write_sheet(sheet, *format_of(c.output), maps,
                                                         c.options, with_key, error);
    if (!written || !sheet.finish(error))
        return fail(printed(_("cannot write '%s': %s"), c.output.c_str(), error.c_str()));
    std::optional<pending_file> text, pages;
    if (!c.key_text.empty()) {
        text.emplace(c.key_text);
        text->write(key_lines(maps, c.options.answers)); // a failure is kept for finish()
    }
    if (!c.key_pages.empty()) {
        pages.emplace(c.key_pages);
        const bool pages_written =
            write_key_pages(*pages, *format_of(c.key_pages), maps, c.options, error);
        if (!pages_written || !pages->finish(error))
            return fail(printed(_("cannot write '%s': %s"), c.key_pages.c_str(), error.c_str()));
    }
    const pending_file* failed = nullptr;
    const bool committed = text && pages ? commit_together({&sheet, &*text, &*pages}, error, failed)
                           : text        ? commit_together({&sheet, &*text}, error, failed)
                           : pages       ? commit_together({&sheet, &*pages}, error, failed)
                                         : commit_together({&sheet}, error, failed);
    if (!committed) {
        const std::string& name = failed == &sheet           ? c.output
                                  : text && failed == &*text ? c.key_text
                                                             : c.key_pages;
        return fail(printed(_("cannot write '%s': %s"), name.c_str(), error.c_str()));
    }
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char** argv) {
    use_user_language(TESSARY_LOCALE_DIR);
    name_face("tessary-sheet");
    fail_writes_past_the_size_limit();
    const command c = parse_options(argc, argv);
    remove_temporaries_on_signals();
    std::fprintf(stderr, _("tessary-sheet: seed %llu\n"),
                 static_cast<unsigned long long>(c.options.seed));
    std::vector<boolean_map> maps;
    std::string error;
    if (!make_maps(c.options, maps, error)) return fail(error);
    return write_files(c, maps);
}
