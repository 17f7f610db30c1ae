// The chart's lines, as tessary-key --chart prints them (see explanation.h).
#include "answers/answers.h"
#include "answers/explanation.h"

#include <bit>

namespace tessary {

namespace {

std::string p_name(int prime) {
    return "P" + std::to_string(prime + 1);
}

std::string prime_item(const prime_chart& c, int prime) {
    return p_name(prime) + " " + group_text(c.primes[static_cast<std::size_t>(prime)], c.kind);
}

std::string essential_line(const prime_chart& c, int prime, int cell) {
    return "essential: " + prime_item(c, prime) + " (only it covers " + std::to_string(cell) + ")";
}

// "P3 P4 P6" with `separator` " ", or "P3+P4" with "+", "P3P4" with "".
std::string primes_text(prime_set primes, const char* separator) {
    std::string text;
    for (prime_set q = primes; q != 0; q &= q - 1)
        text.append(text.empty() ? "" : separator).append(p_name(std::countr_zero(q)));
    return text;
}

std::string cells_or_none(minterm_set cells) {
    return cells == 0 ? "none" : minterm_list(cells);
}

} // namespace

std::string chart_text(const boolean_map& map, const prime_chart& c) {
    std::string text = "map: " + map_text(map);
    for (std::size_t p = 0; p < c.primes.size(); ++p)
        text += "\nprime: " + prime_item(c, static_cast<int>(p)) + ": " + minterm_list(c.cells[p]);
    if (c.essentials.empty()) text += "\nessential: none";
    for (const auto& [prime, cell] : c.essentials) text += "\n" + essential_line(c, prime, cell);
    text += "\nleft: " + cells_or_none(c.left);
    for (const chart_step& s : c.steps) {
        switch (s.what) {
        case chart_step::kind::row:
            text += "\nrow: " + p_name(s.dropped_or_taken) + " by " + p_name(s.by_or_cell);
            break;
        case chart_step::kind::column:
            text += "\ncolumn: " + std::to_string(s.dropped_or_taken) + " by " +
                    std::to_string(s.by_or_cell);
            break;
        case chart_step::kind::essential:
            text += "\n" + essential_line(c, s.dropped_or_taken, s.by_or_cell);
            break;
        }
    }
    if (c.core_cells == 0) {
        text += "\ncyclic: none";
    } else {
        text += "\ncyclic: " + primes_text(c.core_primes, " ") + ": " + minterm_list(c.core_cells);
        text += "\npetrick: ";
        for (const prime_set sum : c.sums) text += "(" + primes_text(sum, "+") + ")";
        text += "\nproducts: ";
        for (std::size_t k = 0; k < c.products.size(); ++k)
            text += (k > 0 ? "+" : "") + primes_text(c.products[k], "");
    }
    const cover minimum =
        c.kind == cover_kind::product_of_sums ? minimum_pos(map) : minimum_sop(map);
    return text + "\nminimal: " + cover_text(c.kind, minimum) +
           "\ncovers: " + std::to_string(minimum_cover_count(map, c.kind));
}

} // namespace tessary
