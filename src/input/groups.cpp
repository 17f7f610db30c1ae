// Reading a student's groups (see groups.h). One reader for both forms: a
// term of letters is a product for a sum of products and a sum for a product
// of sums; only the separators and the brackets differ.
#include "input/groups.h"

#include "input/characters.h"
#include "input/concat.h"
#include "words/words.h"

namespace tessary {

namespace {

bool is_letter(char ch) {
    return (ch >= 'A' && ch <= 'D') || (ch >= 'a' && ch <= 'd');
}

bool is_and(char ch) {
    return ch == '*' || ch == '&' || ch == '.';
}

bool is_or(char ch) {
    return ch == '+' || ch == '|';
}

class group_reader {
  public:
    group_reader(std::string_view text, cover_kind kind) : text_(text), kind_(kind) {}

    bool read(std::vector<cube>& groups, expression_error& error) {
        groups.clear();
        skip_blanks();
        if (at_end()) return fail(at_, _("no groups given"), error);
        const bool sop = kind_ == cover_kind::sum_of_products;
        if (alone(sop ? '0' : '1')) return true;
        const bool ok = sop ? read_products(groups) : read_sums(groups);
        if (!ok) error = error_;
        return ok;
    }

  private:
    std::string_view text_;
    cover_kind kind_;
    std::size_t at_ = 0;
    expression_error error_;

    bool at_end() const { return at_ >= text_.size(); }
    char peek() const { return at_end() ? '\0' : text_[at_]; }

    void skip_blanks() {
        while (const std::size_t blank = blank_length(text_, at_)) at_ += blank;
    }
    void step() {
        ++at_;
        skip_blanks();
    }

    bool fail(std::size_t byte, std::string message, expression_error& error) const {
        error = {static_cast<int>(column_of(text_, byte)), std::move(message)};
        return false;
    }
    bool fail_here(std::string message) { return fail(at_, std::move(message), error_); }

    std::string found() const {
        // Translators: as in "expected a letter, found the end".
        if (at_end()) return _("the end");
        return concat("'", character_at(text_, at_), "'");
    }

    // The whole text is this one character (and blanks).
    bool alone(char ch) {
        const std::size_t start = at_;
        if (peek() != ch) return false;
        step();
        if (at_end()) return true;
        at_ = start;
        return false;
    }

    bool starts_literal() const { return is_letter(peek()) || peek() == '~' || peek() == '!'; }

    // Why the character here cannot go on a term: the faults students make.
    bool refuse_here(const char* expected) {
        const char ch = peek();
        if (ch == '^')
            return fail_here(kind_ == cover_kind::sum_of_products
                                 ? _("XOR is not a group: write the groups as a sum of products")
                                 : _("XOR is not a group: write the groups as a product of sums"));
        if (ch == '(' || ch == ')')
            return fail_here(
                kind_ == cover_kind::sum_of_products
                    ? _("a parenthesis inside a product (a group is a product of letters)")
                    : _("a parenthesis inside a sum (a group is a sum of letters)"));
        if ((ch >= 'E' && ch <= 'Z') || (ch >= 'e' && ch <= 'z'))
            return fail_here(printed(_("unknown variable '%c' (the map has A, B, C and D)"), ch));
        if (ch == '0' || ch == '1')
            return fail_here(printed(_("'%c' stands alone, not in a term"), ch));
        // Translators: as in "expected a letter, found '*'".
        return fail_here(
            printed(_("expected %s, found %s"), say(words::reader, expected), found().c_str()));
    }

    // A letter with its NOTs, added to the term `c`.
    bool read_literal(cube& c) {
        int nots = 0;
        for (; peek() == '~' || peek() == '!'; ++nots) step();
        if (!is_letter(peek())) return refuse_here(N_("a letter"));
        const std::size_t letter_at = at_;
        const char letter = peek();
        step();
        while (const std::size_t mark = not_mark_length(text_, at_)) {
            at_ += mark;
            skip_blanks();
            ++nots;
        }
        if (nots > 1) return fail(letter_at, _("more than one NOT on one letter"), error_);
        const std::uint8_t bit = variable_bit(letter <= 'D' ? letter - 'A' : letter - 'a');
        if (c.care & bit)
            return fail(letter_at, printed(_("'%c' twice in one term"), letter), error_);
        // A product is 1 where its plain letters are 1; a sum is 0 where they are 0.
        const bool one = (nots == 0) == (kind_ == cover_kind::sum_of_products);
        c.care = static_cast<std::uint8_t>(c.care | bit);
        if (one) c.value = static_cast<std::uint8_t>(c.value | bit);
        return true;
    }

    bool read_product(cube& c) {
        c = {};
        if (at_end() || is_or(peek())) return fail_here(_("empty term"));
        if (peek() == '1') {
            const std::size_t one = at_;
            step();
            if (starts_literal() || is_and(peek()))
                return fail(one, _("'1' is the whole map and takes no letters"), error_);
            return true;
        }
        for (;;) {
            if (!read_literal(c)) return false;
            if (is_and(peek())) {
                step();
                if (!starts_literal()) return refuse_here(N_("a letter"));
            } else if (!starts_literal()) {
                return true;
            }
        }
    }

    bool read_products(std::vector<cube>& groups) {
        for (;;) {
            cube c;
            if (!read_product(c)) return false;
            groups.push_back(c);
            if (at_end()) return true;
            if (!is_or(peek())) return refuse_here(N_("'+' or a letter"));
            step();
        }
    }

    // A sum in parentheses, or a bare letter, or 0.
    bool read_sum(cube& c) {
        c = {};
        if (peek() == '0') {
            step();
            return true;
        }
        if (peek() != '(') return read_literal(c) && refuse_bare_sum();
        const std::size_t open = at_;
        step();
        if (peek() == ')') return fail_here(_("empty term"));
        for (;;) {
            if (at_end()) return fail(open, _("'(' is not closed"), error_);
            if (!read_literal(c)) return false;
            if (at_end()) return fail(open, _("'(' is not closed"), error_);
            if (peek() == ')') break;
            if (!is_or(peek())) return refuse_here(N_("'+' or ')'"));
            step();
            if (peek() == ')' || is_or(peek())) return fail_here(_("empty term"));
        }
        step();
        return true;
    }

    // "A+B" with no parentheses: a sum of several letters is written in them.
    bool refuse_bare_sum() {
        if (is_or(peek())) return fail_here(_("a sum of more than one letter goes in parentheses"));
        return true;
    }

    bool read_sums(std::vector<cube>& groups) {
        for (;;) {
            cube c;
            if (!read_sum(c)) return false;
            groups.push_back(c);
            if (at_end()) return true;
            if (is_and(peek())) {
                step();
                if (at_end()) return fail_here(_("empty term"));
            } else if (peek() != '(' && peek() != '0' && !starts_literal()) {
                return refuse_here(N_("a sum"));
            }
        }
    }
};

} // namespace

bool parse_groups(std::string_view text, cover_kind kind, std::vector<cube>& groups,
                  expression_error& error) {
    return group_reader(text, kind).read(groups, error);
}

} // namespace tessary
