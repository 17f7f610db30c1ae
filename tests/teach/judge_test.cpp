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
std::string brute_judge(const boolean_map& map, cover_kind kind, const std::vector<cube>& groups) {
    const bool sums = kind == cover_kind::product_of_sums;
    const unsigned on = sums ? map.zeros() : map.ones, off = sums ? map.ones : map.zeros();
    const char* wrong = sums ? "1" : "0";
    std::vector<const brute_term*> primes =
        testing::primes_of(static_cast<std::uint16_t>(on), static_cast<std::uint16_t>(off));
    std::sort(primes.begin(), primes.end(), [sums](const brute_term* a, const brute_term* b) {
        if (a->literals != b->literals) return a->literals < b->literals;
        return sums ? a->sum_number < b->sum_number : a->number < b->number;
    });
    auto text = [sums](const brute_term& t) { return sums ? t.sum_text : t.text; };
    std::string out;
    unsigned good = 0;
    int bad = 0, literals = 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const brute_term& g = term_of(groups[i]);
        literals += g.literals;
        out += text(g) + ": ";
        if (g.cells & off) {
            ++bad;
            out += std::string("covers a ") + wrong + " at " +
                   std::to_string(std::countr_zero(g.cells & off)) + "\n";
            continue;
        }
        good |= g.cells;
        if ((g.cells & on) == 0) {
            out += "covers only don't cares\n";
            continue;
        }
        bool seen = false;
        for (std::size_t j = 0; j < i; ++j) seen |= groups[j] == groups[i];
        if (seen) {
            out += "repeated\n";
            continue;
        }
        std::string verdict;
        for (const brute_term* p : primes)
            if (p != &g && (p->cells & g.cells) == g.cells) {
                verdict = "could be bigger: inside " + text(*p);
                break;
            }
        unsigned others = 0;
        for (const cube other : groups)
            if (other != groups[i] && (term_of(other).cells & off) == 0)
                others |= term_of(other).cells;
        if ((g.cells & on & ~others) == 0) verdict += verdict.empty() ? "redundant" : ", redundant";
        if (verdict.empty()) {
            unsigned only = g.cells & on;
            for (const brute_term* q : primes)
                if (q != &g) only &= ~q->cells;
            verdict = only != 0 ? "prime, essential" : "prime";
        }
        out += verdict + "\n";
    }
    const testing::brute_cover minimum =
        testing::brute_minimum(static_cast<std::uint16_t>(on), static_cast<std::uint16_t>(off),
                               sums)
            .front();
    const int min_terms = static_cast<int>(minimum.size()),
              min_literals = testing::literals_of(minimum);
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
    return joined(judgement_lines(judge(map, kind, groups)));
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
