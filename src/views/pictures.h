// The answers as pictures and the words around them: each form's picture
// and caption, the looks of its loops, its hazard marks, the Groups page's
// note, an answer key's picture; and Practice's words, with what a screen
// reader hears of a picture. For the window, tessary-key's --draw and
// tessary-sheet; the answers themselves are answers/answers.h.
#pragma once

#include "answers/answers.h"
#include "exact/exact.h"
#include "render/chart_picture.h"
#include "render/picture.h"
#include "teach/chart.h"

#include <string>
#include <vector>

namespace tessary {

// The picture's marks of hazard pairs: the pairs on the picture, and the
// legend's line "Hazards: 1-9, 5-13" in the reader's words. Nothing when
// there are none.
void mark_hazards(map_picture& picture, const std::vector<cell_pair>& pairs);

// A picture's caption, in the reader's words: "Shown answer: %s", "Minimal
// sum: %s", "Minimal product: %s" ("Minimal sums: %s" for every minimum),
// as a printf pattern; and with the answer put in.
const char* caption_of(answer_form form);
std::string caption_text(answer_form form, const std::string& answer);

// The map with the groups of its answer in a form (every minimum: the first)
// and the answer as its caption: "Shown answer: A'B+CD'".
map_picture picture_of(const boolean_map& map, answer_form form);

// The maps of a file's outputs minimised together (exact.h), a picture
// each, titled by the output's name (`names`, by output) with its sum as
// the caption: "Sum = BC+A'D". A product keeps one look on every map that
// uses it (of at most eight products, each its own), and where outputs
// share it the legend names them: "BC (Sum, Carry)".
std::vector<map_picture> shared_pictures(const std::vector<boolean_map>& maps,
                                         const shared_cover& shared,
                                         const std::vector<std::string>& names);

// Gives each group of a picture its look by its place among the map's primes
// of the picture's kind, so that a group looks the same in every picture of
// the map; a look another group of the picture has already taken, or a
// group that is not a prime, takes the first look still free.
void give_looks(map_picture& picture);

// What the Groups window says under the picture of a form, in the reader's
// words. Of the shown answer, the minimum it is held to: "Minimal:
// A'B+B'C+C'D+AD'", and when the shown answer is longer, "; the shown answer
// has 2 terms more than the minimum"; of another form, its own answer, as
// "Minimal product: (A+B)(C'+D)".
std::string form_note(const boolean_map& map, answer_form form);

// The groups of the key's last form, captioned with each form in turn; of
// several, the one drawn is marked "(the loops)".
map_picture key_picture(const boolean_map& map, key_choice choice);

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

// The chart as its reduction leaves it, to draw: the primes taken framed,
// the rows and columns dropped struck, the cells covered shaded; under it
// what the marks mean, the primes taken, the cyclic core, Petrick's product
// and its products, and the minimum, in the reader's words with the
// P-numbers and products as tessary-key --chart prints them.
chart_drawing chart_picture(const boolean_map& map, const prime_chart& chart);
// The chart part of the way through: after the essential primes and the
// first `done` of the rounds' steps, with the primes taken so far under it.
chart_drawing chart_picture(const prime_chart& chart, std::size_t done);
// What a screen reader hears of a chart: each row, its cells and whether it
// was taken, dropped or is left; the columns dropped; the lines under it.
std::string chart_description(const chart_drawing& chart);

} // namespace tessary
