// Tables of text as spreadsheets write them: comma-separated values with
// quoting (RFC 4180), or tab-separated values. UTF-8, with or without a
// byte-order mark, lines ended by LF or CRLF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessary {

enum class table_format {
    csv, // fields separated by ',', a field in "..." may hold ',', line breaks and "" for '"'
    tsv, // fields separated by tabs, no quoting
};

struct table_row {
    std::size_t line; // where the row begins, counted from 1
    std::vector<std::string> cells;
};

// Reads every row of `text`; an empty line is a row of one empty cell. False
// when a quote is left open, with the line it opened on in `error_line`.
bool read_table(std::string_view text, table_format format, std::vector<table_row>& rows,
                std::size_t& error_line);

// A field as CSV writes it: in quotes, with each '"' doubled, when it holds a
// ',', a '"' or a line break; as it is otherwise.
std::string csv_field(std::string_view text);

} // namespace tessary
