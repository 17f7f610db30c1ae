// The answers in each form, their captions and the verdict of --check (see
// answers.h).
#include "answers/answers.h"

#include "exact/exact.h"
#include "logic/cube.h"

#include <algorithm>

namespace tessary {

greedy_text shown_text(const boolean_map& map) {
    return write_greedy(reduce_greedy(map));
}

std::string answer_text(const boolean_map& map, answer_form form) {
    switch (form) {
    case answer_form::shown: return std::string(shown_text(map).view());
    case answer_form::minimal: return sop_text(minimum_sop(map));
    case answer_form::pos: return pos_text(minimum_pos(map));
    case answer_form::all_minimal: break;
    }
    std::string line;
    for (const cover& c : all_minimum_sops(map)) {
        if (!line.empty()) line += '\t';
        line += sop_text(c);
    }
    return line;
}

namespace {

// The caption of the form whose groups a picture of several answers draws.
const char* loops_caption_of(answer_form form) {
    switch (form) {
    case answer_form::shown: return _("Shown answer (the loops): %s");
    case answer_form::minimal: return _("Minimal sum (the loops): %s");
    case answer_form::pos: return _("Minimal product (the loops): %s");
    case answer_form::all_minimal: return _("Minimal sums (the loops): %s");
    }
    return "%s";
}

} // namespace

const char* caption_of(answer_form form) {
    switch (form) {
    // Translators: a picture's caption, the answer after the colon.
    case answer_form::shown: return _("Shown answer: %s");
    case answer_form::minimal: return _("Minimal sum: %s");
    case answer_form::pos: return _("Minimal product: %s");
    case answer_form::all_minimal: return _("Minimal sums: %s");
    }
    return "%s";
}

std::string caption_text(answer_form form, const std::string& answer) {
    return printed(caption_of(form), answer.c_str());
}

map_picture picture_of(const boolean_map& map, answer_form form) {
    map_picture picture{map, {}, "", ""};
    if (form == answer_form::shown) {
        const greedy_answer greedy = reduce_greedy(map);
        for (int i = 0; i < greedy.term_count; ++i) {
            const greedy_term& term = greedy.terms[static_cast<std::size_t>(i)];
            if (term.kept) picture.groups.push_back({term.term, written_term(term)});
        }
        // The answer "1" comes of no term: its loop is the whole map.
        if (greedy.term_count == 0 && map.ones != 0) picture.groups.push_back({cube{}, "1"});
        picture.caption = caption_text(form, std::string(write_greedy(greedy).view()));
        give_looks(picture);
        return picture;
    }
    const bool sums = form == answer_form::pos;
    if (sums) picture.loops_of = cover_kind::product_of_sums;
    const cover terms = sums ? minimum_pos(map) : minimum_sop(map);
    for (const cube c : terms) picture.groups.push_back({c, sums ? sum_text(c) : product_text(c)});
    picture.caption = caption_text(form, sums ? pos_text(terms) : sop_text(terms));
    give_looks(picture);
    return picture;
}

void give_looks(map_picture& picture) {
    const std::vector<cube> primes = primes_of(picture.map, picture.loops_of);
    unsigned taken = 0;
    auto take = [&taken](int look) {
        taken |= 1u << look;
        return look;
    };
    std::vector<map_group*> unplaced;
    for (map_group& g : picture.groups) {
        const auto prime = std::find(primes.begin(), primes.end(), g.cells);
        const int wanted = static_cast<int>(prime - primes.begin()) % loop_styles;
        if (prime != primes.end() && (taken >> wanted & 1) == 0)
            g.look = take(wanted);
        else
            unplaced.push_back(&g);
    }
    for (map_group* g : unplaced) {
        int look = 0;
        while (look < loop_styles && (taken >> look & 1) != 0) ++look;
        g->look = look < loop_styles ? take(look) : static_cast<int>(g - picture.groups.data());
    }
}

int shown_excess(const boolean_map& map) {
    const int more = cost_of(reduce_greedy(map).kept_cover()).terms - minimum_sop(map).size;
    return more > 0 ? more : 0;
}

std::string minimal_note(const boolean_map& map) {
    const std::string minimum = sop_text(minimum_sop(map));
    const int more = shown_excess(map);
    if (more == 0) return printed(_("Minimal: %s"), minimum.c_str());
    return printed(say_n(words::reader,
                         NN_("Minimal: %s; the shown answer has %d term more than the minimum",
                             "Minimal: %s; the shown answer has %d terms more than the minimum"),
                         static_cast<unsigned long>(more)),
                   minimum.c_str(), more);
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
    }
    return {};
}

const char* key_title(key_choice choice) {
    switch (choice) {
    case key_choice::shown: return _("The answers: shown answers.");
    case key_choice::minimal: return _("The answers: minimal sums.");
    case key_choice::pos: return _("The answers: minimal products.");
    case key_choice::both: return _("The answers: shown answers, minimal sums.");
    }
    return "";
}

std::string key_line(const boolean_map& map, key_choice choice) {
    std::string line = map_text(map);
    for (const answer_form form : forms_of(choice)) line += '\t' + answer_text(map, form);
    return line + '\n';
}

map_picture key_picture(const boolean_map& map, key_choice choice) {
    const std::vector<answer_form> forms = forms_of(choice);
    map_picture picture = picture_of(map, forms.back());
    if (forms.size() > 1) {
        // Several answers under one picture: say which one the loops show.
        picture.caption =
            printed(loops_caption_of(forms.back()), answer_text(map, forms.back()).c_str());
    }
    for (std::size_t i = forms.size() - 1; i-- > 0;)
        picture.caption =
            caption_text(forms[i], answer_text(map, forms[i])) + "\n" + picture.caption;
    return picture;
}

} // namespace tessary
