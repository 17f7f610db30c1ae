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
    return kind == cover_kind::sum_of_products ? map.zeros() : map.ones;
}

// The cells of the groups without a wrong cell, leaving out group `skip` and
// every group equal to it.
minterm_set good_cells(const std::vector<group_judgement>& judged, std::size_t skip) {
    unsigned cells = 0;
    for (std::size_t j = 0; j < judged.size(); ++j)
        if (judged[j].fault != group_fault::covers_wrong_cell &&
            judged[j].group != judged[skip].group)
            cells |= minterms_of(judged[j].group);
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

void judge_size_and_need(group_judgement& g, const explanation& e, minterm_set others) {
    const auto prime = std::find(e.primes.begin(), e.primes.end(), g.group);
    if (prime == e.primes.end()) {
        const unsigned cells = minterms_of(g.group);
        const auto holder = std::find_if(e.primes.begin(), e.primes.end(), [&](cube p) {
            return (cells & ~static_cast<unsigned>(minterms_of(p))) == 0;
        });
        if (holder != e.primes.end()) g.inside = *holder;
    }
    g.redundant = (minterms_of(g.group) & e.to_cover & ~others) == 0;
    g.essential = std::any_of(e.essentials.begin(), e.essentials.end(),
                              [&](const essential_prime& p) { return p.prime == g.group; });
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
        if (g.fault == group_fault::none) judge_size_and_need(g, e, good_cells(j.groups, i));
    }
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
