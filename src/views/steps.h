// The method shown step by step, as the window's Steps page shows it: each
// step a title, a sentence and a picture, from the same explanation
// (teach/explain.h) as tessary-key --explain's lines (answers/explanation.h),
// so that a step names the same terms and cells, in the same order, as its
// line.
#pragma once

#include "logic/boolean_map.h"
#include "render/chart_picture.h"
#include "render/picture.h"

#include <optional>
#include <string>
#include <vector>

namespace tessary {

// One step: its title ("the essential primes"), what it says, its picture:
// the map, or the chart where there is one.
struct step_view {
    std::string title;
    std::string sentence;
    map_picture picture;
    std::optional<chart_drawing> chart;
};

// The steps for a map in a form. Five on the map, in the order of
// --explain's lines: the primes, the essential primes, the cells left, the
// choice, the minimum. Where the essential primes leave cells, the chart
// comes between the cells left and the choice, as tessary-key --chart
// reduces it: the chart, a step for each round that changes it, and the
// cyclic core with Petrick's product where one is left.
std::vector<step_view> steps_of(const boolean_map& map, cover_kind kind);

} // namespace tessary
