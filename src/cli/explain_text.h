// The block tessary-key --explain prints for a map: one line per step, each
// beginning with a fixed word and a colon, for scripts and teachers to read.
#pragma once

#include "logic/boolean_map.h"
#include "teach/explain.h"

#include <string>

namespace tessary {

// "map: ...\nprimes: ...\n...\ncovers: N", without a newline at its end.
std::string explanation_text(const boolean_map& map, const explanation& e);

} // namespace tessary
