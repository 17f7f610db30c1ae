// Tables as spreadsheets write them: CSV with its quoting and TSV, with a
// byte-order mark and CRLF line ends; and CSV fields written back.
#include "input/table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessary {
namespace {

// Rows as "line: cell|cell" for a short comparison.
std::string shown(const std::vector<table_row>& rows) {
    std::string text;
    for (const table_row& row : rows) {
        text += std::to_string(row.line) + ":";
        for (std::size_t i = 0; i < row.cells.size(); ++i) text += (i ? "|" : "") + row.cells[i];
        text += "\n";
    }
    return text;
}

struct table_case {
    const char* name;
    table_format format;
    std::string text;
    std::string rows; // as shown(), or "error N" for an unclosed quote opened on line N
};

TEST(Table, ReadsWhatSpreadsheetsWrite) {
    const table_case cases[] = {
        {"plain CSV", table_format::csv, "a,b\nc,d\n", "1:a|b\n2:c|d\n"},
        {"no newline at the end", table_format::csv, "a,b", "1:a|b\n"},
        {"quotes hold commas, doubled quotes and line breaks", table_format::csv,
         "\"Smith, Ann\",\"say \"\"hi\"\"\"\n\"two\nlines\",x\nnext\n",
         "1:Smith, Ann|say \"hi\"\n2:two\nlines|x\n4:next\n"},
        {"byte-order mark and CRLF", table_format::csv, "\xEF\xBB\xBFS,1\r\nAnn,B\r\n\r\n",
         "1:S|1\n2:Ann|B\n3:\n"},
        {"empty cells", table_format::csv, ",,\n", "1:||\n"},
        {"an unclosed quote", table_format::csv, "a\n\"b,c\nd\n", "error 2"},
        {"TSV keeps quotes and commas", table_format::tsv, "\"a, b\"\tc\r\n", "1:\"a, b\"|c\n"},
    };
    for (const table_case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<table_row> rows;
        std::size_t error_line = 0;
        const bool read = read_table(c.text, c.format, rows, error_line);
        EXPECT_EQ(read ? shown(rows) : "error " + std::to_string(error_line), c.rows);
    }
}

TEST(Table, CsvFieldsQuotedOnlyWhereNeeded) {
    EXPECT_EQ(csv_field("Ann"), "Ann");
    EXPECT_EQ(csv_field("Smith, Ann"), "\"Smith, Ann\"");
    EXPECT_EQ(csv_field("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csv_field("two\nlines"), "\"two\nlines\"");
}

} // namespace
} // namespace tessary
