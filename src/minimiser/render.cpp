// Rendering: joins the kept terms with "+" and writes them in the A'
// notation into `expression`.
#include "stages.h"

#include <array>
#include <cstring>

namespace tessary {

namespace {

// A Show makes at most 15 terms, and only a single cell has four letters (it
// needs four '0' neighbours), so the compact sum never passes 74 characters
// and the written-out one 106.
constexpr std::size_t longest_raw_sum = 74;
constexpr std::size_t longest_expression = 106;
static_assert(sizeof raw_sum > longest_raw_sum);
static_assert(sizeof expression > longest_expression);

// Every kept term but the last gets a "+" (the last term is never flagged).
void add_joining_marks() {
    for (int i = 0; i < last_term; ++i) {
        if (terms[i].redundant != 0) continue;
        char* text = terms[i].text;
        std::size_t length = std::strlen(text);
        text[length] = '+';
        text[length + 1] = '\0';
    }
}

void concatenate_kept_terms() {
    std::size_t length = 0;
    for (int i = 0; i <= last_term; ++i) {
        if (terms[i].redundant != 0) continue;
        for (const char* ch = terms[i].text; *ch != '\0'; ++ch) raw_sum[length++] = *ch;
    }
    raw_sum[length] = '\0';
}

// How each character of the compact sum is written out: '+' and A to D as
// they are, a to d as the upper-case letter and an apostrophe, anything else
// not at all. A table rather than branches: the letters come in no pattern.
struct expansion {
    char text[2];
    unsigned char length;
};

constexpr std::array<expansion, 128> make_expansions() {
    std::array<expansion, 128> table{};
    table['+'] = {{'+', 0}, 1};
    for (char v = 'A'; v <= 'D'; ++v) {
        table[static_cast<unsigned char>(v)] = {{v, 0}, 1};
        table[static_cast<unsigned char>(v - 'A' + 'a')] = {{v, '\''}, 2};
    }
    return table;
}

constexpr std::array<expansion, 128> expansions = make_expansions();

// cda+ABCD becomes C'D'A'+ABCD.
void expand_notation() {
    std::size_t length = 0;
    for (const char* ch = raw_sum; *ch != '\0'; ++ch) {
        const expansion& e = expansions[static_cast<unsigned char>(*ch) & 0x7f];
        expression[length] = e.text[0];
        expression[length + 1] = e.text[1];
        length += e.length;
    }
    expression[length] = '\0';
}

} // namespace

void render_expression() {
    raw_sum[0] = '\0';
    if (last_term == -1) {
        expression[0] = '\0';
    } else {
        add_joining_marks();
        concatenate_kept_terms();
        expand_notation();
    }
}

} // namespace tessary
