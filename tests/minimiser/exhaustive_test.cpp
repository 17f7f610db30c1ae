// Every map of 0 and 1 (65,536 of them): the answer is the function on the
// map, short enough for the two fields, and the redundant-term rule agrees
// with the plain "listed by any other term" rule wherever that rule's answer
// covers every 1-cell.
#include "passes.h"
#include "show.h"
#include "support/key_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace tessary {
namespace {

cell_values map_of_bits(unsigned bits) {
    cell_values cells;
    for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = (bits >> i) & 1u ? '1' : '0';
    return cells;
}

std::string bits_name(unsigned bits) {
    std::string name;
    for (int i = 0; i < 16; ++i) name += (bits >> i) & 1u ? '1' : '0';
    return name;
}

TEST(EveryMapOfZerosAndOnes, AnswerIsTheFunctionAndFitsTheFields) {
    std::size_t longest_first = 0, longest_second = 0;
    int most_terms = 0;
    for (unsigned bits = 0; bits < 0x10000; ++bits) {
        const cell_values cells = map_of_bits(bits);
        const key_fields& key = show_map(cells);
        const std::string answer = testing::answer_of(key);
        if (!testing::is_sound(cells, answer)) {
            ADD_FAILURE() << "map " << bits_name(bits) << " gives " << answer;
            continue;
        }
        longest_first = std::max(longest_first, std::strlen(key.first));
        if (key.second_shown) longest_second = std::max(longest_second, std::strlen(key.second));
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
bool plainly_redundant(int i) {
    for (const char* id = terms[i].cell_ids; *id != '\0'; ++id) {
        bool listed = false;
        for (int k = 0; k <= last_term && !listed; ++k)
            listed = k != i && std::strchr(terms[k].cell_ids, *id) != nullptr;
        if (!listed) return false;
    }
    return true;
}

// True when every id of a 1-cell is listed by a term whose flag is clear.
bool kept_terms_cover(const int* flags) {
    for (int cell = 0; cell < 16; ++cell) {
        const map_cell& c = grid[cell / 4][cell % 4];
        if (c.value != '1') continue;
        bool covered = false;
        for (int k = 0; k <= last_term && !covered; ++k)
            covered = flags[k] == 0 && std::strchr(terms[k].cell_ids, c.id) != nullptr;
        if (!covered) return false;
    }
    return true;
}

TEST(EveryMapOfZerosAndOnes, KeptTermsMatchThePlainRuleWhereThatRuleIsSound) {
    int plain_rule_wrong = 0;
    for (unsigned bits = 0; bits < 0x10000; ++bits) {
        build_grid();
        load_cells(map_of_bits(bits));
        if (check_for_ones() == 0 || check_for_zeros() == 0) continue;
        octet_pass();
        quad_pass();
        pair_pass();
        single_pass();
        int plain[term_capacity] = {};
        for (int i = 0; i <= last_term; ++i) plain[i] = plainly_redundant(i) ? 1 : 0;
        flag_redundant();
        if (!kept_terms_cover(plain)) {
            ++plain_rule_wrong;
        } else {
            for (int i = 0; i <= last_term; ++i)
                EXPECT_EQ(terms[i].redundant, plain[i])
                    << "map " << bits_name(bits) << " term " << i;
        }
        render_expression();
    }
    // The plain rule drops both of two terms that list each other's cells on
    // exactly these many maps.
    EXPECT_EQ(plain_rule_wrong, 1170);
}

} // namespace
} // namespace tessary
