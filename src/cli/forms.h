// The answers tessary-key prints, one line per map, in each form it offers,
// and its verdict on an expression checked against a map.
#pragma once

#include "input/expression.h"
#include "logic/boolean_map.h"
#include "render/picture.h"

#include <string>

namespace tessary {

enum class answer_form {
    shown,       // the window's answer: the greedy reduction
    minimal,     // a minimum sum of products
    pos,         // a minimum product of sums
    all_minimal, // every minimum sum of products, separated by tabs
};

std::string answer_text(const boolean_map& map, answer_form form);

// The map with the groups of its answer in a form (every minimum: the first)
// and the answer as its caption: "Shown answer: A'B+CD'".
map_picture picture_of(const boolean_map& map, answer_form form);

// "equal", "equal, minimal", "equal, not minimal", or "differs at minterm 5
// (A'BC'D): the expression gives 1, the map has 0".
struct verdict {
    bool equal;
    std::string text;
};

verdict check_expression(const boolean_map& map, const parsed_expression& expr);

} // namespace tessary
