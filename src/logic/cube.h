// Terms: a cube fixes some of the variables A to D, each to 0 or 1. Read as a
// product it is 1 on its cells (A'B is the cube A=0, B=1); read as a sum it
// is 0 on them (the same cube is the sum A+B'). A cover is a list of cubes:
// a sum of products, or a product of sums.
#pragma once

#include "logic/boolean_map.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <compare>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessary {

// Bits as in minterm numbers: 8 for A, 4 for B, 2 for C, 1 for D.
struct cube {
    std::uint8_t care = 0;  // the variables the cube fixes
    std::uint8_t value = 0; // their values; zero outside `care`

    friend constexpr bool operator==(cube, cube) = default;
};

constexpr std::uint8_t variable_bit(int variable) {
    return static_cast<std::uint8_t>(8 >> variable);
}

// The minterms of the cube.
constexpr minterm_set minterms_of(cube c) {
    unsigned cells = 0;
    for (int m = 0; m < cell_count; ++m)
        if ((m & c.care) == c.value) cells |= 1u << m;
    return static_cast<minterm_set>(cells);
}

constexpr int literal_count(cube c) {
    return std::popcount(static_cast<unsigned>(c.care));
}

// A minterm as a cube of four literals.
constexpr cube minterm_cube(int minterm) {
    return {0xF, static_cast<std::uint8_t>(minterm)};
}

// The product's text, letters in the order A, B, C, D: "A'B". No literal: "1".
std::string product_text(cube c);
// The sum that is 0 on the cube's cells: "(A+B')", or one literal without
// parentheses ("C'"). No literal: "0".
std::string sum_text(cube c);

// How two covers compare in size: fewest terms, then fewest literals.
struct cover_cost {
    int terms = 0;
    int literals = 0;
    friend constexpr auto operator<=>(const cover_cost&, const cover_cost&) = default;
};

// A sum of products or a product of sums, by its cubes, without allocation.
// A minimum cover of four variables never has more than 8 terms; the greedy
// reduction at most 15 before dropping the redundant ones.
struct cover {
    static constexpr int capacity = 16;
    std::array<cube, capacity> terms{};
    int size = 0;

    void push_back(cube c) {
        assert(size < capacity);
        terms[static_cast<std::size_t>(size++)] = c;
    }
    const cube* begin() const { return terms.data(); }
    const cube* end() const { return terms.data() + size; }
    bool empty() const { return size == 0; }
    friend bool operator==(const cover& a, const cover& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
};

cover_cost cost_of(const cover& terms);

// Which of the two forms a question is about: the sum of products covers
// the 1-cells with products, the product of sums the 0-cells with the cubes
// on which its sums are 0.
enum class cover_kind { sum_of_products, product_of_sums };

// The cells a cover of `kind` must take in, the 1-cells of a sum of products
// or the 0-cells of a product of sums; and those it must leave out, the
// others but the don't-cares.
constexpr minterm_set cells_to_cover(const boolean_map& map, cover_kind kind) {
    return kind == cover_kind::sum_of_products ? map.ones : map.zeros();
}
constexpr minterm_set cells_to_avoid(const boolean_map& map, cover_kind kind) {
    return kind == cover_kind::sum_of_products ? map.zeros() : map.ones;
}

// The functions the cover stands for: where the sum of its products is 1,
// and where the product of its sums is 1.
minterm_set sop_value(const cover& terms);
minterm_set pos_value(const cover& terms);

// "A'B+CD'" (no term: "0"); "(A+B')(C'+D)" (no term: "1").
std::string sop_text(const cover& terms);
std::string pos_text(const cover& terms);

// The written name of a minterm as a product of four literals: "A'BC'D".
std::string minterm_text(int minterm);

// The minterms of a set as numbers, ascending, separated by one space: "3 7 12".
std::string minterm_list(minterm_set cells);

// Static hazards. Two cells are adjacent when their minterms differ in one
// variable (round the map's edges too). A hazard pair of a cover is two
// adjacent cells that the cover must take in (1-cells of a sum, 0-cells of a
// product; never a don't-care) and that no single term of it takes in both:
// when the one input changes between them, the output may glitch.
struct cell_pair {
    int low, high; // minterm numbers, low < high
    friend bool operator==(const cell_pair&, const cell_pair&) = default;
};

// Every adjacent pair of cells of `cells`, by low and then high minterm.
std::vector<cell_pair> adjacent_pairs(minterm_set cells);

// The hazard pairs `terms` leaves, in the order of adjacent_pairs().
std::vector<cell_pair> hazard_pairs(const boolean_map& map, cover_kind kind, const cover& terms);
// The same for terms as many as written, a student's among them.
std::vector<cell_pair> hazard_pairs(const boolean_map& map, cover_kind kind,
                                    std::span<const cube> terms);

// "1-9 5-13", each pair as low-high: the pairs joined by `separator`.
std::string pairs_text(const std::vector<cell_pair>& pairs, const char* separator);

} // namespace tessary
