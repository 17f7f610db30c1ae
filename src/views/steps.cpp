// The steps of the window's Steps page (see steps.h): each step's words
// name the items of its line of tessary-key --explain, in the same order;
// the chart's steps its P-numbers and products as --chart prints them.
#include "views/steps.h"

#include "answers/explanation.h"
#include "teach/chart.h"
#include "views/pictures.h"

#include <algorithm>
#include <bit>

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
            sentence,
            picture_with(map, e, e.primes, 0),
            {}};
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
            sentence,
            picture_with(map, e, essentials_of(e), marked),
            {}};
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
    return {_("the cells left"), sentence, picture_with(map, e, essentials_of(e), e.left), {}};
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
        return {_("the choice"), sentence, picture_with(map, e, essentials_of(e), 0), {}};
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
    return {_("the choice"), sentence, choice_picture(map, e, chosen), {}};
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
    step_view step{_("the minimum"),
                   sentence,
                   picture_with(map, e, {e.minimum.begin(), e.minimum.end()}, 0),
                   {}};
    const answer_form form =
        e.kind == cover_kind::product_of_sums ? answer_form::pos : answer_form::minimal;
    step.picture.caption = caption_text(form, answer);
    return step;
}

std::string p_name(int prime) {
    return "P" + std::to_string(prime + 1);
}

step_view chart_step_view(const boolean_map& map, std::string title, std::string sentence,
                          chart_drawing chart) {
    return {std::move(title), std::move(sentence), map_picture{map, {}, "", "", 0},
            std::move(chart)};
}

// The chart as the essential primes leave it, and how the rounds go on.
step_view first_chart_step(const boolean_map& map, const prime_chart& c) {
    const char* opening =
        c.essentials.empty()
            ? for_form(words::reader, c.kind,
                       NC_("sum of products",
                           "The chart: the primes as rows, the cells to cover as columns, an X "
                           "where a prime covers a cell. No prime is essential, so every cell is "
                           "left: %s."),
                       NC_("product of sums",
                           "The chart: the primes as rows, the cells to cover as columns, an X "
                           "where a prime covers a cell. No prime is essential, so every cell is "
                           "left: %s."))
            : for_form(words::reader, c.kind,
                       NC_("sum of products",
                           "The chart: the primes as rows, the cells to cover as columns, an X "
                           "where a prime covers a cell. The essential primes are taken and the "
                           "cells they cover shaded; left: %s."),
                       NC_("product of sums",
                           "The chart: the primes as rows, the cells to cover as columns, an X "
                           "where a prime covers a cell. The essential primes are taken and the "
                           "cells they cover shaded; left: %s."));
    const char* rounds =
        c.round_ends.empty()
            ? _("No row or column can be dropped.")
            : _("In rounds, a row is dropped where another row covers its cells with no more "
                "literals, a column where every row over another column covers it too, and a "
                "row left alone over a cell is taken.");
    const std::string sentence = printed(opening, spoken_cells(c.left).c_str()) + " " + rounds;
    const char* title = for_form(words::reader, c.kind, NC_("sum of products", "the chart"),
                                 NC_("product of sums", "the chart"));
    return chart_step_view(map, title, sentence, chart_picture(c, 0));
}

// What round `round` (from 0) dropped and took, a sentence for each kind.
step_view round_step(const boolean_map& map, const prime_chart& c, std::size_t round) {
    const std::size_t from = round == 0 ? 0 : c.round_ends[round - 1], to = c.round_ends[round];
    std::vector<std::string> rows, columns, taken;
    for (std::size_t k = from; k < to; ++k) {
        const chart_step& s = c.steps[k];
        switch (s.what) {
        case chart_step::kind::row:
            // Translators: a row of the chart dropped for another, as "P2 by P1".
            rows.push_back(printed(_("%s by %s"), p_name(s.dropped_or_taken).c_str(),
                                   p_name(s.by_or_cell).c_str()));
            break;
        case chart_step::kind::column:
            // Translators: a column (cell) of the chart dropped for another, as "1 by 9".
            columns.push_back(printed(_("%d by %d"), s.dropped_or_taken, s.by_or_cell));
            break;
        case chart_step::kind::essential:
            // Translators: a row taken as the only one left over a cell, as "P1 (cell 7)".
            taken.push_back(
                printed(_("%s (cell %d)"), p_name(s.dropped_or_taken).c_str(), s.by_or_cell));
            break;
        }
    }
    std::string sentence;
    const auto say = [&](const std::vector<std::string>& items, const char* pattern) {
        if (items.empty()) return;
        sentence.append(sentence.empty() ? "" : " ")
            .append(printed(pattern, spoken_list(items, and_pattern()).c_str()));
    };
    say(rows, _("Rows dropped, as another row covers their cells with no more literals: %s."));
    say(columns, _("Columns dropped, as every row over another column covers them too: %s."));
    say(taken, _("Taken, as the only row left over a cell: %s."));
    if (round + 1 == c.round_ends.size() && c.core_cells == 0)
        sentence.append(" ").append(_("Nothing is left to cover."));
    // Translators: the title of a step of the chart, as "round 2".
    return chart_step_view(map, printed(_("round %zu"), round + 1), sentence, chart_picture(c, to));
}

// The cyclic core, and Petrick's method over it.
step_view core_step(const boolean_map& map, const prime_chart& c) {
    std::vector<std::string> primes;
    for (prime_set q = c.core_primes; q != 0; q &= q - 1)
        primes.push_back(p_name(std::countr_zero(q)));
    std::string cheapest;
    for (prime_set q = c.products.front(); q != 0; q &= q - 1)
        cheapest.append(p_name(std::countr_zero(q)));
    const std::string sentence = printed(
        for_form(words::reader, c.kind,
                 NC_("sum of products",
                     "A cyclic core is left: %s over cells %s, each cell in two primes or more. "
                     "Petrick's method writes a sum of primes for each cell, multiplies the sums "
                     "out and takes a cheapest product: %s."),
                 NC_("product of sums",
                     "A cyclic core is left: %s over cells %s, each cell in two primes or more. "
                     "Petrick's method writes a sum of primes for each cell, multiplies the sums "
                     "out and takes a cheapest product: %s.")),
        spoken_list(primes, and_pattern()).c_str(), spoken_cells(c.core_cells).c_str(),
        cheapest.c_str());
    return chart_step_view(map, _("the cyclic core"), sentence, chart_picture(map, c));
}

std::vector<step_view> chart_steps(const boolean_map& map, const explanation& e) {
    if (e.left == 0) return {};
    const prime_chart c = reduce_chart(map, e.kind);
    std::vector<step_view> steps{first_chart_step(map, c)};
    for (std::size_t round = 0; round < c.round_ends.size(); ++round)
        steps.push_back(round_step(map, c, round));
    if (c.core_cells != 0) steps.push_back(core_step(map, c));
    return steps;
}

} // namespace

std::vector<step_view> steps_of(const boolean_map& map, cover_kind kind) {
    const explanation e = explain(map, kind);
    std::vector<step_view> steps{primes_step(map, e), essential_step(map, e), left_step(map, e)};
    for (step_view& step : chart_steps(map, e)) steps.push_back(std::move(step));
    steps.push_back(choice_step(map, e));
    steps.push_back(minimum_step(map, e));
    return steps;
}

} // namespace tessary
