// The greedy reduction end to end: which terms are made and flagged, the
// answer, and that one reduction leaves nothing behind for the next.
#include "minimiser/greedy.h"
#include "support/greedy_terms.h"
#include "support/key_check.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace tessary {
namespace {

using testing::map_of;
using testing::map_with;

// The terms made, as "text[ids]", with a '*' after those dropped.
std::vector<std::string> flagged_terms(const greedy_answer& answer) {
    std::vector<std::string> made;
    for (int i = 0; i < answer.term_count; ++i) {
        const greedy_term& t = answer.terms[static_cast<std::size_t>(i)];
        made.push_back(testing::term_code(t) + (t.kept ? "" : "*"));
    }
    return made;
}

struct show_case {
    const char* map;
    std::vector<std::string> terms;
    const char* first;
    const char* second; // the rest of an answer the window splits, or nullptr
};

const show_case whole_maps[] = {
    {"1111/1111/1000/0001", {"c[01234567]", "abD[84]", "Abd[F3]"}, "C'+A'B'D+AB'D'", nullptr},
    {"0111/1111/1111/1111",
     {"B[159D26AE]", "A[37BF26AE]", "D[456789AB]", "C[CDEF89AB]"},
     "B+A+D+C",
     nullptr},
    {"0110/0110/0000/0000", {"Bc[1265]"}, "BC'", nullptr},
    {"1111/1111/0110/1000", {"c[01234567]", "BD[9A65]", "abd[C0]"}, "C'+BD+A'B'D'", nullptr},
    {"0000/0000/0111/0100", {"CDB[9A]*", "CDA[BA]", "aBC[D9]"}, "CDA+A'BC", nullptr},
    {"0101/1010/0101/1010",
     {"aBcd[1]", "Abcd[3]", "abcD[4]", "ABcD[6]", "aBCD[9]", "AbCD[B]", "abCd[C]", "ABCd[E]"},
     "A'BC'D'+AB'C'D'+A'B'C'D+ABC'D",
     "+A'BCD+AB'CD+A'B'CD'+ABCD'"},
    {"1010/0101/1010/0101",
     {"abcd[0]", "ABcd[2]", "aBcD[5]", "AbcD[7]", "abCD[8]", "ABCD[A]", "aBCd[D]", "AbCd[F]"},
     "A'B'C'D'+ABC'D'+A'BC'D+AB'C'D",
     "+A'B'CD+ABCD+A'BCD'+AB'CD'"},
    // Two terms that list each other's 1-cells: the first is dropped, the
    // second kept, so every 1-cell stays covered.
    {"0000/0101/0111/1111",
     {"BC[9AED]*", "AC[BAEF]", "Cd[CDEF]", "aBD[59]", "AbD[7B]"},
     "AC+CD'+A'BD+AB'D",
     nullptr},
    {"X001/X00X/X000/X011", {"bc[3]*", "bd[F3]", "CdA[EF]"}, "B'D'+CD'A", nullptr},
    {"X000/1XX1/110X/0001", {"cD[47]*", "bD[874]", "aD[984]", "AbC[F]"}, "B'D+A'D+AB'C", nullptr},
    {"0000/1000/1111/0111",
     {"CD[89AB]*", "BC[DEA9]", "AC[FEAB]", "abD[48]"},
     "BC+AC+A'B'D",
     nullptr},
};

TEST(Show, WholeMaps) {
    for (const show_case& c : whole_maps) {
        SCOPED_TRACE(c.map);
        const greedy_answer answer = reduce_greedy(map_of(c.map));
        EXPECT_EQ(flagged_terms(answer), testing::with_sorted_cells(c.terms));
        EXPECT_EQ(write_greedy(answer).view(), std::string(c.first) + (c.second ? c.second : ""));
    }
}

TEST(Show, TermsCarryTheirCubes) {
    const greedy_answer answer = reduce_greedy(map_of("0000/0000/0111/0100"));
    ASSERT_EQ(answer.term_count, 3);
    EXPECT_EQ(product_text(answer.terms[0].term), "BCD");
    EXPECT_EQ(product_text(answer.terms[1].term), "ACD");
    EXPECT_EQ(product_text(answer.terms[2].term), "A'BC");
    EXPECT_EQ(sop_text(answer.kept_cover()), "ACD+A'BC");
}

TEST(Show, TrivialAnswers) {
    struct row {
        const char* map;
        const char* answer;
    };
    const row rows[] = {
        {"0000/0000/0000/0000", "0"}, {"X000/0000/0000/00X0", "0"}, {"XXXX/XXXX/XXXX/XXXX", "0"},
        {"1111/1111/1111/1111", "1"}, {"1X1X/X1X1/1X1X/X1X1", "1"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.map);
        reduce_greedy(map_of("1010/0101/1010/0101")); // leaves eight terms behind
        const greedy_answer answer = reduce_greedy(map_of(r.map));
        EXPECT_EQ(write_greedy(answer).view(), r.answer);
        EXPECT_EQ(answer.term_count, 0);
    }
}

TEST(Show, AnswersAfterALongerOneAreTheirOwn) {
    struct row {
        const char* ones;
        const char* answer;
    };
    const row rows[] = {
        {"0", "A'B'C'D'"},
        {"01A", "C'D'A'+ABCD"},
        {"2578A", "ABC'D'+A'BC'D+AB'C'D+A'B'CD+ABCD"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.ones);
        reduce_greedy(map_of("1010/0101/1010/0101"));
        EXPECT_EQ(testing::shown_answer(map_with(r.ones)), r.answer);
    }
}

TEST(Show, SecondShowOnTheSameMapGivesTheSameAnswer) {
    for (const show_case& c : whole_maps) {
        SCOPED_TRACE(c.map);
        const std::string first = testing::shown_answer(map_of(c.map));
        EXPECT_EQ(testing::shown_answer(map_of(c.map)), first);
    }
}

} // namespace
} // namespace tessary
