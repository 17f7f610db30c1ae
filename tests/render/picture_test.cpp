// Pictures as a textbook figure is judged: every digit whole (no loop's
// line crosses a digit's box, on every map of 0 and 1 in every form), every
// loop of a picture its own colour and line, and text broken only between
// terms.
#include "answers/answers.h"
#include "render/cairo_surface.h"
#include "render/picture.h"
#include "render/text.h"
#include "views/pictures.h"

#include <gtest/gtest.h>

#include <pango/pangocairo.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace tessary {
namespace {

bool overlaps(const picture_box& a, const picture_box& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

// The bands a loop's line covers: its closed sides, as wide as the line.
std::vector<picture_box> line_bands(const loop_stroke& loop, double width) {
    const picture_box& b = loop.box;
    const double h = width / 2;
    std::vector<picture_box> bands;
    if (!loop.open_top) bands.push_back({b.x0 - h, b.y0 - h, b.x1 + h, b.y0 + h});
    if (!loop.open_bottom) bands.push_back({b.x0 - h, b.y1 - h, b.x1 + h, b.y1 + h});
    if (!loop.open_left) bands.push_back({b.x0 - h, b.y0 - h, b.x0 + h, b.y1 + h});
    if (!loop.open_right) bands.push_back({b.x1 - h, b.y0 - h, b.x1 + h, b.y1 + h});
    return bands;
}

// The first digit a loop's line crosses, or -1.
int crossed_digit(const map_picture& picture) {
    const picture_layout layout = layout_of(picture);
    for (const loop_stroke& loop : layout.loops)
        for (const picture_box& band : line_bands(loop, layout.line_width))
            for (int m = 0; m < 16; ++m)
                if (overlaps(band, layout.digits[static_cast<std::size_t>(m)])) return m;
    return -1;
}

// With minterm numbers: the first number a loop's line crosses or a digit
// meets, or -1.
int crossed_number(map_picture picture) {
    picture.numbers = true;
    const picture_layout layout = layout_of(picture);
    if (layout.numbers.size() != 16) return 99;
    for (int m = 0; m < 16; ++m) {
        const picture_box& number = layout.numbers[static_cast<std::size_t>(m)];
        for (const picture_box& digit : layout.digits)
            if (overlaps(number, digit)) return m;
        for (const loop_stroke& loop : layout.loops)
            for (const picture_box& band : line_bands(loop, layout.line_width))
                if (overlaps(band, number)) return m;
    }
    return -1;
}

// With C and D down the side and with A and B down the side.
TEST(PictureLayout, NoLoopCrossesADigitOrANumberOnAnyMapInAnyForm) {
    for (unsigned ones = 0; ones < 0x10000 && !HasFailure(); ++ones) {
        const boolean_map map{static_cast<minterm_set>(ones), 0};
        for (const answer_form form :
             {answer_form::shown, answer_form::minimal, answer_form::pos}) {
            map_picture picture = picture_of(map, form);
            for (const map_layout layout : {map_layout::cd_rows, map_layout::ab_rows}) {
                picture.layout = layout;
                const char* rows = layout == map_layout::cd_rows ? "CD rows" : "AB rows";
                ASSERT_EQ(crossed_digit(picture), -1)
                    << map_text(map) << " " << caption_of(form) << " " << rows;
                ASSERT_EQ(crossed_number(picture), -1)
                    << map_text(map) << " " << caption_of(form) << " " << rows;
            }
        }
    }
}

// Crowded pictures, with don't-cares and many loops over the same cells.
TEST(PictureLayout, CrowdedMapsKeepTheirDigitsWhole) {
    const char* maps[] = {"1010/0111/1010/1100", "1010/0101/1010/0101", "0111/1111/1101/1111",
                          "X11X/1XX1/1XX1/X11X", "1101/1011/0111/1110"};
    for (const char* text : maps) {
        SCOPED_TRACE(text);
        cell_values cells{};
        std::size_t n = 0;
        for (const char* c = text; *c != '\0'; ++c)
            if (*c != '/') cells[n++] = *c;
        const boolean_map map = map_from_cells(cells);
        for (const answer_form form : {answer_form::shown, answer_form::minimal, answer_form::pos})
            EXPECT_EQ(crossed_digit(picture_of(map, form)), -1) << caption_of(form);
        // Every prime at once: deeper than any answer nests.
        map_picture every = picture_of(map, answer_form::minimal);
        every.groups.clear();
        for (int code = 0; code < 81; ++code) {
            cube c;
            for (int v = 0, rest = code; v < 4; ++v, rest /= 3)
                if (rest % 3 != 0) {
                    c.care = static_cast<std::uint8_t>(c.care | variable_bit(v));
                    if (rest % 3 == 1)
                        c.value = static_cast<std::uint8_t>(c.value | variable_bit(v));
                }
            if ((minterms_of(c) & map.zeros()) == 0) every.groups.push_back({c, product_text(c)});
        }
        EXPECT_EQ(crossed_digit(every), -1) << "every implicant";
        EXPECT_EQ(crossed_number(every), -1) << "every implicant, with numbers";
    }
}

// The segments drawn in black 1.5 units wide (the hazard marks' lines) and
// the pair names drawn in a small bold font ("0-8"), with their boxes.
class hazard_recorder final : public surface {
  public:
    std::vector<picture_box> lines, names;
    std::vector<std::string> texts;

    void save() override {}
    void restore() override {}
    void set_colour(colour c) override { black_ = c.r == 0 && c.g == 0 && c.b == 0; }
    void set_line(double width, std::span<const double>, bool) override { width_ = width; }
    void transform(double, double, double) override {}
    void clip(double, double, double, double) override {}
    void move_to(double x, double y) override { x_ = x, y_ = y; }
    void line_to(double x, double y) override {
        if (black_ && width_ == 1.5)
            lines.push_back({std::min(x, x_) - 0.75, std::min(y, y_) - 0.75, std::max(x, x_) + 0.75,
                             std::max(y, y_) + 0.75});
        x_ = x, y_ = y;
    }
    void rectangle(double, double, double, double, double) override {}
    void circle(double, double, double) override {}
    void stroke() override {}
    void fill() override {}
    void text(double x, double y, const text_block& block, anchor a) override {
        if (!block.f.bold || block.f.size > 10 || block.lines.front().text.find('-') == npos)
            return;
        const double left = a == anchor::left    ? x
                            : a == anchor::right ? x - block.width
                                                 : x - block.width / 2;
        names.push_back({left, y, left + block.width, y + block.height});
        texts.push_back(block.lines.front().text);
    }
    void end_page() override {}

  private:
    static constexpr std::size_t npos = std::string::npos;
    bool black_ = true;
    double width_ = 1, x_ = 0, y_ = 0;
};

// A hazard pair is one mark between the two digits, clear of every digit
// and minterm number (which the picture then shows), and a pair round the
// map's edge has a mark on each edge, each named, inside the picture.
TEST(HazardMarks, ClearOfDigitsAndNumbersAndNamedAtTheEdges) {
    int wrapped = 0, marked = 0;
    for (unsigned ones = 0; ones < 0x10000 && !HasFailure(); ones += 97) {
        const boolean_map map{static_cast<minterm_set>(ones), 0};
        for (const map_layout rows : {map_layout::cd_rows, map_layout::ab_rows}) {
            map_picture picture = picture_of(map, answer_form::minimal);
            picture.layout = rows;
            mark_hazards(picture, answer_hazards(map, answer_form::minimal));
            if (picture.hazards.empty()) continue;
            ++marked;
            const picture_layout layout = layout_of(picture);
            ASSERT_EQ(layout.numbers.size(), 16u) << map_text(map) << ": no minterm numbers";
            hazard_recorder drawn;
            draw_picture(drawn, picture);
            for (const picture_box& line : drawn.lines) {
                for (const picture_box& digit : layout.digits)
                    ASSERT_FALSE(overlaps(line, digit)) << map_text(map);
                for (const picture_box& number : layout.numbers)
                    ASSERT_FALSE(overlaps(line, number)) << map_text(map);
            }
            std::size_t names = 0;
            for (const cell_pair& pair : picture.hazards) {
                const cell_place a = place_of(pair.low, rows), b = place_of(pair.high, rows);
                if (std::abs(a.col - b.col) + std::abs(a.row - b.row) == 3) names += 2;
            }
            wrapped += names > 0;
            ASSERT_EQ(drawn.names.size(), names) << map_text(map);
            const picture_size size = measure_picture(picture);
            for (const picture_box& name : drawn.names)
                ASSERT_TRUE(name.x0 >= 0 && name.y0 >= 0 && name.x1 <= size.width &&
                            name.y1 <= size.height)
                    << map_text(map);
        }
    }
    EXPECT_GT(marked, 100);
    EXPECT_GT(wrapped, 20);
}

// The shown answer "1" of a map without a 0 is one loop round the whole map,
// as the minimal sum's is.
TEST(AnswerPictures, TheFullMapsShownAnswerHasItsLoop) {
    for (const char* text : {"1111/1111/1111/1111", "1X11/1111/11X1/1111"}) {
        SCOPED_TRACE(text);
        cell_values cells{};
        std::size_t n = 0;
        for (const char* c = text; *c != '\0'; ++c)
            if (*c != '/') cells[n++] = *c;
        const map_picture shown = picture_of(map_from_cells(cells), answer_form::shown);
        ASSERT_EQ(shown.groups.size(), 1u);
        EXPECT_EQ(shown.groups[0].cells, cube{});
        EXPECT_EQ(shown.groups[0].label, "1");
    }
    EXPECT_TRUE(picture_of(boolean_map{}, answer_form::shown).groups.empty()) << "the answer 0";
}

// Eight loops, eight colours apart in hue and in grey, eight lines apart.
TEST(LoopLooks, EightColoursAndEightLines) {
    std::set<std::vector<double>> lines; // each look's dashes, then its width
    for (std::size_t i = 0; i < loop_styles; ++i) {
        const loop_look& a = look_of(i);
        std::vector<double> line(a.dashes.begin(), a.dashes.begin() + a.dash_count);
        line.push_back(a.width);
        lines.insert(line);
        // Dark enough to survive a photocopy: no colour lighter than mid-grey.
        EXPECT_LT(0.299 * a.r + 0.587 * a.g + 0.114 * a.b, 0.55) << i;
        for (std::size_t j = 0; j < i; ++j) {
            const loop_look& b = look_of(j);
            const double distance = std::sqrt(
                (a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b));
            EXPECT_GT(distance, 0.25) << "loops " << j << " and " << i;
        }
    }
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(loop_styles));
    EXPECT_EQ(&look_of(loop_styles), &look_of(0)) << "a ninth loop takes the first look again";
}

// Break points of the text: | where a line may break, nothing where not.
std::string shown_breaks(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 3, "\u200B") == 0)
            out += '|', i += 3;
        else if (text.compare(i, 3, "\u2060") == 0)
            i += 3;
        else
            out += text[i++];
    }
    return out;
}

TEST(BreakBetweenTerms, OnlyBetweenTermsAndSums) {
    struct row {
        const char* text;
        const char* breaks;
    };
    const row rows[] = {
        {"A'B+CD'", "A'B+|CD'"},
        {"A'B'C'D+A'B'CD'+ABCD", "A'B'C'D+|A'B'CD'+|ABCD"},
        {"(A'+B'+C'+D')(A+B)", "(A'+B'+C'+D')|(A+B)"},
        {"B'(A+C)D", "B'|(A+C)|D"},
        {"(A+B)'", "(A+B)'"},
        {"Minimal product: (A+B)C'", "Minimal product: (A+B)|C'"},
        {"Shown answer: A'B\nMinimal sum: B", "Shown answer: A'B\nMinimal sum: B"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(shown_breaks(break_between_terms(r.text)), r.breaks);
    }
}

// The lines pango makes of the text at a narrow width, break marks kept.
std::vector<std::string> pango_lines(const std::string& answer, double width) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(surface);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    const std::string text = break_between_terms(answer);
    pango_layout_set_text(layout, text.c_str(), -1);
    std::vector<std::string> lines;
    for (GSList* l = pango_layout_get_lines_readonly(layout); l != nullptr; l = l->next) {
        const auto* line = static_cast<PangoLayoutLine*>(l->data);
        lines.push_back(shown_breaks(text.substr(static_cast<std::size_t>(line->start_index),
                                                 static_cast<std::size_t>(line->length))));
    }
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return lines;
}

// Laid out by pango at a narrow width, every line ends between terms.
TEST(BreakBetweenTerms, PangoBreaksOnlyThere) {
    const std::string product = "(A+B+C+D)(A'+B'+C+D)(A'+B+C'+D)(A+B'+C'+D)(A'+B+C+D')";
    const std::vector<std::string> sums = pango_lines(product, 150);
    EXPECT_GT(sums.size(), 1u);
    for (const std::string& line : sums) {
        EXPECT_EQ(line.front(), '(') << line;
        EXPECT_TRUE(line.ends_with(")") || line.ends_with(")|")) << line;
    }
    const std::string sum = "A'B'C'D+A'B'CD'+A'BC'D'+A'BCD+AB'C'D'+AB'CD+ABC'D+ABCD'";
    const std::vector<std::string> products = pango_lines(sum, 120);
    EXPECT_GT(products.size(), 1u);
    for (std::size_t i = 0; i < products.size(); ++i)
        EXPECT_TRUE(i + 1 == products.size() ? products[i].ends_with("D'")
                                             : products[i].ends_with("+|"))
            << products[i];
}

// The rows of a picture drawn at its measured size, at the window's scale,
// that hold ink (anything but white), counted from the bottom.
int inked_rows_at_bottom(const map_picture& picture, int rows) {
    const picture_size size = measure_picture(picture);
    const int width = static_cast<int>(std::ceil(size.width)),
              height = static_cast<int>(std::ceil(size.height));
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(image);
    cairo_surface on(cr);
    draw_picture(on, picture);
    cairo_destroy(cr);
    cairo_surface_flush(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    int inked = 0;
    for (int y = height - rows; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto* pixel = reinterpret_cast<const std::uint32_t*>(data + y * stride) + x;
            if ((*pixel & 0xFFFFFF) != 0xFFFFFF) {
                ++inked;
                break;
            }
        }
    cairo_surface_destroy(image);
    return inked;
}

// No picture is cut at its foot: a caption broken onto a second line, a
// long legend and the hazard line all end above the picture's margin.
TEST(PictureLayout, NothingDrawnBelowTheMeasuredPicture) {
    const char* maps[] = {"0111/1111/1101/1111", "1010/0101/1010/0101", "0011/1111/1100/0000",
                          "1110/1010/0011/1001"};
    for (const char* text : maps) {
        cell_values cells{};
        std::size_t n = 0;
        for (const char* c = text; *c != '\0'; ++c)
            if (*c != '/') cells[n++] = *c;
        const boolean_map map = map_from_cells(cells);
        for (const answer_form form :
             {answer_form::shown, answer_form::minimal, answer_form::pos,
              answer_form::hazard_free_sop, answer_form::hazard_free_pos}) {
            SCOPED_TRACE(std::string(text) + " " + caption_of(form));
            map_picture picture = picture_of(map, form);
            mark_hazards(picture, answer_hazards(map, answer_form::shown));
            EXPECT_EQ(inked_rows_at_bottom(picture, 6), 0);
        }
    }
    // The caption of the issue, broken onto a second line.
    map_picture picture = picture_of({0, 0}, answer_form::minimal);
    picture.caption = "Minimal sum: ABC+A'B'C'+A'BD+ACD'+A'B'C'D'+ABCD+AB'CD'+A'BC'D";
    EXPECT_EQ(inked_rows_at_bottom(picture, 6), 0);
}

} // namespace
} // namespace tessary
