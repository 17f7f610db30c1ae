// Grading a class's answers (see grading.h).
#include "answers/grading.h"

#include "answers/answers.h"
#include "input/characters.h"
#include "input/expression.h"
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

graded_answer grade_answer(const boolean_map& map, std::string_view answer) {
    if (is_blank(answer)) return {grade::unanswered, ""};
    parsed_expression expr;
    expression_error error;
    // A script reads the TEXT column: the reader's message stays out of it.
    if (!parse_expression(answer, expr, error, words::fixed))
        return {grade::unreadable, describe(error)};
    verdict v = check_expression(map, expr);
    const grade g = !v.equal ? grade::incorrect : v.minimal ? grade::minimal : grade::correct;
    return {g, std::move(v.text)};
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
