// Reading maps and minterm lists as text: what is accepted, and what each
// kind of bad text is told.
#include "input/map_text.h"

#include <gtest/gtest.h>

#include <optional>

#include <string>

namespace tessary {
namespace {

std::string cells_text(const boolean_map& map) {
    const cell_values cells = cells_of(map);
    return std::string(cells.begin(), cells.end());
}

TEST(ParseMap, AcceptedForms) {
    struct row {
        std::string text, cells;
    };
    const row rows[] = {
        {"1111111110000001", "1111111110000001"},
        {"1111/1111/1000/0001", "1111111110000001"},
        {"x0X0/0000/0000/000x", "X0X000000000000X"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.text);
        boolean_map cells;
        std::string error;
        ASSERT_TRUE(parse_map(r.text, cells, error)) << error;
        EXPECT_EQ(cells_text(cells), r.cells);
    }
}

TEST(ParseMap, Errors) {
    struct row {
        std::string text, error;
    };
    const row rows[] = {
        {"", "empty map (a map is 16 cells of 0, 1 or X)"},
        {"10101", "has 5 cells (a map has 16, or 4 groups of 4 separated by '/')"},
        {std::string(5000, '1'),
         "has 5000 cells (a map has 16, or 4 groups of 4 separated by '/')"},
        {"1111/1111/1111", "has 3 groups separated by '/' (a map has 4 groups of 4 cells)"},
        {"1111/1111/1111/1111/1111",
         "has 5 groups separated by '/' (a map has 4 groups of 4 cells)"},
        {"1111/111/11111/1111", "group 2 has 3 cells (each of the four groups has 4)"},
        {"1111//1111/1111", "group 2 has 0 cells (each of the four groups has 4)"},
        {"/1111/1111/1111/1111", "has 5 groups separated by '/' (a map has 4 groups of 4 cells)"},
        // A trailing '/' makes a fifth group, not an empty fourth.
        {"1111/1111/1111/1111/", "has 5 groups separated by '/' (a map has 4 groups of 4 cells)"},
        {"1111/1111/1111//1111", "has 5 groups separated by '/' (a map has 4 groups of 4 cells)"},
        {"1111-1111-1111-1111", "bad character '-' at column 5 (a cell is 0, 1 or X)"},
        {"111121111111111", "bad character '2' at column 5 (a cell is 0, 1 or X)"},
        {"1111 1111 1111 1111", "bad character ' ' at column 5 (a cell is 0, 1 or X)"},
        {std::string("11\0"
                     "1111111111111",
                     16),
         "bad character '\\x00' at column 3 (a cell is 0, 1 or X)"},
        {"\x1b"
         "111111111111111",
         "bad character '\\x1B' at column 1 (a cell is 0, 1 or X)"},
        {"1111111111111\xc3\xa9", "bad character '\xc3\xa9' at column 14 (a cell is 0, 1 or X)"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(printable(r.text));
        boolean_map cells;
        std::string error;
        EXPECT_FALSE(parse_map(r.text, cells, error));
        EXPECT_EQ(error, r.error);
    }
}

// Where the text begins in the user's line, and characters rather than bytes.
TEST(ParseMap, ColumnsAreCharactersOfTheLine) {
    struct row {
        std::string text;
        std::size_t first_column;
        const char* where;
    };
    const row rows[] = {
        {"0120/0110/0000/0000", 5, "'2' at column 7"},
        {"0110/0110/0000/000\xc3\xa9", 1, "'\xc3\xa9' at column 19"},
        {"\xc3\xa9"
         "0000",
         1, "'\xc3\xa9' at column 1"},
        {"1\xc3\xa9", 3, "'\xc3\xa9' at column 4"},
        {"1\xff", 3, "'\\xFF' at column 4"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.where);
        boolean_map map;
        std::string error;
        EXPECT_FALSE(parse_map(r.text, map, error, r.first_column));
        EXPECT_NE(error.find(r.where), std::string::npos) << error;
    }
}

TEST(ParseMinterms, AcceptedLists) {
    struct row {
        const char *ones, *dont_cares, *cells;
    };
    const row rows[] = {
        {"0,4,15", "", "1100000000100000"}, {"13", "", "0000001000000000"}, // row C'D, column AB
        {"1, 3", "2", "000010001000X000"},  {"", "", "0000000000000000"},
        {"8", "0,10", "X00100000000000X"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string(r.ones) + " / " + r.dont_cares);
        boolean_map cells;
        std::string error;
        ASSERT_TRUE(parse_minterms(r.ones, r.dont_cares, cells, error)) << error;
        EXPECT_EQ(cells_text(cells), r.cells);
    }
}

TEST(ParseMinterms, Errors) {
    struct row {
        const char *ones, *dont_cares, *error;
    };
    const row rows[] = {
        {"16", "", "--minterms: column 1: minterm 16 is out of range (0 to 15)"},
        {"1,99999999999999999999", "",
         "--minterms: column 3: minterm 99999999999999999999 is out of range (0 to 15)"},
        {"-1", "", "--minterms: column 1: '-1' is not a number"},
        {"1,,2", "", "--minterms: column 3: empty item (write numbers separated by commas)"},
        {"1,2,", "", "--minterms: column 5: empty item (write numbers separated by commas)"},
        {"a", "", "--minterms: column 1: 'a' is not a number"},
        {"3,5,3", "", "--minterms: column 5: minterm 3 is listed twice"},
        {"1", "7,7", "--dont-cares: column 3: minterm 7 is listed twice"},
        {"1,2", "2", "minterm 2 is both in --minterms and --dont-cares"},
        {"1", "20", "--dont-cares: column 1: minterm 20 is out of range (0 to 15)"},
        // The column counts from the list's start, blanks and all.
        {" 1 , \t17", "", "--minterms: column 7: minterm 17 is out of range (0 to 15)"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string(r.ones) + " / " + r.dont_cares);
        boolean_map cells;
        std::string error;
        EXPECT_FALSE(parse_minterms(r.ones, r.dont_cares, cells, error));
        EXPECT_EQ(error, r.error);
    }
}

} // namespace
} // namespace tessary
