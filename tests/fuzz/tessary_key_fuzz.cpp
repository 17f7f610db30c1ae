// libFuzzer target over what tessary-key reads: the map parser, the
// minterm-list parser, the expression parser, and the answers behind them.
//
// The first byte chooses the parser: 0 mod 6 for a map
// ("1111/1111/1000/0001"), 1 for minterm lists written as ONES, then '|',
// then DONT-CARES, 2 for an expression, which is also read as a student's
// groups for --judge (as loops of 1s and of 0s) and judged; 3 for a PLA
// file, 4 for a CSV truth table, 5 for a class's table. Bad text must be
// refused with a message; a good map must pass check_engines(): every
// engine's answers are its function and agree with each other and with the
// brute force. A file's outputs minimised together must each be their
// function, and write one circuit in every language of the lab.
#include "answers/answers.h"
#include "answers/formats.h"
#include "exact/exact.h"
#include "input/expression.h"
#include "input/groups.h"
#include "input/map_text.h"
#include "input/table.h"
#include "input/truth_table.h"
#include "support/check_engines.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace tessary;

void require(bool holds) {
    if (!holds) __builtin_trap();
}

// The groups are judged against a map with a choice at every cell, where
// every verdict occurs.
void judge_groups(std::string_view text) {
    static const boolean_map map{0x7FFF & ~(1u << 10), 1u << 15};
    for (const cover_kind kind : {cover_kind::sum_of_products, cover_kind::product_of_sums}) {
        std::vector<cube> groups;
        expression_error bad;
        if (!parse_groups(text, kind, groups, bad)) {
            require(bad.column >= 1 && static_cast<std::size_t>(bad.column) <= text.size() + 1);
            require(!bad.message.empty());
            continue;
        }
        require(judgement_lines(judge(map, kind, groups), words::fixed).size() ==
                groups.size() + 1);
    }
}

// A file of several outputs: each output of the shared minimum its
// function, and the circuit written in every language.
void read_file(std::uint8_t choice, std::string_view text) {
    std::vector<boolean_map> maps;
    file_names names;
    std::string error;
    const bool read = choice % 6 == 3 ? read_pla(text, maps, names, error)
                                      : read_truth_table(text, maps, names, error);
    if (!read) {
        require(!error.empty() && error.size() < 300 && maps.empty());
        return;
    }
    require(!maps.empty() && maps.size() <= max_shared_outputs);
    const shared_cover shared = minimum_shared_sop(maps);
    for (std::size_t j = 0; j < maps.size(); ++j) {
        const minterm_set value = sop_value(shared.outputs[j]);
        require((value & maps[j].ones) == maps[j].ones && (value & maps[j].zeros()) == 0);
    }
    for (const answer_format f : {answer_format::verilog, answer_format::vhdl, answer_format::c,
                                  answer_format::python, answer_format::latex, answer_format::pla})
        require(!written_circuit(shared.outputs, cover_kind::sum_of_products, f, names, "f.pla")
                     .empty());
}

bool parse(std::uint8_t choice, std::string_view text, boolean_map& map, std::string& error) {
    if (choice % 6 == 0) return parse_map(text, map, error);
    if (choice % 6 == 1) {
        const std::size_t bar = text.find('|');
        return parse_minterms(text.substr(0, bar),
                              bar == std::string_view::npos ? "" : text.substr(bar + 1), map,
                              error);
    }
    judge_groups(text);
    parsed_expression expr;
    expression_error bad;
    if (!parse_expression(text, expr, bad)) {
        require(bad.column >= 1 && static_cast<std::size_t>(bad.column) <= text.size() + 1);
        error = describe(bad);
        return false;
    }
    map = {expr.value, 0};
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 6 == 3 || data[0] % 6 == 4) {
        read_file(data[0], text);
        return 0;
    }
    if (data[0] % 6 == 5) {
        std::vector<table_row> rows;
        std::size_t bad_line = 0;
        for (const table_format f : {table_format::csv, table_format::tsv})
            if (!read_table(text, f, rows, bad_line)) require(bad_line >= 1);
        return 0;
    }
    boolean_map map;
    std::string error;
    if (!parse(data[0], text, map, error)) {
        require(!error.empty() && error.size() < 200);
        return 0;
    }
    require((map.ones & map.dont_cares) == 0);
    require(testing::check_engines(map).empty());
    return 0;
}
