// The expression parser (see expression.h): recursive descent, one function
// a precedence level, evaluating as it reads. Each subexpression carries its
// function over the sixteen minterms and what it is as written (a literal, a
// product, a sum, a sum of products, a product of sums), so that a checked
// answer can be judged against the minimum of its own form.
#include "input/expression.h"

#include "input/characters.h"
#include "input/concat.h"
#include "input/map_text.h"
#include "logic/cube.h"

namespace tessary {

namespace {

// What a subexpression is as written.
struct shape {
    bool product = false; // an AND of literals (1 is the empty product)
    bool sum = false;     // an OR of literals (0 is the empty sum)
    int literals = 0;     // of the product or the sum
    bool sop = false;
    cover_cost sop_cost;
    bool pos = false;
    cover_cost pos_cost;
};

struct value {
    minterm_set f = 0;
    shape form;
};

value literal(int variable, bool complemented) {
    const std::uint8_t bit = variable_bit(variable);
    const minterm_set mask = minterms_of(cube{bit, bit});
    return {complemented ? static_cast<minterm_set>(~mask) : mask,
            {true, true, 1, true, {1, 1}, true, {1, 1}}};
}

value constant(bool one) {
    if (one) return {all_minterms, {true, false, 0, true, {1, 0}, true, {0, 0}}};
    return {0, {false, true, 0, true, {0, 0}, true, {1, 0}}};
}

value conjunction(const value& l, const value& r) {
    value v{static_cast<minterm_set>(l.f & r.f), {}};
    v.form.product = l.form.product && r.form.product;
    v.form.literals = l.form.literals + r.form.literals;
    v.form.sop = v.form.product;
    v.form.sop_cost = {1, v.form.literals};
    v.form.pos = l.form.pos && r.form.pos;
    v.form.pos_cost = {l.form.pos_cost.terms + r.form.pos_cost.terms,
                       l.form.pos_cost.literals + r.form.pos_cost.literals};
    return v;
}

value disjunction(const value& l, const value& r) {
    value v{static_cast<minterm_set>(l.f | r.f), {}};
    v.form.sum = l.form.sum && r.form.sum;
    v.form.literals = l.form.literals + r.form.literals;
    v.form.pos = v.form.sum;
    v.form.pos_cost = {1, v.form.literals};
    v.form.sop = l.form.sop && r.form.sop;
    v.form.sop_cost = {l.form.sop_cost.terms + r.form.sop_cost.terms,
                       l.form.sop_cost.literals + r.form.sop_cost.literals};
    return v;
}

// Only a plain variable stays a literal when negated.
value negation(const value& x, bool of_plain_variable) {
    value v{static_cast<minterm_set>(~x.f), {}};
    if (of_plain_variable) v.form = x.form;
    return v;
}

class parser {
  public:
    parser(std::string_view text, words w) : text_(text), words_(w) {}

    bool parse(parsed_expression& out, expression_error& error) {
        skip_blanks();
        if (at_end()) return fail(1, say(words_, N_("the expression is empty")), error);
        value v;
        if (!parse_or(v) || !expect_end()) {
            error = error_;
            return false;
        }
        out = {v.f, v.form.sop, v.form.sop_cost, v.form.pos, v.form.pos_cost};
        return true;
    }

  private:
    std::string_view text_;
    words words_;
    std::size_t at_ = 0;
    int depth_ = 0;
    expression_error error_;

    bool at_end() const { return at_ >= text_.size(); }
    char peek() const { return at_end() ? '\0' : text_[at_]; }

    void skip_blanks() {
        while (const std::size_t blank = blank_length(text_, at_)) at_ += blank;
    }

    bool fail(int column, std::string message, expression_error& error) {
        error = {column, std::move(message), words_};
        return false;
    }
    bool fail_here(std::size_t byte, std::string message) {
        return fail(static_cast<int>(column_of(text_, byte)), std::move(message), error_);
    }

    // "'+'" or "the end of the expression".
    std::string found() const {
        if (at_end()) return say(words_, N_("the end of the expression"));
        return concat("'", character_at(text_, at_), "'");
    }

    bool starts_operand() const {
        const char ch = peek();
        return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
               ch == '(' || ch == '~' || ch == '!';
    }

    bool expect_end() {
        if (at_end()) return true;
        if (peek() == ')') return fail_here(at_, say(words_, N_("')' has no matching '('")));
        return fail_here(
            at_, printed(say(words_, N_("expected an operator, found %s")), found().c_str()));
    }

    bool parse_or(value& v) {
        if (!parse_xor(v)) return false;
        while (peek() == '+' || peek() == '|') {
            const char op = peek();
            value r;
            if (!operand_after(op, &parser::parse_xor, r)) return false;
            v = disjunction(v, r);
        }
        return true;
    }

    bool parse_xor(value& v) {
        if (!parse_and(v)) return false;
        while (peek() == '^') {
            value r;
            if (!operand_after('^', &parser::parse_and, r)) return false;
            v = {static_cast<minterm_set>(v.f ^ r.f), {}};
        }
        return true;
    }

    bool parse_and(value& v) {
        if (!parse_not(v)) return false;
        for (;;) {
            value r;
            if (peek() == '*' || peek() == '&' || peek() == '.') {
                if (!operand_after(peek(), &parser::parse_not, r)) return false;
            } else if (starts_operand()) {
                if (!parse_not(r)) return false;
            } else {
                return true;
            }
            v = conjunction(v, r);
        }
    }

    // Steps over a binary operator and reads its right operand.
    bool operand_after(char op, bool (parser::*level)(value&), value& r) {
        ++at_;
        skip_blanks();
        if (!starts_operand() || at_end())
            return fail_here(
                at_,
                printed(say(words_, N_("expected a variable, 0, 1 or '(' after '%c', found %s")),
                        op, found().c_str()));
        return (this->*level)(r);
    }

    bool parse_not(value& v) {
        int prefixes = 0;
        for (; peek() == '~' || peek() == '!'; ++prefixes) {
            ++at_;
            skip_blanks();
        }
        bool plain_variable = false;
        if (!parse_postfix(v, plain_variable)) return false;
        for (int i = 0; i < prefixes; ++i) {
            v = negation(v, plain_variable);
            plain_variable = false;
        }
        return true;
    }

    bool parse_postfix(value& v, bool& plain_variable) {
        if (!parse_primary(v, plain_variable)) return false;
        while (const std::size_t mark = not_mark_length(text_, at_)) {
            at_ += mark;
            skip_blanks();
            v = negation(v, plain_variable);
            plain_variable = false;
        }
        return true;
    }

    bool parse_primary(value& v, bool& plain_variable) {
        const std::size_t start = at_;
        const char ch = peek();
        plain_variable = false;
        if (ch == '(') return parse_group(v);
        if (ch == '0' || ch == '1') {
            v = constant(ch == '1');
        } else if ((ch >= 'A' && ch <= 'D') || (ch >= 'a' && ch <= 'd')) {
            v = literal(ch <= 'D' ? ch - 'A' : ch - 'a', false);
            plain_variable = true;
        } else if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z')) {
            return fail_here(
                start,
                printed(say(words_, N_("unknown variable '%c' (the map has A, B, C and D)")), ch));
        } else if (ch >= '2' && ch <= '9') {
            return fail_here(
                start, printed(say(words_, N_("unexpected '%c' (the constants are 0 and 1)")), ch));
        } else {
            return fail_here(start,
                             printed(say(words_, N_("expected a variable, 0, 1 or '(', found %s")),
                                     found().c_str()));
        }
        ++at_;
        skip_blanks();
        return true;
    }

    bool parse_group(value& v) {
        const std::size_t open = at_;
        if (++depth_ > expression_depth_limit)
            return fail_here(
                open, printed(say(words_, N_("parentheses nested too deeply (more than %d)")),
                              expression_depth_limit));
        ++at_;
        skip_blanks();
        if (!starts_operand() || at_end())
            return fail_here(
                at_,
                printed(say(words_, N_("expected a variable, 0, 1 or '(' after '(', found %s")),
                        found().c_str()));
        if (!parse_or(v)) return false;
        if (peek() != ')') {
            if (at_end()) return fail_here(open, say(words_, N_("'(' is not closed")));
            return fail_here(at_, printed(say(words_, N_("expected an operator or ')', found %s")),
                                          found().c_str()));
        }
        --depth_;
        ++at_;
        skip_blanks();
        return true;
    }
};

} // namespace

std::string describe(const expression_error& error) {
    // Translators: where a typed expression or group is wrong, as "column 3:
    // unknown variable 'E' (the map has A, B, C and D)".
    return printed(say(error.language, N_("column %d: %s")), error.column, error.message.c_str());
}

bool parse_expression(std::string_view text, parsed_expression& out, expression_error& error,
                      words w) {
    return parser(text, w).parse(out, error);
}

} // namespace tessary
