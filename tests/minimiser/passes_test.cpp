// The covering passes: which groups each makes, in which order, with which
// text and cell ids. Maps are given by the ids (hex of 4 * row + col) of
// their 1-cells and don't-cares; every other cell is '0'.
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

enum class up_to { octets, quads, pairs, singles };

// Lists the terms the passes up to and including `last` made, as
// "text[ids]". Each pass makes terms of its own size (an octet one letter, a
// single cell four) and runs after the larger ones, so these are the terms
// of the reduction with at most that many letters.
std::vector<std::string> terms_after(const boolean_map& map, up_to last) {
    const greedy_answer answer = reduce_greedy(map);
    std::vector<std::string> made;
    for (int i = 0; i < answer.term_count; ++i) {
        const greedy_term& term = answer.terms[static_cast<std::size_t>(i)];
        if (literal_count(term.term) <= static_cast<int>(last) + 1)
            made.push_back(testing::term_code(term));
    }
    return made;
}

struct pass_case {
    const char* name;
    boolean_map cells;
    std::vector<std::string> terms;
};

void check_pass(const pass_case& c, up_to last) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(terms_after(c.cells, last), testing::with_sorted_cells(c.terms));
}

TEST(OctetPass, Table) {
    const pass_case cases[] = {
        {"rows 1 and 2", map_with("456789AB"), {"D[456789AB]"}},
        {"don't-care member not listed", map_with("456789A", "B"), {"D[456789A]"}},
        {"columns 0 and 3 across the wrap", map_with("048C37BF"), {"b[048C37BF]"}},
        {"previous row preferred", map_with("01234567CDEF"), {"d[0123CDEF]", "c[45670123]"}},
        {"three rows, two octets", map_with("0123456789AB"), {"c[01234567]", "D[89AB4567]"}},
        {"three columns, two octets", map_with("0134578BCDF9"), {"b[048C37BF]", "a[159D048C]"}},
        {"full row without a full neighbour row", map_with("01234589CD"), {"a[048C159D]"}},
        {"octet of don't-cares and ones", map_with("4567", "0123"), {"c[4567]"}},
        {"two full rows that are not adjacent", map_with("012389AB"), {}},
    };
    for (const pass_case& c : cases) check_pass(c, up_to::octets);
}

TEST(OctetPass, RowOctetPreferredWhenRowAndColumnBothFit) {
    // Rows 0 and 1 and columns 0 and 1 are all full: the start cell 0 takes
    // the rows.
    const auto made = terms_after(map_with("01234567", "8C9D"), up_to::octets);
    ASSERT_FALSE(made.empty());
    EXPECT_EQ(made.front(), "c[01234567]");
}

TEST(QuadPass, Table) {
    const pass_case cases[] = {
        {"row before column", map_with("012348C"), {"cd[0123]", "ab[048C]"}},
        {"column, then a row listing a covered cell",
         map_with("159D89AB"),
         {"aB[159D]", "CD[89AB]"}},
        {"down-right square", map_with("4589"), {"aD[4598]"}},
        {"corners: up-left across both wraps", map_with("03CF"), {"bd[03FC]"}},
        {"up-right across the wrap", map_with("12DE"), {"Bd[12ED]"}},
        {"square with two don't-cares", map_with("56", "9A"), {"BD[56]"}},
        {"down-left preferred", map_with("569A", "48"), {"aD[59]", "BD[659A]"}},
        {"down-right, then down-left over covered cells",
         map_with("45689A"),
         {"aD[4598]", "BD[659A]"}},
        {"no quad for a pair", map_with("01"), {}},
    };
    for (const pass_case& c : cases) check_pass(c, up_to::quads);
}

TEST(QuadPass, LineQuadOverCellsAnOctetCovered) {
    EXPECT_EQ(terms_after(map_with("01234589CD"), up_to::quads),
              testing::with_sorted_cells({"a[048C159D]", "cd[0123]"}));
}

TEST(QuadPass, IdsOfARecordReusedAfterALongerList) {
    // An octet with eight ids first, then in a later reduction a row quad
    // with three ids in the same record: nothing of the old list may remain.
    terms_after(map_with("456789AB"), up_to::quads);
    EXPECT_EQ(terms_after(map_with("013", "2"), up_to::quads),
              (std::vector<std::string>{"cd[013]"}));
}

TEST(PairPass, Table) {
    const pass_case cases[] = {
        {"right neighbour", map_with("01"), {"cda[01]"}},
        {"left before right, then fallback", map_with("301"), {"cdb[03]", "cda[10]"}},
        {"fallback takes up before right", map_with("5", "16"), {"aBc[5]"}},
        {"right before up", map_with("12D"), {"cdB[12]", "aBd[D1]"}},
        {"up across the wrap", map_with("2E"), {"ABd[2E]"}},
        {"down", map_with("48"), {"abD[48]"}},
        {"middle cell listed twice", map_with("456"), {"cDa[45]", "cDB[65]"}},
        {"lone cells left for singles", map_with("0A"), {}},
        {"four uncovered neighbours: left wins",
         map_with("0134C"),
         {"cdb[03]", "cda[10]", "abc[40]", "abd[C0]"}},
        {"after octet and quad, fallback down across the wrap",
         map_with("012345679AC"),
         {"c[01234567]", "BD[9A65]", "abd[C0]"}},
    };
    for (const pass_case& c : cases) check_pass(c, up_to::pairs);
}

TEST(SinglePass, Table) {
    const pass_case cases[] = {
        {"cell 0", map_with("0"), {"abcd[0]"}},
        {"cell 6", map_with("6"), {"ABcD[6]"}},
        {"cell F", map_with("F"), {"AbCd[F]"}},
        {"two cells in scan order", map_with("0A"), {"abcd[0]", "ABCD[A]"}},
        {"a pair first", map_with("01A"), {"cda[01]", "ABCD[A]"}},
        {"checkerboard",
         map_of("1010/0101/1010/0101"),
         {"abcd[0]", "ABcd[2]", "aBcD[5]", "AbcD[7]", "abCD[8]", "ABCD[A]", "aBCd[D]", "AbCd[F]"}},
        {"don't-care gets no term", map_with("0", "A"), {"abcd[0]"}},
    };
    for (const pass_case& c : cases) check_pass(c, up_to::singles);
}

} // namespace
} // namespace tessary
