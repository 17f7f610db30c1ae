// A judgement of a student's groups in words (see answers.h).
#include "answers/answers.h"

#include <bit>

namespace tessary {

namespace {

std::string count_of(int n, const char* what) {
    std::string text = std::to_string(n);
    text.append(" ").append(what);
    if (n != 1) text += 's';
    return text;
}

std::string cost_text(cover_cost cost) {
    std::string text = count_of(cost.terms, "term");
    return text.append(", ").append(count_of(cost.literals, "literal"));
}

// "0" for a loop of 1s, "1" for a loop of 0s: the cell a loop must not hold.
const char* wrong_value(cover_kind kind) {
    return kind == cover_kind::sum_of_products ? "0" : "1";
}

std::string verdict_of(const group_judgement& g, cover_kind kind) {
    switch (g.fault) {
    case group_fault::covers_wrong_cell:
        return std::string("covers a ").append(wrong_value(kind)).append(" at ") +
               std::to_string(g.wrong_cell);
    case group_fault::only_dont_cares: return "covers only don't cares";
    case group_fault::repeated: return "repeated";
    case group_fault::none: break;
    }
    std::string text;
    if (g.inside) text = "could be bigger: inside " + group_text(*g.inside, kind);
    if (g.redundant) text.append(text.empty() ? "" : ", ").append("redundant");
    if (text.empty()) text = g.essential ? "prime, essential" : "prime";
    return text;
}

std::string cover_line(const cover_judgement& c, cover_kind kind) {
    if (c.minimal()) return "cover: minimal";
    if (c.correct())
        return "cover: correct, not minimal: " + cost_text(c.given) + "; a minimum has " +
               cost_text(c.minimum);
    std::string line = "cover: incorrect";
    if (c.missed != 0) {
        line += "; misses";
        for (unsigned m = c.missed; m != 0; m &= m - 1)
            line.append(" ").append(std::to_string(std::countr_zero(m)));
    }
    if (c.wrong_groups > 0)
        line.append("; ")
            .append(std::to_string(c.wrong_groups))
            .append(" of the groups ")
            .append(c.wrong_groups == 1 ? "covers a " : "cover a ")
            .append(wrong_value(kind));
    return line;
}

} // namespace

std::string group_text(cube group, cover_kind kind) {
    return kind == cover_kind::sum_of_products ? product_text(group) : sum_text(group);
}

std::vector<std::string> judgement_lines(const judgement& judged) {
    std::vector<std::string> lines;
    for (const group_judgement& g : judged.groups)
        lines.push_back(group_text(g.group, judged.kind) + ": " + verdict_of(g, judged.kind));
    lines.push_back(cover_line(judged.cover, judged.kind));
    return lines;
}

} // namespace tessary
