// Answers in each form, and the verdict of --check (see forms.h).
#include "cli/forms.h"

#include "exact/exact.h"
#include "logic/cube.h"
#include "minimiser/greedy.h"

namespace tessary {

std::string answer_text(const boolean_map& map, answer_form form) {
    switch (form) {
    case answer_form::shown: return std::string(reduce_greedy(map).answer());
    case answer_form::minimal: return sop_text(minimum_sop(map));
    case answer_form::pos: return pos_text(minimum_pos(map));
    case answer_form::all_minimal: break;
    }
    std::string line;
    for (const cover& c : all_minimum_sops(map)) {
        if (!line.empty()) line += '\t';
        line += sop_text(c);
    }
    return line;
}

map_picture picture_of(const boolean_map& map, answer_form form) {
    map_picture picture{map, {}, "", ""};
    if (form == answer_form::shown) {
        const greedy_answer greedy = reduce_greedy(map);
        for (int i = 0; i < greedy.term_count; ++i) {
            const greedy_term& term = greedy.terms[static_cast<std::size_t>(i)];
            if (term.kept) picture.groups.push_back({term.term, written_term(term)});
        }
        picture.caption = "Shown answer: " + std::string(greedy.answer());
        return picture;
    }
    const bool sums = form == answer_form::pos;
    const cover terms = sums ? minimum_pos(map) : minimum_sop(map);
    for (const cube c : terms) picture.groups.push_back({c, sums ? sum_text(c) : product_text(c)});
    picture.caption =
        sums ? "Minimal product: " + pos_text(terms) : "Minimal sum: " + sop_text(terms);
    return picture;
}

namespace {

// Minimal when it costs what the minimum of a form it is written in costs.
std::string judgement(const boolean_map& map, const parsed_expression& expr) {
    if (!expr.is_sop && !expr.is_pos) return "";
    const bool minimal = (expr.is_sop && expr.sop_cost == cost_of(minimum_sop(map))) ||
                         (expr.is_pos && expr.pos_cost == cost_of(minimum_pos(map)));
    return minimal ? ", minimal" : ", not minimal";
}

} // namespace

verdict check_expression(const boolean_map& map, const parsed_expression& expr) {
    const int m = first_difference(map, expr.value);
    if (m < 0) return {true, "equal" + judgement(map, expr)};
    const bool gives = (expr.value & minterm_bit(m)) != 0;
    return {false, "differs at minterm " + std::to_string(m) + " (" + minterm_text(m) +
                       "): the expression gives " + (gives ? "1" : "0") + ", the map has " +
                       (gives ? "0" : "1")};
}

} // namespace tessary
