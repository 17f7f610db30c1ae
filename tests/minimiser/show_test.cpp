// The Show pipeline end to end: which terms are made and flagged, what the
// two key fields show, and the state a Show leaves behind.
#include "passes.h"
#include "show.h"
#include "support/key_check.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace tessary {
namespace {

using testing::map_of;
using testing::map_with;

// Runs the chain up to redundant-term elimination and lists the terms as
// "text[ids]", with a '*' after the flagged ones; then renders.
std::vector<std::string> flagged_terms(const cell_values& cells) {
    build_grid();
    load_cells(cells);
    octet_pass();
    quad_pass();
    pair_pass();
    single_pass();
    flag_redundant();
    std::vector<std::string> made;
    for (int i = 0; i <= last_term; ++i)
        made.push_back(std::string(terms[i].text) + "[" + terms[i].cell_ids + "]" +
                       (terms[i].redundant ? "*" : ""));
    render_expression();
    return made;
}

// `second` is nullptr when the second field must be hidden.
void expect_key_fields(const key_fields& key, const char* first, const char* second) {
    EXPECT_STREQ(key.first, first);
    EXPECT_EQ(key.second_shown, second != nullptr);
    if (second != nullptr) {
        EXPECT_STREQ(key.second, second);
    }
}

struct show_case {
    const char* map;
    std::vector<std::string> terms;
    const char* first;
    const char* second; // nullptr when the second field is hidden
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
        EXPECT_EQ(flagged_terms(map_of(c.map)), c.terms);
        expect_key_fields(show_map(map_of(c.map)), c.first, c.second);
    }
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
        show_map(map_of("1010/0101/1010/0101")); // leaves the second field shown
        const key_fields& key = show_map(map_of(r.map));
        EXPECT_STREQ(key.first, r.answer);
        EXPECT_FALSE(key.second_shown);
        EXPECT_EQ(last_term, -1);
    }
}

TEST(Show, SplitsAfterThirtyTwoCharacters) {
    struct row {
        const char* ones;
        const char* first;
        const char* second; // nullptr: hidden
    };
    const row rows[] = {
        {"2578A", "ABC'D'+A'BC'D+AB'C'D+A'B'CD+ABCD", nullptr}, // exactly 32
        {"1369B", "A'BC'D'+AB'C'D'+ABC'D+A'BCD", "+AB'CD"},     // 33: split at 26
        {"134CE", "A'BC'D'+AB'C'D'+A'B'C'D+A'B'CD'", "+ABCD'"}, // '+' at 31
        {"0", "A'B'C'D'", nullptr},                             // one term, no '+'
        {"01A", "C'D'A'+ABCD", nullptr},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.ones);
        expect_key_fields(show_map(map_with(r.ones)), r.first, r.second);
    }
}

TEST(Show, LeavesTheTermTableEmpty) {
    show_map(map_of("1010/0101/1010/0101"));
    EXPECT_EQ(last_term, -1);
    EXPECT_STREQ(raw_sum, "");
    EXPECT_STREQ(expression, "");
    for (const term_record& term : terms) EXPECT_STREQ(term.text, "");
}

TEST(Show, SecondShowOnTheSameMapGivesTheSameAnswer) {
    for (const show_case& c : whole_maps) {
        SCOPED_TRACE(c.map);
        const std::string first = testing::answer_of(show_map(map_of(c.map)));
        EXPECT_EQ(testing::answer_of(show_map(map_of(c.map))), first);
    }
}

TEST(Show, RenderingWithoutTermsEmptiesTheFirstField) {
    build_grid();
    last_term = -1;
    render_expression();
    EXPECT_STREQ(key_display.first, "");
    EXPECT_FALSE(key_display.second_shown);
}

TEST(Reset, ClearsCellsExpressionAndTermIndex) {
    show_map(map_of("1111/1111/1000/0001"));
    std::strcpy(expression, "C'");
    last_term = 3;
    reset_map();
    for (const auto& row : grid) {
        for (const map_cell& cell : row) {
            EXPECT_EQ(cell.state, '0');
            EXPECT_EQ(cell.value, '0');
        }
    }
    EXPECT_STREQ(expression, "");
    EXPECT_EQ(last_term, -1);
}

} // namespace
} // namespace tessary
