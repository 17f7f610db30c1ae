// A judgement of a student's groups in words (see answers.h): tessary-key's
// lines, in fixed words for scripts, and Practice's whole sentences in the
// reader's.
#include "answers/answers.h"

#include <bit>

namespace tessary {

namespace {

std::string cost_text(cover_cost cost, words w) {
    // Translators: a cover's size, as "3 terms, 7 literals".
    const std::string terms = printed(
        say_n(w, NN_("%d term", "%d terms"), static_cast<unsigned long>(cost.terms)), cost.terms);
    return printed(say_n(w, NN_("%s, %d literal", "%s, %d literals"),
                         static_cast<unsigned long>(cost.literals)),
                   terms.c_str(), cost.literals);
}

// "0" for a loop of 1s, "1" for a loop of 0s: the cell a loop must not hold.
char wrong_value(cover_kind kind) {
    return kind == cover_kind::sum_of_products ? '0' : '1';
}

std::string verdict_of(const group_judgement& g, cover_kind kind, words w) {
    switch (g.fault) {
    case group_fault::covers_wrong_cell:
        // Translators: a student's group takes in a cell it must not, as
        // "covers a 0 at 4" (minterm 4).
        return printed(say(w, N_("covers a %c at %d")), wrong_value(kind), g.wrong_cell);
    case group_fault::only_dont_cares: return say(w, N_("covers only don't cares"));
    case group_fault::repeated: return say(w, N_("repeated"));
    case group_fault::none: break;
    }
    std::string inside = g.inside ? group_text(*g.inside, kind) : "";
    if (g.inside && g.redundant)
        return printed(say(w, N_("could be bigger: inside %s, redundant")), inside.c_str());
    if (g.inside) return printed(say(w, N_("could be bigger: inside %s")), inside.c_str());
    if (g.redundant) return say(w, N_("redundant"));
    return g.essential ? for_form(w, kind, NC_("sum of products", "prime, essential"),
                                  NC_("product of sums", "prime, essential"))
                       : for_form(w, kind, NC_("sum of products", "prime"),
                                  NC_("product of sums", "prime"));
}

std::string cover_line(const cover_judgement& c, cover_kind kind, words w) {
    if (c.minimal()) return say(w, N_("cover: minimal"));
    if (c.correct())
        return printed(say(w, N_("cover: correct, not minimal: %s; a minimum has %s")),
                       cost_text(c.given, w).c_str(), cost_text(c.minimum, w).c_str());
    const std::string cells = minterm_list(c.missed);
    const auto groups = static_cast<unsigned long>(c.wrong_groups);
    if (c.missed != 0 && c.wrong_groups > 0)
        // Translators: as "cover: incorrect; misses 3 7; 2 of the groups cover a 0".
        return printed(say_n(w,
                             NN_("cover: incorrect; misses %s; %d of the groups covers a %c",
                                 "cover: incorrect; misses %s; %d of the groups cover a %c"),
                             groups),
                       cells.c_str(), c.wrong_groups, wrong_value(kind));
    if (c.missed != 0)
        // Translators: the minterms no group covers, as "cover: incorrect; misses 3 7".
        return printed(say(w, N_("cover: incorrect; misses %s")), cells.c_str());
    if (c.wrong_groups > 0)
        // Translators: as "cover: incorrect; 2 of the groups cover a 0".
        return printed(say_n(w,
                             NN_("cover: incorrect; %d of the groups covers a %c",
                                 "cover: incorrect; %d of the groups cover a %c"),
                             groups),
                       c.wrong_groups, wrong_value(kind));
    return say(w, N_("cover: incorrect"));
}

// Practice's sentence on one group.
std::string group_sentence(const group_judgement& g, cover_kind kind) {
    const bool sums = kind == cover_kind::product_of_sums;
    const std::string term = group_text(g.group, kind);
    switch (g.fault) {
    case group_fault::covers_wrong_cell:
        return printed(sums ? _("%s takes in cell %d, a 1: a group of 0s must not.")
                            : _("%s takes in cell %d, a 0: a group of 1s must not."),
                       term.c_str(), g.wrong_cell);
    case group_fault::only_dont_cares:
        return printed(_("%s takes in only don't-cares: it covers nothing that needs covering."),
                       term.c_str());
    case group_fault::repeated:
        return printed(_("%s is there twice: once is enough."), term.c_str());
    case group_fault::none: break;
    }
    if (g.inside) {
        const std::string inside = group_text(*g.inside, kind);
        return printed(g.redundant ? _("%s could be bigger: it fits inside %s. The other groups "
                                       "cover its cells, so it is not needed either.")
                                   : _("%s could be bigger: it fits inside %s."),
                       term.c_str(), inside.c_str());
    }
    if (g.redundant)
        return printed(_("%s is not needed: the other groups cover its cells."), term.c_str());
    if (g.essential)
        return printed(sums ? _("%s is an essential prime implicate.")
                            : _("%s is an essential prime implicant."),
                       term.c_str());
    return printed(sums ? _("%s is a prime implicate, not an essential one.")
                        : _("%s is a prime implicant, not an essential one."),
                   term.c_str());
}

// Practice's sentences on the groups as a cover.
std::string cover_sentences(const cover_judgement& c, cover_kind kind) {
    if (c.minimal()) return _("These groups are a minimal cover.");
    if (c.correct())
        // Translators: the sizes are as "3 terms, 7 literals".
        return printed(_("These groups cover the map, but not minimally: they have %s, and a "
                         "minimum has %s."),
                       cost_text(c.given, words::reader).c_str(),
                       cost_text(c.minimum, words::reader).c_str());
    std::string text = _("These groups are not a cover.");
    if (c.missed != 0) {
        const auto n = static_cast<unsigned long>(std::popcount(unsigned{c.missed}));
        // Translators: the cells that no group without a fault takes, as
        // "No right group takes cells 3, 7 and 9."
        text +=
            " " + printed(P_("No right group takes cell %s.", "No right group takes cells %s.", n),
                          spoken_cells(c.missed).c_str());
    }
    if (c.wrong_groups > 0) {
        const auto n = static_cast<unsigned long>(c.wrong_groups);
        text += " " + printed(kind == cover_kind::product_of_sums
                                  ? P_("%d group takes in a 1.", "%d groups take in a 1.", n)
                                  : P_("%d group takes in a 0.", "%d groups take in a 0.", n),
                              c.wrong_groups);
    }
    return text;
}

} // namespace

std::vector<std::string> check_sentences(const judgement& judged) {
    std::vector<std::string> lines;
    for (const group_judgement& g : judged.groups) lines.push_back(group_sentence(g, judged.kind));
    lines.push_back(cover_sentences(judged.cover, judged.kind));
    return lines;
}

const char* for_form(words w, cover_kind kind, const char* sum_context, const char* sum_text,
                     const char* product_context, const char* product_text) {
    return kind == cover_kind::sum_of_products ? say_in(w, sum_context, sum_text)
                                               : say_in(w, product_context, product_text);
}

std::string group_text(cube group, cover_kind kind) {
    return kind == cover_kind::sum_of_products ? product_text(group) : sum_text(group);
}

std::vector<std::string> judgement_lines(const judgement& judged, words w) {
    std::vector<std::string> lines;
    for (const group_judgement& g : judged.groups)
        lines.push_back(group_text(g.group, judged.kind) + ": " + verdict_of(g, judged.kind, w));
    lines.push_back(cover_line(judged.cover, judged.kind, w));
    return lines;
}

} // namespace tessary
