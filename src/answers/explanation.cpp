// The explanation's lines and steps (see explanation.h). The items of each
// step (a term, "B'D' (only it covers 0)", "3 by A'B'D or A'CD", a list of
// cells) are written by one function each, for the line and the sentence.
#include "answers/explanation.h"

#include "answers/answers.h"

#include <algorithm>

namespace tessary {

namespace {

// Items joined by `separator`; empty when there are none.
template <class Items, class Write>
std::string list_of(const Items& items, const char* separator, Write write) {
    std::string text;
    for (const auto& item : items) {
        if (!text.empty()) text += separator;
        text += write(item);
    }
    return text;
}

std::string or_none(const std::string& list) {
    return list.empty() ? "none" : list;
}

std::string terms_text(cover_kind kind, const std::vector<cube>& terms, const char* separator) {
    return list_of(terms, separator, [kind](cube c) { return group_text(c, kind); });
}

std::string essential_item(cover_kind kind, const essential_prime& p) {
    return group_text(p.prime, kind) + " (only it covers " + std::to_string(p.cell) + ")";
}

std::string essentials_text(const explanation& e) {
    return list_of(e.essentials, ", ",
                   [&e](const essential_prime& p) { return essential_item(e.kind, p); });
}

std::string choices_text(const explanation& e) {
    return list_of(e.choices, "; ", [&e](const cell_choice& c) {
        return std::to_string(c.cell) + " by " + terms_text(e.kind, c.candidates, " or ");
    });
}

std::string cells_text(minterm_set cells) {
    std::string text;
    for (int m = 0; m < cell_count; ++m)
        if ((cells & minterm_bit(m)) != 0) {
            if (!text.empty()) text += ' ';
            text += std::to_string(m);
        }
    return text;
}

std::string minimum_text(cover_kind kind, const cover& c) {
    return kind == cover_kind::product_of_sums ? pos_text(c) : sop_text(c);
}

} // namespace

std::string explanation_text(const boolean_map& map, const explanation& e) {
    return "map: " + map_text(map) + "\nprimes: " + or_none(terms_text(e.kind, e.primes, ", ")) +
           "\nessential: " + or_none(essentials_text(e)) +
           "\nleft: " + or_none(cells_text(e.left)) + "\nchoose: " + or_none(choices_text(e)) +
           "\nminimal: " + minimum_text(e.kind, e.minimum) +
           "\ncovers: " + std::to_string(e.covers);
}

namespace {

// The words of each form: what is covered, and what its primes are called.
struct form_words {
    const char* cells;  // "1-cell"
    const char* primes; // "prime implicants"
};

form_words words_of(cover_kind kind) {
    return kind == cover_kind::product_of_sums ? form_words{"0-cell", "prime implicates"}
                                               : form_words{"1-cell", "prime implicants"};
}

std::vector<cube> essentials_of(const explanation& e) {
    std::vector<cube> primes;
    for (const essential_prime& p : e.essentials) primes.push_back(p.prime);
    return primes;
}

map_picture picture_with(const boolean_map& map, const explanation& e,
                         const std::vector<cube>& groups, minterm_set marked) {
    map_picture picture{map, {}, "", "", marked};
    picture.loops_of = e.kind;
    for (const cube c : groups) picture.groups.push_back({c, group_text(c, e.kind)});
    give_looks(picture);
    return picture;
}

step_view primes_step(const boolean_map& map, const explanation& e) {
    const form_words w = words_of(e.kind);
    const std::string sentence =
        e.primes.empty()
            ? std::string("There are no ") + w.primes + ": the map has no " + w.cells + "."
            : std::string("The ") + w.primes + ", the largest groups that take in a " + w.cells +
                  ": " + terms_text(e.kind, e.primes, ", ") + ".";
    return {"the primes", sentence, picture_with(map, e, e.primes, 0)};
}

step_view essential_step(const boolean_map& map, const explanation& e) {
    const form_words w = words_of(e.kind);
    minterm_set marked = 0;
    for (const essential_prime& p : e.essentials) marked |= minterm_bit(p.cell);
    std::string sentence;
    if (e.to_cover == 0)
        sentence = std::string("No prime is essential: the map has no ") + w.cells + " to cover.";
    else if (e.essentials.empty())
        sentence =
            std::string("No prime is essential: every ") + w.cells + " lies in two primes or more.";
    else
        sentence =
            "Essential, each the only prime over the marked cell: " + essentials_text(e) + ".";
    return {"the essential primes", sentence, picture_with(map, e, essentials_of(e), marked)};
}

step_view left_step(const boolean_map& map, const explanation& e) {
    const form_words w = words_of(e.kind);
    std::string sentence;
    if (e.to_cover == 0)
        sentence = std::string("Left: none. The map has no ") + w.cells + " to cover.";
    else if (e.left == 0)
        sentence = std::string("Left: none. The essential primes cover every ") + w.cells + ".";
    else if (e.essentials.empty())
        sentence = std::string("Left, with no essential prime to take: every ") + w.cells +
                   ", marked: " + cells_text(e.left) + ".";
    else
        sentence = "Left after the essential primes, marked: " + cells_text(e.left) + ".";
    return {"the cells left", sentence, picture_with(map, e, essentials_of(e), e.left)};
}

// The candidates for the cells left, in prime order: the ones the minimum
// takes drawn strong and named in the legend, the others faint.
map_picture choice_picture(const boolean_map& map, const explanation& e,
                           const std::vector<cube>& chosen) {
    std::vector<cube> candidates;
    for (const cube p : e.primes)
        for (const cell_choice& c : e.choices)
            if (std::find(c.candidates.begin(), c.candidates.end(), p) != c.candidates.end()) {
                candidates.push_back(p);
                break;
            }
    map_picture picture = picture_with(map, e, candidates, e.left);
    for (map_group& g : picture.groups) {
        const bool taken = std::find(chosen.begin(), chosen.end(), g.cells) != chosen.end();
        g.faint = !taken;
        if (taken) g.label += " (taken)";
    }
    return picture;
}

step_view choice_step(const boolean_map& map, const explanation& e) {
    if (e.choices.empty()) {
        const std::string why =
            e.to_cover == 0 ? "There is nothing to cover." : "Nothing is left to choose.";
        return {"the choice", "Choose: none. " + why, picture_with(map, e, essentials_of(e), 0)};
    }
    const std::vector<cube> essentials = essentials_of(e);
    std::vector<cube> chosen;
    for (const cube c : e.minimum)
        if (std::find(essentials.begin(), essentials.end(), c) == essentials.end())
            chosen.push_back(c);
    const std::string with = essentials.empty() ? "they" : "with the essential primes they";
    const std::string sentence = "Choose: " + choices_text(e) + ". The minimum takes " +
                                 terms_text(e.kind, chosen, ", ") + ": " + with +
                                 " cover every cell left with the fewest terms, then the fewest "
                                 "literals.";
    return {"the choice", sentence, choice_picture(map, e, chosen)};
}

// The minimum, and every other minimum cover where there are at most four.
step_view minimum_step(const boolean_map& map, const explanation& e) {
    constexpr std::size_t listed_at_most = 4;
    const std::string answer = minimum_text(e.kind, e.minimum);
    std::string sentence = "Minimal: " + answer + ", ";
    if (e.covers == 1) {
        sentence += "the only minimum cover.";
    } else {
        sentence += "one of " + std::to_string(e.covers) + " minimum covers";
        if (e.covers <= listed_at_most)
            sentence += ": " + list_of(all_minimum_covers(map, e.kind), "; ",
                                       [&e](const cover& c) { return minimum_text(e.kind, c); });
        sentence += ".";
    }
    step_view step{"the minimum", sentence,
                   picture_with(map, e, {e.minimum.begin(), e.minimum.end()}, 0)};
    const answer_form form =
        e.kind == cover_kind::product_of_sums ? answer_form::pos : answer_form::minimal;
    step.picture.caption = caption_of(form) + answer;
    return step;
}

} // namespace

std::vector<step_view> steps_of(const boolean_map& map, cover_kind kind) {
    const explanation e = explain(map, kind);
    return {primes_step(map, e), essential_step(map, e), left_step(map, e), choice_step(map, e),
            minimum_step(map, e)};
}

} // namespace tessary
