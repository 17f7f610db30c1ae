// Worksheets (see worksheet.h): the exercises drawn from the seed, laid out
// on pages.
#include "sheet/worksheet.h"

#include "answers/answers.h"
#include "exact/exact.h"
#include "render/picture_files.h"
#include "render/pages.h"
#include "teach/exercises.h"

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

map_picture numbered_key_picture(const boolean_map& map, const sheet_options& o,
                                 std::size_t number) {
    map_picture picture = key_picture(map, o.answers);
    picture.title = "Exercise " + std::to_string(number);
    picture.numbers = o.numbers;
    picture.layout = o.layout;
    return picture;
}

map_picture exercise_picture(const boolean_map& map, const sheet_options& o, std::size_t number) {
    map_picture picture{map, {}, "Exercise " + std::to_string(number), ""};
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
    case key_choice::pos: return "Simplify each map to a minimal product of sums.";
    case key_choice::shown: return "Simplify each map to a sum of products.";
    case key_choice::minimal:
    case key_choice::both: break;
    }
    return "Simplify each map to a minimal sum of products.";
}

std::vector<std::string> exercise_lines(const sheet_options& o) {
    std::string instructions = instructions_for(o.answers);
    if (o.dont_care_percent > 0) instructions += " An X is a don't-care.";
    return {"Name: ________________________________     Date: ________________", instructions};
}

} // namespace

int dont_care_cells(int percent) {
    return (cell_count * percent + 50) / 100;
}

bool make_maps(const sheet_options& o, std::vector<boolean_map>& maps, std::string& error) {
    const int dont_cares = dont_care_cells(o.dont_care_percent);
    if (draw_exercises({o.seed, o.count, dont_cares, o.min_terms, o.max_terms}, maps)) return true;
    error = "found only " + std::to_string(maps.size()) + " different maps with " +
            std::to_string(o.min_terms) + " to " + std::to_string(o.max_terms) + " terms and " +
            std::to_string(dont_cares) +
            " don't-cares; ask for fewer, or for other --terms or --dont-cares";
    return false;
}

std::string key_lines(const std::vector<boolean_map>& maps, key_choice choice) {
    std::string text;
    for (const boolean_map& map : maps) text += key_line(map, choice);
    return text;
}

bool write_sheet(pending_file& file, const std::vector<boolean_map>& maps, const sheet_options& o,
                 std::string& error) {
    std::vector<map_picture> exercises, key;
    for (std::size_t i = 0; i < maps.size(); ++i) {
        exercises.push_back(exercise_picture(maps[i], o, i + 1));
        key.push_back(numbered_key_picture(maps[i], o, i + 1));
    }
    const std::string seed = "seed " + std::to_string(o.seed);
    const page_frame exercise_frame{"Karnaugh maps: " + std::to_string(maps.size()) + " exercises",
                                    exercise_lines(o), seed, answer_lines_for(maps, o)};
    const page_frame key_frame{"Answer key (" + seed + ")",
                               {std::string("The answers: ") + key_title(o.answers) + "."},
                               seed,
                               0};
    // More lines for each answer leave room for two rows of maps a page.
    const page_layout exercise_page = layout_of(o.paper, exercise_frame.answer_lines > 3 ? 2 : 3);
    const page_layout key_page = layout_of(o.paper, 3);
    const int exercise_pages = pages_for(exercise_page, exercises.size());
    const int total = exercise_pages + pages_for(key_page, key.size());
    return write_pdf(
        file, exercise_page.width, exercise_page.height,
        [&](cairo_t* cr) {
            draw_picture_pages(cr, exercise_page, exercises, exercise_frame, 1, total);
            draw_picture_pages(cr, key_page, key, key_frame, exercise_pages + 1, total);
        },
        error);
}

} // namespace tessary
