// The expression parser: the forms it reads, precedence, the shape of what
// was written, each error with its column, and every answer Tessary writes
// read back to the same function.
#include "input/expression.h"

#include "exact/exact.h"
#include "support/greedy_terms.h"
#include "support/key_check.h"

#include <gtest/gtest.h>

#include <string>

namespace tessary {
namespace {

using testing::function_mask;

minterm_set value_of(std::string_view text) {
    parsed_expression expr;
    expression_error error;
    EXPECT_TRUE(parse_expression(text, expr, error)) << describe(error);
    return expr.value;
}

// Each expression against the same function written as a plain sum of
// products (read by the tests' own reader).
TEST(Expression, FormsAndPrecedence) {
    struct row {
        const char* expr;
        const char* same_as;
    };
    const row rows[] = {
        // variables, case, constants
        {"A", "A"},
        {"a", "A"},
        {"d", "D"},
        {"0", "0"},
        {"1", "1"},
        // NOT
        {"A'", "A'"},
        {"A''", "A"},
        {"~A", "A'"},
        {"!A", "A'"},
        {"~~A", "A"},
        // The quotation mark and the prime that documents put for '
        {"A\u2019B", "A'B"},
        {"A\u2032", "A'"},
        {"(A+B)\u2019\u2019", "A+B"},
        // Copied text: invisible and no-break spaces are blanks.
        {"A'B+\u200BCD'\u2060+\u00A0B", "A'B+CD'+B"},
        {"!A'", "A"},
        {"(A+B)'", "A'B'"},
        {"(AB)'", "A'+B'"},
        {"0'", "1"},
        {"1'", "0"},
        {"~(A+B)", "A'B'"},
        // AND
        {"AB", "AB"},
        {"A B", "AB"},
        {"A*B", "AB"},
        {"A&B", "AB"},
        {"A.B", "AB"},
        {"A(B+C)", "AB+AC"},
        {"(A+B)(C+D)", "AC+AD+BC+BD"},
        {"A'B'", "A'B'"},
        {"AA'", "0"},
        // XOR
        {"A^B", "AB'+A'B"},
        {"A^B^C", "AB'C'+A'BC'+A'B'C+ABC"},
        // OR
        {"A+B", "A+B"},
        {"A|B", "A+B"},
        {"A + B'C", "A+B'C"},
        // precedence: NOT, AND, XOR, OR
        {"A+BC", "A+BC"},
        {"AB^C", "ABC'+A'C+B'C"},
        {"A^B+C", "AB'+A'B+C"},
        {"A+B^C", "A+BC'+B'C"},
        {"~AB", "A'B"},
        {"AB'", "AB'"},
        // blanks anywhere between tokens
        {"  A ' B  +\tC  ", "A'B+C"},
        {"( A + B ) ' ", "A'B'"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.expr);
        EXPECT_EQ(value_of(r.expr), function_mask(r.same_as));
    }
}

TEST(Expression, ShapeAndCostAsWritten) {
    struct row {
        const char* expr;
        bool sop;
        cover_cost sop_cost;
        bool pos;
        cover_cost pos_cost;
    };
    const row rows[] = {
        {"A", true, {1, 1}, true, {1, 1}},
        {"A'B+CD'", true, {2, 4}, false, {}},
        {"AB", true, {1, 2}, true, {2, 2}},
        {"A+B", true, {2, 2}, true, {1, 2}},
        {"(A+B')(C'+D)", false, {}, true, {2, 4}},
        {"(A+B')C", false, {}, true, {2, 3}},
        {"A+A", true, {2, 2}, true, {1, 2}},
        {"(AB)'", false, {}, false, {}},
        {"A^B", false, {}, false, {}},
        {"A''", false, {}, false, {}},
        {"~A+B", true, {2, 2}, true, {1, 2}},
        {"0", true, {0, 0}, true, {1, 0}},
        {"1", true, {1, 0}, true, {0, 0}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.expr);
        parsed_expression expr;
        expression_error error;
        ASSERT_TRUE(parse_expression(r.expr, expr, error)) << describe(error);
        EXPECT_EQ(expr.is_sop, r.sop);
        if (r.sop) {
            EXPECT_EQ(expr.sop_cost, r.sop_cost);
        }
        EXPECT_EQ(expr.is_pos, r.pos);
        if (r.pos) {
            EXPECT_EQ(expr.pos_cost, r.pos_cost);
        }
    }
}

TEST(Expression, ErrorsSayWhereAndWhat) {
    struct row {
        std::string expr;
        const char* error;
    };
    const row rows[] = {
        {"", "column 1: the expression is empty"},
        {"   ", "column 1: the expression is empty"},
        {"AE", "column 2: unknown variable 'E' (the map has A, B, C and D)"},
        {"x+A", "column 1: unknown variable 'x' (the map has A, B, C and D)"},
        {"A+", "column 3: expected a variable, 0, 1 or '(' after '+', found the end of the "
               "expression"},
        {"A+*B", "column 3: expected a variable, 0, 1 or '(' after '+', found '*'"},
        {"+A", "column 1: expected a variable, 0, 1 or '(', found '+'"},
        {"A^", "column 3: expected a variable, 0, 1 or '(' after '^', found the end of the "
               "expression"},
        {"(A+B", "column 1: '(' is not closed"},
        {"A+(B(C+D)", "column 3: '(' is not closed"},
        {"A+B)", "column 4: ')' has no matching '('"},
        {"()", "column 2: expected a variable, 0, 1 or '(' after '(', found ')'"},
        {"A2", "column 2: unexpected '2' (the constants are 0 and 1)"},
        {"A#B", "column 2: expected an operator, found '#'"},
        {"'A", "column 1: expected a variable, 0, 1 or '(', found '''"},
        // Columns count characters, and a character is reported whole: the
        // two-byte letter is one column and shown as itself.
        {"\xc3\xa9+E", "column 1: expected a variable, 0, 1 or '(', found '\xc3\xa9'"},
        {"A\xc3\xa9", "column 2: expected an operator, found '\xc3\xa9'"},
        {"A+\xc3\xa9+E", "column 3: expected a variable, 0, 1 or '(' after '+', found '\xc3\xa9'"},
        {"(A)\xc3\xa9"
         "E",
         "column 4: expected an operator, found '\xc3\xa9'"},
        {"A\xe2\x80\x9c"
         "B",
         "column 2: expected an operator, found '\xe2\x80\x9c'"},
        // A character that prints as nothing or a blank is shown by its code.
        {"A\xe2\x80\x8b"
         "E",
         "column 3: unknown variable 'E' (the map has A, B, C and D)"},
        {"A\xe2\x80\x8a"
         "B",
         "column 2: expected an operator, found '\\u200A'"},
        // Bytes that are not UTF-8 are shown as bytes.
        {"A\xff", "column 2: expected an operator, found '\\xFF'"},
        {"A\xe2\x80", "column 2: expected an operator, found '\\xE2'"},
        {"A\xed\xa0\x80", "column 2: expected an operator, found '\\xED'"},
        {std::string(expression_depth_limit + 1, '(') + "A",
         "column 201: parentheses nested too deeply (more than 200)"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.expr.substr(0, 40));
        parsed_expression expr;
        expression_error error;
        EXPECT_FALSE(parse_expression(r.expr, expr, error));
        EXPECT_EQ(describe(error), r.error);
    }
}

// Long inputs stay within bounds: many prefixes, many postfixes, deep but
// allowed nesting.
TEST(Expression, LongInputs) {
    EXPECT_EQ(value_of(std::string(100000, '~') + "A"), function_mask("A"));
    EXPECT_EQ(value_of("A" + std::string(100001, '\'')), function_mask("A'"));
    const std::string nested =
        std::string(expression_depth_limit, '(') + "A" + std::string(expression_depth_limit, ')');
    EXPECT_EQ(value_of(nested), function_mask("A"));
}

// Every answer Tessary writes, in each form, reads back as the map's function.
TEST(Expression, EveryAnswerReadsBack) {
    for (unsigned bits = 0; bits < 0x10000; ++bits) {
        const boolean_map map{static_cast<minterm_set>(bits), 0};
        SCOPED_TRACE(map_text(map));
        const std::string texts[] = {testing::shown_answer(map), sop_text(minimum_sop(map)),
                                     pos_text(minimum_pos(map))};
        for (const std::string& text : texts) {
            parsed_expression expr;
            expression_error error;
            ASSERT_TRUE(parse_expression(text, expr, error)) << text << ": " << describe(error);
            ASSERT_EQ(expr.value, map.ones) << text;
        }
    }
}

} // namespace
} // namespace tessary
