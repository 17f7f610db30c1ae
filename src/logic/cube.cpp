// Terms and covers as text and as functions (see cube.h).
#include "logic/cube.h"

namespace tessary {

namespace {

constexpr char letters[] = "ABCD";

// Literal of variable v: plain, or with an apostrophe when `complemented`.
void append_literal(std::string& text, int variable, bool complemented) {
    text += letters[variable];
    if (complemented) text += '\'';
}

} // namespace

std::string product_text(cube c) {
    if (c.care == 0) return "1";
    std::string text;
    for (int v = 0; v < variable_count; ++v) {
        const std::uint8_t bit = variable_bit(v);
        if ((c.care & bit) != 0) append_literal(text, v, (c.value & bit) == 0);
    }
    return text;
}

std::string sum_text(cube c) {
    if (c.care == 0) return "0";
    std::string text;
    for (int v = 0; v < variable_count; ++v) {
        const std::uint8_t bit = variable_bit(v);
        if ((c.care & bit) == 0) continue;
        if (!text.empty()) text += '+';
        append_literal(text, v, (c.value & bit) != 0);
    }
    return literal_count(c) == 1 ? text : "(" + text + ")";
}

cover_cost cost_of(const cover& terms) {
    cover_cost cost{terms.size, 0};
    for (const cube c : terms) cost.literals += literal_count(c);
    return cost;
}

minterm_set sop_value(const cover& terms) {
    unsigned f = 0;
    for (const cube c : terms) f |= minterms_of(c);
    return static_cast<minterm_set>(f);
}

minterm_set pos_value(const cover& terms) {
    unsigned f = all_minterms;
    for (const cube c : terms) f &= ~unsigned{minterms_of(c)};
    return static_cast<minterm_set>(f);
}

std::string sop_text(const cover& terms) {
    if (terms.empty()) return "0";
    std::string text;
    for (const cube c : terms) {
        if (!text.empty()) text += '+';
        text += product_text(c);
    }
    return text;
}

std::string pos_text(const cover& terms) {
    if (terms.empty()) return "1";
    std::string text;
    for (const cube c : terms) text += sum_text(c);
    return text;
}

std::string minterm_text(int minterm) {
    return product_text(minterm_cube(minterm));
}

std::vector<cell_pair> adjacent_pairs(minterm_set cells) {
    std::vector<cell_pair> pairs;
    for (int m = 0; m < cell_count; ++m) {
        if ((cells & minterm_bit(m)) == 0) continue;
        for (int bit = 8; bit != 0; bit >>= 1) {
            const int n = m ^ bit;
            if (n > m && (cells & minterm_bit(n)) != 0) pairs.push_back({m, n});
        }
    }
    std::sort(pairs.begin(), pairs.end(), [](const cell_pair& a, const cell_pair& b) {
        return a.low != b.low ? a.low < b.low : a.high < b.high;
    });
    return pairs;
}

std::vector<cell_pair> hazard_pairs(const boolean_map& map, cover_kind kind, const cover& terms) {
    return hazard_pairs(map, kind, std::span<const cube>(terms.begin(), terms.end()));
}

std::vector<cell_pair> hazard_pairs(const boolean_map& map, cover_kind kind,
                                    std::span<const cube> terms) {
    std::vector<cell_pair> left;
    for (const cell_pair& p : adjacent_pairs(cells_to_cover(map, kind))) {
        const minterm_set both = static_cast<minterm_set>(minterm_bit(p.low) | minterm_bit(p.high));
        const bool taken = std::any_of(terms.begin(), terms.end(),
                                       [both](cube c) { return (minterms_of(c) & both) == both; });
        if (!taken) left.push_back(p);
    }
    return left;
}

std::string pairs_text(const std::vector<cell_pair>& pairs, const char* separator) {
    std::string text;
    for (const cell_pair& p : pairs) {
        if (!text.empty()) text += separator;
        text += std::to_string(p.low) + "-" + std::to_string(p.high);
    }
    return text;
}

std::string minterm_list(minterm_set cells) {
    std::string text;
    for (int m = 0; m < cell_count; ++m) {
        if ((cells & minterm_bit(m)) == 0) continue;
        if (!text.empty()) text += ' ';
        text += std::to_string(m);
    }
    return text;
}

} // namespace tessary
