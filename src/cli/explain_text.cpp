// The lines of --explain (see explain_text.h).
#include "cli/explain_text.h"

namespace tessary {

namespace {

std::string term_text(const explanation& e, cube c) {
    return e.kind == cover_kind::product_of_sums ? sum_text(c) : product_text(c);
}

// Items joined by `separator`, or "none".
template <class Items, class Write>
std::string list_or_none(const Items& items, const char* separator, Write write) {
    std::string text;
    for (const auto& item : items) {
        if (!text.empty()) text += separator;
        text += write(item);
    }
    return text.empty() ? "none" : text;
}

std::string cells_text(minterm_set cells) {
    std::string text;
    for (int m = 0; m < cell_count; ++m)
        if ((cells & minterm_bit(m)) != 0) {
            if (!text.empty()) text += ' ';
            text += std::to_string(m);
        }
    return text.empty() ? "none" : text;
}

} // namespace

std::string explanation_text(const boolean_map& map, const explanation& e) {
    auto term = [&e](cube c) { return term_text(e, c); };
    const bool sums = e.kind == cover_kind::product_of_sums;
    std::string text = "map: " + map_text(map) + "\n";
    text += "primes: " + list_or_none(e.primes, ", ", term) + "\n";
    text += "essential: " + list_or_none(e.essentials, ", ", [&](const essential_prime& p) {
                return term(p.prime) + " (only it covers " + std::to_string(p.cell) + ")";
            }) + "\n";
    text += "left: " + cells_text(e.left) + "\n";
    text += "choose: " + list_or_none(e.choices, "; ", [&](const cell_choice& c) {
                return std::to_string(c.cell) + " by " + list_or_none(c.candidates, " or ", term);
            }) + "\n";
    text += "minimal: " + (sums ? pos_text(e.minimum) : sop_text(e.minimum)) + "\n";
    text += "covers: " + std::to_string(e.covers);
    return text;
}

} // namespace tessary
