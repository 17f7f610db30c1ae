// A class's answers graded: each answer as tessary-key --check would judge
// it, and a tally a student for the summary. The words are for scripts and
// spreadsheets, the same in every language.
#pragma once

#include "answers/answers.h"
#include "logic/boolean_map.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// In the order of the summary's columns.
enum class grade { minimal, correct, incorrect, unanswered, unreadable };
inline constexpr std::size_t grade_count = 5;

// "minimal", "correct", "incorrect", "unanswered", "unreadable".
const char* grade_word(grade g);

struct graded_answer {
    grade verdict;
    // The line --check prints for the answer ("equal, minimal", "differs at
    // minterm 5 ..."); for an unreadable one, what --check says is wrong
    // ("column 3: ..."); empty for none.
    std::string text;
};

// An answer of blanks only is unanswered. `key` is the key's form:
// minimal (a minimal sum or a minimal product is minimal), pos (only a
// minimal product is), or hazard_free_sop / hazard_free_pos: minimal when
// it is the function, written in that form, leaves no hazard pair and
// costs what the minimum hazard-free cover costs; else correct, the text
// saying what it lacks ("equal, leaves hazard pairs 7-15").
graded_answer grade_answer(const boolean_map& map, std::string_view answer,
                           answer_form key = answer_form::minimal);

struct points {
    int minimal = 2, correct = 1;
};

// One student's answers counted, by grade.
struct student_tally {
    std::string student;
    std::array<int, grade_count> counts{};
    int answers = 0; // graded, of every grade

    // Counted in 64 bits: no class's points reach its end.
    std::int64_t score(points p) const;
    std::int64_t most(points p) const { return std::int64_t{p.minimal} * answers; }
};

// The summary as CSV: the header
// "student,minimal,correct,incorrect,unanswered,unreadable,score,max_score",
// then a line a student, the maximum being the minimal answer's points for
// each answer.
std::string summary_csv(const std::vector<student_tally>& students, points p);

} // namespace tessary
