// The answers' pictures and captions (see pictures.h).
#include "views/pictures.h"

#include "exact/exact.h"
#include "logic/cube.h"

#include <algorithm>

namespace tessary {

namespace {

// On paper there is no window whose answer is "shown": the greedy answer
// is Tessary's.
const char* paper_caption_of(answer_form form) {
    // Translators: a key's caption on paper, the greedy answer after the colon.
    return form == answer_form::shown ? _("Tessary's answer: %s") : caption_of(form);
}

// The caption of the form whose groups a picture of several answers draws.
const char* loops_caption_of(answer_form form) {
    switch (form) {
    case answer_form::shown: return _("Tessary's answer (the loops): %s");
    case answer_form::minimal: return _("Minimal sum (the loops): %s");
    case answer_form::pos: return _("Minimal product (the loops): %s");
    case answer_form::all_minimal: return _("Minimal sums (the loops): %s");
    case answer_form::hazard_free_sop: return _("Hazard-free sum (the loops): %s");
    case answer_form::hazard_free_pos: return _("Hazard-free product (the loops): %s");
    }
    return "%s";
}

} // namespace

namespace {

// A term of a hazard-free cover that the cells do not need is there for the
// pairs only it takes in: its legend entry says which ("BC, added for 5-7").
void name_added_terms(map_picture& picture, const cover& terms) {
    const minterm_set cells = cells_to_cover(picture.map, picture.loops_of);
    for (int k = 0; k < terms.size; ++k) {
        cover others;
        minterm_set covered = 0;
        for (int j = 0; j < terms.size; ++j)
            if (j != k) {
                others.push_back(terms.terms[static_cast<std::size_t>(j)]);
                covered |= minterms_of(terms.terms[static_cast<std::size_t>(j)]);
            }
        if ((cells & ~covered) != 0) continue;
        const std::vector<cell_pair> pairs = hazard_pairs(picture.map, picture.loops_of, others);
        map_group& g = picture.groups[static_cast<std::size_t>(k)];
        // Translators: a legend entry, a term added to a hazard-free cover and
        // the pairs it takes in, as "BC, added for 5-7".
        g.label = printed(_("%s, added for %s"), g.label.c_str(), pairs_text(pairs, ", ").c_str());
    }
}

} // namespace

const char* caption_of(answer_form form) {
    switch (form) {
    // Translators: a picture's caption, the answer after the colon.
    case answer_form::shown: return _("Shown answer: %s");
    case answer_form::minimal: return _("Minimal sum: %s");
    case answer_form::pos: return _("Minimal product: %s");
    case answer_form::all_minimal: return _("Minimal sums: %s");
    case answer_form::hazard_free_sop: return _("Hazard-free sum: %s");
    case answer_form::hazard_free_pos: return _("Hazard-free product: %s");
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
    const bool sums = kind_of(form) == cover_kind::product_of_sums;
    picture.loops_of = kind_of(form);
    const cover terms = answer_cover(map, form);
    for (const cube c : terms) picture.groups.push_back({c, sums ? sum_text(c) : product_text(c)});
    if (form == answer_form::hazard_free_sop || form == answer_form::hazard_free_pos)
        name_added_terms(picture, terms);
    picture.caption = caption_text(form, sums ? pos_text(terms) : sop_text(terms));
    give_looks(picture);
    return picture;
}

std::vector<map_picture> shared_pictures(const std::vector<boolean_map>& maps,
                                         const shared_cover& shared,
                                         const std::vector<std::string>& names) {
    // Each product's look: its own where there are looks enough for all;
    // else the first that no product before it on a map of its own has
    // taken, so that a map's loops still differ where they can.
    const bool enough = shared.terms.size() <= static_cast<std::size_t>(loop_styles);
    std::vector<int> looks;
    for (std::size_t k = 0; k < shared.terms.size(); ++k) {
        if (enough) {
            looks.push_back(static_cast<int>(k));
            continue;
        }
        unsigned taken = 0;
        for (const cover& c : shared.outputs) {
            if (std::find(c.begin(), c.end(), shared.terms[k]) == c.end()) continue;
            for (std::size_t e = 0; e < k; ++e)
                if (std::find(c.begin(), c.end(), shared.terms[e]) != c.end())
                    taken |= 1u << looks[e];
        }
        int look = 0;
        while (look < loop_styles && (taken >> look & 1) != 0) ++look;
        looks.push_back(look < loop_styles ? look : static_cast<int>(k) % loop_styles);
    }
    std::vector<map_picture> pictures;
    for (std::size_t j = 0; j < maps.size(); ++j) {
        map_picture picture{maps[j], {}, names[j], ""};
        for (const cube t : shared.outputs[j]) {
            std::string users;
            for (std::size_t o = 0; o < maps.size(); ++o) {
                const cover& c = shared.outputs[o];
                if (std::find(c.begin(), c.end(), t) != c.end())
                    users.append(users.empty() ? "" : ", ").append(names[o]);
            }
            const bool several = users != names[j];
            const auto at = std::find(shared.terms.begin(), shared.terms.end(), t);
            picture.groups.push_back({t, product_text(t) + (several ? " (" + users + ")" : ""),
                                      false,
                                      looks[static_cast<std::size_t>(at - shared.terms.begin())]});
        }
        picture.caption = break_between_terms(names[j] + " = " + sop_text(shared.outputs[j]));
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

void mark_hazards(map_picture& picture, const std::vector<cell_pair>& pairs) {
    picture.hazards = pairs;
    if (pairs.empty()) return;
    // Translators: a picture's legend line, the hazard pairs as "1-9, 5-13".
    picture.hazard_note = printed(_("Hazards: %s"), pairs_text(pairs, ", ").c_str());
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

std::string form_note(const boolean_map& map, answer_form form) {
    if (form != answer_form::shown) return caption_text(form, answer_text(map, form));
    const std::string minimum = sop_text(minimum_sop(map));
    const int more = shown_excess(map);
    if (more == 0) return printed(_("Minimal: %s"), minimum.c_str());
    return printed(say_n(words::reader,
                         NN_("Minimal: %s; the shown answer has %d term more than the minimum",
                             "Minimal: %s; the shown answer has %d terms more than the minimum"),
                         static_cast<unsigned long>(more)),
                   minimum.c_str(), more);
}

map_picture key_picture(const boolean_map& map, key_choice choice) {
    const std::vector<answer_form> forms = forms_of(choice);
    map_picture picture = picture_of(map, forms.back());
    picture.caption =
        printed(paper_caption_of(forms.back()), answer_text(map, forms.back()).c_str());
    if (forms.size() > 1) {
        // Several answers under one picture: say which one the loops show.
        picture.caption =
            printed(loops_caption_of(forms.back()), answer_text(map, forms.back()).c_str());
    }
    for (std::size_t i = forms.size() - 1; i-- > 0;)
        picture.caption = printed(paper_caption_of(forms[i]), answer_text(map, forms[i]).c_str()) +
                          "\n" + picture.caption;
    return picture;
}

} // namespace tessary
