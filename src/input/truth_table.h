// Maps from the lab's files: a Berkeley PLA (espresso's format), a map for
// each output, and a truth table as CSV, a map for each output column. On
// a fault, the message names the line (and the column), and no map is given.
#pragma once

#include "logic/boolean_map.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// The names a file gives its inputs and its outputs, as it writes them.
struct file_names {
    // By variable, A to D: the name of its input; empty where the file
    // names none (a PLA without .ilb).
    std::array<std::string, 4> inputs;
    // The variables in the order the file's inputs come (A, B, C, D unless
    // a PLA's .ilb or a table's header orders them otherwise).
    std::array<int, 4> input_order{0, 1, 2, 3};
    // By output: its name; none where the file names none (a PLA without
    // .ob).
    std::vector<std::string> outputs;
};

// A PLA of 4 inputs: .i, .o, .ilb, .ob, .p, .type (f, fd, fr, fdr), .e and
// # comments; each cube's inputs 0, 1, - (or 2) and outputs 1, 0, - (or
// 2), ~. Type f: the 1s are the function; fd (the default): with the -s as
// don't-cares; fr: 1s and 0s given, the rest don't-cares; fdr: all three,
// the rest don't-cares. A cell an output makes both 1 and 0 is a fault.
bool read_pla(std::string_view text, std::vector<boolean_map>& maps, std::string& error);
bool read_pla(std::string_view text, std::vector<boolean_map>& maps, file_names& names,
              std::string& error);

// A truth table: a header naming the inputs A, B, C and D in any order, an
// optional empty column, then a column per output; each row 0 or 1 for each
// input (X or - for both) and 0, 1 or X for each output; every one of the
// 16 inputs once. Lines of empty cells are skipped.
bool read_truth_table(std::string_view text, std::vector<boolean_map>& maps, std::string& error);
bool read_truth_table(std::string_view text, std::vector<boolean_map>& maps, file_names& names,
                      std::string& error);

} // namespace tessary
