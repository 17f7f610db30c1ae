// The greedy reduction from a map to its answer (see greedy.h). Start here:
// reduce_greedy() runs the stages in order over the program-wide model of
// model.h, which it resets on entry.
#include "greedy.h"

#include "passes.h"
#include "stages.h"

#include <cstring>

namespace tessary {

namespace {

static_assert(greedy_answer::capacity == term_capacity);
static_assert(sizeof(greedy_answer::text) == sizeof expression);
static_assert(sizeof(greedy_term::letters) == sizeof(term_record::text) - 1);
static_assert(sizeof(greedy_term::cell_ids) <= sizeof(term_record::cell_ids));

// Looks at all sixteen cells, without an early exit, which costs less than
// the branches it would save.
bool any_cell_in_state(bool (*test)(char state)) {
    bool any = false;
    for (const auto& row : grid) {
        for (const map_cell& cell : row) any |= test(cell.state);
    }
    return any;
}

void clear_terms() {
    last_term = -1;
    raw_sum[0] = '\0';
    expression[0] = '\0';
}

// The cube of a term's compact text: "aBc" fixes A=0, B=1, C=0.
cube cube_of(const char* letters) {
    cube c;
    for (const char* ch = letters; *ch != '\0'; ++ch) {
        const bool plain = *ch >= 'A' && *ch <= 'D';
        const std::uint8_t bit = variable_bit(plain ? *ch - 'A' : *ch - 'a');
        c.care |= bit;
        if (plain) c.value |= bit;
    }
    return c;
}

// Copies the term table out before rendering, which appends '+' to the texts.
void collect_terms(greedy_answer& answer) {
    answer.term_count = last_term + 1;
    for (int i = 0; i <= last_term; ++i) {
        const term_record& record = terms[i];
        greedy_term& term = answer.terms[static_cast<std::size_t>(i)];
        // Whole arrays: the texts and their NULs fit, and fixed sizes copy fast.
        std::memcpy(term.letters, record.text, sizeof term.letters);
        std::memcpy(term.cell_ids, record.cell_ids, sizeof term.cell_ids);
        term.term = cube_of(record.text);
        term.kept = record.redundant == 0;
    }
}

} // namespace

// By table rather than by branches: the cells come in no pattern.
void load_map(const boolean_map& map) {
    static constexpr char marks[4] = {'0', '1', 'X', 'X'};
    static constexpr auto minterms = [] {
        std::array<int, cell_count> at{};
        for (int cell = 0; cell < cell_count; ++cell)
            at[static_cast<std::size_t>(cell)] = minterm_at(cell / map_side, cell % map_side);
        return at;
    }();
    for (int cell = 0; cell < cell_count; ++cell) {
        const int m = minterms[static_cast<std::size_t>(cell)];
        const unsigned kind = (map.ones >> m & 1u) | (map.dont_cares >> m & 1u) << 1;
        map_cell& c = grid[cell / map_side][cell % map_side];
        c.state = c.value = marks[kind];
    }
}

int check_for_ones() {
    if (any_cell_in_state([](char state) { return state == '1'; })) return 1;
    std::strcpy(expression, "0");
    return 0;
}

int check_for_zeros() {
    if (any_cell_in_state([](char state) { return state != '1' && state != 'X'; })) return 1;
    std::strcpy(expression, "1");
    return 0;
}

greedy_answer reduce_greedy(const boolean_map& map) {
    greedy_answer answer;
    answer.term_count = 0;
    build_grid();
    load_map(map);
    clear_terms();
    if (check_for_ones() != 0 && check_for_zeros() != 0) {
        octet_pass();
        quad_pass();
        pair_pass();
        single_pass();
        flag_redundant();
        collect_terms(answer);
        render_expression();
    }
    std::memcpy(answer.text, expression, sizeof expression);
    return answer;
}

std::string written_term(const greedy_term& term) {
    std::string text;
    for (const char* ch = term.letters; *ch != '\0'; ++ch) {
        const bool plain = *ch >= 'A' && *ch <= 'D';
        text += plain ? *ch : static_cast<char>(*ch - 'a' + 'A');
        if (!plain) text += '\'';
    }
    return text;
}

cover greedy_answer::kept_cover() const {
    cover kept;
    for (int i = 0; i < term_count; ++i) {
        const greedy_term& t = terms[static_cast<std::size_t>(i)];
        if (t.kept) kept.push_back(t.term);
    }
    return kept;
}

} // namespace tessary
