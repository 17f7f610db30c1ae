// The explanation in words: each step of the Steps window on the map names
// the items of its --explain line in the same order, and the chart's steps
// come where --chart has rounds and a cyclic core, with Petrick's product
// as it prints it, on every map of 0 and 1 in both forms; and the sentences
// of the steps on maps with nothing to cover, or with no essential prime,
// say what is so.
#include "answers/explanation.h"
#include "teach/chart.h"
#include "views/steps.h"

#include "support/brute_force.h"

#include "render/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace tessary {
namespace {

// The items of an --explain line after its "word: ", split at `separator`;
// none for "none".
std::vector<std::string> items_of(const std::string& line, const std::string& separator) {
    std::string rest = line.substr(line.find(": ") + 2);
    if (rest == "none") return {};
    std::vector<std::string> items;
    for (std::size_t at; (at = rest.find(separator)) != std::string::npos;) {
        items.push_back(rest.substr(0, at));
        rest.erase(0, at + separator.size());
    }
    items.push_back(rest);
    return items;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
        lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

// The terms and cell numbers of a text, in order: its runs of the letters
// A to D, primes, brackets, '+' and digits ("B'D' (only it covers 0)" has
// "B'D'" and "0"; "(A+B')" is one).
std::vector<std::string> tokens_of(const std::string& text) {
    std::vector<std::string> tokens;
    std::string token;
    for (const char ch : text + " ") {
        if (std::strchr("ABCD'()+0123456789", ch) != nullptr && ch != '\0') {
            token += ch;
            continue;
        }
        // A bracket that opens or closes a sentence's aside is not part of a term.
        while (!token.empty() && token.front() == '(' && token.find(')') == std::string::npos)
            token.erase(0, 1);
        while (!token.empty() && token.back() == ')' && token.find('(') == std::string::npos)
            token.pop_back();
        if (!token.empty() && token != "(" && token != ")") tokens.push_back(token);
        token.clear();
    }
    return tokens;
}

// The first item whose terms and cells the sentence does not name, in
// order, after those of the items before it; or "". The sentence may say
// more words around them ("Only B'D' covers cell 0, so it is essential.").
std::string unnamed_item(const std::string& sentence, const std::vector<std::string>& items) {
    const std::vector<std::string> said = tokens_of(sentence);
    std::size_t at = 0;
    for (const std::string& item : items)
        for (const std::string& token : tokens_of(item)) {
            while (at < said.size() && said[at] != token) ++at;
            if (at == said.size()) return item;
            ++at;
        }
    return "";
}

// The steps drawn on the map, without the chart's.
std::vector<step_view> map_steps(const boolean_map& map, cover_kind kind) {
    std::vector<step_view> steps = steps_of(map, kind);
    std::erase_if(steps, [](const step_view& step) { return step.chart.has_value(); });
    return steps;
}

// The line of --chart's block that starts with `word`, without it; or "".
std::string chart_line(const std::string& block, const std::string& word) {
    for (const std::string& line : lines_of(block))
        if (line.rfind(word, 0) == 0) return line.substr(word.size());
    return "";
}

// The chart's steps stand between the cells left and the choice: one with
// the chart, one for each round, and the cyclic core with the lines of
// Petrick's product and its expansion as --chart prints them.
void expect_chart_steps(const boolean_map& map, cover_kind kind,
                        const std::vector<step_view>& steps) {
    const prime_chart c = reduce_chart(map, kind);
    const std::size_t chart_steps =
        c.left == 0 ? 0 : 1 + c.round_ends.size() + (c.core_cells != 0 ? 1 : 0);
    ASSERT_EQ(steps.size(), 5 + chart_steps) << map_text(map);
    for (std::size_t k = 0; k < steps.size(); ++k)
        ASSERT_EQ(steps[k].chart.has_value(), k >= 3 && k < 3 + chart_steps) << map_text(map);
    if (c.core_cells == 0) return;
    const std::vector<std::string>& notes = steps[2 + chart_steps].chart->notes;
    const std::string block = chart_text(map, c);
    for (const std::string& line : {"Petrick: " + chart_line(block, "petrick: "),
                                    "Products: " + chart_line(block, "products: ")})
        ASSERT_NE(std::find(notes.begin(), notes.end(), line), notes.end())
            << map_text(map) << ": " << line;
}

TEST(Steps, EachStepNamesItsLinesItemsInOrderOnEveryMap) {
    // The steps on the map in order against the lines primes, essential,
    // left, choose and minimal, with the separator of each line's items.
    const char* separators[] = {", ", ", ", " ", "; ", "\n"};
    for (unsigned ones = 0; ones < 0x10000 && !HasFailure(); ++ones) {
        const boolean_map map{static_cast<minterm_set>(ones), 0};
        for (const cover_kind kind : {cover_kind::sum_of_products, cover_kind::product_of_sums}) {
            const std::vector<std::string> lines =
                lines_of(explanation_text(map, explain(map, kind)));
            std::vector<step_view> steps = steps_of(map, kind);
            expect_chart_steps(map, kind, steps);
            std::erase_if(steps, [](const step_view& step) { return step.chart.has_value(); });
            ASSERT_EQ(steps.size(), 5u);
            for (std::size_t k = 0; k < steps.size(); ++k)
                ASSERT_EQ(unnamed_item(steps[k].sentence, items_of(lines[k + 1], separators[k])),
                          "")
                    << map_text(map) << (kind == cover_kind::product_of_sums ? " product" : " sum")
                    << ", step " << k + 1 << ": " << steps[k].sentence;
        }
    }
}

// Sentences on the map pinned where a map has nothing to cover or no
// essential prime.
struct sentence_case {
    const char* map;
    cover_kind kind;
    std::size_t step; // from 1
    const char* sentence;
};

constexpr cover_kind sop = cover_kind::sum_of_products, pos = cover_kind::product_of_sums;

const sentence_case sentence_cases[] = {
    // Nothing to cover: the empty map, the all-X map, the full map's product.
    {"0000/0000/0000/0000", sop, 2, "No prime is essential: the map has no 1-cell to cover."},
    {"0000/0000/0000/0000", sop, 3, "Left: none. The map has no 1-cell to cover."},
    {"0000/0000/0000/0000", sop, 4, "Choose: none. There is nothing to cover."},
    {"XXXX/XXXX/XXXX/XXXX", sop, 2, "No prime is essential: the map has no 1-cell to cover."},
    {"XXXX/XXXX/XXXX/XXXX", pos, 3, "Left: none. The map has no 0-cell to cover."},
    {"1111/1111/1111/1111", pos, 2, "No prime is essential: the map has no 0-cell to cover."},
    {"1111/1111/1111/1111", pos, 4, "Choose: none. There is nothing to cover."},
    // Essential primes that cover everything.
    {"1001/0000/0000/1001", sop, 3, "Left: none. The essential primes cover every 1-cell."},
    {"1001/0000/0000/1001", sop, 4, "Choose: none. Nothing is left to choose."},
    // No essential prime: every 1-cell is left, and the choice stands alone.
    {"1110/1010/1110/0000", sop, 2,
     "No prime is essential: every 1-cell lies in two primes or more."},
    {"1110/1010/1110/0000", sop, 3,
     "No prime is essential, so every 1-cell is left to cover: cells 0, 1, 3, 4, 7, 12, 13 and "
     "15, marked."},
    {"1110/1010/1110/0000", sop, 5,
     "Minimal: ABC'+A'B'D+BCD+A'C'D', one of 2 minimum covers: ABC'+A'B'D+BCD+A'C'D'; "
     "A'B'C'+ABD+A'CD+BC'D'."},
};

TEST(Steps, SentencesWhereThereIsLittleToDo) {
    for (const sentence_case& c : sentence_cases) {
        SCOPED_TRACE(std::string(c.map) + " step " + std::to_string(c.step));
        const std::vector<step_view> steps = map_steps(testing::map_of(c.map), c.kind);
        EXPECT_EQ(steps[c.step - 1].sentence, c.sentence);
    }
}

// The chart's steps of a cyclic map: what each round did in the reader's
// words with --chart's P-numbers, and the chart as each round leaves it.
TEST(Steps, TheChartRoundByRound) {
    const std::vector<step_view> steps = steps_of(testing::map_of("0110/1111/1101/1111"), sop);
    std::vector<std::string> titles;
    for (const step_view& step : steps) titles.push_back(step.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"the primes", "the essential primes",
                                                "the cells left", "the chart", "round 1", "round 2",
                                                "the cyclic core", "the choice", "the minimum"}));
    EXPECT_EQ(steps[4].sentence, "Columns dropped, as every row over another column covers them "
                                 "too: 1 by 9, 2 by 10, 3 by 11, 4 by 12, 5 by 13 and 6 by 14.");
    EXPECT_EQ(steps[5].sentence,
              "Rows dropped, as another row covers their cells with no more literals: P2 by P1 and "
              "P5 by P1. Taken, as the only row left over a cell: P1 (cell 7).");
    EXPECT_EQ(steps[6].sentence,
              "A cyclic core is left: P3, P4, P6, P7, P8 and P9 over cells 9, 10, 11, 12, 13 and "
              "14, each cell in two primes or more. Petrick's method writes a sum of primes for "
              "each cell, multiplies the sums out and takes a cheapest product: P3P7P8.");
    // Rows as each step leaves them: o open, t taken, d dropped; and the
    // columns 1 to 14 (no 0 or 8), c covered.
    const auto rows = [](const chart_drawing& d) {
        std::string marks;
        for (const chart_row& r : d.rows)
            marks += r.state == chart_row_state::taken     ? 't'
                     : r.state == chart_row_state::dropped ? 'd'
                                                           : 'o';
        return marks;
    };
    const auto columns = [](const chart_drawing& d) {
        std::string marks;
        for (const chart_column_state state : d.column_states)
            marks += state == chart_column_state::covered   ? 'c'
                     : state == chart_column_state::dropped ? 'd'
                                                            : 'o';
        return marks;
    };
    EXPECT_EQ(rows(*steps[3].chart), "ooooooooo");
    EXPECT_EQ(columns(*steps[3].chart), "ooooooooooooo");
    EXPECT_EQ(rows(*steps[4].chart), "ooooooooo");
    EXPECT_EQ(columns(*steps[4].chart), "ddddddooooooo");
    EXPECT_EQ(rows(*steps[5].chart), "tdoodoooo");
    EXPECT_EQ(columns(*steps[5].chart), "ddddddcoooooo");
    EXPECT_EQ(steps[5].chart->notes, std::vector<std::string>{"Taken: P1."});
    EXPECT_EQ(steps[6].chart->notes.back(), "Minimal: A'B+B'C+C'D+BD'");
}

// The choice draws the primes the minimum takes strong, named so in the
// legend, and the others faint.
TEST(Steps, TheChoiceSaysWhichPrimesWereTaken) {
    const step_view choice = map_steps(testing::map_of("1110/1010/1110/0000"), sop)[3];
    std::string taken, faint;
    for (const map_group& g : choice.picture.groups) (g.faint ? faint : taken) += g.label + " ";
    EXPECT_EQ(taken, "ABC' (taken) A'B'D (taken) BCD (taken) A'C'D' (taken) ");
    EXPECT_EQ(faint, "A'B'C' ABD A'CD BC'D' ");
}

// Records the colour and width of each stroke and the colour of each text.
class recording_surface final : public surface {
  public:
    struct stroke_seen {
        colour c;
        double width;
    };
    std::vector<stroke_seen> strokes;
    std::vector<std::pair<std::string, colour>> texts;

    void save() override {}
    void restore() override {}
    void set_colour(colour c) override { now_ = c; }
    void set_line(double width, std::span<const double>, bool) override { width_ = width; }
    void transform(double, double, double) override {}
    void clip(double, double, double, double) override {}
    void move_to(double, double) override {}
    void line_to(double, double) override {}
    void rectangle(double, double, double, double, double) override {}
    void circle(double, double, double) override {}
    void stroke() override { strokes.push_back({now_, width_}); }
    void fill() override {}
    void text(double, double, const text_block& block, anchor) override {
        for (const text_line& line : block.lines) texts.emplace_back(line.text, now_);
    }
    void end_page() override {}

  private:
    colour now_ = black;
    double width_ = 1;
};

bool is_grey(colour c) {
    return c.r == c.g && c.g == c.b && c.r > 0 && c.r < 1;
}

// On a projector the primes not taken stay in sight: their outlines are at
// least 2 points wide and darker than the grid's lines, and their legend
// entries are black, not grey.
TEST(Steps, TheChoiceKeepsThePrimesNotTakenInSight) {
    const step_view choice = map_steps(testing::map_of("1110/1010/1110/0000"), sop)[3];
    recording_surface on;
    draw_picture(on, choice.picture);
    double grid = 0; // the lightest grey, the grid's
    for (const auto& s : on.strokes)
        if (is_grey(s.c)) grid = std::max(grid, s.c.r);
    int faint = 0;
    for (const auto& s : on.strokes) {
        if (!is_grey(s.c) || s.c.r == grid) continue;
        ++faint;
        EXPECT_GE(s.width, 2) << "a grey outline of shade " << s.c.r;
        EXPECT_LT(s.c.r, grid - 0.2) << "a grey outline as light as the grid";
    }
    EXPECT_GE(faint, 8) << "the four primes not taken, in the map and the legend";
    int entries = 0;
    for (const map_group& g : choice.picture.groups)
        for (const auto& [text, c] : on.texts)
            if (g.faint && text.find(g.label) != std::string::npos) {
                ++entries;
                EXPECT_FALSE(is_grey(c)) << text << " in grey of shade " << c.r;
            }
    EXPECT_EQ(entries, 4);
}

} // namespace
} // namespace tessary
