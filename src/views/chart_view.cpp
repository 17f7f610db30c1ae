// The prime-implicant chart as a picture (see pictures.h).
#include "answers/explanation.h"
#include "views/pictures.h"

#include <bit>

namespace tessary {

namespace {

std::string p_names(prime_set primes, const char* separator) {
    std::string text;
    for (prime_set q = primes; q != 0; q &= q - 1)
        text.append(text.empty() ? "" : separator)
            .append("P" + std::to_string(std::countr_zero(q) + 1));
    return text;
}

} // namespace

chart_drawing chart_picture(const boolean_map& map, const prime_chart& c) {
    chart_drawing d;
    minterm_set covered = 0, dropped_cells = 0;
    prime_set taken = 0;
    for (const auto& [p, cell] : c.essentials) taken |= prime_set{1} << p;
    for (const chart_step& s : c.steps) {
        if (s.what == chart_step::kind::essential) taken |= prime_set{1} << s.dropped_or_taken;
        if (s.what == chart_step::kind::column)
            dropped_cells =
                static_cast<minterm_set>(dropped_cells | minterm_bit(s.dropped_or_taken));
    }
    for (std::size_t p = 0; p < c.primes.size(); ++p) {
        const bool is_taken = (taken >> p & 1) != 0, in_core = (c.core_primes >> p & 1) != 0;
        if (is_taken) covered = static_cast<minterm_set>(covered | c.cells[p]);
        d.rows.push_back({"P" + std::to_string(p + 1), group_text(c.primes[p], c.kind), c.cells[p],
                          is_taken  ? chart_row_state::taken
                          : in_core ? chart_row_state::open
                                    : chart_row_state::dropped});
    }
    for (int cell = 0; cell < cell_count; ++cell) {
        if ((c.to_cover & minterm_bit(cell)) == 0) continue;
        d.columns.push_back(cell);
        d.column_states.push_back((covered & minterm_bit(cell)) ? chart_column_state::covered
                                  : (dropped_cells & minterm_bit(cell))
                                      ? chart_column_state::dropped
                                      : chart_column_state::open);
    }
    if (taken != 0)
        // Translators: under the chart, the primes taken, as "Taken: P1, P3."
        d.notes.push_back(printed(_("Taken: %s."), p_names(taken, ", ").c_str()));
    d.key = _("Framed: a row taken. Shaded: a cell it covers. Struck through: a row or a "
              "column dropped.");
    if (c.core_cells == 0) {
        d.notes.push_back(_("No cyclic core is left."));
    } else {
        // Translators: the primes and cells of the chart left at the end.
        d.notes.push_back(printed(_("Cyclic core: %s over cells %s."),
                                  p_names(c.core_primes, " ").c_str(),
                                  spoken_cells(c.core_cells).c_str()));
        std::string sums;
        for (const prime_set sum : c.sums) sums += "(" + p_names(sum, "+") + ")";
        // Translators: Petrick's product, one sum of primes per cell left.
        d.notes.push_back(printed(_("Petrick: %s"), sums.c_str()));
        std::string products;
        for (const prime_set product : c.products)
            products.append(products.empty() ? "" : "+").append(p_names(product, ""));
        // Translators: Petrick's product multiplied out, cheapest first.
        d.notes.push_back(printed(_("Products: %s"), products.c_str()));
    }
    const cover minimum =
        c.kind == cover_kind::product_of_sums ? minimum_pos(map) : minimum_sop(map);
    d.notes.push_back(printed(_("Minimal: %s"), cover_text(c.kind, minimum).c_str()));
    return d;
}

} // namespace tessary
