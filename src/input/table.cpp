// Reading a table of CSV or TSV (see table.h): one pass over the text, a
// cell at a time.
#include "input/table.h"

namespace tessary {

namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

struct table_reader {
    std::string_view text;
    char separator;
    bool quoting;
    std::size_t at = 0, line = 1;

    bool done() const { return at >= text.size(); }

    // A quoted cell from its opening quote; false when it is never closed.
    bool quoted_cell(std::string& cell) {
        ++at;
        while (at < text.size()) {
            const char ch = text[at++];
            if (ch == '"') {
                if (at < text.size() && text[at] == '"') {
                    cell += '"';
                    ++at;
                    continue;
                }
                return true;
            }
            if (ch == '\n') ++line;
            cell += ch;
        }
        return false;
    }

    // Text up to the next separator or line end; what follows a closing
    // quote before them is kept, as spreadsheets do.
    void plain_cell(std::string& cell) {
        while (at < text.size() && text[at] != separator && text[at] != '\n') cell += text[at++];
        if (!cell.empty() && cell.back() == '\r' && (at == text.size() || text[at] == '\n'))
            cell.pop_back();
    }

    // One row; false for an unclosed quote.
    bool row(table_row& r) {
        r.line = line;
        r.cells.assign(1, "");
        for (;;) {
            std::string& cell = r.cells.back();
            if (quoting && at < text.size() && text[at] == '"' && !quoted_cell(cell)) return false;
            plain_cell(cell);
            if (at == text.size()) return true;
            if (text[at++] == '\n') {
                ++line;
                return true;
            }
            r.cells.emplace_back();
        }
    }
};

} // namespace

bool read_table(std::string_view text, table_format format, std::vector<table_row>& rows,
                std::size_t& error_line) {
    if (text.starts_with(byte_order_mark)) text.remove_prefix(byte_order_mark.size());
    const bool csv = format == table_format::csv;
    table_reader reader{text, csv ? ',' : '\t', csv};
    rows.clear();
    while (!reader.done()) {
        table_row r;
        if (!reader.row(r)) {
            error_line = r.line;
            return false;
        }
        rows.push_back(std::move(r));
    }
    return true;
}

std::string csv_field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string field = "\"";
    for (const char ch : text) {
        if (ch == '"') field += '"';
        field += ch;
    }
    return field + '"';
}

} // namespace tessary
