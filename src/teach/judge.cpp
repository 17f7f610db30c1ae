// Judging a student's groups (see judge.h). The primes, the essential primes
// and the minimum are the ones the method shown lists, so that a judgement
// and an explanation of the same map never disagree.
#include "teach/judge.h"

#include "teach/explain.h"

#include <algorithm>
#include <bit>
#include <span>

namespace tessary {

namespace {

minterm_set wrong_cells(const boolean_map& map, cover_kind kind) {
    return cells_to_avoid(map, kind);
}

bool marked_redundant(const std::vector<group_judgement>& judged, cube group) {
    return std::any_of(judged.begin(), judged.end(),
                       [&](const group_judgement& g) { return g.group == group && g.redundant; });
}

// The cells of the groups that still count beside group `skip`: those
// without a wrong cell and not marked redundant, leaving out `skip` and every
// group equal to it.
minterm_set other_good_cells(const std::vector<group_judgement>& judged, std::size_t skip) {
    unsigned cells = 0;
    for (const group_judgement& g : judged)
        if (g.fault != group_fault::covers_wrong_cell && g.group != judged[skip].group &&
            !marked_redundant(judged, g.group))
            cells |= minterms_of(g.group);
    return static_cast<minterm_set>(cells);
}

group_judgement first_fault(cube group, minterm_set to_cover, minterm_set wrong,
                            std::span<const cube> earlier) {
    group_judgement g;
    g.group = group;
    const minterm_set cells = minterms_of(group);
    if (cells & wrong) {
        g.fault = group_fault::covers_wrong_cell;
        g.wrong_cell = std::countr_zero(static_cast<unsigned>(cells & wrong));
    } else if ((cells & to_cover) == 0) {
        g.fault = group_fault::only_dont_cares;
    } else if (std::find(earlier.begin(), earlier.end(), group) != earlier.end()) {
        g.fault = group_fault::repeated;
    }
    return g;
}

bool holds(cube prime, cube group) {
    return (minterms_of(group) & ~static_cast<unsigned>(minterms_of(prime))) == 0;
}

// The prime a group that could be bigger should grow into: of the primes that
// hold it, the first essential one, else the first of the minimum, else the
// first in prime order.
cube prime_to_grow_into(cube group, const explanation& e) {
    for (const essential_prime& p : e.essentials)
        if (holds(p.prime, group)) return p.prime;
    for (const cube c : e.minimum)
        if (holds(c, group)) return c;
    return *std::find_if(e.primes.begin(), e.primes.end(), [&](cube p) { return holds(p, group); });
}

void judge_size(group_judgement& g, const explanation& e) {
    if (std::find(e.primes.begin(), e.primes.end(), g.group) == e.primes.end())
        g.inside = prime_to_grow_into(g.group, e);
    g.essential = std::any_of(e.essentials.begin(), e.essentials.end(),
                              [&](const essential_prime& p) { return p.prime == g.group; });
}

// Redundant: every cell to cover in it is in another group that still
// counts. Decided for the groups that could be bigger first, then for the
// primes, each in the order given, so that the groups marked can all go
// together and a smaller loop goes before the prime that holds it.
void mark_redundant(std::vector<group_judgement>& judged, minterm_set to_cover) {
    for (const bool primes : {false, true})
        for (std::size_t i = 0; i < judged.size(); ++i) {
            group_judgement& g = judged[i];
            if (g.fault != group_fault::none || g.inside.has_value() == primes) continue;
            g.redundant = (minterms_of(g.group) & to_cover & ~other_good_cells(judged, i)) == 0;
        }
}

} // namespace

judgement judge(const boolean_map& map, cover_kind kind, const std::vector<cube>& groups) {
    const explanation e = explain(map, kind);
    const minterm_set wrong = wrong_cells(map, kind);
    judgement j{kind, {}, {}};
    for (std::size_t i = 0; i < groups.size(); ++i)
        j.groups.push_back(first_fault(groups[i], e.to_cover, wrong, std::span(groups).first(i)));
    unsigned covered = 0;
    for (std::size_t i = 0; i < j.groups.size(); ++i) {
        group_judgement& g = j.groups[i];
        j.cover.given.terms += 1;
        j.cover.given.literals += literal_count(g.group);
        if (g.fault == group_fault::covers_wrong_cell) {
            ++j.cover.wrong_groups;
            continue;
        }
        covered |= minterms_of(g.group);
        if (g.fault == group_fault::none) judge_size(g, e);
    }
    mark_redundant(j.groups, e.to_cover);
    j.cover.missed = static_cast<minterm_set>(e.to_cover & ~covered);
    j.cover.minimum = cost_of(e.minimum);
    return j;
}

selection_fault group_of_cells(minterm_set cells, cube& group) {
    if (cells == 0) return selection_fault::empty;
    if (!std::has_single_bit(static_cast<unsigned>(std::popcount(cells))))
        return selection_fault::size;
    // The variables every selected cell agrees on are the group's letters.
    unsigned all = 0xF, any = 0;
    for (unsigned m = cells; m != 0; m &= m - 1) {
        all &= static_cast<unsigned>(std::countr_zero(m));
        any |= static_cast<unsigned>(std::countr_zero(m));
    }
    const auto care = static_cast<std::uint8_t>(~(all ^ any) & 0xF);
    const cube c{care, static_cast<std::uint8_t>(all & care)};
    if (minterms_of(c) != cells) return selection_fault::shape;
    group = c;
    return selection_fault::none;
}

} // namespace tessary
