// A student's groups judged, against a judge of its own built on the brute
// force: the primes and essential primes by definition, each verdict by the
// rules as a teacher states them. Student answers of every kind are made
// from each map's minimum: the minimum itself, one group missed, one too
// many, one too small, one too big, one written twice, and guesses.
#include "answers/answers.h"
#include "exact/exact.h"
#include "input/groups.h"
#include "teach/judge.h"

#include "support/brute_force.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tessary {
namespace {

using testing::brute_term;

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

const brute_term& term_of(cube c) {
    for (const brute_term& t : testing::all_terms())
        if (t.cells == minterms_of(c)) return t;
    throw std::logic_error("no such term");
}

std::string count_text(int n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// The judge of the rules, written out plainly.
struct brute_rules {
    unsigned on, off;
    std::vector<const brute_term*> primes; // in tie-break order
    testing::brute_cover minimum;          // the one --minimal prints
    bool sums;

    std::string text(const brute_term& t) const { return sums ? t.sum_text : t.text; }

    bool essential(const brute_term& p) const {
        unsigned only = p.cells & on;
        for (const brute_term* q : primes)
            if (q != &p) only &= ~q->cells;
        return only != 0;
    }

    // Of the primes that hold g: the first essential one, else the first of
    // the minimum, else the first; nullptr when g is a prime itself.
    const brute_term* grow_into(const brute_term& g) const {
        if (std::find(primes.begin(), primes.end(), &g) != primes.end()) return nullptr;
        auto holds = [&](const brute_term* p) { return (p->cells & g.cells) == g.cells; };
        for (const brute_term* p : primes)
            if (holds(p) && essential(*p)) return p;
        for (const brute_term* p : minimum)
            if (holds(p)) return p;
        for (const brute_term* p : primes)
            if (holds(p)) return p;
        return nullptr;
    }
};

brute_rules rules_for(const boolean_map& map, cover_kind kind) {
    const bool sums = kind == cover_kind::product_of_sums;
    brute_rules r{sums ? map.zeros() : map.ones, sums ? map.ones : map.zeros(), {}, {}, sums};
    r.primes =
        testing::primes_of(static_cast<std::uint16_t>(r.on), static_cast<std::uint16_t>(r.off));
    std::sort(r.primes.begin(), r.primes.end(), [sums](const brute_term* a, const brute_term* b) {
        if (a->literals != b->literals) return a->literals < b->literals;
        return sums ? a->sum_number < b->sum_number : a->number < b->number;
    });
    r.minimum = testing::brute_minimum(static_cast<std::uint16_t>(r.on),
                                       static_cast<std::uint16_t>(r.off), sums)
                    .front();
    return r;
}

// Which groups are redundant: the groups that could be bigger first, then the
// primes, each in the order given; a group is when every cell it should cover
// is in another group, not equal to it, that covers no wrong cell and is not
// marked already.
std::vector<bool> brute_redundant(const brute_rules& r, const std::vector<cube>& groups,
                                  const std::vector<bool>& judged_on_need) {
    std::vector<bool> redundant(groups.size(), false);
    auto is_marked = [&](cube c) {
        for (std::size_t j = 0; j < groups.size(); ++j)
            if (groups[j] == c && redundant[j]) return true;
        return false;
    };
    for (const bool primes_now : {false, true})
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const brute_term& g = term_of(groups[i]);
            if (!judged_on_need[i] || (r.grow_into(g) == nullptr) != primes_now) continue;
            unsigned others = 0;
            for (const cube other : groups)
                if (other != groups[i] && (term_of(other).cells & r.off) == 0 && !is_marked(other))
                    others |= term_of(other).cells;
            redundant[i] = (g.cells & r.on & ~others) == 0;
        }
    return redundant;
}

std::string brute_judge(const boolean_map& map, cover_kind kind, const std::vector<cube>& groups) {
    const brute_rules r = rules_for(map, kind);
    const unsigned on = r.on, off = r.off;
    const char* wrong = r.sums ? "1" : "0";
    std::vector<std::string> verdicts(groups.size());
    std::vector<bool> on_need(groups.size(), false);
    unsigned good = 0;
    int bad = 0, literals = 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const brute_term& g = term_of(groups[i]);
        literals += g.literals;
        if (g.cells & off) {
            ++bad;
            verdicts[i] = std::string("covers a ") + wrong + " at " +
                          std::to_string(std::countr_zero(g.cells & off));
            continue;
        }
        good |= g.cells;
        bool seen = false;
        for (std::size_t j = 0; j < i; ++j) seen |= groups[j] == groups[i];
        if ((g.cells & on) == 0)
            verdicts[i] = "covers only don't cares";
        else if (seen)
            verdicts[i] = "repeated";
        else
            on_need[i] = true;
    }
    const std::vector<bool> redundant = brute_redundant(r, groups, on_need);
    std::string out;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const brute_term& g = term_of(groups[i]);
        std::string verdict = verdicts[i];
        if (on_need[i]) {
            if (const brute_term* p = r.grow_into(g))
                verdict = "could be bigger: inside " + r.text(*p);
            if (redundant[i]) verdict += verdict.empty() ? "redundant" : ", redundant";
            if (verdict.empty()) verdict = r.essential(g) ? "prime, essential" : "prime";
        }
        out += r.text(g) + ": " + verdict + "\n";
    }
    const int min_terms = static_cast<int>(r.minimum.size()),
              min_literals = testing::literals_of(r.minimum);
    const unsigned missed = on & ~good;
    if (missed == 0 && bad == 0) {
        if (static_cast<int>(groups.size()) == min_terms && literals == min_literals)
            return out + "cover: minimal\n";
        return out + "cover: correct, not minimal: " +
               count_text(static_cast<int>(groups.size()), "term") + ", " +
               count_text(literals, "literal") + "; a minimum has " +
               count_text(min_terms, "term") + ", " + count_text(min_literals, "literal") + "\n";
    }
    out += "cover: incorrect";
    if (missed != 0) {
        out += "; misses";
        for (int m = 0; m < 16; ++m)
            if (missed >> m & 1) out += " " + std::to_string(m);
    }
    if (bad > 0)
        out += "; " + std::to_string(bad) + " of the groups " +
               (bad == 1 ? "covers a " : "cover a ") + wrong;
    return out + "\n";
}

std::string engine_judge(const boolean_map& map, cover_kind kind, const std::vector<cube>& groups) {
    return joined(judgement_lines(judge(map, kind, groups), words::fixed));
}

// A neighbouring cube: one literal more (smaller) or one less (bigger).
cube with_literal(cube c, int variable, bool one) {
    const std::uint8_t bit = variable_bit(variable);
    c.care = static_cast<std::uint8_t>(c.care | bit);
    c.value = static_cast<std::uint8_t>(one ? c.value | bit : c.value & ~bit);
    return c;
}
cube without_literal(cube c, int variable) {
    const std::uint8_t bit = variable_bit(variable);
    return {static_cast<std::uint8_t>(c.care & ~bit), static_cast<std::uint8_t>(c.value & ~bit)};
}

cube random_cube(std::mt19937& random) {
    const brute_term& t = testing::all_terms()[random() % 81];
    cube c;
    for (int v = 0; v < 4; ++v)
        if (t.digits[v] != 0) c = with_literal(c, v, t.digits[v] == 1);
    return c;
}

// The student answers of every kind for one map.
std::vector<std::vector<cube>> student_answers(const boolean_map& map, cover_kind kind,
                                               std::mt19937& random) {
    const cover m = kind == cover_kind::sum_of_products ? minimum_sop(map) : minimum_pos(map);
    const std::vector<cube> minimum(m.begin(), m.end());
    std::vector<std::vector<cube>> answers{minimum};
    const int variable = static_cast<int>(random() % 4);
    if (!minimum.empty()) {
        const std::size_t k = random() % minimum.size();
        std::vector<cube> missed = minimum, twice = minimum, small = minimum, big = minimum;
        missed.erase(missed.begin() + static_cast<long>(k));
        twice.push_back(minimum[k]);
        small[k] = with_literal(small[k], variable, random() % 2 != 0);
        big[k] = without_literal(big[k], variable);
        answers.insert(answers.end(), {missed, twice, small, big});
    }
    std::vector<cube> extra = minimum;
    for (const cube p : primes_of(map, kind))
        if (std::find(extra.begin(), extra.end(), p) == extra.end()) {
            extra.push_back(p);
            break;
        }
    answers.push_back(extra);
    std::vector<cube> guess(1 + random() % 5);
    for (cube& c : guess) c = random_cube(random);
    answers.push_back(guess);
    // Every prime, where a minimum takes only some; and a group beside its
    // own two halves, where the halves are the ones to take away.
    const std::vector<cube> primes = primes_of(map, kind);
    answers.push_back(primes);
    if (!minimum.empty() && literal_count(minimum.front()) < 4) {
        const cube whole = minimum.front();
        int v = 0;
        while (whole.care & variable_bit(v)) ++v;
        std::vector<cube> halves{with_literal(whole, v, false), whole,
                                 with_literal(whole, v, true)};
        halves.insert(halves.end(), minimum.begin() + 1, minimum.end());
        answers.push_back(halves);
    }
    return answers;
}

TEST(JudgeAgainstBruteForce, StudentAnswersOfEveryKind) {
    std::mt19937 random(2718);
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
        // Half the maps have no don't-care, half have them as often as 0s and 1s.
        boolean_map map = testing::random_map(random);
        if (i % 2 == 0) map.dont_cares = 0;
        for (const cover_kind kind : {cover_kind::sum_of_products, cover_kind::product_of_sums})
            for (const std::vector<cube>& groups : student_answers(map, kind, random))
                ASSERT_EQ(engine_judge(map, kind, groups), brute_judge(map, kind, groups))
                    << map_text(map) << (kind == cover_kind::product_of_sums ? " (product)" : "");
    }
}

// Pinned texts: the wording of each verdict, exactly.
struct judged_case {
    const char* map;
    cover_kind kind;
    const char* groups;
    const char* lines;
};

constexpr cover_kind sop = cover_kind::sum_of_products, pos = cover_kind::product_of_sums;

const judged_case judged_cases[] = {
    // The four corners, with a loop too small, the right one and one over a 0.
    {"1001/0000/0000/1001", sop, "A'B'C'D'+B'D'+A'B",
     "A'B'C'D': could be bigger: inside B'D', redundant\nB'D': prime, essential\n"
     "A'B: covers a 0 at 4\ncover: incorrect; 1 of the groups covers a 0\n"},
    {"1001/0000/0000/1001", sop, "B'D'", "B'D': prime, essential\ncover: minimal\n"},
    {"1001/0000/0000/1001", sop, "B'D'+B'D'",
     "B'D': prime, essential\nB'D': repeated\n"
     "cover: correct, not minimal: 2 terms, 4 literals; a minimum has 1 term, 2 literals\n"},
    {"1001/0000/0000/1001", sop, "A'B'D'",
     "A'B'D': could be bigger: inside B'D'\ncover: incorrect; misses 8 10\n"},
    {"1001/0000/0000/100X", sop, "B'D'+AB'CD'",
     "B'D': prime, essential\nAB'CD': covers only don't cares\n"
     "cover: correct, not minimal: 2 terms, 6 literals; a minimum has 1 term, 2 literals\n"},
    {"1001/0000/0000/1001", sop, "A+B",
     "A: covers a 0 at 9\nB: covers a 0 at 4\n"
     "cover: incorrect; misses 0 2 8 10; 2 of the groups cover a 0\n"},
    // Loops of 0s for a product of sums.
    {"1001/0000/0000/1001", pos, "(B'+D')D",
     "(B'+D'): could be bigger: inside B'\nD: covers a 1 at 0\n"
     "cover: incorrect; misses 1 3 4 6 9 11 12 14; 1 of the groups covers a 1\n"},
    {"1001/0000/0000/1001", pos, "B'D'",
     "B': prime, essential\nD': prime, essential\ncover: minimal\n"},
    // Redundant only where the groups marked can all go together, the smaller
    // loops before the prime that holds them.
    {"1000/1000/1000/1000", sop, "A'B'C'+A'B'D+A'B'C+A'B'D'",
     "A'B'C': could be bigger: inside A'B', redundant\nA'B'D: could be bigger: inside A'B'\n"
     "A'B'C: could be bigger: inside A'B', redundant\nA'B'D': could be bigger: inside A'B'\n"
     "cover: correct, not minimal: 4 terms, 12 literals; a minimum has 1 term, 2 literals\n"},
    {"1001/0000/0000/1001", sop, "B'D'+A'B'D'+AB'D'",
     "B'D': prime, essential\nA'B'D': could be bigger: inside B'D', redundant\n"
     "AB'D': could be bigger: inside B'D', redundant\n"
     "cover: correct, not minimal: 3 terms, 8 literals; a minimum has 1 term, 2 literals\n"},
    {"1001/0000/0000/1001", pos, "B'D'(B'+D')",
     "B': prime, essential\nD': prime, essential\n(B'+D'): could be bigger: inside B', redundant\n"
     "cover: correct, not minimal: 3 terms, 4 literals; a minimum has 2 terms, 2 literals\n"},
    // Could be bigger: inside the essential prime BC', not the first prime A'C'.
    {"1111/1110/1000/0000", sop, "A'BC'+C'D'+A'B'D",
     "A'BC': could be bigger: inside BC'\nC'D': prime, essential\n"
     "A'B'D: prime, essential\ncover: incorrect; misses 13\n"},
    // No group for a map without a 1: the empty sum.
    {"0000/0000/0000/0000", sop, "0", "cover: minimal\n"},
    {"1111/1111/1111/1111", sop, "1", "1: prime, essential\ncover: minimal\n"},
    {"1111/1111/1111/1111", pos, "1", "cover: minimal\n"},
};

TEST(Judge, PinnedLines) {
    for (const judged_case& c : judged_cases) {
        SCOPED_TRACE(std::string(c.map) + " " + c.groups);
        std::vector<cube> groups;
        expression_error error;
        ASSERT_TRUE(parse_groups(c.groups, c.kind, groups, error)) << describe(error);
        const boolean_map map = testing::map_of(c.map);
        EXPECT_EQ(engine_judge(map, c.kind, groups), c.lines);
        EXPECT_EQ(engine_judge(map, c.kind, groups), brute_judge(map, c.kind, groups));
    }
}

TEST(Judge, MinimalOnlyWhenTheCoverIsAMinimum) {
    const boolean_map map = testing::map_of("1010/0111/1010/1100");
    for (const cover& minimum : all_minimum_sops(map)) {
        const judgement j = judge(map, sop, {minimum.begin(), minimum.end()});
        EXPECT_TRUE(j.cover.minimal()) << sop_text(minimum);
    }
}

// Every set of cells is a group exactly when it is the cells of a term.
TEST(GroupOfCells, EverySetOfCells) {
    std::vector<selection_fault> expected(0x10000, selection_fault::shape);
    for (unsigned cells = 0; cells < 0x10000; ++cells)
        if (!std::has_single_bit(static_cast<unsigned>(std::popcount(cells))))
            expected[cells] = selection_fault::size;
    expected[0] = selection_fault::empty;
    for (const brute_term& t : testing::all_terms()) expected[t.cells] = selection_fault::none;
    for (unsigned cells = 0; cells < 0x10000; ++cells) {
        cube group{};
        const auto set = static_cast<minterm_set>(cells);
        ASSERT_EQ(group_of_cells(set, group), expected[cells]) << cells;
        if (expected[cells] == selection_fault::none) {
            ASSERT_EQ(minterms_of(group), set);
        }
    }
}

} // namespace
} // namespace tessary
