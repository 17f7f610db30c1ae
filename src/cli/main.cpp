// tessary-key: Tessary's command-line face, for scripts and for checking
// answer keys. Reads maps from the arguments, from --minterms or --expr, or
// line by line from standard input, and prints one line per map: its answer
// in the chosen form, or with --check the verdict on an expression; with
// --explain or --judge, a block of lines.
//
// Start at main(). Every answer goes out before the tool waits for more
// input, every error is reported after the answers before it, and a failed
// read or write ends the run with a message and status 1.
#include "answers/answers.h"
#include "answers/explanation.h"
#include "answers/formats.h"
#include "cli/grade.h"
#include "cli/modes.h"
#include "cli/streams.h"
#include "exact/exact.h"
#include "files/files.h"
#include "input/concat.h"
#include "input/expression.h"
#include "input/file_reader.h"
#include "input/groups.h"
#include "input/map_text.h"
#include "input/truth_table.h"
#include "kit/kit.h"
#include "render/picture_files.h"
#include "tessary_config.h"
#include "views/pictures.h"
#include "words/words.h"

#include <getopt.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <strings.h>
#include <vector>

namespace {

using namespace tessary;

constexpr int exit_differs = 3;
constexpr int exit_bad_input = exit_failure;

// The help, a part a paragraph or a table of options, each translated on its
// own. Translators: keep the option names and their arguments as they are,
// and the columns of the tables lined up.
const char* const usage_parts[] = {
    N_("Usage: tessary-key [OPTION...] [MAP...]\n"
       "       tessary-key [OPTION...] --minterms LIST [--dont-cares LIST]\n"
       "       tessary-key [OPTION...] --expr EXPR [--dont-cares LIST]\n"
       "       tessary-key --explain [--pos] [MAP...]\n"
       "       tessary-key --chart [--pos] [MAP...]\n"
       "       tessary-key --judge GROUPS [--pos] [MAP...]\n"
       "       tessary-key --grade KEY.tsv [--summary FILE.csv] [--points M,C] [ANSWERS]\n"
       "Prints an answer for each four-variable Karnaugh map, one line per map.\n"
       "With no MAP, reads maps from standard input, one per line (blank lines are\n"
       "skipped).\n"
       "\n"),
    N_("A MAP is 16 cells, each 0, 1 or X (x too): row C'D' first, then C'D, CD, CD';\n"
       "within a row the columns A'B', A'B, AB, AB'. Write it as 16 characters or as\n"
       "four groups of four separated by '/', e.g. 1111/1111/1000/0001.\n"
       "\n"),
    N_("Maps:\n"
       "  -m, --minterms LIST     the map's 1-cells as minterm numbers 0 to 15\n"
       "                          (8A+4B+2C+D), separated by commas\n"
       "  -d, --dont-cares LIST   its don't-care cells, the same way (also with --expr)\n"
       "  -e, --expr EXPR         the map of an expression, such as \"A'B + C(D+A)\"\n"),
    N_("Forms of the answer (one at most):\n"
       "      (none)              Tessary's shown answer: a fixed greedy procedure, the\n"
       "                          same as the window's; it may not be the shortest\n"
       "      --minimal           a minimum sum of products\n"
       "      --pos               a minimum product of sums, such as (A+B')(C'+D)\n"
       "      --all-minimal       every minimum sum of products, separated by tabs\n"
       "      --hazard-free       a minimum sum of products without static hazards:\n"
       "                          no two adjacent 1-cells left without a term that\n"
       "                          takes in both (with --pos, a product of sums, of\n"
       "                          0-cells); only changes of one input are covered\n"
       "      --hazards           instead of the answer in its form, the hazard pairs\n"
       "                          it leaves: 'N-M' (minterm numbers, the lower\n"
       "                          first) separated by blanks, or 'none'; with --draw,\n"
       "                          marked on the picture\n"),
    N_("Pictures:\n"
       "      --draw FILE         also draw the one map given with the groups of its\n"
       "                          answer (shown, --minimal or --pos), as SVG, PNG or\n"
       "                          PDF by FILE's extension, or .tex: a LaTeX document\n"
       "                          of the picture's size, or .tikz: the tikzpicture\n"
       "                          alone, for \\input in a document that loads tikz\n"
       "      --numbers           with --draw, each cell's minterm number in its corner\n"
       "      --rows CD|AB        with --draw, C and D down the side (CD, the default)\n"
       "                          or A and B down the side (AB); the map notation\n"
       "                          stays the same\n"),
    N_("For the lab:\n"
       "      --format FORMAT     the answer as text (the default), verilog (assign\n"
       "                          F = ...;), vhdl (F <= ...;), c, python, latex (math\n"
       "                          mode) or pla (a Berkeley PLA of the sum of\n"
       "                          products; not with --pos or --all-minimal); the\n"
       "                          variables A, B, C, D, the output F\n"
       "      --read FILE         the maps of FILE.pla (a map for each output; .i 4,\n"
       "                          .type f, fd, fr or fdr) or FILE.csv (a truth\n"
       "                          table: the inputs A, B, C, D in any order, an\n"
       "                          optional empty column, a column for each output),\n"
       "                          an answer line for each; the whole file is read\n"
       "                          first. With several outputs, --format writes one\n"
       "                          piece: a module or entity named after FILE with\n"
       "                          its .ilb and .ob or header names, one PLA, a C or\n"
       "                          Python function or a LaTeX line for each output\n"
       "      --shared            with --read, the outputs minimised together: the\n"
       "                          fewest distinct products over all outputs, then\n"
       "                          the fewest literals, then the fewest connections;\n"
       "                          a product two outputs share is one wire; with\n"
       "                          --draw FILE, every output's map on one page\n"),
    N_("Instead of an answer:\n"
       "  -c, --check EXPR        whether EXPR is the map's function: 'equal'\n"
       "                          (', minimal' or ', not minimal' when EXPR is a sum\n"
       "                          of products or a product of sums), or the first\n"
       "                          minterm where it differs\n"
       "      --explain           the steps to the minimum (with --pos, of the\n"
       "                          product of sums), a block of lines per map: map,\n"
       "                          primes, essential, left, choose, minimal, covers\n"
       "      --chart             the prime-implicant chart (with --pos, of the\n"
       "                          implicates), a block of lines per map: map, a\n"
       "                          'prime: Pn TERM: CELLS' line per prime, essential,\n"
       "                          left, then each 'row: Pi by Pj', 'column: C by D'\n"
       "                          and 'essential: ...' of the rounds that drop\n"
       "                          dominated rows and columns, cyclic, and where a\n"
       "                          cyclic core is left Petrick's petrick and products;\n"
       "                          minimal, covers\n"
       "      --judge GROUPS      a student's groups judged, one loop per term of\n"
       "                          GROUPS, a sum of products such as \"A'B+CD'\" (with\n"
       "                          --pos, loops of 0-cells, one per sum of a product\n"
       "                          of sums such as \"(A+B')C\"): a line 'TERM: VERDICT'\n"
       "                          per group, then 'cover: minimal', 'cover: correct,\n"
       "                          not minimal: ...' or 'cover: incorrect; ...'\n"
       "                          Blocks of --explain, --chart and --judge are\n"
       "                          separated by an empty line.\n"),
    N_("Marking a class:\n"
       "      --grade KEY.tsv     grade a class's answers against the key that\n"
       "                          tessary-sheet --key wrote (its first column, line N\n"
       "                          exercise N). ANSWERS (standard input when absent\n"
       "                          or -) is a table with a header row: the student,\n"
       "                          then an answer per exercise; CSV when its name ends\n"
       "                          in .csv, else tab-separated. A line per student and\n"
       "                          exercise: STUDENT, N, VERDICT (minimal, correct,\n"
       "                          incorrect, unreadable or unanswered) and what\n"
       "                          --check says, separated by tabs. The key's form:\n"
       "                          none, a minimal sum or product is minimal; --pos,\n"
       "                          a minimal product; --hazard-free (a key of\n"
       "                          tessary-sheet --answers hazard-free), a minimal\n"
       "                          sum that leaves no hazard pair\n"
       "      --summary FILE.csv  with --grade, also a line per student: the count of\n"
       "                          each verdict, score and max_score\n"
       "      --points M,C        the points of a minimal and of a correct answer,\n"
       "                          C at most M (default 2,1)\n"
       "  -h, --help              show this help and exit\n"
       "  -V, --version           show the version and exit\n"
       "\n"),
    N_("A minimum has the fewest terms, then the fewest literals. Of several, the one\n"
       "printed lists its terms fewest literals first, then by the number of their\n"
       "letters (A 1, B 3, C 9, D 27, twice that when complemented), lowest first,\n"
       "and of two such lists the one lower at their first difference wins.\n"
       "\n"),
    N_("Expressions: variables A to D in either case, constants 0 and 1; NOT as a\n"
       "postfix ' (or \u2019 or \u2032) or a prefix ~ or !; AND by juxtaposition or * & .;\n"
       "XOR ^; OR + or |; parentheses. NOT binds tightest, then AND, XOR and OR.\n"
       "\n"),
    N_("A group's verdict is the first of: 'covers a 0 at N' ('covers a 1' with\n"
       "--pos), 'covers only don't cares', 'repeated', else 'could be bigger: inside\n"
       "P' and/or 'redundant', else 'prime' or 'prime, essential'.\n"
       "\n"),
    N_("Repeated --minterms or --dont-cares lists add up.\n"
       "\n"),
    N_("Exit status: 0 when every map was answered (with --check, equal; with\n"
       "--judge, minimal; with --grade, every answer graded); 3 when --check found a\n"
       "map that differs or --judge a cover that is not minimal; 1 at the first bad\n"
       "map, expression or groups, or on a read or write error (the answers before it\n"
       "stay printed); 2 for a wrong option. When the reader of the answers goes away,\n"
       "tessary-key ends by SIGPIPE, as the filters of a pipeline do.\n"
       "\n"),
    N_("--draw writes its file whole (a temporary name, then a rename), through a\n"
       "symbolic link, keeping a replaced file's permissions.\n"),
};

struct options {
    tessary::mode mode = mode::answer;
    std::vector<std::string_view> mode_options;    // as given: "--chart"
    std::vector<const char*> minterms, dont_cares; // each list as given
    bool has_minterms = false, has_dont_cares = false;
    const char* expr = nullptr;
    const char* check = nullptr;
    const char* draw = nullptr;
    bool numbers = false;           // on the picture of --draw
    std::optional<map_layout> rows; // of the picture of --draw
    const char* judge = nullptr;
    const char* grade = nullptr;
    const char* summary = nullptr;
    std::optional<points> grade_points;
    answer_form form = answer_form::shown;
    int forms_given = 0;              // different forms given
    const char* first_form = nullptr; // as the user wrote them: "--minimal"
    const char* other_form = nullptr;
    bool hazard_free = false;          // --hazard-free: the form, of products or (--pos) sums
    const char* format_name = nullptr; // --format
    answer_format format = answer_format::text; // of the answer
    const char* read = nullptr;                 // --read: the maps of a PLA or CSV file
    bool shared = false;                        // --shared: the file's outputs together
};

line_writer out(STDOUT_FILENO);

// Errors come after the answers before them.
void report(const std::string& message) {
    out.flush();
    std::fprintf(stderr, "tessary-key: %s\n", message.c_str());
}

// Reported once, however many writes fail after the first.
int write_failure() {
    static bool reported = false;
    if (reported) return exit_bad_input;
    reported = true;
    std::fprintf(stderr, _("tessary-key: error writing the answers: %s\n"),
                 std::strerror(out.error()));
    return exit_bad_input;
}

// What each map is turned into: its answer, the verdict on --check, or the
// block of --explain or --judge.
struct responder {
    answer_form form;
    std::optional<parsed_expression> check;
    bool explain = false;
    bool chart = false;
    std::optional<std::vector<cube>> judge;
    bool hazards = false;
    answer_format format = answer_format::text;
    bool any_differs = false;
    bool any_block = false;

    cover_kind kind() const { return kind_of(form); }

    // The answer in another language than the answers' own: every minimum
    // separated by tabs, as in text.
    std::string formatted(const boolean_map& map) const {
        if (form != answer_form::all_minimal)
            return written_cover(answer_cover(map, form), kind(), format);
        std::string line;
        for (const cover& c : all_minimum_sops(map))
            line.append(line.empty() ? "" : "\t").append(written_cover(c, kind(), format));
        return line;
    }

    std::string line_for(const boolean_map& map) {
        if (hazards) return hazards_text(map, form);
        if (format != answer_format::text) return formatted(map);
        if (explain) return block_for(map);
        if (chart) return chart_for(map);
        if (judge) return judgement_for(map);
        if (!check) return answer_text(map, form);
        verdict v = check_expression(map, *check);
        any_differs |= !v.equal;
        return std::move(v.text);
    }
    int status() const { return any_differs ? exit_differs : EXIT_SUCCESS; }

    // Without its last newline, which write_line() adds; an empty line
    // before every block but the first.
    std::string block_for(const boolean_map& map) {
        std::string block = any_block ? "\n" : "";
        any_block = true;
        return block + explanation_text(map, tessary::explain(map, kind()));
    }

    std::string chart_for(const boolean_map& map) {
        std::string block = any_block ? "\n" : "";
        any_block = true;
        return block + chart_text(map, reduce_chart(map, kind()));
    }

    // A judged cover that is not minimal counts as a difference.
    std::string judgement_for(const boolean_map& map) {
        const judgement judged = tessary::judge(map, kind(), *judge);
        any_differs |= !judged.cover.minimal();
        std::string block = any_block ? "\n" : "";
        any_block = true;
        for (const std::string& line : judgement_lines(judged, words::fixed))
            block.append(line).append("\n");
        block.pop_back();
        return block;
    }
};

int answer(responder& r, const boolean_map& map) {
    // The default answer is written from a buffer of fixed size: a batch of
    // maps then allocates nothing per line.
    const bool written = !r.check && !r.explain && !r.chart && !r.judge && !r.hazards &&
                                 r.format == answer_format::text && r.form == answer_form::shown
                             ? out.write_line(shown_text(map).view())
                             : out.write_line(r.line_for(map));
    return written ? EXIT_SUCCESS : write_failure();
}

// The picture goes first: when it cannot be written, no answer is printed.
int draw_and_answer(responder& r, const boolean_map& map, const options& opts) {
    const char* path = opts.draw;
    std::string error;
    bool saved;
    if (r.chart) {
        saved = save_chart(path, chart_picture(map, reduce_chart(map, r.kind())), error);
    } else {
        map_picture picture = picture_of(map, r.form);
        picture.numbers = opts.numbers;
        picture.layout = opts.rows.value_or(map_layout::cd_rows);
        if (r.hazards) mark_hazards(picture, answer_hazards(map, r.form));
        saved = save_picture(path, picture, error);
    }
    if (!saved) {
        report(printed(_("cannot write '%s': %s"), path, error.c_str()));
        return exit_bad_input;
    }
    return answer(r, map);
}

int answer_arguments(responder& r, char** first, char** last) {
    boolean_map map;
    std::string error;
    for (char** arg = first; arg != last; ++arg) {
        if (!parse_map(*arg, map, error)) {
            report(printed(_("argument %d: %s"), static_cast<int>(arg - first + 1), error.c_str()));
            return exit_bad_input;
        }
        if (answer(r, map) != EXIT_SUCCESS) return exit_bad_input;
    }
    return r.status();
}

// Blanks and tabs around a line, and a CR before its end, are not part of
// the map; `column` is where what is left begins.
std::string_view strip_line(std::string_view line, std::size_t& column) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    column = 1;
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
        line.remove_prefix(1);
        ++column;
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    return line;
}

// Every output's map on one page, a shared product in one look on each.
bool draw_shared(const std::vector<boolean_map>& maps, const shared_cover& shared,
                 const file_names& names, const options& opts) {
    std::vector<std::string> titles;
    for (const std::string& name : output_names(names, maps.size()))
        titles.push_back(printable(name));
    std::vector<map_picture> pictures = shared_pictures(maps, shared, titles);
    for (map_picture& picture : pictures) {
        picture.numbers = opts.numbers;
        picture.layout = opts.rows.value_or(map_layout::cd_rows);
    }
    std::string error;
    if (save_pictures(opts.draw, pictures, error)) return true;
    report(printed(_("cannot write '%s': %s"), opts.draw, error.c_str()));
    return false;
}

// The maps of --read, all read before the first answer: a bad file prints
// nothing but its message. Several outputs written for the lab are one
// piece; with --shared the outputs are minimised together.
int answer_file(responder& r, const options& opts) {
    const char* path = opts.read;
    const bool shared = opts.shared;
    std::string error;
    std::vector<boolean_map> maps;
    file_names names;
    if (!read_maps_file(path, maps, names, error)) {
        report(error);
        return exit_bad_input;
    }
    const bool one_piece =
        r.format != answer_format::text && maps.size() > 1 && r.form != answer_form::all_minimal;
    if (!shared && !one_piece) {
        for (const boolean_map& map : maps)
            if (answer(r, map) != EXIT_SUCCESS) return exit_bad_input;
        return r.status();
    }
    std::vector<cover> outputs;
    if (shared) {
        const shared_cover together = minimum_shared_sop(maps);
        // The pictures go first: when they cannot be written, no answer is printed.
        if (opts.draw != nullptr && !draw_shared(maps, together, names, opts))
            return exit_bad_input;
        outputs = together.outputs;
    } else {
        for (const boolean_map& map : maps) outputs.push_back(answer_cover(map, r.form));
    }
    if (maps.size() > 1 && r.format != answer_format::text) {
        const bool written =
            out.write_line(written_circuit(outputs, r.kind(), r.format, names, path));
        return written ? r.status() : write_failure();
    }
    for (const cover& c : outputs)
        if (!out.write_line(written_cover(c, r.kind(), r.format))) return write_failure();
    return r.status();
}

int answer_standard_input(responder& r) {
    line_reader in(
        STDIN_FILENO, [](void*) { out.flush(); }, nullptr);
    boolean_map map;
    std::string error;
    std::string_view raw;
    for (std::size_t number = 1;; ++number) {
        const line_reader::result got = in.next(raw);
        if (got == line_reader::result::end) return r.status();
        if (got == line_reader::result::read_error) {
            report(printed(_("standard input: %s"), std::strerror(in.error())));
            return exit_bad_input;
        }
        if (got == line_reader::result::too_long) {
            report(printed(_("line %zu: too long (more than %zu bytes)"), number,
                           line_reader::line_limit));
            return exit_bad_input;
        }
        std::size_t column;
        const std::string_view line = strip_line(raw, column);
        if (line.empty()) continue;
        if (!parse_map(line, map, error, column)) {
            report(printed(_("line %zu: %s"), number, error.c_str()));
            return exit_bad_input;
        }
        if (answer(r, map) != EXIT_SUCCESS) return exit_bad_input;
    }
}

bool read_expression(const char* option, const char* text, parsed_expression& expr) {
    expression_error error;
    if (parse_expression(text, expr, error)) return true;
    report(concat(option, ": ", describe(error)));
    return false;
}

// Repeated lists add up. A message names the list by its place when there
// are several, and the column within it.
bool read_lists(const std::vector<const char*>& lists, const char* option, minterm_set& set,
                std::string& error) {
    set = 0;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const std::string name =
            lists.size() == 1 ? std::string(option) : printed(_("%s (list %zu)"), option, i + 1);
        if (!add_minterm_list(lists[i], name.c_str(), set, error)) return false;
    }
    return true;
}

// The one map of --minterms or --expr, with its --dont-cares.
bool read_option_map(const options& opts, boolean_map& map) {
    std::string error;
    minterm_set ones = 0, dont_cares = 0;
    if (opts.expr != nullptr) {
        parsed_expression expr;
        if (!read_expression("--expr", opts.expr, expr)) return false;
        ones = expr.value;
    } else if (!read_lists(opts.minterms, "--minterms", ones, error)) {
        report(error);
        return false;
    }
    if (!read_lists(opts.dont_cares, "--dont-cares", dont_cares, error)) {
        report(error);
        return false;
    }
    if (opts.expr != nullptr) ones = static_cast<minterm_set>(ones & ~dont_cares);
    if (map_from_minterms(ones, dont_cares, map, error)) return true;
    report(error);
    return false;
}

void add_list(std::vector<const char*>& lists, bool& given, const char* list) {
    given = true;
    lists.push_back(list);
}

// A form given again is the same as once; a second form is kept to name
// both in the usage error.
void choose_form(options& opts, answer_form form, const char* name) {
    if (opts.forms_given > 0 && opts.form == form) return;
    if (opts.forms_given == 0)
        opts.first_form = name;
    else if (opts.other_form == nullptr)
        opts.other_form = name;
    opts.form = form;
    ++opts.forms_given;
}

enum long_only {
    opt_minimal = 256,
    opt_pos,
    opt_all_minimal,
    opt_hazard_free,
    opt_hazards,
    opt_format,
    opt_read,
    opt_draw,
    opt_numbers,
    opt_rows,
    opt_explain,
    opt_chart,
    opt_judge,
    opt_grade,
    opt_summary,
    opt_points,
    opt_shared
};

// The options given beside the mode's own, in the order the table of
// modes looks at them.
std::vector<given_option> options_given(const options& opts) {
    std::vector<given_option> given;
    if (opts.forms_given > 0) {
        const mode_option form = opts.form == answer_form::pos       ? with_pos
                                 : opts.form == answer_form::minimal ? with_minimal
                                                                     : with_all_minimal;
        given.push_back({form, opts.first_form});
    }
    if (opts.hazard_free) given.push_back({with_hazard_free, "--hazard-free"});
    if (opts.format_name != nullptr) given.push_back({with_format, "--format"});
    if (opts.draw != nullptr) given.push_back({with_draw, "--draw"});
    if (opts.numbers) given.push_back({with_numbers, "--numbers"});
    if (opts.rows) given.push_back({with_numbers, "--rows"});
    if (opts.read != nullptr) given.push_back({with_read, "--read"});
    if (opts.has_minterms) given.push_back({with_option_map, "--minterms"});
    if (opts.expr != nullptr) given.push_back({with_option_map, "--expr"});
    if (opts.has_dont_cares) given.push_back({with_option_map, "--dont-cares"});
    if (opts.shared) given.push_back({with_shared, "--shared"});
    if (opts.summary != nullptr) given.push_back({with_summary, "--summary"});
    if (opts.grade_points) given.push_back({with_summary, "--points"});
    return given;
}

// Where the maps come from: the arguments, --minterms or --expr (with
// --dont-cares), --read, or standard input; one of them.
void check_maps(const options& opts, int maps) {
    if (opts.has_minterms && opts.expr != nullptr)
        usage_error(_("give either --minterms or --expr"));
    if (opts.has_dont_cares && !opts.has_minterms && opts.expr == nullptr)
        usage_error(_("--dont-cares needs --minterms or --expr"));
    if ((opts.has_minterms || opts.expr != nullptr) && maps > 0)
        usage_error(_("give either --minterms, --expr or maps, not more than one"));
    if (opts.read == nullptr) return;
    const std::string_view name(opts.read);
    const auto ends = [&name](std::string_view tail) {
        return name.size() > tail.size() &&
               strcasecmp(name.substr(name.size() - tail.size()).data(), tail.data()) == 0;
    };
    if (!ends(".pla") && !ends(".csv"))
        usage_error(_("--read: the file name must end in .pla or .csv"));
    if (maps > 0 || opts.has_minterms || opts.expr != nullptr ||
        (opts.draw != nullptr && !opts.shared))
        usage_error(_("--read gives the maps: leave out map arguments, --minterms, --expr "
                      "and --draw"));
}

void check_drawing(const options& opts, int maps) {
    if (opts.numbers && opts.draw == nullptr) usage_error(_("--numbers goes with --draw"));
    if (opts.rows && opts.draw == nullptr) usage_error(_("--rows goes with --draw"));
    if (opts.draw == nullptr) return;
    if (opts.form == answer_form::all_minimal)
        usage_error(_("--draw draws the shown, --minimal or --pos answer"));
    const bool option_map = opts.has_minterms || opts.expr != nullptr;
    // --shared draws the maps of its file, all on one page.
    const bool whole_file = opts.shared && opts.read != nullptr && !option_map && maps == 0;
    if (!whole_file && (option_map ? 1 : 0) + maps != 1)
        usage_error(_("--draw needs one map: an argument, --minterms or --expr"));
    if (!format_of(opts.draw))
        usage_error(_("--draw: the file name must end in .svg, .png, .pdf, .tex or .tikz"));
}

// --grade takes a key and one table of answers, neither of them read over.
void check_grading(const options& opts, int arguments, const char* answers) {
    if (arguments > 1) usage_error(_("--grade reads one table of answers"));
    const std::string_view summary = opts.summary != nullptr ? opts.summary : "";
    if (opts.summary != nullptr && (summary.size() < 5 || !summary.ends_with(".csv")))
        usage_error(_("--summary: the file name must end in .csv"));
    const auto from_standard_input = [](const char* input) {
        return input == nullptr || std::strcmp(input, "-") == 0;
    };
    if (from_standard_input(opts.grade) && from_standard_input(answers))
        usage_error(_("--grade: the key and the answers cannot both be read from standard input"));
    for (const char* input : {opts.grade, answers}) {
        if (opts.summary == nullptr) continue;
        const bool same = from_standard_input(input)
                              ? same_file_as_descriptor(opts.summary, STDIN_FILENO)
                              : same_file(opts.summary, input);
        if (same) usage_error(_("--summary would write over a file it reads"));
    }
}

// The forms: one of --minimal, --pos and --all-minimal, and --hazard-free
// alone or with --pos, which make one form between them.
void check_forms(options& opts) {
    if (opts.forms_given > 1)
        usage_error(printed(_("%s and %s are two forms: choose one of --minimal, --pos and "
                              "--all-minimal"),
                            opts.first_form, opts.other_form));
    if (!opts.hazard_free) return;
    if (opts.form == answer_form::minimal || opts.form == answer_form::all_minimal)
        usage_error(_("--hazard-free is a form of its own: leave out --minimal and "
                      "--all-minimal"));
}

// --format writes the answer of any form; a PLA only a sum of products.
void check_format(options& opts) {
    if (opts.format_name == nullptr) return;
    const std::optional<answer_format> format = format_named(opts.format_name);
    if (!format)
        usage_error(printed(_("--format: '%s' is not text, verilog, vhdl, c, python, latex or pla"),
                            opts.format_name));
    opts.format = *format;
    // --hazard-free has not yet made its form: with --pos it is a product.
    const bool one_sum = opts.form != answer_form::all_minimal && opts.form != answer_form::pos;
    if (opts.format == answer_format::pla && !one_sum)
        usage_error(_("--format pla writes one sum of products: leave out --pos and "
                      "--all-minimal"));
}

// --shared minimises the sums of products of a file's outputs together.
void check_shared(const options& opts, int maps) {
    if (!opts.shared) return;
    if (opts.forms_given > 0 && opts.form != answer_form::minimal)
        usage_error(printed(_("--shared minimises sums of products together: leave out %s"),
                            opts.hazard_free ? "--hazard-free" : opts.first_form));
    if (opts.read == nullptr || maps > 0 || opts.has_minterms || opts.expr != nullptr)
        usage_error(_("--shared minimises the outputs of a file together: give --read FILE and "
                      "no maps"));
}

// The mode, what it admits, and the rules of the options among themselves.
void check_options(options& opts, int argc, char** argv) {
    const int arguments = argc - optind;
    check_forms(opts);
    opts.mode = mode_of(opts.mode_options);
    check_admitted(opts.mode, options_given(opts));
    check_format(opts);
    if (opts.hazard_free) {
        opts.form = opts.form == answer_form::pos ? answer_form::hazard_free_pos
                                                  : answer_form::hazard_free_sop;
        opts.forms_given = 1;
    }
    if (opts.mode == mode::grade) {
        check_grading(opts, arguments, arguments > 0 ? argv[optind] : nullptr);
        return;
    }
    check_maps(opts, arguments);
    check_drawing(opts, arguments);
    check_shared(opts, arguments);
}

// An option that takes its argument once.
void set_once(const char*& option, const char* name) {
    if (option != nullptr) usage_error(printed(_("give %s once"), name).c_str());
    option = optarg;
}

// "M,C": two whole numbers, the points of a minimal and a correct answer.
points read_points(const char* text) {
    const std::string_view t(text);
    const std::size_t comma = t.find(',');
    auto number = [](std::string_view digits, int& n) {
        if (digits.empty() || digits.size() > 6 ||
            digits.find_first_not_of("0123456789") != std::string_view::npos)
            return false;
        n = std::stoi(std::string(digits));
        return true;
    };
    points p;
    if (comma == std::string_view::npos || !number(t.substr(0, comma), p.minimal) ||
        !number(t.substr(comma + 1), p.correct))
        usage_error(printed(_("--points: '%s' is not two whole numbers M,C such as 2,1"), text));
    // A score never passes its maximum, the minimal answer's points each.
    if (p.correct > p.minimal)
        usage_error(
            printed(_("--points: '%s' gives a correct answer more than a minimal one"), text));
    return p;
}

options parse_options(int argc, char** argv) {
    static const option long_options[] = {{"minterms", required_argument, nullptr, 'm'},
                                          {"dont-cares", required_argument, nullptr, 'd'},
                                          {"expr", required_argument, nullptr, 'e'},
                                          {"check", required_argument, nullptr, 'c'},
                                          {"minimal", no_argument, nullptr, opt_minimal},
                                          {"pos", no_argument, nullptr, opt_pos},
                                          {"all-minimal", no_argument, nullptr, opt_all_minimal},
                                          {"hazard-free", no_argument, nullptr, opt_hazard_free},
                                          {"hazards", no_argument, nullptr, opt_hazards},
                                          {"format", required_argument, nullptr, opt_format},
                                          {"read", required_argument, nullptr, opt_read},
                                          {"draw", required_argument, nullptr, opt_draw},
                                          {"explain", no_argument, nullptr, opt_explain},
                                          {"chart", no_argument, nullptr, opt_chart},
                                          {"judge", required_argument, nullptr, opt_judge},
                                          {"numbers", no_argument, nullptr, opt_numbers},
                                          {"rows", required_argument, nullptr, opt_rows},
                                          {"grade", required_argument, nullptr, opt_grade},
                                          {"summary", required_argument, nullptr, opt_summary},
                                          {"points", required_argument, nullptr, opt_points},
                                          {"shared", no_argument, nullptr, opt_shared},
                                          {"help", no_argument, nullptr, 'h'},
                                          {"version", no_argument, nullptr, 'V'},
                                          {nullptr, 0, nullptr, 0}};
    options opts;
    opterr = 0; // refused options are told in our own words
    for (int opt; (opt = getopt_long(argc, argv, ":m:d:e:c:hV", long_options, nullptr)) != -1;) {
        switch (opt) {
        case 'm': add_list(opts.minterms, opts.has_minterms, optarg); break;
        case 'd': add_list(opts.dont_cares, opts.has_dont_cares, optarg); break;
        case 'e': set_once(opts.expr, "--expr"); break;
        case 'c':
            set_once(opts.check, "--check");
            opts.mode_options.push_back("--check");
            break;
        case opt_minimal: choose_form(opts, answer_form::minimal, "--minimal"); break;
        case opt_pos: choose_form(opts, answer_form::pos, "--pos"); break;
        case opt_all_minimal: choose_form(opts, answer_form::all_minimal, "--all-minimal"); break;
        case opt_hazard_free: opts.hazard_free = true; break;
        case opt_hazards: opts.mode_options.push_back("--hazards"); break;
        case opt_format: set_once(opts.format_name, "--format"); break;
        case opt_read: set_once(opts.read, "--read"); break;
        case opt_draw: set_once(opts.draw, "--draw"); break;
        case opt_explain: opts.mode_options.push_back("--explain"); break;
        case opt_chart: opts.mode_options.push_back("--chart"); break;
        case opt_numbers: opts.numbers = true; break;
        case opt_rows:
            if (opts.rows) usage_error(_("give --rows once"));
            opts.rows = rows_or_usage_error(optarg);
            break;
        case opt_judge:
            set_once(opts.judge, "--judge");
            opts.mode_options.push_back("--judge");
            break;
        case opt_grade:
            set_once(opts.grade, "--grade");
            opts.mode_options.push_back("--grade");
            break;
        case opt_summary: set_once(opts.summary, "--summary"); break;
        case opt_points:
            if (opts.grade_points) usage_error(_("give --points once"));
            opts.grade_points = read_points(optarg);
            break;
        case opt_shared: opts.shared = true; break;
        case 'h': print_and_exit(help_text(usage_parts, std::size(usage_parts)));
        case 'V': print_and_exit("tessary-key " TESSARY_VERSION "\n");
        default: usage_error(option_error(opt, argv, long_options));
        }
    }
    check_options(opts, argc, argv);
    return opts;
}

// The summary first: when it cannot be written, no line is printed. The
// lines go out as they are made.
int grade(const options& opts, int argc, char** argv) {
    const grade_request request{opts.grade, optind < argc ? argv[optind] : nullptr,
                                opts.grade_points.value_or(points{}),
                                opts.forms_given > 0 ? opts.form : answer_form::minimal};
    class_answers loaded;
    std::string error;
    if (!read_class(request, loaded, error)) {
        report(error);
        return exit_bad_input;
    }
    if (opts.summary != nullptr &&
        !save_text(opts.summary, summary_csv(tally_class(loaded), request.p), error)) {
        report(printed(_("cannot write '%s': %s"), opts.summary, error.c_str()));
        return exit_bad_input;
    }
    const bool written =
        write_graded_lines(loaded, [](std::string_view line) { return out.write(line); });
    return written ? EXIT_SUCCESS : write_failure();
}

int run(const options& opts, int argc, char** argv) {
    if (opts.mode == mode::grade) return grade(opts, argc, argv);
    responder r{opts.form,
                std::nullopt,
                opts.mode == mode::explain,
                opts.mode == mode::chart,
                std::nullopt,
                opts.mode == mode::hazards,
                opts.format};
    if (opts.check != nullptr) {
        parsed_expression expr;
        if (!read_expression("--check", opts.check, expr)) return exit_bad_input;
        r.check = expr;
    }
    if (opts.judge != nullptr) {
        std::vector<cube> groups;
        expression_error error;
        if (!parse_groups(opts.judge, r.kind(), groups, error)) {
            report(concat("--judge: ", describe(error)));
            return exit_bad_input;
        }
        r.judge = std::move(groups);
    }
    if (opts.has_minterms || opts.expr != nullptr) {
        boolean_map map;
        if (!read_option_map(opts, map)) return exit_bad_input;
        const int status = opts.draw ? draw_and_answer(r, map, opts) : answer(r, map);
        return status != EXIT_SUCCESS ? status : r.status();
    }
    if (opts.read != nullptr) return answer_file(r, opts);
    if (opts.draw != nullptr) {
        boolean_map map;
        std::string error;
        if (!parse_map(argv[optind], map, error)) {
            report(printed(_("argument %d: %s"), 1, error.c_str()));
            return exit_bad_input;
        }
        return draw_and_answer(r, map, opts);
    }
    if (optind < argc) return answer_arguments(r, argv + optind, argv + argc);
    return answer_standard_input(r);
}

} // namespace

int main(int argc, char** argv) {
    use_user_language(TESSARY_LOCALE_DIR);
    name_face("tessary-key");
    fail_writes_past_the_size_limit();
    const options opts = parse_options(argc, argv);
    if (opts.draw != nullptr || opts.summary != nullptr) remove_temporaries_on_signals();
    const int status = run(opts, argc, argv);
    return out.flush() ? status : write_failure();
}
