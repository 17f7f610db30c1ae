// A student's groups read from text: each term one group, in the order
// written, and every kind of fault refused with its column.
#include "input/groups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessary {
namespace {

constexpr cover_kind sop = cover_kind::sum_of_products, pos = cover_kind::product_of_sums;

// The groups as the answers write them, separated by blanks.
std::string groups_text(const std::vector<cube>& groups, cover_kind kind) {
    std::string text;
    for (const cube c : groups) {
        if (!text.empty()) text += ' ';
        text.append(kind == sop ? product_text(c) : sum_text(c));
    }
    return text;
}

struct read_case {
    cover_kind kind;
    const char* text;
    const char* groups; // or the error, "column N: ..."
};

const read_case read_cases[] = {
    // Sums of products
    {sop, "A'B+CD'", "A'B CD'"},
    {sop, " b a' + d*c' ", "A'B C'D"},
    {sop, "~A&B | !C.D", "A'B C'D"},
    {sop, "A\u2019B+C\u2032", "A'B C'"},
    {sop, "AB+AB", "AB AB"},
    {sop, "1", "1"},
    {sop, "A+1", "A 1"},
    {sop, "0", ""},
    // Products of sums: a bare letter is a sum of one
    {pos, "(A+B')(C'+D)", "(A+B') (C'+D)"},
    {pos, "(a | b) * c'", "(A+B) C'"},
    {pos, "A'B", "A' B"},
    {pos, "(D+C+B+A)", "(A+B+C+D)"},
    {pos, "0", "0"},
    {pos, "1", ""},
    // Faults: XOR, parentheses in a product, a letter twice, an empty term
    {sop, "A^B", "column 2: XOR is not a group: write the groups as a sum of products"},
    {sop, "A(B+C)", "column 2: a parenthesis inside a product (a group is a product of letters)"},
    {sop, "(AB)", "column 1: a parenthesis inside a product (a group is a product of letters)"},
    {sop, "AA'", "column 2: 'A' twice in one term"},
    {sop, "B+CdC", "column 5: 'C' twice in one term"},
    {sop, "A++B", "column 3: empty term"},
    {sop, "+A", "column 1: empty term"},
    {sop, "A+", "column 3: empty term"},
    {sop, "  ", "column 3: no groups given"},
    {sop, "A''", "column 1: more than one NOT on one letter"},
    {sop, "1A", "column 1: '1' is the whole map and takes no letters"},
    {sop, "A+0", "column 3: '0' stands alone, not in a term"},
    {sop, "AE", "column 2: unknown variable 'E' (the map has A, B, C and D)"},
    {sop, "A*", "column 3: expected a letter, found the end"},
    {sop, "A#B", "column 2: expected '+' or a letter, found '#'"},
    {sop, "A\u00e9", "column 2: expected '+' or a letter, found '\u00e9'"},
    {pos, "(A+B)^C", "column 6: XOR is not a group: write the groups as a product of sums"},
    {pos, "((A+B))", "column 2: a parenthesis inside a sum (a group is a sum of letters)"},
    {pos, "(A+A')", "column 4: 'A' twice in one term"},
    {pos, "()", "column 2: empty term"},
    {pos, "(A++B)", "column 4: empty term"},
    {pos, "(A+)", "column 4: empty term"},
    {pos, "(A+B", "column 1: '(' is not closed"},
    {pos, "A+B", "column 2: a sum of more than one letter goes in parentheses"},
    {pos, "(AB)", "column 3: expected '+' or ')', found 'B'"},
    {pos, "(A)*", "column 5: empty term"},
};

TEST(ParseGroups, TermsInOrderAndFaultsWithTheirColumn) {
    for (const read_case& c : read_cases) {
        SCOPED_TRACE(c.text);
        std::vector<cube> groups;
        expression_error error;
        const bool read = parse_groups(c.text, c.kind, groups, error);
        EXPECT_EQ(read ? groups_text(groups, c.kind) : describe(error), c.groups);
    }
}

} // namespace
} // namespace tessary
