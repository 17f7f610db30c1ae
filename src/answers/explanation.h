// The method in words: the lines of tessary-key --explain, from one
// explanation (teach/explain.h); the window's Steps (views/steps.h) word the
// same items in sentences.
#pragma once

#include "logic/boolean_map.h"
#include "teach/chart.h"
#include "teach/explain.h"

#include <string>
#include <vector>

namespace tessary {

// "map: ...\nprimes: ...\n...\ncovers: N", without a newline at its end: one
// line per step, each beginning with a fixed word and a colon, for scripts
// and teachers to read.
std::string explanation_text(const boolean_map& map, const explanation& e);

// tessary-key --chart's block, without a newline at its end: the map, each
// prime with its cells ("prime: P1 A'B: 4 5 6 7"), the essential primes, the
// cells left, each drop and take of the rounds ("row: P2 by P1", "column: 1
// by 9", "essential: P1 A'B (only it covers 7)"), the cyclic core, Petrick's
// sums and products, the minimum and how many minimum covers there are.
std::string chart_text(const boolean_map& map, const prime_chart& chart);

// A list of terms of a form, each as the form writes it, separated by
// `separator`: "A'B, CD'".
std::string terms_text(cover_kind kind, const std::vector<cube>& terms, const char* separator);

// A cover as its form writes it: "A'B+CD'", or "(A+B)(C'+D)".
std::string cover_text(cover_kind kind, const cover& c);

} // namespace tessary
