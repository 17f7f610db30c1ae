// Worksheets (see worksheet.h): the exercises drawn from the seed, laid out
// on pages.
#include "sheet/worksheet.h"

#include "answers/answers.h"
#include "exact/exact.h"
#include "render/files.h"
#include "render/pages.h"
#include "teach/exercises.h"

#include <algorithm>
#include <bit>

namespace tessary {

namespace {

page_layout layout_of(paper_size paper) {
    const bool a4 = paper == paper_size::a4;
    return {a4 ? 595.28 : 612.0, a4 ? 841.89 : 792.0, 40, 56, 2, 3};
}

map_picture numbered_key_picture(const boolean_map& map, key_choice choice, std::size_t number) {
    map_picture picture = key_picture(map, choice);
    picture.title = "Exercise " + std::to_string(number);
    return picture;
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
        exercises.push_back({maps[i],
                             {},
                             "Exercise " + std::to_string(i + 1),
                             "Answer: ____________________________"});
        key.push_back(numbered_key_picture(maps[i], o.answers, i + 1));
    }
    const page_layout page = layout_of(o.paper);
    const std::string seed = "seed " + std::to_string(o.seed);
    return write_pdf(
        file, page.width, page.height,
        [&](cairo_t* cr) {
            draw_picture_pages(cr, page, exercises,
                               "Karnaugh maps: " + std::to_string(maps.size()) + " exercises (" +
                                   seed + ")");
            draw_picture_pages(cr, page, key,
                               std::string("Answer key: ") + key_title(o.answers) + " (" + seed +
                                   ")");
        },
        error);
}

} // namespace tessary
