// Answers for the lab (see formats.h): one writer of expressions, driven by
// a table of each language's operators and constants, and the PLA apart.
#include "answers/formats.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

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

// The names of the variables A to D, as written in an expression.
using variable_names = std::array<std::string, variable_count>;

const variable_names letters = {"A", "B", "C", "D"};

std::string letter(const syntax& s, const variable_names& names, int v, bool complemented) {
    const std::string& name = names[static_cast<std::size_t>(v)];
    return complemented ? s.not_before + name + s.not_after : name;
}

// A cube as a product (`as_sum` false) or as the sum that is 0 on it:
// its letters joined by AND, or by OR; `grouped` puts several in
// parentheses.
std::string written_cube(const syntax& s, cube c, bool as_sum, bool grouped,
                         const variable_names& names = letters) {
    if (c.care == 0) return as_sum ? s.zero : s.one;
    std::string text;
    for (int v = 0; v < variable_count; ++v) {
        const std::uint8_t bit = variable_bit(v);
        if ((c.care & bit) == 0) continue;
        if (!text.empty()) text += as_sum ? s.or_op : s.and_op;
        text += letter(s, names, v, ((c.value & bit) != 0) == as_sum);
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

// Names made identifiers of a language. Every character but a letter, a
// digit or an underscore is an underscore, and a leading digit gets "t_";
// VHDL allows no leading, trailing or doubled underscore, so those are
// mended. A keyword gets a trailing underscore ("_1" in VHDL), and a name
// taken already (in VHDL in any case, which it ignores) "_2", "_3", ...
constexpr const char* verilog_keywords[] = {"always",
                                            "and",
                                            "assign",
                                            "automatic",
                                            "begin",
                                            "bit",
                                            "buf",
                                            "bufif0",
                                            "bufif1",
                                            "byte",
                                            "case",
                                            "casex",
                                            "casez",
                                            "cell",
                                            "cmos",
                                            "config",
                                            "deassign",
                                            "default",
                                            "defparam",
                                            "design",
                                            "disable",
                                            "edge",
                                            "else",
                                            "end",
                                            "endcase",
                                            "endconfig",
                                            "endfunction",
                                            "endgenerate",
                                            "endmodule",
                                            "endprimitive",
                                            "endspecify",
                                            "endtable",
                                            "endtask",
                                            "event",
                                            "for",
                                            "force",
                                            "forever",
                                            "fork",
                                            "function",
                                            "generate",
                                            "genvar",
                                            "highz0",
                                            "highz1",
                                            "if",
                                            "ifnone",
                                            "incdir",
                                            "include",
                                            "initial",
                                            "inout",
                                            "input",
                                            "instance",
                                            "int",
                                            "integer",
                                            "join",
                                            "large",
                                            "liblist",
                                            "library",
                                            "localparam",
                                            "logic",
                                            "macromodule",
                                            "medium",
                                            "module",
                                            "nand",
                                            "negedge",
                                            "nmos",
                                            "nor",
                                            "noshowcancelled",
                                            "not",
                                            "notif0",
                                            "notif1",
                                            "or",
                                            "output",
                                            "parameter",
                                            "pmos",
                                            "posedge",
                                            "primitive",
                                            "pull0",
                                            "pull1",
                                            "pulldown",
                                            "pullup",
                                            "pulsestyle_ondetect",
                                            "pulsestyle_onevent",
                                            "rcmos",
                                            "real",
                                            "realtime",
                                            "reg",
                                            "release",
                                            "repeat",
                                            "rnmos",
                                            "rpmos",
                                            "rtran",
                                            "rtranif0",
                                            "rtranif1",
                                            "scalared",
                                            "showcancelled",
                                            "signed",
                                            "small",
                                            "specify",
                                            "specparam",
                                            "strong0",
                                            "strong1",
                                            "supply0",
                                            "supply1",
                                            "table",
                                            "task",
                                            "time",
                                            "tran",
                                            "tranif0",
                                            "tranif1",
                                            "tri",
                                            "tri0",
                                            "tri1",
                                            "triand",
                                            "trior",
                                            "trireg",
                                            "unsigned",
                                            "use",
                                            "uwire",
                                            "vectored",
                                            "wait",
                                            "wand",
                                            "weak0",
                                            "weak1",
                                            "while",
                                            "wire",
                                            "wor",
                                            "xnor",
                                            "xor"};
constexpr const char* vhdl_keywords[] = {
    "abs",          "access",   "after",    "alias",      "all",       "and",
    "architecture", "array",    "assert",   "attribute",  "begin",     "block",
    "body",         "buffer",   "bus",      "case",       "component", "configuration",
    "constant",     "context",  "default",  "disconnect", "downto",    "else",
    "elsif",        "end",      "entity",   "exit",       "file",      "for",
    "force",        "function", "generate", "generic",    "group",     "guarded",
    "if",           "ieee",     "impure",   "in",         "inertial",  "inout",
    "is",           "label",    "library",  "linkage",    "literal",   "loop",
    "map",          "mod",      "nand",     "new",        "next",      "nor",
    "not",          "null",     "of",       "on",         "open",      "or",
    "others",       "out",      "package",  "parameter",  "port",      "postponed",
    "procedure",    "process",  "pure",     "range",      "record",    "register",
    "reject",       "release",  "rem",      "report",     "return",    "rol",
    "ror",          "select",   "severity", "shared",     "signal",    "sla",
    "sll",          "sra",      "srl",      "std",        "std_logic", "std_logic_1164",
    "subtype",      "then",     "to",       "transport",  "type",      "unaffected",
    "units",        "until",    "use",      "variable",   "wait",      "when",
    "while",        "with",     "xnor",     "xor"};
constexpr const char* c_keywords[] = {
    "auto",    "bool",     "break",    "case",   "char",     "const",     "continue",
    "default", "do",       "double",   "else",   "enum",     "extern",    "false",
    "float",   "for",      "goto",     "if",     "inline",   "int",       "long",
    "main",    "register", "restrict", "return", "short",    "signed",    "sizeof",
    "static",  "struct",   "switch",   "true",   "typedef",  "union",     "unsigned",
    "void",    "volatile", "while",    "_Bool",  "_Complex", "_Imaginary"};
constexpr const char* python_keywords[] = {
    "False", "None",     "True",  "and",    "as",   "assert", "async",  "await",    "break",
    "class", "continue", "def",   "del",    "elif", "else",   "except", "finally",  "for",
    "from",  "global",   "if",    "import", "in",   "is",     "lambda", "nonlocal", "not",
    "or",    "pass",     "raise", "return", "try",  "while",  "with",   "yield"};

bool same_name(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x | 0x20) == (y | 0x20) || x == y;
           });
}

template <std::size_t N>
bool among(const char* const (&words)[N], std::string_view name, bool any_case) {
    return std::any_of(std::begin(words), std::end(words),
                       [&](const char* w) { return any_case ? same_name(w, name) : name == w; });
}

bool is_keyword(answer_format format, std::string_view name) {
    switch (format) {
    case answer_format::verilog: return among(verilog_keywords, name, false);
    case answer_format::vhdl: return among(vhdl_keywords, name, true);
    case answer_format::c: return among(c_keywords, name, false);
    case answer_format::python: return among(python_keywords, name, false);
    default: return false;
    }
}

bool identifier_character(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           ch == '_';
}

// Hands out identifiers, each different from those handed out before it.
class namer {
  public:
    explicit namer(answer_format format) : format_(format) {}

    // `raw` made an identifier; `fallback` where nothing of it is left.
    std::string name(std::string_view raw, std::string_view fallback) {
        std::string id;
        for (const char ch : raw) id += identifier_character(ch) ? ch : '_';
        if (!id.empty() && id[0] >= '0' && id[0] <= '9') id = "t_" + id;
        if (format_ == answer_format::vhdl) {
            std::string mended;
            for (const char ch : id)
                if (ch != '_' || (!mended.empty() && mended.back() != '_')) mended += ch;
            while (!mended.empty() && mended.back() == '_') mended.pop_back();
            id = mended;
        }
        if (id.find_first_not_of('_') == std::string::npos) id = fallback;
        if (is_keyword(format_, id)) id += format_ == answer_format::vhdl ? "_1" : "_";
        std::string unique = id;
        for (int n = 2; taken(unique); ++n) unique = id + "_" + std::to_string(n);
        given_.push_back(unique);
        return unique;
    }

  private:
    bool taken(std::string_view id) const {
        const bool any_case = format_ == answer_format::vhdl;
        return std::any_of(given_.begin(), given_.end(), [&](const std::string& g) {
            return any_case ? same_name(g, id) : g == id;
        });
    }
    answer_format format_;
    std::vector<std::string> given_;
};

// The names of one circuit in one language, and those its wires may not
// take.
struct circuit_names {
    namer taken;
    std::string module;
    variable_names inputs;            // by variable
    std::array<int, 4> input_order{}; // the variables in the file's order
    std::vector<std::string> outputs;
};

circuit_names names_in(answer_format format, const file_names& file, std::string_view file_name,
                       std::size_t outputs) {
    circuit_names c{namer(format), "", {}, {}, {}};
    namer& n = c.taken;
    std::string_view stem = file_name.substr(file_name.rfind('/') + 1);
    stem = stem.substr(0, stem.rfind('.'));
    c.module = n.name(stem, "circuit");
    c.input_order = file.input_order;
    for (const int v : file.input_order) {
        const auto vu = static_cast<std::size_t>(v);
        c.inputs[vu] = n.name(file.inputs[vu], letters[vu]);
    }
    const std::vector<std::string> unnamed = output_names(file_names{}, outputs);
    for (std::size_t j = 0; j < outputs; ++j)
        c.outputs.push_back(n.name(j < file.outputs.size() ? file.outputs[j] : "", unnamed[j]));
    return c;
}

// The terms that two or more outputs use, in the order they first come.
std::vector<cube> shared_terms(const std::vector<cover>& outputs) {
    std::vector<cube> seen, shared;
    for (const cover& c : outputs)
        for (const cube t : c) {
            const bool again = std::find(seen.begin(), seen.end(), t) != seen.end();
            if (again && std::find(shared.begin(), shared.end(), t) == shared.end())
                shared.push_back(t);
            seen.push_back(t);
        }
    return shared;
}

// An output's expression: its terms joined, a shared one by the name of
// its wire ("t1").
std::string output_expression(const syntax& s, const cover& terms, bool sums,
                              const variable_names& names, const std::vector<cube>& wires,
                              const std::vector<std::string>& wire_names) {
    if (terms.empty()) return sums ? s.one : s.zero;
    const bool several = terms.size > 1;
    std::string text;
    for (const cube c : terms) {
        if (!text.empty()) text += sums ? s.and_op : s.or_op;
        const auto wire = std::find(wires.begin(), wires.end(), c);
        text += wire != wires.end()
                    ? wire_names[static_cast<std::size_t>(wire - wires.begin())]
                    : written_cube(s, c, sums, several && (sums || s.group_products), names);
    }
    return text;
}

std::string joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (const std::string& item : items) text.append(text.empty() ? "" : separator).append(item);
    return text;
}

std::vector<std::string> inputs_in_order(const circuit_names& c) {
    std::vector<std::string> inputs;
    for (const int v : c.input_order) inputs.push_back(c.inputs[static_cast<std::size_t>(v)]);
    return inputs;
}

std::string verilog_module(const std::vector<cover>& outputs, bool sums, const circuit_names& c,
                           const std::vector<std::string>& wires, const std::vector<cube>& shared) {
    const syntax& s = syntaxes[0];
    std::string text = "module " + c.module + "(input " + joined(inputs_in_order(c), ", ") +
                       ", output " + joined(c.outputs, ", ") + ");\n";
    for (std::size_t k = 0; k < shared.size(); ++k)
        text += "  wire " + wires[k] + " = " + written_cube(s, shared[k], sums, false, c.inputs) +
                ";\n";
    for (std::size_t j = 0; j < outputs.size(); ++j)
        text += "  assign " + c.outputs[j] + " = " +
                output_expression(s, outputs[j], sums, c.inputs, shared, wires) + ";\n";
    return text + "endmodule";
}

std::string vhdl_entity(const std::vector<cover>& outputs, bool sums, const circuit_names& c,
                        const std::vector<std::string>& wires, const std::vector<cube>& shared) {
    const syntax& s = syntaxes[1];
    std::string text = "library ieee; use ieee.std_logic_1164.all;\nentity " + c.module +
                       " is port (" + joined(inputs_in_order(c), ", ") + " : in std_logic; " +
                       joined(c.outputs, ", ") + " : out std_logic); end entity;\n";
    text += "architecture logic of " + c.module + " is ";
    if (!wires.empty()) text += "signal " + joined(wires, ", ") + " : std_logic; ";
    text += "begin\n ";
    for (std::size_t k = 0; k < shared.size(); ++k)
        text += " " + wires[k] + " <= " + written_cube(s, shared[k], sums, false, c.inputs) + ";";
    for (std::size_t j = 0; j < outputs.size(); ++j)
        text += " " + c.outputs[j] +
                " <= " + output_expression(s, outputs[j], sums, c.inputs, shared, wires) + ";";
    return text + "\nend architecture;";
}

std::string pla_file(const std::vector<cover>& outputs, const circuit_names& c) {
    std::vector<cube> terms;
    for (const cover& o : outputs)
        for (const cube t : o)
            if (std::find(terms.begin(), terms.end(), t) == terms.end()) terms.push_back(t);
    std::string text = ".i 4\n.o " + std::to_string(outputs.size()) + "\n.ilb " +
                       joined({c.inputs.begin(), c.inputs.end()}, " ") + "\n.ob " +
                       joined(c.outputs, " ") + "\n";
    // No term at all: one cube that makes no output 1, since some readers
    // (berkeley-abc) fail on .p 0.
    if (terms.empty()) return text + ".p 1\n---- " + std::string(outputs.size(), '0') + "\n.e";
    text += ".p " + std::to_string(terms.size()) + "\n";
    for (const cube t : terms) {
        for (int v = 0; v < variable_count; ++v) {
            const std::uint8_t bit = variable_bit(v);
            text += (t.care & bit) == 0 ? '-' : (t.value & bit) != 0 ? '1' : '0';
        }
        text += ' ';
        for (const cover& o : outputs)
            text += std::find(o.begin(), o.end(), t) != o.end() ? '1' : '0';
        text += '\n';
    }
    return text + ".e";
}

// LaTeX writes a name of several letters upright in italics, its
// underscores escaped.
std::string latex_name(const std::string& name) {
    if (name.size() == 1) return name;
    std::string text = "\\mathit{";
    for (const char ch : name) text += ch == '_' ? std::string("\\_") : std::string(1, ch);
    return text + "}";
}

} // namespace

std::vector<std::string> output_names(const file_names& names, std::size_t outputs) {
    std::vector<std::string> given;
    for (std::size_t j = 0; j < outputs; ++j)
        given.push_back(j < names.outputs.size() ? names.outputs[j]
                        : outputs == 1           ? "F"
                                                 : "F" + std::to_string(j));
    return given;
}

std::string written_circuit(const std::vector<cover>& outputs, cover_kind kind,
                            answer_format format, const file_names& file,
                            std::string_view file_name) {
    const bool sums = kind == cover_kind::product_of_sums;
    circuit_names c = names_in(format, file, file_name, outputs.size());
    if (format == answer_format::pla) return pla_file(outputs, c);
    if (format == answer_format::latex) {
        for (std::string& name : c.inputs) name = latex_name(name);
        for (std::string& name : c.outputs) name = latex_name(name);
    }
    if (format == answer_format::verilog || format == answer_format::vhdl) {
        const std::vector<cube> shared = shared_terms(outputs);
        std::vector<std::string> wires;
        for (std::size_t k = 0; k < shared.size(); ++k)
            wires.push_back(c.taken.name("t" + std::to_string(k + 1), ""));
        return format == answer_format::verilog ? verilog_module(outputs, sums, c, wires, shared)
                                                : vhdl_entity(outputs, sums, c, wires, shared);
    }
    const syntax& s = syntax_of(format);
    const std::string parameters = format == answer_format::c
                                       ? "int " + joined(inputs_in_order(c), ", int ")
                                       : joined(inputs_in_order(c), ", ");
    std::string text;
    for (std::size_t j = 0; j < outputs.size(); ++j) {
        const std::string expression = output_expression(s, outputs[j], sums, c.inputs, {}, {});
        if (!text.empty()) text += '\n';
        if (format == answer_format::c)
            text += "int " + c.outputs[j] + "(" + parameters + ") { return " + expression + "; }";
        else if (format == answer_format::python)
            text += "def " + c.outputs[j] + "(" + parameters + "): return " + expression;
        else
            text += c.outputs[j] + " = " + expression;
    }
    return text;
}

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
    case answer_format::pla:
        return pla_file({terms}, names_in(answer_format::pla, file_names{}, "", 1));
    default: return written_expression(syntax_of(format), terms, sums);
    }
}

} // namespace tessary
