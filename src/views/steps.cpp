// The steps of the window's Steps page (see steps.h): each step's words
// name the items of its line of tessary-key --explain, in the same order.
#include "views/steps.h"

#include "answers/explanation.h"
#include "views/pictures.h"

#include <algorithm>

namespace tessary {

namespace {

std::string spoken_terms(cover_kind kind, const std::vector<cube>& terms, const char* last_two) {
    std::vector<std::string> items;
    for (const cube c : terms) items.push_back(group_text(c, kind));
    return spoken_list(items, last_two);
}

// "Only B'D' covers cell 0, so it is essential." for each essential prime.
std::string essentials_sentences(const explanation& e) {
    std::string text;
    for (const essential_prime& p : e.essentials) {
        const char* pattern =
            for_form(words::reader, e.kind,
                     NC_("sum of products", "Only %s covers cell %d, so it is essential."),
                     NC_("product of sums", "Only %s covers cell %d, so it is essential."));
        text.append(text.empty() ? "" : " ")
            .append(printed(pattern, group_text(p.prime, e.kind).c_str(), p.cell));
    }
    return text;
}

// "cell 3 by A'B'D or A'CD; cell 5 by ..." for the cells left.
std::string spoken_choices(const explanation& e) {
    // Translators: the last two primes that could cover a cell, as "A'B'D,
    // A'CD or BCD" (those before them joined by commas).
    const char* or_pattern = _("%s or %s");
    std::string text;
    for (const cell_choice& c : e.choices)
        // Translators: a cell left and the primes that could cover it, as
        // "cell 3 by A'B'D or A'CD".
        text.append(text.empty() ? "" : "; ")
            .append(printed(_("cell %d by %s"), c.cell,
                            spoken_terms(e.kind, c.candidates, or_pattern).c_str()));
    return text;
}

// Which cells a form covers: the 1-cells of a sum, the 0-cells of a product.
bool of_products(const explanation& e) {
    return e.kind == cover_kind::sum_of_products;
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
    std::string sentence;
    if (e.primes.empty())
        sentence = of_products(e) ? _("There are no prime implicants: the map has no 1-cell.")
                                  : _("There are no prime implicates: the map has no 0-cell.");
    else
        sentence =
            printed(of_products(e)
                        ? _("The prime implicants, the largest groups that take in a 1-cell: %s.")
                        : _("The prime implicates, the largest groups that take in a 0-cell: %s."),
                    terms_text(e.kind, e.primes, ", ").c_str());
    return {for_form(words::reader, e.kind, NC_("sum of products", "the primes"),
                     NC_("product of sums", "the primes")),
            sentence, picture_with(map, e, e.primes, 0)};
}

step_view essential_step(const boolean_map& map, const explanation& e) {
    minterm_set marked = 0;
    for (const essential_prime& p : e.essentials) marked |= minterm_bit(p.cell);
    std::string sentence;
    if (e.to_cover == 0)
        sentence = of_products(e) ? _("No prime is essential: the map has no 1-cell to cover.")
                                  : _("No prime is essential: the map has no 0-cell to cover.");
    else if (e.essentials.empty())
        sentence = of_products(e)
                       ? _("No prime is essential: every 1-cell lies in two primes or more.")
                       : _("No prime is essential: every 0-cell lies in two primes or more.");
    else
        sentence = essentials_sentences(e);
    return {for_form(words::reader, e.kind, NC_("sum of products", "the essential primes"),
                     NC_("product of sums", "the essential primes")),
            sentence, picture_with(map, e, essentials_of(e), marked)};
}

step_view left_step(const boolean_map& map, const explanation& e) {
    std::string sentence;
    if (e.to_cover == 0)
        sentence = of_products(e) ? _("Left: none. The map has no 1-cell to cover.")
                                  : _("Left: none. The map has no 0-cell to cover.");
    else if (e.left == 0)
        sentence = of_products(e) ? _("Left: none. The essential primes cover every 1-cell.")
                                  : _("Left: none. The essential primes cover every 0-cell.");
    else if (e.essentials.empty())
        sentence = printed(
            of_products(e)
                ? _("No prime is essential, so every 1-cell is left to cover: cells %s, marked.")
                : _("No prime is essential, so every 0-cell is left to cover: cells %s, marked."),
            spoken_cells(e.left).c_str());
    else
        sentence = printed(
            for_form(
                words::reader, e.kind,
                NC_("sum of products", "The essential primes leave cells to cover: %s, marked."),
                NC_("product of sums", "The essential primes leave cells to cover: %s, marked.")),
            spoken_cells(e.left).c_str());
    return {_("the cells left"), sentence, picture_with(map, e, essentials_of(e), e.left)};
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
        // Translators: a prime in the legend that the minimum takes, as "A'CD (taken)".
        if (taken) g.label = printed(_("%s (taken)"), g.label.c_str());
    }
    return picture;
}

step_view choice_step(const boolean_map& map, const explanation& e) {
    if (e.choices.empty()) {
        const char* sentence = e.to_cover == 0 ? _("Choose: none. There is nothing to cover.")
                                               : _("Choose: none. Nothing is left to choose.");
        return {_("the choice"), sentence, picture_with(map, e, essentials_of(e), 0)};
    }
    const std::vector<cube> essentials = essentials_of(e);
    std::vector<cube> chosen;
    for (const cube c : e.minimum)
        if (std::find(essentials.begin(), essentials.end(), c) == essentials.end())
            chosen.push_back(c);
    const char* pattern =
        essentials.empty()
            ? _("Each cell left can be covered in more than one way: %s. The minimum takes %s: "
                "they cover every cell left with the fewest terms, then the fewest literals.")
            : for_form(words::reader, e.kind,
                       NC_("sum of products",
                           "Each cell left can be covered in more than one way: %s. The minimum "
                           "takes %s: with the essential primes they cover every cell left with "
                           "the fewest terms, then the fewest literals."),
                       NC_("product of sums",
                           "Each cell left can be covered in more than one way: %s. The minimum "
                           "takes %s: with the essential primes they cover every cell left with "
                           "the fewest terms, then the fewest literals."));
    const std::string sentence = printed(pattern, spoken_choices(e).c_str(),
                                         spoken_terms(e.kind, chosen, and_pattern()).c_str());
    return {_("the choice"), sentence, choice_picture(map, e, chosen)};
}

// The minimum, and every other minimum cover where there are at most four.
step_view minimum_step(const boolean_map& map, const explanation& e) {
    constexpr std::size_t listed_at_most = 4;
    const std::string answer = cover_text(e.kind, e.minimum);
    std::string sentence;
    if (e.covers == 1) {
        sentence = printed(_("Minimal: %s, the only minimum cover."), answer.c_str());
    } else if (e.covers <= listed_at_most) {
        std::string all;
        for (const cover& c : all_minimum_covers(map, e.kind))
            all.append(all.empty() ? "" : "; ").append(cover_text(e.kind, c));
        sentence = printed(P_("Minimal: %s, one of %zu minimum cover: %s.",
                              "Minimal: %s, one of %zu minimum covers: %s.", e.covers),
                           answer.c_str(), e.covers, all.c_str());
    } else {
        sentence = printed(P_("Minimal: %s, one of %zu minimum cover.",
                              "Minimal: %s, one of %zu minimum covers.", e.covers),
                           answer.c_str(), e.covers);
    }
    step_view step{_("the minimum"), sentence,
                   picture_with(map, e, {e.minimum.begin(), e.minimum.end()}, 0)};
    const answer_form form =
        e.kind == cover_kind::product_of_sums ? answer_form::pos : answer_form::minimal;
    step.picture.caption = caption_text(form, answer);
    return step;
}

} // namespace

std::vector<step_view> steps_of(const boolean_map& map, cover_kind kind) {
    const explanation e = explain(map, kind);
    return {primes_step(map, e), essential_step(map, e), left_step(map, e), choice_step(map, e),
            minimum_step(map, e)};
}

} // namespace tessary
