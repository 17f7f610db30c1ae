// An answer written for the lab: as a Verilog assign, a VHDL signal
// assignment, a C or Python expression, LaTeX math, or a Berkeley PLA. The
// variables are A, B, C and D, the output F; what a script reads, so never
// translated.
#pragma once

#include "input/truth_table.h"
#include "logic/cube.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

enum class answer_format { text, verilog, vhdl, c, python, latex, pla };

// By its name as tessary-key --format takes it: "text", "verilog", ...
std::optional<answer_format> format_named(std::string_view name);

// A cover (the products of a sum, or the cubes of the sums of a product)
// written in `format`. Text is the answers' own notation; PLA takes only a
// sum of products, and is several lines (each ended by a newline but the last).
std::string written_cover(const cover& terms, cover_kind kind, answer_format format);

// The names of a file's outputs as it gives them, or where it gives none,
// F for one output and F0, F1, ... for several.
std::vector<std::string> output_names(const file_names& names, std::size_t outputs);

// The covers of a file's outputs written as one piece for the lab: a
// Verilog module or a VHDL entity named after the file (`file_name`
// without its folder and extension), with a wire or signal t1, t2, ... for
// each term two outputs share; one PLA with each term once; a C or Python
// function, or a LaTeX line, for each output. Its ports are the file's
// inputs and outputs in the file's order, by the file's names made
// identifiers of the language (A to D, and F or F0, F1, ... where the file
// names none). Ends without a newline.
std::string written_circuit(const std::vector<cover>& outputs, cover_kind kind,
                            answer_format format, const file_names& names,
                            std::string_view file_name);

} // namespace tessary
