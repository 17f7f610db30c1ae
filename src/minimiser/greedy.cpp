// The greedy reduction from a map to its answer (see greedy.h). Start here:
// reduce_greedy() runs the passes of passes.cpp in order over a reduction of
// its own (reduction.h), then writes nothing: the text is greedy_text's.
#include "minimiser/reduction.h"

namespace tessary {

greedy_answer reduce_greedy(const boolean_map& map) {
    greedy_answer constant;
    if (map.ones == 0) return constant;
    if (map.zeros() == 0) {
        constant.whole_map = true;
        return constant;
    }
    greedy::reduction r(map);
    greedy::octet_pass(r);
    greedy::quad_pass(r);
    greedy::pair_pass(r);
    greedy::single_pass(r);
    greedy::flag_redundant(r.answer());
    return r.answer();
}

cover greedy_answer::kept_cover() const {
    cover kept;
    if (whole_map) kept.push_back(cube{});
    for (int i = 0; i < term_count; ++i) {
        const greedy_term& t = terms[static_cast<std::size_t>(i)];
        if (t.kept) kept.push_back(t.term);
    }
    return kept;
}

namespace {

template <class Put> void write_term(const greedy_term& term, Put put) {
    for (int k = 0; k < literal_count(term.term); ++k) {
        const int v = term.order[static_cast<std::size_t>(k)];
        put(static_cast<char>('A' + v));
        if ((term.term.value & variable_bit(v)) == 0) put('\'');
    }
}

} // namespace

greedy_text write_greedy(const greedy_answer& answer) {
    greedy_text text;
    auto put = [&text](char ch) { text.chars[text.size++] = ch; };
    if (answer.term_count == 0) put(answer.whole_map ? '1' : '0');
    for (int i = 0; i < answer.term_count; ++i) {
        const greedy_term& term = answer.terms[static_cast<std::size_t>(i)];
        if (!term.kept) continue;
        if (text.size > 0) put('+');
        write_term(term, put);
    }
    return text;
}

std::string written_term(const greedy_term& term) {
    std::string text;
    write_term(term, [&text](char ch) { text += ch; });
    return text;
}

} // namespace tessary
