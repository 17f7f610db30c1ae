// A student's groups, written as the terms of an answer, one term a group.
//
// Sum of products (groups of 1-cells): products separated by + or |. A
// product is distinct letters A to D in either case, each with or without
// NOT (a postfix ' ’ ′ or a prefix ~ !), side by side or joined by * & or .;
// "1" is the whole map. "0" alone gives no group at all.
//
// Product of sums (groups of 0-cells): sums side by side or joined by * & or
// .; a sum is distinct letters separated by + or | in parentheses, and a sum
// of one letter may stand bare; "0" is the whole map. "1" alone gives no
// group.
//
// Anything else (an XOR, a parenthesis inside a product, a letter twice in a
// term, an empty term) is refused with its column.
#pragma once

#include "input/expression.h"
#include "logic/cube.h"

#include <string_view>
#include <vector>

namespace tessary {

// Reads the groups in the order written, each as the cube of the cells it
// covers (for a sum, the cells where it is 0).
bool parse_groups(std::string_view text, cover_kind kind, std::vector<cube>& groups,
                  expression_error& error);

} // namespace tessary
