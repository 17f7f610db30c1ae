// Worksheets (see worksheet.h): the exercises drawn from the seed, laid out
// on pages.
#include "sheet/worksheet.h"

#include "answers/answers.h"
#include "answers/moodle.h"
#include "exact/exact.h"
#include "render/pages.h"
#include "render/picture_files.h"
#include "teach/exercises.h"
#include "teach/quiz.h"
#include "views/pictures.h"
#include "words/words.h"

#include <algorithm>
#include <bit>

namespace tessary {

namespace {

// Margins of 16 mm on every side, on A4 and on letter alike.
constexpr double margin = 45.35;

page_layout layout_of(paper_size paper, int rows) {
    const bool a4 = paper == paper_size::a4;
    return {a4 ? 595.28 : 612.0, a4 ? 841.89 : 792.0, margin, 2, rows};
}

// "Exercise 3": a map's title on the sheet and on the key.
std::string exercise_title(std::size_t number) {
    return printed(_("Exercise %zu"), number);
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

// What the students are asked, with a word on the X where the maps have one.
const char* instructions_for(key_choice answers, bool dont_cares) {
    switch (answers) {
    case key_choice::pos:
        return dont_cares ? _("Simplify each map to a minimal product of sums. An X is a "
                              "don't-care.")
                          : _("Simplify each map to a minimal product of sums.");
    case key_choice::shown:
        return dont_cares ? _("Simplify each map to a sum of products. An X is a don't-care.")
                          : _("Simplify each map to a sum of products.");
    case key_choice::hazard_free:
        return dont_cares ? _("Simplify each map to a minimal sum of products that has no "
                              "static hazard. An X is a don't-care.")
                          : _("Simplify each map to a minimal sum of products that has no "
                              "static hazard.");
    case key_choice::minimal:
    case key_choice::both: break;
    }
    return dont_cares ? _("Simplify each map to a minimal sum of products. An X is a don't-care.")
                      : _("Simplify each map to a minimal sum of products.");
}

std::vector<std::string> exercise_lines(const sheet_options& o) {
    const std::string instructions = instructions_for(o.answers, o.dont_care_percent > 0);
    // Translators: the first line of a worksheet, where a student writes; keep
    // the lines about as long as they are.
    return {_("Name: ____________________________     Date: ______________"), instructions};
}

} // namespace

int dont_care_cells(int percent) {
    return (cell_count * percent + 50) / 100;
}

bool make_maps(const sheet_options& o, std::vector<boolean_map>& maps, std::string& error) {
    const int dont_cares = dont_care_cells(o.dont_care_percent);
    if (draw_exercises({o.seed, o.count, dont_cares, o.min_terms, o.max_terms}, maps)) return true;
    error = printed(_("found only %zu different maps with %d to %d terms and %d don't-cares; "
                      "ask for fewer, or for other --terms or --dont-cares"),
                    maps.size(), o.min_terms, o.max_terms, dont_cares);
    return false;
}

std::string sheet_code(const sheet_options& o) {
    // Every option that changes what the sheet shows, and the seed.
    const std::string made_of =
        std::to_string(o.seed) + "/" + std::to_string(o.count) + "/" +
        std::to_string(o.dont_care_percent) + "/" + std::to_string(o.min_terms) + "-" +
        std::to_string(o.max_terms) + "/" + answers_name(o.answers) + "/" +
        (o.paper == paper_size::a4 ? "a4" : "letter") + "/" + (o.numbers ? "n" : "") + "/" +
        (o.layout == map_layout::ab_rows ? "AB" : "CD") + "/" + (o.blank_zeros ? "b" : "s");
    std::uint64_t hash = 0xcbf29ce484222325u; // FNV-1a, then mixed
    for (const unsigned char ch : made_of) hash = (hash ^ ch) * 0x100000001b3u;
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdu;
    hash ^= hash >> 33;
    // Eight letters and digits that cannot be misread (no I, L, O or U).
    static constexpr char alphabet[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    std::string code;
    for (int k = 0; k < 8; ++k) {
        if (k == 4) code += '-';
        code += alphabet[hash >> (59 - 5 * k) & 31];
    }
    return code;
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

// The command that makes the same sheet, with its key as text: its seed,
// and every option that is not the default. The file names are the
// teacher's to choose: the same options and seed make the same pages,
// whatever the files are called.
std::string remake_command(const sheet_options& o) {
    const sheet_options defaults;
    std::string command = "tessary-sheet -o SHEET.pdf --seed " + std::to_string(o.seed);
    if (o.count != defaults.count) command += " --count " + std::to_string(o.count);
    if (o.dont_care_percent != defaults.dont_care_percent)
        command += " --dont-cares " + std::to_string(o.dont_care_percent);
    if (o.min_terms != defaults.min_terms || o.max_terms != defaults.max_terms)
        command += " --terms " + std::to_string(o.min_terms) + "-" + std::to_string(o.max_terms);
    if (o.answers != defaults.answers)
        command += std::string(" --answers ") + answers_name(o.answers);
    if (o.paper != defaults.paper) command += " --paper letter";
    if (o.numbers) command += " --numbers";
    if (o.layout != defaults.layout) command += " --rows AB";
    if (o.blank_zeros) command += " --zeros blank";
    return command + " --key KEY.tsv";
}

// The command that grades a class's answers against the key's text, in the
// key's form.
std::string grade_command(const sheet_options& o) {
    const char* form = o.answers == key_choice::pos           ? " --pos"
                       : o.answers == key_choice::hazard_free ? " --hazard-free"
                                                              : "";
    return std::string("tessary-key --grade KEY.tsv") + form + " ANSWERS.csv";
}

// The pages of one part of the sheet: its pictures, what goes round them,
// and their layout.
struct sheet_part {
    std::vector<map_picture> pictures;
    page_frame frame;
    page_words words;
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
    const std::string code = sheet_code(o);
    const auto seed = static_cast<unsigned long long>(o.seed);
    exercises.frame = {
        printed(say_n(words::reader,
                      NN_("Karnaugh maps: %zu exercise", "Karnaugh maps: %zu exercises"),
                      maps.size()),
                maps.size()),
        // Translators: the footer's note of a worksheet: its code, which its
        // key prints too.
        exercise_lines(o), printed(_("sheet %s"), code.c_str()), answer_lines_for(maps, o)};
    // Translators: over the ruled lines where a student writes an answer.
    const std::string answer_word = _("Answer:");
    // Translators: a worksheet's footer, as "Page 2 of 4"; both numbers are
    // put in as text.
    exercises.words = {_("Page %s of %s"), answer_word};
    key.frame = {// Translators: the heading of the key pages, as "Answer key (sheet 7KQ2-MX4P)".
                 printed(_("Answer key (sheet %s)"), code.c_str()),
                 {key_title(o.answers),
                  // Translators: the key's line with the seed and the command that
                  // makes the sheet again.
                  printed(_("Seed %llu. The sheet again: %s"), seed, remake_command(o).c_str()),
                  // Translators: the key's line with the command that grades a
                  // class's answers against it.
                  printed(_("Grading a class: %s"), grade_command(o).c_str())},
                 // Translators: the key pages' footer note, as "sheet 7KQ2-MX4P, seed 12".
                 printed(_("sheet %s, seed %llu"), code.c_str(), seed),
                 0};
    // Translators: the answer key's footer, as "Key page 1 of 2".
    key.words = {_("Key page %s of %s"), answer_word};
    exercises.page = rows_for(o.paper, exercises.frame, exercises.pictures, least_scale);
    exercises.page.scale = fitting_scale(exercises.page, exercises.frame, exercises.pictures);
    // The key holds as many maps a page as the exercises, each in its
    // exercise's column, at the exercises' scale where its captions leave
    // room for it and a little smaller where they do not: no key page half
    // empty.
    key.page = exercises.page;
    key.page.scale =
        std::min(exercises.page.scale, fitting_scale(key.page, key.frame, key.pictures));
    return {exercises, key};
}

void draw_part(surface& s, const sheet_part& part) {
    draw_picture_pages(s, part.page, part.pictures, part.frame, part.words, 1,
                       pages_for(part.page, part.pictures.size()));
}

} // namespace

bool write_sheet(pending_file& file, picture_format format, const std::vector<boolean_map>& maps,
                 const sheet_options& o, bool with_key, std::string& error) {
    const auto [exercises, key] = parts_of(maps, o);
    return write_pages(
        file, format, exercises.page.width, exercises.page.height,
        [&](surface& s) {
            draw_part(s, exercises);
            if (with_key) draw_part(s, key);
        },
        error);
}

bool write_key_pages(pending_file& file, picture_format format,
                     const std::vector<boolean_map>& maps, const sheet_options& o,
                     std::string& error) {
    const sheet_part key = parts_of(maps, o).second;
    return write_pages(
        file, format, key.page.width, key.page.height, [&](surface& s) { draw_part(s, key); },
        error);
}

bool write_quiz(pending_file& file, const std::vector<boolean_map>& maps, const sheet_options& o,
                std::string& error) {
    const cover_kind kind =
        o.answers == key_choice::pos ? cover_kind::product_of_sums : cover_kind::sum_of_products;
    std::vector<quiz_exercise> exercises;
    splitmix64 seeds{o.seed};
    for (std::size_t i = 0; i < maps.size(); ++i) {
        quiz_exercise x{i + 1, quiz_of(maps[i], kind, seeds.next()), {}, {}};
        if (!png_of(exercise_picture(maps[i], o, i + 1), x.map_png) ||
            !png_of(numbered_key_picture(maps[i], o, i + 1), x.key_png)) {
            error = _("the picture could not be drawn");
            return false;
        }
        exercises.push_back(std::move(x));
    }
    if (file.write(moodle_quiz(exercises, o.seed))) return true;
    error = file.reason();
    return false;
}

} // namespace tessary
