// The stages of a reduction, in the order reduce_greedy() runs them.
// Private to src/minimiser.
#pragma once

#include "model.h"

namespace tessary {

void load_map(const boolean_map& map);
int check_for_ones();  // 1 when some cell is '1'; else writes the answer "0"
int check_for_zeros(); // 1 when some cell is '0'; else writes the answer "1"
void flag_redundant();
void render_expression();

} // namespace tessary
