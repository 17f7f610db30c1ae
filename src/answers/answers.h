// The answers every face gives: the forms (the shown answer, the minimal sum,
// the minimal product, every minimal sum), their text and hazard pairs, the
// verdict on an expression checked against a map and on a student's groups,
// and an answer key's choice of forms. Decided here once, for the window,
// tessary-key and tessary-sheet alike; it draws nothing (their pictures and
// captions are views/pictures.h).
#pragma once

#include "input/expression.h"
#include "logic/boolean_map.h"
#include "minimiser/greedy.h"
#include "teach/judge.h"
#include "words/words.h"

#include <string>
#include <vector>

namespace tessary {

enum class answer_form {
    shown,           // the window's answer: the greedy reduction
    minimal,         // a minimum sum of products
    pos,             // a minimum product of sums
    all_minimal,     // every minimum sum of products, separated by tabs
    hazard_free_sop, // the minimum sum of products that leaves no hazard pair
    hazard_free_pos, // the minimum product of sums that leaves no hazard pair
};

// The form's kind: a sum of products, or (pos, hazard_free_pos) a product of sums.
cover_kind kind_of(answer_form form);

std::string answer_text(const boolean_map& map, answer_form form);

// The terms of a form's answer (every minimum: the first; the shown answer's
// "1": the whole map).
cover answer_cover(const boolean_map& map, answer_form form);

// The hazard pairs the form's answer leaves, as tessary-key --hazards
// prints them: "1-9 5-13", or "none".
std::vector<cell_pair> answer_hazards(const boolean_map& map, answer_form form);
std::string hazards_text(const boolean_map& map, answer_form form);

// The shown answer without allocating, for a batch of maps.
greedy_text shown_text(const boolean_map& map);

// How many terms the shown answer has beyond the minimum sum's; 0 when none.
int shown_excess(const boolean_map& map);

// "equal", "equal, minimal", "equal, not minimal", or "differs at minterm 5
// (A'BC'D): the expression gives 1, the map has 0".
struct verdict {
    bool equal;
    std::string text;
    bool minimal = false; // equal, and as short as a minimum of its form
};

verdict check_expression(const boolean_map& map, const parsed_expression& expr);

// A student's group written as the answers write terms: "A'B", or "(A+B')"
// for a group of 0-cells.
std::string group_text(cube group, cover_kind kind);

// A text about the groups of one form, in the words of `w`. A sum's primes
// are prime implicants and a product's prime implicates, and the textbooks
// of some languages name them, and what is said of them, apart: each such
// text is marked twice, with its form as context, as in
//   for_form(w, kind, NC_("sum of products", "prime"),
//            NC_("product of sums", "prime"))
const char* for_form(words w, cover_kind kind, const char* sum_context, const char* sum_text,
                     const char* product_context, const char* product_text)
    __attribute__((format_arg(4))) __attribute__((format_arg(6)));

// A judgement in tessary-key --judge's lines: one "TERM: VERDICT" per
// group in the order given ("A'B: covers a 0 at 4"), then "cover: minimal",
// "cover: correct, not minimal: ..." or "cover: incorrect; ...". In fixed
// words for scripts; in the reader's, the same lines translated.
std::vector<std::string> judgement_lines(const judgement& judged, words w);

// Items as a reader reads them, the last two joined by `last_two` ("%s and
// %s", "%s or %s" in the reader's words): "0, 1 and 3".
std::string spoken_list(const std::vector<std::string>& items, const char* last_two);
// Cells as a reader reads them: "0, 1 and 3".
std::string spoken_cells(minterm_set cells);
// The reader's "%s and %s", for spoken_list().
const char* and_pattern();

// A judgement in whole sentences of the reader's, a line for each group in
// the order given, then one for the cover: what Practice says after Check
// ("A'B takes in cell 4, a 0: a group of 1s must not.", "These groups are
// not a cover. No right group takes cell 8.").
std::vector<std::string> check_sentences(const judgement& judged);

// An answer key's choice: one form, or both the shown answer and the
// minimal sum.
enum class key_choice { shown, minimal, pos, both, hazard_free };

// The forms of a key, in the order it gives them.
std::vector<answer_form> forms_of(key_choice choice);

// "The answers: shown answers.", "... minimal sums.", "... minimal
// products." or "... shown answers, minimal sums.", in the reader's words.
const char* key_title(key_choice choice);
// The choice as tessary-sheet --answers names it: "shown", "minimal", "pos",
// "both", "hazard-free".
const char* answers_name(key_choice choice);

// The map as tessary-key reads it, then each form's answer after a tab.
std::string key_line(const boolean_map& map, key_choice choice);

} // namespace tessary
