// Maps from PLA files and truth tables (see truth_table.h).
#include "input/truth_table.h"

#include "input/characters.h"
#include "input/map_text.h"
#include "input/table.h"
#include "logic/cube.h"
#include "words/words.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <sstream>

namespace tessary {

namespace {

bool fault(std::string& error, std::size_t line, const std::string& message) {
    // Translators: a fault in a file, as "line 3: .i 5: the maps have 4 inputs".
    error = printed(_("line %zu: %s"), line, message.c_str());
    return false;
}

std::vector<std::string> words_of(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool whole_number(const std::string& text, int& n) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    return ec == std::errc() && end == text.data() + text.size() && n >= 0;
}

// A character of a file as a message shows it: a control byte escaped.
std::string shown(char ch) {
    return printable(std::string_view(&ch, 1));
}

// The minterms of a cube's input part "01-1", column k being the variable
// order[k] (0 for A); false on a bad letter.
bool cells_of(std::string_view inputs, const std::array<int, 4>& order, minterm_set& cells,
              char& bad) {
    cube c;
    for (std::size_t k = 0; k < 4; ++k) {
        const char ch = inputs[k];
        if (ch == '-' || ch == '2') continue;
        if (ch != '0' && ch != '1') return bad = ch, false;
        const std::uint8_t bit = variable_bit(order[k]);
        c.care = static_cast<std::uint8_t>(c.care | bit);
        if (ch == '1') c.value = static_cast<std::uint8_t>(c.value | bit);
    }
    cells = minterms_of(c);
    return true;
}

// What the cubes of a PLA say of each output.
struct pla_state {
    int inputs = -1, outputs = -1, products = -1, cubes = 0;
    std::array<int, 4> order{0, 1, 2, 3}; // the variable of each input column, from .ilb
    std::size_t products_line = 0;
    std::string type = "fd";
    std::vector<minterm_set> on, off, dc;
    file_names names;
};

bool pla_keyword(pla_state& s, const std::vector<std::string>& w, std::size_t line,
                 std::string& error) {
    const std::string& k = w[0];
    const std::size_t args = w.size() - 1;
    int n = 0;
    if (k == ".i") {
        if (args != 1 || !whole_number(w[1], n)) return fault(error, line, _(".i takes a number"));
        if (n != 4) return fault(error, line, printed(_(".i %d: the maps have 4 inputs"), n));
        s.inputs = n;
    } else if (k == ".o") {
        // A second .o would drop the cubes read before it.
        if (s.outputs >= 0) return fault(error, line, _("a second .o line"));
        if (args != 1 || !whole_number(w[1], n) || n < 1 || n > 64)
            return fault(error, line, _(".o takes a number of outputs, 1 to 64"));
        s.outputs = n;
        s.on.assign(static_cast<std::size_t>(n), 0);
        s.off = s.dc = s.on;
    } else if (k == ".ilb") {
        if (args != 4) return fault(error, line, printed(_(".ilb names %zu inputs, not 4"), args));
        // A, B, C and D in any order (any case) say which column is which
        // variable; other names leave the columns A, B, C, D.
        std::array<int, 4> order{};
        unsigned seen = 0;
        for (std::size_t k = 0; k < 4; ++k) s.names.inputs[k] = w[k + 1];
        for (std::size_t k = 0; k < 4; ++k) {
            const std::string& name = w[k + 1];
            const int v = name.size() == 1 ? (name[0] | 0x20) - 'a' : -1;
            if (v < 0 || v > 3 || (seen >> v & 1) != 0) return true;
            seen |= 1u << v;
            order[k] = v;
        }
        s.order = order;
        s.names.input_order = order;
        for (std::size_t k = 0; k < 4; ++k)
            s.names.inputs[static_cast<std::size_t>(order[k])] = w[k + 1];
    } else if (k == ".ob") {
        if (s.outputs < 0) return fault(error, line, _(".ob before .o"));
        if (args != static_cast<std::size_t>(s.outputs))
            return fault(error, line, printed(_(".ob names %zu outputs, not %d"), args, s.outputs));
        s.names.outputs.assign(w.begin() + 1, w.end());
    } else if (k == ".p") {
        if (args != 1 || !whole_number(w[1], n)) return fault(error, line, _(".p takes a number"));
        s.products = n;
        s.products_line = line;
    } else if (k == ".type") {
        if (args != 1 || (w[1] != "f" && w[1] != "fd" && w[1] != "fr" && w[1] != "fdr"))
            return fault(error, line, _(".type is f, fd, fr or fdr"));
        s.type = w[1];
    } else {
        return fault(error, line, printed(_("unknown keyword '%s'"), printable(k).c_str()));
    }
    return true;
}

bool pla_cube(pla_state& s, const std::vector<std::string>& w, std::size_t line,
              std::string& error) {
    if (s.inputs < 0 || s.outputs < 0) return fault(error, line, _("a cube before .i and .o"));
    const auto outputs = static_cast<std::size_t>(s.outputs);
    // Blanks inside the fields are skipped, as espresso does: "0000 1111 110".
    std::string fields;
    for (const std::string& word : w) fields += word;
    if (fields.size() != 4 + outputs)
        return fault(error, line,
                     printed(P_("a cube has 4 inputs and %d output",
                                "a cube has 4 inputs and %d outputs", s.outputs),
                             s.outputs));
    const std::string in = fields.substr(0, 4), out = fields.substr(4);
    minterm_set cells;
    char bad;
    if (!cells_of(in, s.order, cells, bad))
        return fault(error, line, printed(_("'%s' is not an input 0, 1 or -"), shown(bad).c_str()));
    const bool with_off = s.type.find('r') != std::string::npos;
    for (std::size_t j = 0; j < outputs; ++j) {
        const char ch = out[j];
        if (ch == '1')
            s.on[j] |= cells;
        else if (ch == '0')
            s.off[j] |= with_off ? cells : 0;
        else if (ch == '-' || ch == '2')
            s.dc[j] |= cells;
        else if (ch != '~')
            return fault(error, line,
                         printed(_("'%s' is not an output 1, 0, - or ~"), shown(ch).c_str()));
        const unsigned both = s.on[j] & s.off[j];
        if (both != 0)
            return fault(error, line,
                         printed(_("output %zu makes minterm %d both 1 and 0"), j + 1,
                                 std::countr_zero(both)));
    }
    ++s.cubes;
    return true;
}

} // namespace

bool read_pla(std::string_view text, std::vector<boolean_map>& maps, std::string& error) {
    file_names names;
    return read_pla(text, maps, names, error);
}

bool read_pla(std::string_view text, std::vector<boolean_map>& maps, file_names& names,
              std::string& error) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3); // a byte order mark
    pla_state s;
    std::size_t line = 0, last = 0;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view raw = text.substr(at, end - at);
        at = end + 1;
        ++line;
        raw = raw.substr(0, raw.find('#'));
        const std::vector<std::string> w = words_of(raw);
        if (w.empty()) continue;
        last = line;
        if (w[0] == ".e" || w[0] == ".end") break;
        const bool ok =
            w[0][0] == '.' ? pla_keyword(s, w, line, error) : pla_cube(s, w, line, error);
        if (!ok) return false;
    }
    if (s.inputs < 0 || s.outputs < 0) {
        // An empty file has no line to name.
        if (last == 0) return error = _("no .i or .o line"), false;
        return fault(error, last, _("no .i or .o line"));
    }
    if (s.products >= 0 && s.products != s.cubes)
        return fault(error, s.products_line,
                     printed(_(".p says %d cubes, the file has %d"), s.products, s.cubes));
    const bool rest_dont_care = s.type.find('r') != std::string::npos;
    const bool dont_cares = s.type.find('d') != std::string::npos;
    for (std::size_t j = 0; j < s.on.size(); ++j) {
        const unsigned on = s.on[j];
        unsigned dc = (dont_cares ? s.dc[j] : 0u) |
                      (rest_dont_care ? ~(s.on[j] | s.off[j]) & all_minterms : 0u);
        boolean_map map;
        std::string why;
        map_from_minterms(static_cast<minterm_set>(on), static_cast<minterm_set>(dc & ~on), map,
                          why);
        maps.push_back(map);
    }
    names = std::move(s.names);
    return true;
}

namespace {

constexpr std::size_t most_outputs = 64;

// The columns of a truth table: each input's column by variable, and the
// outputs' columns.
struct table_columns {
    std::array<std::size_t, 4> input{};
    std::vector<std::size_t> outputs;
};

bool read_header(const table_row& row, table_columns& c, std::string& error) {
    if (row.cells.size() < 5)
        return fault(error, row.line,
                     _("the header names the inputs A, B, C and D, then the "
                       "outputs"));
    unsigned seen = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::string name(trimmed(row.cells[k]));
        const std::size_t v = name.size() == 1 ? std::string_view("ABCD").find(name[0]) : 4;
        if (v > 3)
            return fault(error, row.line,
                         printed(_("column %zu: '%s' is not an input A, B, C or D"), k + 1,
                                 printable(name).c_str()));
        if ((seen >> v & 1) != 0)
            return fault(error, row.line,
                         printed(_("column %zu: the input %c is named twice"), k + 1, name[0]));
        seen |= 1u << v;
        c.input[v] = k;
    }
    std::size_t k = 4;
    if (trimmed(row.cells[k]).empty()) ++k;
    for (; k < row.cells.size(); ++k) {
        if (trimmed(row.cells[k]).empty())
            return fault(error, row.line,
                         printed(_("column %zu: an output without a name"), k + 1));
        c.outputs.push_back(k);
    }
    if (c.outputs.empty()) return fault(error, row.line, _("the header names no output"));
    if (c.outputs.size() > most_outputs)
        return fault(error, row.line,
                     printed(_("the header names %zu outputs; a table has at most %zu"),
                             c.outputs.size(), most_outputs));
    return true;
}

// The text of a table as far as it can be right, read without keeping its
// cells: a record of more columns than a table can have is refused at its
// line, and the table ends after its header and 17 rows, since a 17th row
// gives some minterm again. Memory then follows what a table can hold.
bool bounded_table(std::string_view text, std::string_view& bounded, std::string& error) {
    constexpr std::size_t most_columns = 4 + 1 + most_outputs, most_records = 1 + cell_count + 1;
    std::size_t line = 1, record_line = 1, columns = 1, records = 0;
    bool quoted = false, filled = false;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        const char ch = at < text.size() ? text[at] : '\n';
        if (ch == '"') quoted = !quoted;
        if (ch == '\n') ++line;
        if (quoted) continue;
        if (ch == ',' && ++columns > most_columns)
            return fault(error, record_line,
                         printed(_("more than %zu columns: a table has at most 4 inputs, an empty "
                                   "column and %zu outputs"),
                                 most_columns, most_outputs));
        if (ch != '\n') {
            filled |= ch != ',' && ch != ' ' && ch != '\t' && ch != '\r';
            continue;
        }
        if (filled && ++records == most_records) {
            bounded = text.substr(0, std::min(at, text.size()));
            return true;
        }
        columns = 1;
        filled = false;
        record_line = line;
    }
    bounded = text;
    return true;
}

std::string cell_at(const table_row& row, std::size_t k) {
    return k < row.cells.size() ? std::string(trimmed(row.cells[k])) : "";
}

// The inputs a row stands for, as a cube: an X or - leaves its variable
// free, standing for both values.
bool row_cells(const table_row& row, const table_columns& c, minterm_set& cells,
               std::string& error) {
    cube inputs;
    for (int v = 0; v < variable_count; ++v) {
        const std::size_t k = c.input[static_cast<std::size_t>(v)];
        const std::string value = cell_at(row, k);
        const std::uint8_t bit = variable_bit(v);
        if (value == "1" || value == "0") {
            inputs.care = static_cast<std::uint8_t>(inputs.care | bit);
            if (value == "1") inputs.value = static_cast<std::uint8_t>(inputs.value | bit);
        } else if (value != "X" && value != "x" && value != "-") {
            return fault(error, row.line,
                         printed(_("column %zu: '%s' is not an input value 0, 1 or X"), k + 1,
                                 printable(value).c_str()));
        }
    }
    cells = minterms_of(inputs);
    return true;
}

} // namespace

bool read_truth_table(std::string_view text, std::vector<boolean_map>& maps, std::string& error) {
    file_names names;
    return read_truth_table(text, maps, names, error);
}

bool read_truth_table(std::string_view text, std::vector<boolean_map>& maps, file_names& names,
                      std::string& error) {
    if (!bounded_table(text, text, error)) return false;
    std::vector<table_row> rows;
    std::size_t bad_line = 0;
    if (!read_table(text, table_format::csv, rows, bad_line))
        return fault(error, bad_line, _("a quote is not closed"));
    std::erase_if(rows, [](const table_row& r) {
        return std::all_of(r.cells.begin(), r.cells.end(),
                           [](const std::string& cell) { return is_blank(cell); });
    });
    if (rows.empty()) return fault(error, 1, _("no header"));
    table_columns c;
    if (!read_header(rows.front(), c, error)) return false;
    std::vector<minterm_set> ones(c.outputs.size(), 0), dont_cares = ones;
    std::array<std::size_t, cell_count> given_on{};
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const table_row& row = rows[r];
        for (std::size_t k = rows.front().cells.size(); k < row.cells.size(); ++k)
            if (!is_blank(row.cells[k]))
                return fault(error, row.line,
                             printed(_("column %zu: a cell past the header's %zu columns"), k + 1,
                                     rows.front().cells.size()));
        minterm_set cells;
        if (!row_cells(row, c, cells, error)) return false;
        for (unsigned m = cells; m != 0; m &= m - 1) {
            const auto cell = static_cast<std::size_t>(std::countr_zero(m));
            if (given_on[cell] != 0)
                return fault(
                    error, row.line,
                    printed(_("minterm %zu was given already, on line %zu"), cell, given_on[cell]));
            given_on[cell] = row.line;
        }
        for (std::size_t j = 0; j < c.outputs.size(); ++j) {
            const std::string value = cell_at(row, c.outputs[j]);
            if (value == "1")
                ones[j] |= cells;
            else if (value == "X" || value == "x")
                dont_cares[j] |= cells;
            else if (value != "0")
                return fault(error, row.line,
                             printed(_("column %zu: '%s' is not an output value 0, 1 or X"),
                                     c.outputs[j] + 1, printable(value).c_str()));
        }
    }
    for (std::size_t m = 0; m < cell_count; ++m)
        if (given_on[m] == 0)
            return fault(error, rows.back().line,
                         printed(_("no row gives minterm %zu (%s)"), m,
                                 minterm_text(static_cast<int>(m)).c_str()));
    for (std::size_t j = 0; j < ones.size(); ++j) {
        boolean_map map;
        std::string why;
        map_from_minterms(ones[j], dont_cares[j], map, why);
        maps.push_back(map);
    }
    const table_row& header = rows.front();
    for (std::size_t v = 0; v < 4; ++v) {
        names.inputs[v] = std::string(1, static_cast<char>('A' + v));
        names.input_order[c.input[v]] = static_cast<int>(v);
    }
    names.outputs.clear();
    for (const std::size_t k : c.outputs) names.outputs.emplace_back(trimmed(header.cells[k]));
    return true;
}

} // namespace tessary
