// The prime-implicant chart as a picture (see pictures.h).
#include "answers/explanation.h"
#include "views/pictures.h"

#include <bit>

namespace tessary {

namespace {

prime_set bit_of(int prime) {
    return prime_set{1} << prime;
}

std::string p_names(prime_set primes, const char* separator) {
    std::string text;
    for (prime_set q = primes; q != 0; q &= q - 1)
        text.append(text.empty() ? "" : separator)
            .append("P" + std::to_string(std::countr_zero(q) + 1));
    return text;
}

// The chart after the essential primes and the first `done` of the rounds'
// steps: the primes taken, the rows and columns dropped.
struct chart_state {
    prime_set taken = 0, dropped_rows = 0;
    minterm_set covered = 0, dropped_cells = 0;

    chart_state(const prime_chart& c, std::size_t done) {
        for (const auto& [p, cell] : c.essentials) taken |= bit_of(p);
        for (std::size_t k = 0; k < done && k < c.steps.size(); ++k) {
            const chart_step& s = c.steps[k];
            switch (s.what) {
            case chart_step::kind::essential: taken |= bit_of(s.dropped_or_taken); break;
            case chart_step::kind::row: dropped_rows |= bit_of(s.dropped_or_taken); break;
            case chart_step::kind::column:
                dropped_cells =
                    static_cast<minterm_set>(dropped_cells | minterm_bit(s.dropped_or_taken));
                break;
            }
        }
        for (std::size_t p = 0; p < c.primes.size(); ++p)
            if (taken & bit_of(static_cast<int>(p)))
                covered = static_cast<minterm_set>(covered | c.cells[p]);
    }
    minterm_set open_cells(const prime_chart& c) const {
        return static_cast<minterm_set>(c.to_cover & ~covered & ~dropped_cells);
    }
    // A prime neither taken nor dominated drops too once it covers no cell
    // left.
    chart_row_state row_state(const prime_chart& c, int p) const {
        if (taken & bit_of(p)) return chart_row_state::taken;
        if ((dropped_rows & bit_of(p)) ||
            (c.cells[static_cast<std::size_t>(p)] & open_cells(c)) == 0)
            return chart_row_state::dropped;
        return chart_row_state::open;
    }
    chart_column_state column_state(int cell) const {
        // A column dropped stays struck through when a prime taken later
        // covers it.
        if (dropped_cells & minterm_bit(cell)) return chart_column_state::dropped;
        if (covered & minterm_bit(cell)) return chart_column_state::covered;
        return chart_column_state::open;
    }
};

} // namespace

chart_drawing chart_picture(const prime_chart& c, std::size_t done) {
    chart_drawing d;
    const chart_state state(c, done);
    for (std::size_t p = 0; p < c.primes.size(); ++p)
        d.rows.push_back({"P" + std::to_string(p + 1), group_text(c.primes[p], c.kind), c.cells[p],
                          state.row_state(c, static_cast<int>(p))});
    for (int cell = 0; cell < cell_count; ++cell) {
        if ((c.to_cover & minterm_bit(cell)) == 0) continue;
        d.columns.push_back(cell);
        d.column_states.push_back(state.column_state(cell));
    }
    if (state.taken != 0)
        // Translators: under the chart, the primes taken, as "Taken: P1, P3."
        d.notes.push_back(printed(_("Taken: %s."), p_names(state.taken, ", ").c_str()));
    d.key = _("Framed: a row taken. Shaded: a cell it covers. Struck through: a row or a "
              "column dropped.");
    return d;
}

chart_drawing chart_picture(const boolean_map& map, const prime_chart& c) {
    chart_drawing d = chart_picture(c, c.steps.size());
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

std::string chart_description(const chart_drawing& d) {
    std::string text;
    for (const chart_row& row : d.rows) {
        const char* pattern = row.state == chart_row_state::taken
                                  // Translators: a row of the chart to a screen reader, as
                                  // "P1 A'B, over cells 4, 5, 6 and 7: taken."
                                  ? _("%s %s, over cells %s: taken.")
                                  : row.state == chart_row_state::dropped
                                        ? _("%s %s, over cells %s: dropped.")
                                        : _("%s %s, over cells %s: left.");
        text.append(text.empty() ? "" : "\n")
            .append(printed(pattern, row.name.c_str(), row.term.c_str(),
                            spoken_cells(row.cells).c_str()));
    }
    minterm_set dropped = 0;
    for (std::size_t k = 0; k < d.columns.size(); ++k)
        if (d.column_states[k] == chart_column_state::dropped)
            dropped = static_cast<minterm_set>(dropped | minterm_bit(d.columns[k]));
    if (dropped != 0)
        // Translators: the chart's dropped columns to a screen reader.
        text.append("\n").append(printed(_("Columns dropped: %s."), spoken_cells(dropped).c_str()));
    for (const std::string& note : d.notes) text.append("\n").append(note);
    return text;
}

} // namespace tessary
