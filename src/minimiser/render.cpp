// Rendering: joins the kept terms with "+", writes them in the A' notation
// and splits a sum longer than 32 characters over the two key fields. Leaves
// the term table empty for the next Show.
#include "show.h"

#include <array>
#include <cstring>

namespace tessary {

namespace {

constexpr std::size_t first_line_limit = 32;

// A Show makes at most 15 terms, and only a single cell has four letters (it
// needs four '0' neighbours), so the compact sum never passes 74 characters
// and the written-out one 106.
constexpr std::size_t longest_raw_sum = 74;
constexpr std::size_t longest_expression = 106;
static_assert(sizeof raw_sum > longest_raw_sum);
static_assert(sizeof expression > longest_expression);
static_assert(sizeof(key_fields::first) > first_line_limit);
static_assert(sizeof(key_fields::second) >= sizeof expression);

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

// Where a long sum is cut: at index 31 when a '+' stands there, else at the
// last '+' before it. The second line begins with that '+'.
std::size_t split_index() {
    if (expression[31] == '+') return 31;
    std::size_t s = 30;
    while (s > 0 && expression[s] != '+') --s;
    return s;
}

void display_expression() {
    const std::size_t n = std::strlen(expression);
    if (n <= first_line_limit) {
        key_display.second_shown = false;
        std::memcpy(key_display.first, expression, n + 1);
        return;
    }
    const std::size_t s = split_index();
    std::memcpy(key_display.second, expression + s, n - s + 1);
    expression[s] = '\0';
    key_display.second_shown = true;
    std::memcpy(key_display.first, expression, s + 1);
}

void reset_term_state() {
    last_term = -1;
    raw_sum[0] = '\0';
    expression[0] = '\0';
    for (term_record& term : terms) term.text[0] = '\0';
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
    display_expression();
    reset_term_state();
}

} // namespace tessary
