// Worksheets (see worksheet.h): the exercises drawn from the seed, laid out
// on pages.
#include "sheet/worksheet.h"

#include "answers/answers.h"
#include "exact/exact.h"
#include "render/pages.h"
#include "render/picture_files.h"
#include "teach/exercises.h"
#include "words/words.h"

#include <algorithm>
#include <bit>
#include <charconv>

namespace tessary {

namespace {

// Margins of 16 mm on every side, on A4 and on letter alike.
constexpr double margin = 45.35;

page_layout layout_of(paper_size paper, int rows) {
    const bool a4 = paper == paper_size::a4;
    return {a4 ? 595.28 : 612.0, a4 ? 841.89 : 792.0, margin, 2, rows};
}

// A worksheet is read by a class: its words are in the language of the
// locale it is made in.
const char* tr(const char* text) {
    return say(words::reader, text);
}

// "Exercise 3": a map's title on the sheet and on the key.
std::string exercise_title(std::size_t number) {
    return printed(tr(N_("Exercise %zu")), number);
}

map_picture numbered_key_picture(const boolean_map& map, const sheet_options& o,
                                 std::size_t number) {
    map_picture picture = key_picture(map, o.answers);
    picture.title = exercise_title(number);
    picture.numbers = o.numbers;
    picture.layout = o.layout;
    return picture;
}

map_picture exercise_picture(const boolean_map& map, const sheet_options& o, std::size_t number) {
    map_picture picture{map, {}, exercise_title(number), ""};
    picture.numbers = o.numbers;
    picture.layout = o.layout;
    // A product of sums is read off the 0-cells: those stay, the 1s go.
    if (o.answers == key_choice::pos) picture.loops_of = cover_kind::product_of_sums;
    picture.blank_others = o.blank_zeros;
    return picture;
}

// Lines of handwriting, about 22 characters each across a box, that the
// longest answer of the sheet takes.
int answer_lines_for(const std::vector<boolean_map>& maps, const sheet_options& o) {
    std::size_t longest = 0;
    for (const boolean_map& map : maps)
        for (const answer_form form : forms_of(o.answers))
            longest = std::max(longest, answer_text(map, form).size());
    return std::max<int>(1, static_cast<int>((longest + 21) / 22));
}

const char* instructions_for(key_choice answers) {
    switch (answers) {
    case key_choice::pos: return tr(N_("Simplify each map to a minimal product of sums."));
    case key_choice::shown: return tr(N_("Simplify each map to a sum of products."));
    case key_choice::minimal:
    case key_choice::both: break;
    }
    return tr(N_("Simplify each map to a minimal sum of products."));
}

std::vector<std::string> exercise_lines(const sheet_options& o) {
    std::string instructions = instructions_for(o.answers);
    if (o.dont_care_percent > 0) instructions.append(" ").append(tr(N_("An X is a don't-care.")));
    // Translators: the first line of a worksheet, where a student writes; keep
    // the lines about as long as they are.
    return {tr(N_("Name: ________________________________     Date: ________________")),
            instructions};
}

} // namespace

int dont_care_cells(int percent) {
    return (cell_count * percent + 50) / 100;
}

bool make_maps(const sheet_options& o, std::vector<boolean_map>& maps, std::string& error) {
    const int dont_cares = dont_care_cells(o.dont_care_percent);
    if (draw_exercises({o.seed, o.count, dont_cares, o.min_terms, o.max_terms}, maps)) return true;
    error = printed(tr(N_("found only %zu different maps with %d to %d terms and %d don't-cares; "
                          "ask for fewer, or for other --terms or --dont-cares")),
                    maps.size(), o.min_terms, o.max_terms, dont_cares);
    return false;
}

std::string key_lines(const std::vector<boolean_map>& maps, key_choice choice) {
    std::string text;
    for (const boolean_map& map : maps) text += key_line(map, choice);
    return text;
}

namespace {

// Maps large enough to write in: a picture is never drawn below this scale
// on a worksheet (a grid of 50 mm and more, digits of 11 points, headings
// of 9), and a page holds fewer maps where that needs it.
constexpr double least_scale = 0.7;

// The pages of one part of the sheet: its pictures, what goes round them,
// and their layout.
struct sheet_part {
    std::vector<map_picture> pictures;
    page_frame frame;
    page_layout page;
};

// The most rows a page can hold with every picture at `scale` or larger.
page_layout rows_for(paper_size paper, const page_frame& frame,
                     const std::vector<map_picture>& pictures, double scale) {
    for (int rows = 3; rows > 1; --rows) {
        const page_layout page = layout_of(paper, rows);
        if (fitting_scale(page, frame, pictures) >= scale) return page;
    }
    return layout_of(paper, 1);
}

// The exercises, then the key at the exercises' scale and in their columns,
// so that the key lines up with a student's page.
std::pair<sheet_part, sheet_part> parts_of(const std::vector<boolean_map>& maps,
                                           const sheet_options& o) {
    sheet_part exercises, key;
    for (std::size_t i = 0; i < maps.size(); ++i) {
        exercises.pictures.push_back(exercise_picture(maps[i], o, i + 1));
        key.pictures.push_back(numbered_key_picture(maps[i], o, i + 1));
    }
    // Translators: the footer's note of a worksheet, the number it was drawn
    // from (tessary-sheet --seed).
    const std::string seed = printed(tr(N_("seed %llu")), static_cast<unsigned long long>(o.seed));
    exercises.frame = {
        printed(say_n(words::reader,
                      NN_("Karnaugh maps: %zu exercise", "Karnaugh maps: %zu exercises"),
                      maps.size()),
                maps.size()),
        exercise_lines(o), seed, answer_lines_for(maps, o)};
    // Translators: a worksheet's footer, as "Page 2 of 4"; both numbers are
    // put in as text.
    exercises.frame.page_number = tr(N_("Page %s of %s"));
    // Translators: over the ruled lines where a student writes an answer.
    exercises.frame.answer_word = tr(N_("Answer:"));
    key.frame = {printed(tr(N_("Answer key (%s)")), seed.c_str()), {key_title(o.answers)}, seed, 0};
    // Translators: the answer key's footer, as "Key page 1 of 2".
    key.frame.page_number = tr(N_("Key page %s of %s"));
    key.frame.answer_word = exercises.frame.answer_word;
    exercises.page = rows_for(o.paper, exercises.frame, exercises.pictures, least_scale);
    exercises.page.scale = fitting_scale(exercises.page, exercises.frame, exercises.pictures);
    key.page = rows_for(o.paper, key.frame, key.pictures, exercises.page.scale);
    key.page.scale =
        std::min(exercises.page.scale, fitting_scale(key.page, key.frame, key.pictures));
    return {exercises, key};
}

void draw_part(cairo_t* cr, const sheet_part& part) {
    draw_picture_pages(cr, part.page, part.pictures, part.frame, 1,
                       pages_for(part.page, part.pictures.size()));
}

} // namespace

bool write_sheet(pending_file& file, const std::vector<boolean_map>& maps, const sheet_options& o,
                 bool with_key, std::string& error) {
    const auto [exercises, key] = parts_of(maps, o);
    return write_pdf(
        file, exercises.page.width, exercises.page.height,
        [&](cairo_t* cr) {
            draw_part(cr, exercises);
            if (with_key) draw_part(cr, key);
        },
        error);
}

bool write_key_pages(pending_file& file, const std::vector<boolean_map>& maps,
                     const sheet_options& o, std::string& error) {
    const sheet_part key = parts_of(maps, o).second;
    return write_pdf(
        file, key.page.width, key.page.height, [&](cairo_t* cr) { draw_part(cr, key); }, error);
}

namespace {

// The worksheet as LaTeX: the same parts, pages and maps as the PDF, each
// map its tikzpicture at the PDF's scale, the words as LaTeX text that a
// teacher can edit.
std::string latex_preamble(const sheet_options& o) {
    return std::string("\\documentclass[") +
           (o.paper == paper_size::a4 ? "a4paper" : "letterpaper") +
           "]{article}\n\\usepackage[T1]{fontenc}\n\\usepackage{lmodern}\n"
           "\\usepackage[margin=16mm,includefoot]{geometry}\n\\usepackage{graphicx}\n"
           "\\usepackage{tikz}\n\\usepackage{fancyhdr}\n\\pagestyle{fancy}\n\\fancyhf{}\n"
           "\\renewcommand{\\headrulewidth}{0pt}\n\\renewcommand{\\familydefault}{\\sfdefault}\n"
           "\\setlength{\\parindent}{0pt}\n\\begin{document}\n";
}

std::string latex_answer_lines(int lines, const std::string& word) {
    if (lines == 0) return "";
    std::string t = "\\par\\raggedright\\vspace{4pt}{\\small " + latex_text(word) + "}\\par\n";
    for (int i = 0; i < lines; ++i) t += "\\vspace{16pt}\\hrule\n";
    return t;
}

std::string latex_map(const map_picture& picture, double scale, const page_frame& frame) {
    const picture_size size = measure_picture(picture);
    // Written as LaTeX reads it whatever the locale's decimal point.
    char width[32];
    const std::to_chars_result end =
        std::to_chars(width, width + sizeof width, size.width * scale, std::chars_format::fixed, 1);
    return "\\begin{minipage}[t]{0.48\\linewidth}\\centering\n\\resizebox{" +
           std::string(width, end.ptr) + "pt" + "}{!}{%\n" + picture_tikz(picture) + "}\n" +
           latex_answer_lines(frame.answer_lines, frame.answer_word) + "\\end{minipage}";
}

// The footer's page number in LaTeX: the page is LaTeX's own counter.
std::string latex_page_number(const std::string& pattern, int pages) {
    constexpr char page_mark[] = "\x01";
    const std::string text =
        latex_text(page_number_text(pattern, page_mark, std::to_string(pages)));
    const std::size_t at = text.find(page_mark);
    if (at == std::string::npos) return text;
    return text.substr(0, at) + "\\thepage{}" + text.substr(at + 1);
}

// One part's pages, numbered within the part: its heading on every page,
// its lines under the first, the maps in the PDF's rows and columns.
std::string latex_part(const sheet_part& part) {
    const auto per_page = static_cast<std::size_t>(part.page.columns * part.page.rows);
    const int pages = pages_for(part.page, part.pictures.size());
    std::string t = "\\clearpage\n\\setcounter{page}{1}\n\\fancyfoot[L]{\\small " +
                    latex_text(part.frame.note) + "}\n\\fancyfoot[C]{\\small " +
                    latex_page_number(part.frame.page_number, pages) + "}\n";
    for (std::size_t first = 0; first < part.pictures.size(); first += per_page) {
        if (first > 0) t += "\\clearpage\n";
        t += "{\\Large\\bfseries " + latex_text(part.frame.heading) + "}\\par\\medskip\n";
        for (const std::string& line : first == 0 ? part.frame.lines : std::vector<std::string>{})
            t += latex_text(line) + "\\par\n";
        t += "\\bigskip\n";
        const std::size_t last = std::min(part.pictures.size(), first + per_page);
        for (std::size_t i = first; i < last; ++i) {
            const bool row_start = (i - first) % static_cast<std::size_t>(part.page.columns) == 0;
            if (row_start && i != first) t += "\\par\\bigskip\n";
            if (row_start && last - i < static_cast<std::size_t>(part.page.columns))
                t += "\\hfill"; // a row of one, centred
            t += latex_map(part.pictures[i], part.page.scale, part.frame) + "\\hfill%\n";
        }
        t += "\\par\n";
    }
    return t;
}

} // namespace

std::string sheet_latex(const std::vector<boolean_map>& maps, const sheet_options& o,
                        bool with_key) {
    const auto [exercises, key] = parts_of(maps, o);
    return latex_preamble(o) + latex_part(exercises) + (with_key ? latex_part(key) : "") +
           "\\end{document}\n";
}

std::string key_latex(const std::vector<boolean_map>& maps, const sheet_options& o) {
    return latex_preamble(o) + latex_part(parts_of(maps, o).second) + "\\end{document}\n";
}

} // namespace tessary
