// Grading a class's answers (see grading.h).
#include "answers/grading.h"

#include "answers/answers.h"
#include "exact/exact.h"
#include "input/characters.h"
#include "input/expression.h"
#include "input/groups.h"
#include "input/table.h"

namespace tessary {

const char* grade_word(grade g) {
    switch (g) {
    case grade::minimal: return "minimal";
    case grade::correct: return "correct";
    case grade::incorrect: return "incorrect";
    case grade::unanswered: return "unanswered";
    case grade::unreadable: return "unreadable";
    }
    return "";
}

namespace {

// Against a hazard-free key: the answer's terms must leave no hazard pair
// and cost what the minimum hazard-free cover costs.
graded_answer hazard_free_grade(const boolean_map& map, std::string_view answer,
                                const parsed_expression& expr, cover_kind kind) {
    const bool sum = kind == cover_kind::sum_of_products;
    std::vector<cube> terms;
    expression_error ignored;
    if (!(sum ? expr.is_sop : expr.is_pos) || !parse_groups(answer, kind, terms, ignored))
        return {grade::correct,
                sum ? "equal, not a sum of products" : "equal, not a product of sums"};
    const std::vector<cell_pair> pairs = hazard_pairs(map, kind, std::span<const cube>(terms));
    if (!pairs.empty())
        return {grade::correct, "equal, leaves hazard pairs " + pairs_text(pairs, " ")};
    const cover_cost least = cost_of(minimum_hazard_free(map, kind));
    if ((sum ? expr.sop_cost : expr.pos_cost) == least) return {grade::minimal, "equal, minimal"};
    return {grade::correct, "equal, no hazard pair, not minimal"};
}

} // namespace

graded_answer grade_answer(const boolean_map& map, std::string_view answer, answer_form key) {
    if (is_blank(answer)) return {grade::unanswered, ""};
    parsed_expression expr;
    expression_error error;
    // A script reads the TEXT column: the reader's message stays out of it.
    if (!parse_expression(answer, expr, error, words::fixed))
        return {grade::unreadable, describe(error)};
    verdict v = check_expression(map, expr);
    if (!v.equal) return {grade::incorrect, std::move(v.text)};
    switch (key) {
    case answer_form::hazard_free_sop:
    case answer_form::hazard_free_pos: return hazard_free_grade(map, answer, expr, kind_of(key));
    case answer_form::pos:
        if (expr.is_pos && expr.pos_cost == cost_of(minimum_pos(map)))
            return {grade::minimal, "equal, minimal"};
        return {grade::correct,
                expr.is_pos ? "equal, not minimal" : "equal, not a product of sums"};
    default: return {v.minimal ? grade::minimal : grade::correct, std::move(v.text)};
    }
}

std::int64_t student_tally::score(points p) const {
    return std::int64_t{p.minimal} * counts[static_cast<std::size_t>(grade::minimal)] +
           std::int64_t{p.correct} * counts[static_cast<std::size_t>(grade::correct)];
}

std::string summary_csv(const std::vector<student_tally>& students, points p) {
    // The header names a column for each grade by its verdict word.
    std::string csv = "student";
    for (std::size_t g = 0; g < grade_count; ++g)
        csv.append(",").append(grade_word(static_cast<grade>(g)));
    csv += ",score,max_score\n";
    for (const student_tally& s : students) {
        csv += csv_field(s.student);
        for (const int n : s.counts) csv += ',' + std::to_string(n);
        csv += ',' + std::to_string(s.score(p)) + ',' + std::to_string(s.most(p)) + '\n';
    }
    return csv;
}

} // namespace tessary
