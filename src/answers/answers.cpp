// The answers in each form and the verdict of --check (see answers.h).
#include "answers/answers.h"

#include "exact/exact.h"
#include "logic/cube.h"

#include <algorithm>

namespace tessary {

greedy_text shown_text(const boolean_map& map) {
    return write_greedy(reduce_greedy(map));
}

cover_kind kind_of(answer_form form) {
    return form == answer_form::pos || form == answer_form::hazard_free_pos
               ? cover_kind::product_of_sums
               : cover_kind::sum_of_products;
}

std::string answer_text(const boolean_map& map, answer_form form) {
    switch (form) {
    case answer_form::shown: return std::string(shown_text(map).view());
    case answer_form::minimal: return sop_text(minimum_sop(map));
    case answer_form::pos: return pos_text(minimum_pos(map));
    case answer_form::hazard_free_sop:
        return sop_text(minimum_hazard_free(map, cover_kind::sum_of_products));
    case answer_form::hazard_free_pos:
        return pos_text(minimum_hazard_free(map, cover_kind::product_of_sums));
    case answer_form::all_minimal: break;
    }
    std::string line;
    for (const cover& c : all_minimum_sops(map)) {
        if (!line.empty()) line += '\t';
        line += sop_text(c);
    }
    return line;
}

cover answer_cover(const boolean_map& map, answer_form form) {
    switch (form) {
    case answer_form::shown: {
        cover kept = reduce_greedy(map).kept_cover();
        // The answer "1" comes of no term: the whole map is its one term.
        if (kept.empty() && map.ones != 0 && map.zeros() == 0) kept.push_back(cube{});
        return kept;
    }
    case answer_form::minimal:
    case answer_form::all_minimal: return minimum_sop(map);
    case answer_form::pos: return minimum_pos(map);
    case answer_form::hazard_free_sop:
    case answer_form::hazard_free_pos: return minimum_hazard_free(map, kind_of(form));
    }
    return {};
}

std::vector<cell_pair> answer_hazards(const boolean_map& map, answer_form form) {
    return hazard_pairs(map, kind_of(form), answer_cover(map, form));
}

std::string hazards_text(const boolean_map& map, answer_form form) {
    const std::vector<cell_pair> pairs = answer_hazards(map, form);
    return pairs.empty() ? "none" : pairs_text(pairs, " ");
}

int shown_excess(const boolean_map& map) {
    const int more = cost_of(reduce_greedy(map).kept_cover()).terms - minimum_sop(map).size;
    return more > 0 ? more : 0;
}

namespace {

// Minimal when it costs what the minimum of a form it is written in costs.
std::string minimality(const boolean_map& map, const parsed_expression& expr) {
    if (!expr.is_sop && !expr.is_pos) return "";
    const bool minimal = (expr.is_sop && expr.sop_cost == cost_of(minimum_sop(map))) ||
                         (expr.is_pos && expr.pos_cost == cost_of(minimum_pos(map)));
    return minimal ? ", minimal" : ", not minimal";
}

} // namespace

verdict check_expression(const boolean_map& map, const parsed_expression& expr) {
    const int m = first_difference(map, expr.value);
    if (m < 0) {
        const std::string how = minimality(map, expr);
        return {true, "equal" + how, how == ", minimal"};
    }
    const bool gives = (expr.value & minterm_bit(m)) != 0;
    return {false, "differs at minterm " + std::to_string(m) + " (" + minterm_text(m) +
                       "): the expression gives " + (gives ? "1" : "0") + ", the map has " +
                       (gives ? "0" : "1")};
}

std::vector<answer_form> forms_of(key_choice choice) {
    switch (choice) {
    case key_choice::shown: return {answer_form::shown};
    case key_choice::minimal: return {answer_form::minimal};
    case key_choice::pos: return {answer_form::pos};
    case key_choice::both: return {answer_form::shown, answer_form::minimal};
    case key_choice::hazard_free: return {answer_form::hazard_free_sop};
    }
    return {};
}

const char* key_title(key_choice choice) {
    switch (choice) {
    case key_choice::shown: return _("The answers: Tessary's answers.");
    case key_choice::minimal: return _("The answers: minimal sums.");
    case key_choice::pos: return _("The answers: minimal products.");
    case key_choice::both: return _("The answers: Tessary's answers, minimal sums.");
    case key_choice::hazard_free: return _("The answers: hazard-free sums.");
    }
    return "";
}

const char* answers_name(key_choice choice) {
    switch (choice) {
    case key_choice::shown: return "shown";
    case key_choice::minimal: return "minimal";
    case key_choice::pos: return "pos";
    case key_choice::both: return "both";
    case key_choice::hazard_free: return "hazard-free";
    }
    return "";
}

std::string key_line(const boolean_map& map, key_choice choice) {
    std::string line = map_text(map);
    for (const answer_form form : forms_of(choice)) line += '\t' + answer_text(map, form);
    return line + '\n';
}

} // namespace tessary
