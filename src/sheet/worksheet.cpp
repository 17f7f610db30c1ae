// Worksheets (see worksheet.h). The maps come from a generator written out
// here (splitmix64), not from the standard library's distributions, whose
// results differ between implementations.
#include "sheet/worksheet.h"

#include "answers/answers.h"
#include "exact/exact.h"
#include "render/files.h"
#include "render/pages.h"

#include <algorithm>
#include <bit>

namespace tessary {

namespace {

struct splitmix64 {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
};

// Each attempt is a minimisation of a fraction of a microsecond: two
// million give up within a second or so.
constexpr long attempt_limit = 2'000'000;

// A map with exactly `dont_cares` X-cells, and 1-cells among the others at a
// density drawn for the map, so that small and large answers both occur.
boolean_map random_map(splitmix64& random, int dont_cares) {
    boolean_map map;
    int order[cell_count];
    for (int i = 0; i < cell_count; ++i) order[i] = i;
    for (int i = 0; i < dont_cares; ++i) {
        std::swap(order[i], order[i + random.below(cell_count - i)]);
        map.dont_cares |= minterm_bit(order[i]);
    }
    const int eighths = 1 + random.below(7);
    for (int m = 0; m < cell_count; ++m)
        if ((map.dont_cares & minterm_bit(m)) == 0 && random.below(8) < eighths)
            map.ones |= minterm_bit(m);
    return map;
}

bool acceptable(const boolean_map& map, const sheet_options& o) {
    if (map.ones == 0 || map.zeros() == 0) return false;
    const int terms = minimum_sop(map).size;
    return terms >= o.min_terms && terms <= o.max_terms;
}

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
    splitmix64 random{o.seed};
    maps.clear();
    const int dont_cares = dont_care_cells(o.dont_care_percent);
    for (long attempt = 0; attempt < attempt_limit; ++attempt) {
        const boolean_map map = random_map(random, dont_cares);
        if (!acceptable(map, o) || std::find(maps.begin(), maps.end(), map) != maps.end()) continue;
        maps.push_back(map);
        if (static_cast<int>(maps.size()) == o.count) return true;
    }
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

bool write_sheet(const std::string& path, const std::vector<boolean_map>& maps,
                 const sheet_options& o, std::string& error) {
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
    return save_pdf(
        path, page.width, page.height,
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
