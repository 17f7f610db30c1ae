// What Practice says after Check: a whole sentence for each group, the
// value a wrong group takes in named for the form, and the cells no right
// group takes listed as a reader reads them.
#include "answers/answers.h"
#include "input/expression.h"
#include "input/groups.h"
#include "input/map_text.h"
#include "teach/judge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessary {
namespace {

struct check_case {
    const char* map; // as tessary-key reads it
    cover_kind kind;
    const char* groups;
    std::vector<std::string> sentences;
};

std::vector<std::string> sentences_of(const check_case& c) {
    boolean_map map;
    std::string message;
    EXPECT_TRUE(parse_map(c.map, map, message)) << message;
    std::vector<cube> groups;
    expression_error error;
    EXPECT_TRUE(parse_groups(c.groups, c.kind, groups, error)) << c.groups;
    return check_sentences(judge(map, c.kind, groups));
}

TEST(CheckSentences, EachVerdictIsAWholeSentence) {
    const auto sop = cover_kind::sum_of_products, pos = cover_kind::product_of_sums;
    const check_case cases[] = {
        {"1001/0000/0000/1001",
         sop,
         "B'D'",
         {"B'D' is an essential prime implicant.", "These groups are a minimal cover."}},
        {"0010/0010/1110/1110",
         sop,
         "AB+A'C+BC",
         {"AB is an essential prime implicant.", "A'C is an essential prime implicant.",
          "BC is not needed: the other groups cover its cells.",
          "These groups cover the map, but not minimally: they have 3 terms, 6 literals, and "
          "a minimum has 2 terms, 4 literals."}},
        {"1000/1100/0100/1100",
         sop,
         "A'B'C'+A'BD+A'CD'",
         {"A'B'C' is a prime implicant, not an essential one.",
          "A'BD is a prime implicant, not an essential one.",
          "A'CD' is a prime implicant, not an essential one.",
          "These groups are a minimal cover."}},
        {"0010/0010/1111/0010",
         sop,
         "AB+AB+CD",
         {"AB is an essential prime implicant.", "AB is there twice: once is enough.",
          "CD is an essential prime implicant.",
          "These groups cover the map, but not minimally: they have 3 terms, 6 literals, and "
          "a minimum has 2 terms, 4 literals."}},
        {"XXX0/0000/0010/0000",
         sop,
         "A'B'C'D'+AB",
         {"A'B'C'D' takes in only don't-cares: it covers nothing that needs covering.",
          "AB takes in cell 13, a 0: a group of 1s must not.",
          "These groups are not a cover. No right group takes cell 15. 1 group takes in a 0."}},
        {"1111/1111/1111/1011",
         pos,
         "(A+B)(C'+D)",
         {"(A+B) takes in cell 0, a 1: a group of 0s must not.",
          "(C'+D) takes in cell 2, a 1: a group of 0s must not.",
          "These groups are not a cover. No right group takes cell 6. 2 groups take in a 1."}},
        {"1111/1111/0000/0000",
         sop,
         "A'C'",
         {"A'C' could be bigger: it fits inside C'.",
          "These groups are not a cover. No right group takes cells 8, 9, 12 and 13."}},
    };
    for (const check_case& c : cases) {
        SCOPED_TRACE(std::string(c.map) + " " + c.groups);
        EXPECT_EQ(sentences_of(c), c.sentences);
    }
}

} // namespace
} // namespace tessary
