// The lab's files read as maps: PLA files as espresso writes them and truth
// tables as spreadsheets save them, with the faults each reader must name.
#include "input/truth_table.h"

#include "input/map_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessary {
namespace {

struct file_case {
    const char* name;
    std::string text;
    std::vector<std::string> maps; // as tessary-key writes them; none on a fault
    std::string error;             // the message of a fault
};

std::string all_maps(const std::vector<boolean_map>& maps) {
    std::string text;
    for (const boolean_map& map : maps) text += map_text(map) + " ";
    return text;
}

void expect_read(bool (*reader)(std::string_view, std::vector<boolean_map>&, std::string&),
                 const std::vector<file_case>& cases) {
    for (const file_case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<boolean_map> maps;
        std::string error;
        const bool read = reader(c.text, maps, error);
        EXPECT_EQ(read, c.error.empty()) << error;
        EXPECT_EQ(error, c.error);
        if (read) {
            std::string expected;
            for (const std::string& map : c.maps) expected += map + " ";
            EXPECT_EQ(all_maps(maps), expected);
        }
    }
}

TEST(ReadPla, TheLabsFilesAndTheirFaults) {
    // Cell D=1 alone: minterm 1, first in the map's second row (C'D).
    const std::string one_cell = "0000/1000/0000/0000";
    expect_read(
        read_pla,
        {
            {"blanks inside the fields, as espresso writes them",
             ".i 4\n.o 3\n.p 1\n00 01 1 1 0\n.e\n",
             {one_cell, one_cell, "0000/0000/0000/0000"},
             ""},
            {".ilb D C B A: the first column is D",
             ".i 4\n.o 1\n.ilb D C B A\n.p 1\n1000 1\n.e\n",
             {one_cell},
             ""},
            {".ilb in lower case, in another order",
             ".i 4\n.o 1\n.ilb b a d c\n.p 1\n0010 1\n.e\n",
             {one_cell},
             ""},
            {".ilb of other names: the columns stay A, B, C, D",
             ".i 4\n.o 1\n.ilb x3 x2 x1 x0\n.p 1\n0001 1\n.e\n",
             {one_cell},
             ""},
            {"a byte order mark", "\xEF\xBB\xBF.i 4\n.o 1\n0001 1\n.e\n", {one_cell}, ""},
            {"a second .o", ".i 4\n.o 1\n0001 1\n.o 2\n0001 11\n", {}, "line 4: a second .o line"},
            {"one output", ".i 4\n.o 1\n0001 11\n", {}, "line 3: a cube has 4 inputs and 1 output"},
            {"two outputs",
             ".i 4\n.o 2\n0001 1\n",
             {},
             "line 3: a cube has 4 inputs and 2 outputs"},
            {"a NUL byte",
             std::string(".i 4\n.o 1\n00\0"
                         "1 1\n",
                         17),
             {},
             "line 3: '\\x00' is not an input 0, 1 or -"},
            {"a control byte in a keyword",
             ".i 4\n.o 1\n.p\x1b 1\n",
             {},
             "line 3: unknown keyword '.p\\x1B'"},
            {"an empty file", "", {}, "no .i or .o line"},
            {"comments only", "# nothing\n", {}, "no .i or .o line"},
        });
}

TEST(ReadTruthTable, TheLabsTablesAndTheirFaults) {
    std::string table = "A,B,C,D,,F\n";
    for (int m = 0; m < 16; ++m)
        table += std::to_string(m >> 3 & 1) + "," + std::to_string(m >> 2 & 1) + "," +
                 std::to_string(m >> 1 & 1) + "," + std::to_string(m & 1) + ",," +
                 (m == 1 ? "1" : "0") + "\n";
    std::string too_many = table;
    too_many.insert(too_many.find("\n", 11), ",,,1");
    expect_read(
        read_truth_table,
        {
            {"a table", table, {"0000/1000/0000/0000"}, ""},
            {"a cell past the header",
             too_many,
             {},
             "line 2: column 9: a cell past the header's 6 columns"},
            {"30 million commas",
             std::string(30'000'000, ','),
             {},
             "line 1: more than 69 columns: a table has at most 4 inputs, an empty column and 64 "
             "outputs"},
            {"control bytes and a long name in the header, escaped and cut short",
             "x\x01\xff" + std::string(100, '!') + ",B,C,D,F\n",
             {},
             "line 1: column 1: 'x\\x01\\xFF!!!!!!!!!!!!!!!!!!!!!...' is not an input A, B, C or "
             "D"},
            {"65 outputs",
             "A,B,C,D" + std::string(65, ',') + "\n",
             {},
             "line 1: column 6: an output without a name"},
        });
    // Rows past the 16th are not all kept: the 17th gives a minterm again.
    std::string long_table = table;
    for (int n = 0; n < 100000; ++n) long_table += "0,0,0,0,,1\n";
    std::vector<boolean_map> maps;
    std::string error;
    EXPECT_FALSE(read_truth_table(long_table, maps, error));
    EXPECT_EQ(error, "line 18: minterm 0 was given already, on line 2");
}

} // namespace
} // namespace tessary
