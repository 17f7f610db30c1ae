// The method shown in words: the lines of tessary-key --explain, and the
// steps of the window's Steps, each a title, a sentence and a picture. Both
// come from one explanation (teach/explain.h) and word its items here once,
// so that a step names the same terms and cells, in the same order, as its
// line.
#pragma once

#include "logic/boolean_map.h"
#include "render/picture.h"
#include "teach/explain.h"

#include <string>
#include <vector>

namespace tessary {

// "map: ...\nprimes: ...\n...\ncovers: N", without a newline at its end: one
// line per step, each beginning with a fixed word and a colon, for scripts
// and teachers to read.
std::string explanation_text(const boolean_map& map, const explanation& e);

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
