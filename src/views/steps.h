// The method shown step by step, as the window's Steps page shows it: each
// step a title, a sentence and a picture, from the same explanation
// (teach/explain.h) as tessary-key --explain's lines (answers/explanation.h),
// so that a step names the same terms and cells, in the same order, as its
// line.
#pragma once

#include "logic/boolean_map.h"
#include "render/picture.h"

#include <string>
#include <vector>

namespace tessary {

// One step: its title ("the essential primes"), what it says, its picture.
struct step_view {
    std::string title;
    std::string sentence;
    map_picture picture;
};

// The five steps for a map in a form: the primes, the essential primes, the
// cells left, the choice, the minimum; in the order of --explain's lines.
std::vector<step_view> steps_of(const boolean_map& map, cover_kind kind);

} // namespace tessary
