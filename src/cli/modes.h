// tessary-key's modes: what it prints for each map (an answer, a verdict,
// an explanation, a chart, a judgement, hazard pairs) or for a class (the
// grades). One mode is chosen by its option, and one table says which other
// options each mode admits.
#pragma once

#include <string_view>
#include <vector>

namespace tessary {

enum class mode { answer, check, explain, chart, judge, hazards, grade };

// The options a mode may admit, as bits.
enum mode_option : unsigned {
    with_minimal = 1u << 0,
    with_pos = 1u << 1,
    with_all_minimal = 1u << 2,
    with_hazard_free = 1u << 3,
    with_format = 1u << 4,
    with_draw = 1u << 5,
    with_numbers = 1u << 6, // --numbers and --rows, on the picture of a map
    with_read = 1u << 7,
    with_option_map = 1u << 8, // --minterms, --dont-cares, --expr
    with_summary = 1u << 9,    // --summary and --points
    with_shared = 1u << 10,
};

// An option as the user gave it: its bit and its name ("--minimal").
struct given_option {
    mode_option bit;
    const char* name;
};

// The mode of the mode options given, in their order ("--chart"; none for
// the answer); a usage error for two different ones, naming both.
mode mode_of(const std::vector<std::string_view>& mode_options);

// A usage error for the first option of `given` that `m` does not admit:
// "--chart prints the chart: leave out --format", or for an option that
// needs a mode, "--summary goes with --grade".
void check_admitted(mode m, const std::vector<given_option>& given);

} // namespace tessary
