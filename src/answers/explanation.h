// The method in words: the lines of tessary-key --explain, from one
// explanation (teach/explain.h); the window's Steps (views/steps.h) word the
// same items in sentences.
#pragma once

#include "logic/boolean_map.h"
#include "teach/explain.h"

#include <string>
#include <vector>

namespace tessary {

// "map: ...\nprimes: ...\n...\ncovers: N", without a newline at its end: one
// line per step, each beginning with a fixed word and a colon, for scripts
// and teachers to read.
std::string explanation_text(const boolean_map& map, const explanation& e);

// A list of terms of a form, each as the form writes it, separated by
// `separator`: "A'B, CD'".
std::string terms_text(cover_kind kind, const std::vector<cube>& terms, const char* separator);

// A cover as its form writes it: "A'B+CD'", or "(A+B)(C'+D)".
std::string cover_text(cover_kind kind, const cover& c);

} // namespace tessary
