// Answers for the lab (see formats.h): one writer of expressions, driven by
// a table of each language's operators and constants, and the PLA apart.
#include "answers/formats.h"

#include <array>

namespace tessary {

namespace {

struct syntax {
    std::string_view name;
    const char *before, *after;         // around the whole expression
    const char *not_before, *not_after; // around a complemented letter
    const char *and_op, *or_op;
    const char *zero, *one;
    bool group_products; // a product of several letters in parentheses within a sum
};

// Verilog and C need no parentheses round a product within a sum, but C
// compilers warn without them, and readers of all of them expect them;
// LaTeX writes a product's letters side by side, which binds by itself.
constexpr std::array<syntax, 5> syntaxes = {{
    {"verilog", "assign F = ", ";", "~", "", " & ", " | ", "1'b0", "1'b1", true},
    {"vhdl", "F <= ", ";", "not ", "", " and ", " or ", "'0'", "'1'", true},
    {"c", "", "", "!", "", " && ", " || ", "0", "1", true},
    {"python", "", "", "not ", "", " and ", " or ", "False", "True", true},
    {"latex", "", "", "\\overline{", "}", "", " + ", "0", "1", false},
}};

const syntax& syntax_of(answer_format format) {
    switch (format) {
    case answer_format::verilog: return syntaxes[0];
    case answer_format::vhdl: return syntaxes[1];
    case answer_format::c: return syntaxes[2];
    case answer_format::python: return syntaxes[3];
    default: return syntaxes[4];
    }
}

std::string letter(const syntax& s, int v, bool complemented) {
    const std::string name(1, static_cast<char>('A' + v));
    return complemented ? s.not_before + name + s.not_after : name;
}

// A cube as a product (`as_sum` false) or as the sum that is 0 on it:
// its letters joined by AND, or by OR; `grouped` puts several in
// parentheses.
std::string written_cube(const syntax& s, cube c, bool as_sum, bool grouped) {
    if (c.care == 0) return as_sum ? s.zero : s.one;
    std::string text;
    for (int v = 0; v < variable_count; ++v) {
        const std::uint8_t bit = variable_bit(v);
        if ((c.care & bit) == 0) continue;
        if (!text.empty()) text += as_sum ? s.or_op : s.and_op;
        text += letter(s, v, ((c.value & bit) != 0) == as_sum);
    }
    return grouped && literal_count(c) > 1 ? "(" + text + ")" : text;
}

std::string written_expression(const syntax& s, const cover& terms, bool sums) {
    if (terms.empty()) return s.before + std::string(sums ? s.one : s.zero) + s.after;
    const bool several = terms.size > 1;
    std::string text;
    for (const cube c : terms) {
        if (!text.empty()) text += sums ? s.and_op : s.or_op;
        text += written_cube(s, c, sums, several && (sums || s.group_products));
    }
    return s.before + text + s.after;
}

std::string written_pla(const cover& terms) {
    // A function 0 everywhere has no term; it is written as one cube that
    // makes no output 1, since some readers (berkeley-abc) fail on .p 0.
    if (terms.empty()) return ".i 4\n.o 1\n.ilb A B C D\n.ob F\n.p 1\n---- 0\n.e";
    std::string text = ".i 4\n.o 1\n.ilb A B C D\n.ob F\n.p " + std::to_string(terms.size) + "\n";
    for (const cube c : terms) {
        for (int v = 0; v < variable_count; ++v) {
            const std::uint8_t bit = variable_bit(v);
            text += (c.care & bit) == 0 ? '-' : (c.value & bit) != 0 ? '1' : '0';
        }
        text += " 1\n";
    }
    return text + ".e";
}

} // namespace

std::optional<answer_format> format_named(std::string_view name) {
    if (name == "text") return answer_format::text;
    if (name == "pla") return answer_format::pla;
    constexpr answer_format formats[] = {answer_format::verilog, answer_format::vhdl,
                                         answer_format::c, answer_format::python,
                                         answer_format::latex};
    for (const answer_format f : formats)
        if (syntax_of(f).name == name) return f;
    return std::nullopt;
}

std::string written_cover(const cover& terms, cover_kind kind, answer_format format) {
    const bool sums = kind == cover_kind::product_of_sums;
    switch (format) {
    case answer_format::text: return sums ? pos_text(terms) : sop_text(terms);
    case answer_format::pla: return written_pla(terms);
    default: return written_expression(syntax_of(format), terms, sums);
    }
}

} // namespace tessary
