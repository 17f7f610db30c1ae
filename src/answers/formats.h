// An answer written for the lab: as a Verilog assign, a VHDL signal
// assignment, a C or Python expression, LaTeX math, or a Berkeley PLA. The
// variables are A, B, C and D, the output F; what a script reads, so never
// translated.
#pragma once

#include "logic/cube.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessary {

enum class answer_format { text, verilog, vhdl, c, python, latex, pla };

// By its name as tessary-key --format takes it: "text", "verilog", ...
std::optional<answer_format> format_named(std::string_view name);

// A cover (the products of a sum, or the cubes of the sums of a product)
// written in `format`. Text is the answers' own notation; PLA takes only a
// sum of products, and is several lines (each ended by a newline but the last).
std::string written_cover(const cover& terms, cover_kind kind, answer_format format);

} // namespace tessary
