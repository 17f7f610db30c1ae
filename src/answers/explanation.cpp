// The explanation's lines (see explanation.h), and the lists a reader
// reads (see answers.h).
#include "answers/explanation.h"

#include "answers/answers.h"

#include <algorithm>

namespace tessary {

namespace {

// Items joined by `separator`; empty when there are none.
template <class Items, class Write>
std::string list_of(const Items& items, const char* separator, Write write) {
    std::string text;
    for (const auto& item : items) {
        if (!text.empty()) text += separator;
        text += write(item);
    }
    return text;
}

std::string or_none(const std::string& list) {
    return list.empty() ? "none" : list;
}

} // namespace

std::string terms_text(cover_kind kind, const std::vector<cube>& terms, const char* separator) {
    return list_of(terms, separator, [kind](cube c) { return group_text(c, kind); });
}

// The primes that could cover a cell, each pair joined by `pattern`.
namespace {

std::string alternatives_text(cover_kind kind, const std::vector<cube>& terms,
                              const char* pattern) {
    std::string text;
    for (const cube c : terms)
        text = text.empty() ? group_text(c, kind)
                            : printed(pattern, text.c_str(), group_text(c, kind).c_str());
    return text;
}

std::string essential_item(cover_kind kind, const essential_prime& p, words w) {
    // Translators: an essential prime and the one cell only it covers, as
    // "B'D' (only it covers 0)".
    return printed(say(w, N_("%s (only it covers %d)")), group_text(p.prime, kind).c_str(), p.cell);
}

std::string essentials_text(const explanation& e, words w) {
    return list_of(e.essentials, ", ",
                   [&e, w](const essential_prime& p) { return essential_item(e.kind, p, w); });
}

std::string choices_text(const explanation& e, words w) {
    // Translators: two primes that could cover a cell, as "A'B'D or A'CD"; a
    // third is joined to the first two the same way.
    const char* pattern = say(w, N_("%s or %s"));
    return list_of(e.choices, "; ", [&e, w, pattern](const cell_choice& c) {
        // Translators: a cell left and the primes that could cover it, as
        // "3 by A'B'D or A'CD".
        return printed(say(w, N_("%d by %s")), c.cell,
                       alternatives_text(e.kind, c.candidates, pattern).c_str());
    });
}

} // namespace

std::string cover_text(cover_kind kind, const cover& c) {
    return kind == cover_kind::product_of_sums ? pos_text(c) : sop_text(c);
}

// Items as a reader reads them, the last two joined by `last_two` ("%s and
// %s", "%s or %s"): "0, 1 and 3".
std::string spoken_list(const std::vector<std::string>& items, const char* last_two) {
    if (items.empty()) return "";
    std::string head;
    for (std::size_t k = 0; k + 1 < items.size(); ++k) head += (k > 0 ? ", " : "") + items[k];
    return items.size() == 1 ? items.front()
                             : printed(last_two, head.c_str(), items.back().c_str());
}

// Translators: the last two items of a list, as "1, 2 and 3" (the items
// before them already joined by commas).
const char* and_pattern() {
    return _("%s and %s");
}

std::string spoken_cells(minterm_set cells) {
    std::vector<std::string> items;
    for (int m = 0; m < 16; ++m)
        if (cells & minterm_bit(m)) items.push_back(std::to_string(m));
    return spoken_list(items, and_pattern());
}

std::string explanation_text(const boolean_map& map, const explanation& e) {
    return "map: " + map_text(map) + "\nprimes: " + or_none(terms_text(e.kind, e.primes, ", ")) +
           "\nessential: " + or_none(essentials_text(e, words::fixed)) +
           "\nleft: " + or_none(minterm_list(e.left)) +
           "\nchoose: " + or_none(choices_text(e, words::fixed)) +
           "\nminimal: " + cover_text(e.kind, e.minimum) + "\ncovers: " + std::to_string(e.covers);
}

} // namespace tessary
