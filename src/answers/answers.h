// The answers every face gives: the forms (the shown answer, the minimal sum,
// the minimal product, every minimal sum), their text, their captions and
// pictures, the verdict on an expression checked against a map, and an
// answer key's choice of forms. Decided here once, for the window,
// tessary-key and tessary-sheet alike.
#pragma once

#include "input/expression.h"
#include "logic/boolean_map.h"
#include "minimiser/greedy.h"
#include "render/picture.h"
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

// The picture's marks of hazard pairs: the pairs on the picture, and the
// legend's line "Hazards: 1-9, 5-13" in the reader's words. Nothing when
// there are none.
void mark_hazards(map_picture& picture, const std::vector<cell_pair>& pairs);

// The shown answer without allocating, for a batch of maps.
greedy_text shown_text(const boolean_map& map);

// A picture's caption, in the reader's words: "Shown answer: %s", "Minimal
// sum: %s", "Minimal product: %s" ("Minimal sums: %s" for every minimum),
// as a printf pattern; and with the answer put in.
const char* caption_of(answer_form form);
std::string caption_text(answer_form form, const std::string& answer);

// The map with the groups of its answer in a form (every minimum: the first)
// and the answer as its caption: "Shown answer: A'B+CD'".
map_picture picture_of(const boolean_map& map, answer_form form);

// Gives each group of a picture its look by its place among the map's primes
// of the picture's kind, so that a group looks the same in every picture of
// the map; a look another group of the picture has already taken, or a
// group that is not a prime, takes the first look still free.
void give_looks(map_picture& picture);

// How many terms the shown answer has beyond the minimum sum's; 0 when none.
int shown_excess(const boolean_map& map);

// What the Groups window says under the picture of a form, in the reader's
// words. Of the shown answer, the minimum it is held to: "Minimal:
// A'B+B'C+C'D+AD'", and when the shown answer is longer, "; the shown answer
// has 2 terms more than the minimum"; of another form, its own answer, as
// "Minimal product: (A+B)(C'+D)".
std::string form_note(const boolean_map& map, answer_form form);

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

// A judgement in whole sentences of the reader's, a line for each group in
// the order given, then one for the cover: what Practice says after Check
// ("A'B takes in cell 4, a 0: a group of 1s must not.", "These groups are
// not a cover. No right group takes cell 8.").
std::vector<std::string> check_sentences(const judgement& judged);

// Practice's words, in the reader's language:
// why the selected cells are not a group ("Not a group: 3 cells are
// selected, and a group has 1, 2, 4, 8 or 16.");
std::string selection_refusal(selection_fault fault, minterm_set cells);
// the caption under a checked map, for the cells ringed in red (a loop
// takes them and must not) and with a broken line (no loop takes them);
// empty when none is ringed;
std::string ring_caption(cover_kind kind, bool wrong_ringed, bool missed_ringed);
// what a screen reader says of the map: the cursor's cell, its value and
// the selection ("Cursor on cell 5 (A'BC'D), 1; selected: 4 5.");
std::string cursor_description(int cursor, char value, minterm_set selected);
// what a screen reader says of a cell of the map: its minterm, row and
// column ("minterm 4: row C'D', column A'B");
std::string cell_description(int minterm);
// and of a picture: each loop's term and cells ("Loop 1: A'B'C', cells 0,
// 1"), or that it has none;
std::string loops_description(const map_picture& picture);
// and all a picture shows beyond its cells: its loops, then its hazard
// pairs, marked cells and ringed cells, a line each;
std::string picture_description(const map_picture& picture);
// what a switch to loops of `now` cleared ("Loops of 0s now: the 2 groups
// of 1s were cleared.").
std::string kind_switch_note(cover_kind now, std::size_t cleared);

// An answer key's choice: one form, or both the shown answer and the
// minimal sum.
enum class key_choice { shown, minimal, pos, both, hazard_free };

// The forms of a key, in the order it gives them.
std::vector<answer_form> forms_of(key_choice choice);

// "The answers: shown answers.", "... minimal sums.", "... minimal
// products." or "... shown answers, minimal sums.", in the reader's words.
const char* key_title(key_choice choice);

// The map as tessary-key reads it, then each form's answer after a tab.
std::string key_line(const boolean_map& map, key_choice choice);

// The groups of the key's last form, captioned with each form in turn; of
// several, the one drawn is marked "(the loops)".
map_picture key_picture(const boolean_map& map, key_choice choice);

} // namespace tessary
