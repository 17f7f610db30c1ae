// Every map of 0 and 1 (65,536 of them): the answer is the function on the
// map, short enough for the window's two fields, and the redundant-term rule
// agrees with the plain "listed by any other term" rule wherever that rule's
// answer covers every 1-cell.
#include "key_fields.h"
#include "minimiser/greedy.h"
#include "support/greedy_terms.h"
#include "support/key_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace tessary {
namespace {

boolean_map map_of_bits(unsigned bits) {
    return {static_cast<minterm_set>(bits), 0};
}

std::string bits_name(unsigned bits) {
    return map_text(map_of_bits(bits));
}

TEST(EveryMapOfZerosAndOnes, AnswerIsTheFunctionAndFitsTheFields) {
    std::size_t longest_first = 0, longest_second = 0;
    int most_terms = 0;
    for (unsigned bits = 0; bits < 0x10000; ++bits) {
        const boolean_map map = map_of_bits(bits);
        const std::string answer = testing::shown_answer(map);
        if (!testing::is_sound(map, answer)) {
            ADD_FAILURE() << "map " << bits_name(bits) << " gives " << answer;
            continue;
        }
        const key_fields key = split_key(answer);
        longest_first = std::max(longest_first, key.first.size());
        if (key.second_shown) longest_second = std::max(longest_second, key.second.size());
        if (answer != "0" && answer != "1")
            most_terms = std::max(
                most_terms, 1 + static_cast<int>(std::count(answer.begin(), answer.end(), '+')));
    }
    EXPECT_LE(longest_first, 32u);
    EXPECT_LE(longest_second, 26u);
    EXPECT_LE(most_terms, 8);
}

// The plain rule: a term is redundant when each of its ids is listed by any
// other term, whatever that term's flag.
bool plainly_redundant(const greedy_answer& a, int i) {
    unsigned others = 0;
    for (int k = 0; k < a.term_count; ++k)
        if (k != i) others |= a.terms[static_cast<std::size_t>(k)].listed;
    return (a.terms[static_cast<std::size_t>(i)].listed & ~others) == 0;
}

// True when every 1-cell's id is listed by a term the flags keep.
bool kept_terms_cover(const greedy_answer& a, const boolean_map& map, const bool* dropped) {
    unsigned covered = 0;
    for (int k = 0; k < a.term_count; ++k)
        if (!dropped[k]) covered |= a.terms[static_cast<std::size_t>(k)].listed;
    return (map.ones & ~covered) == 0;
}

TEST(EveryMapOfZerosAndOnes, KeptTermsMatchThePlainRuleWhereThatRuleIsSound) {
    int plain_rule_wrong = 0;
    for (unsigned bits = 0; bits < 0x10000; ++bits) {
        const boolean_map map = map_of_bits(bits);
        const greedy_answer a = reduce_greedy(map);
        if (a.term_count == 0) continue; // "0" and "1" are written without terms
        bool plain[greedy_answer::capacity] = {};
        for (int i = 0; i < a.term_count; ++i) plain[i] = plainly_redundant(a, i);
        if (!kept_terms_cover(a, map, plain)) {
            ++plain_rule_wrong;
            continue;
        }
        for (int i = 0; i < a.term_count; ++i)
            EXPECT_EQ(!a.terms[static_cast<std::size_t>(i)].kept, plain[i])
                << "map " << bits_name(bits) << " term " << i;
    }
    // The plain rule drops both of two terms that list each other's cells on
    // exactly these many maps.
    EXPECT_EQ(plain_rule_wrong, 1170);
}

} // namespace
} // namespace tessary
