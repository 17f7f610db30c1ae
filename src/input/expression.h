// Boolean expressions of A, B, C and D, read into the function they stand
// for, with their shape: whether they are written as a sum of products or a
// product of sums, and at what cost.
//
// Syntax: variables A to D in either case; constants 0 and 1; NOT as a
// postfix ' (or the ’ and ′ that documents put in its place; repeatable) or
// a prefix ~ or !; AND by juxtaposition or * & .; XOR ^; OR + or |;
// parentheses; blanks (and the invisible spaces of copied text) between
// tokens. NOT binds tightest, then AND, XOR and
// OR; binary operators group left to right.
#pragma once

#include "logic/boolean_map.h"
#include "logic/cube.h"
#include "words/words.h"

#include <string>
#include <string_view>

namespace tessary {

struct parsed_expression {
    minterm_set value = 0; // the minterms where the expression is 1
    bool is_sop = false;   // an OR of products of literals (or a constant)
    cover_cost sop_cost;   // its terms and literals as written
    bool is_pos = false;   // an AND of sums of literals (or a constant)
    cover_cost pos_cost;
};

// Where and why the text is not an expression. `column` counts characters
// from 1.
// `message` is in the words the text was read in.
struct expression_error {
    int column = 0;
    std::string message;
    words language = words::reader;
};

// "column 3: unknown variable 'E' (the map has A, B, C and D)", in the
// error's words.
std::string describe(const expression_error& error);

// Deeper nesting than this is refused rather than recursed into.
inline constexpr int expression_depth_limit = 200;

// The error's message is in the words of `w`: a person's, unless a script
// reads it (tessary-key --grade's TEXT column).
bool parse_expression(std::string_view text, parsed_expression& out, expression_error& error,
                      words w = words::reader);

} // namespace tessary
