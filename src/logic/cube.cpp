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
