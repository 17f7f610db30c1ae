// Drawing a map and its groups on a surface (see picture.h).
//
// The layout: an optional title; the corner with its diagonal and the
// variable names; the column headers A'B' A'B AB AB' and the row headers
// C'D' C'D CD CD'; the cells with their values; a loop round each group,
// each inset a little more than the ones it shares cells with, down to a
// floor that keeps every loop clear of the digits; then the legend, each
// term beside a sample of its loop's colour and line, and an optional
// caption. layout_of() says where the loops and the digits go, and the
// drawing follows it.
#include "render/picture.h"

#include "render/geometry.h"
#include "render/text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace tessary {

namespace {

constexpr double margin = 12, header_width = 48, header_height = 26;
constexpr double title_height = 24, legend_row = 18, caption_gap = 6;
constexpr int legend_columns = 2;

constexpr font title_font{points(11), true}, heading_font{points(11), true};
constexpr font corner_font{points(8)}, caption_font{points(10)};
constexpr font legend_font{points(10), true}, faint_legend_font{points(10)};

// A cell is larger with minterm numbers: each number then sits inside the
// deepest loop, clear of every loop's line, above and left of its digit.
constexpr double plain_cell = 52, numbered_cell = 66;
constexpr double number_offset = 18, numbered_digit_shift = 5;
constexpr font number_font{points(7)};
constexpr font hazard_name_font{points(7), true};

// A picture that marks hazard pairs shows the minterm numbers its legend
// names them by.
bool numbered(const map_picture& p) {
    return p.numbers || !p.hazards.empty();
}

double cell_of(const map_picture& p) {
    return numbered(p) ? numbered_cell : plain_cell;
}

// The map's edges a hazard pair wraps round: its two cells at the ends of a
// row (the left and right edges) or of a column (the top and bottom).
struct wrapped_edges {
    bool sides = false, ends = false;
};

wrapped_edges wrapped_pairs(const map_picture& p) {
    wrapped_edges w;
    for (const cell_pair& pair : p.hazards) {
        const cell_place a = place_of(pair.low, p.layout), b = place_of(pair.high, p.layout);
        w.sides = w.sides || (a.row == b.row && std::abs(a.col - b.col) == map_side - 1);
        w.ends = w.ends || (a.col == b.col && std::abs(a.row - b.row) == map_side - 1);
    }
    return w;
}

// Room right of the map and below it for a wrapped pair's mark and name.
constexpr double side_mark_room = 18, end_mark_room = 10;

double width_of_picture(const map_picture& p) {
    return 2 * margin + header_width + map_side * cell_of(p) +
           (wrapped_pairs(p).sides ? side_mark_room : 0);
}

// From the map's foot to the legend.
double legend_gap(const map_picture& p) {
    return 10 + (wrapped_pairs(p).ends ? end_mark_room : 0);
}

// Where the grid is drawn: its top-left corner and the side of a cell.
// With minterm numbers the digits move down and right of the cells' centres.
struct grid_frame {
    double x, y, cell, digit_shift;
    map_layout layout;
    cell_place place(int m) const { return place_of(m, layout); }
    int minterm(int row, int col) const { return minterm_at(row, col, layout); }
    double size() const { return map_side * cell; }
    double left(int col) const { return x + col * cell; }
    double top(int row) const { return y + row * cell; }
    double digit_x(int col) const { return left(col) + cell / 2 + digit_shift; }
    double digit_y(int row) const { return top(row) + cell / 2 + digit_shift; }
};

// Loops nest inwards from the cell's edge a step at a time, to a floor: a
// loop deeper than that runs at the floor, still clear of the digit, and is
// told from the one beside it by its colour and its line.
constexpr double first_inset = 3, inset_step = 3;
constexpr double tag_width = 15, tag_height = 11;
constexpr font tag_font{points(7), true};
constexpr int inset_floor = 4;
constexpr double digit_clearance = 1.5;
constexpr font strong_font{points(13), true}, light_font{points(13)};
constexpr double loop_radius = 12;

// A colour and a line for each loop, told apart in colour and, on a black
// and white photocopy, by the line alone: its weight (thin or heavy) and
// its rhythm. The colours are far apart in hue (Okabe and Ito's blue,
// vermilion, green and purple, with black, ochre, violet and grey) and dark
// enough for a copier's toner to take them whole. The lines: thin solid,
// long dashes and a long dash with a dot; heavy large dots, solid, long
// dashes and a dash with two dots; and thin short dashes. A dash of 0.1
// with round caps is a dot; round caps lengthen every dash by the line's
// width and shorten every gap as much, so the gaps below leave at least
// 4 points of paper between marks, which a copier's toner does not close.
constexpr double thin = 2, heavy = 3.5;
constexpr std::array<loop_look, loop_styles> loop_look_table = {{
    {0.000, 0.447, 0.698, {}, 0, thin},
    {0.750, 0.250, 0.000, {10, 7}, 2, thin},
    {0.000, 0.500, 0.360, {0.1, 7.5}, 2, heavy},
    {0.667, 0.200, 0.467, {10, 6, 0.1, 6}, 4, thin},
    {0.000, 0.000, 0.000, {}, 0, heavy},
    {0.500, 0.400, 0.000, {8.5, 8.5}, 2, heavy},
    {0.416, 0.239, 0.604, {6.5, 7.5, 0.1, 7.5, 0.1, 7.5}, 6, heavy},
    {0.300, 0.300, 0.300, {2, 6}, 2, thin},
}};

// A loop found wrong: red, thick and broken.
constexpr colour warning_red = {0.80, 0.0, 0.0};
constexpr double warning_width = 3.5;
constexpr std::array<double, 4> warning_dashes = {8, 3, 2, 3};

// A faint loop (a prime looked at and not taken) is a dark grey outline of
// two points, darker and wider than the grid's lines, so that a projector
// shows it over the hatching of the cells left; its legend entry is black
// in the regular weight, where the loops taken are bold. Beside faint
// loops, the others are strong.
constexpr double faint_width = 2, strong_extra = 1;
constexpr colour faint_grey = {0.3, 0.3, 0.3}, faint_text = {0, 0, 0};

constexpr colour grey(double shade) {
    return {shade, shade, shade};
}

bool has_faint(const map_picture& p) {
    return std::any_of(p.groups.begin(), p.groups.end(),
                       [](const map_group& g) { return g.faint; });
}

std::size_t look_index(const map_picture& p, std::size_t k) {
    const int look = p.groups[k].look;
    return look >= 0 ? static_cast<std::size_t>(look) : k;
}

double width_of(const map_picture& p, std::size_t k) {
    if (p.groups[k].warning) return warning_width;
    if (p.groups[k].faint) return faint_width;
    return look_of(look_index(p, k)).width + (has_faint(p) ? strong_extra : 0);
}

// A loop's colour at full strength, as its legend entry is written.
colour colour_of(const map_picture& p, std::size_t k) {
    if (p.groups[k].warning) return warning_red;
    if (p.groups[k].faint) return faint_text;
    const loop_look& look = look_of(look_index(p, k));
    return {look.r, look.g, look.b};
}

void set_loop_style(surface& s, const map_picture& p, std::size_t k) {
    if (p.groups[k].warning) {
        s.set_colour(warning_red);
        s.set_line(warning_width, warning_dashes, true);
        return;
    }
    const loop_look& style = look_of(look_index(p, k));
    s.set_colour(p.groups[k].faint ? faint_grey : colour{style.r, style.g, style.b});
    s.set_line(width_of(p, k),
               std::span(style.dashes.data(), static_cast<std::size_t>(style.dash_count)), true);
}

// Two columns while the terms are short; long sums take a line each.
int legend_columns_of(const map_picture& p) {
    for (const map_group& g : p.groups)
        if (g.label.size() > 10) return 1;
    return legend_columns;
}

double caption_width(const map_picture& p);

// Where the legend's entries go below the map: each loop's swatch and
// term, in columns, then the hazard line across the picture. Every text
// wraps within its column, and a row is as tall as its tallest entry.
struct legend_entry {
    double x, y; // the swatch's top-left
    text_block text;
};

struct legend_plan {
    std::vector<legend_entry> entries; // by loop
    std::optional<legend_entry> hazards;
    double height = 0;
};

constexpr double swatch_room = 36; // from an entry's left to its text

legend_plan plan_legend(const map_picture& p, double top) {
    legend_plan plan;
    const auto columns = static_cast<std::size_t>(legend_columns_of(p));
    const double column_width = caption_width(p) / static_cast<double>(columns);
    double row_top = top, row_height = 0;
    for (std::size_t k = 0; k < p.groups.size(); ++k) {
        if (k % columns == 0) {
            row_top += row_height;
            row_height = legend_row;
        }
        const std::string number = loops_numbered(p) ? std::to_string(k + 1) + "  " : "";
        text_block text = lay_out_text(number + p.groups[k].label,
                                       p.groups[k].faint ? faint_legend_font : legend_font,
                                       column_width - swatch_room - 4);
        row_height = std::max(row_height, text.height + 4);
        plan.entries.push_back(
            {margin + static_cast<double>(k % columns) * column_width, row_top, std::move(text)});
    }
    row_top += row_height;
    if (!p.hazard_note.empty()) {
        text_block text = lay_out_text(p.hazard_note, faint_legend_font, caption_width(p));
        const double height = std::max(legend_row, text.height + 4);
        plan.hazards = legend_entry{margin, row_top, std::move(text)};
        row_top += height;
    }
    plan.height = row_top - top;
    return plan;
}

// The inset step of each loop: the lowest not taken by an earlier loop over
// any of the same cells.
std::vector<int> inset_levels(const map_picture& p) {
    std::vector<int> levels;
    for (std::size_t k = 0; k < p.groups.size(); ++k) {
        const minterm_set cells = minterms_of(p.groups[k].cells);
        unsigned taken = 0;
        for (std::size_t j = 0; j < k; ++j)
            if ((minterms_of(p.groups[j].cells) & cells) != 0) taken |= 1u << (levels[j] % 32);
        int level = 0;
        while (level < 31 && (taken >> level & 1) != 0) ++level;
        levels.push_back(level);
    }
    return levels;
}

double top_of_grid(const map_picture& p) {
    return margin + (p.title.empty() ? 0 : title_height) + header_height;
}

grid_frame frame_of(const map_picture& p) {
    return {margin + header_width, top_of_grid(p), cell_of(p),
            numbered(p) ? numbered_digit_shift : 0, p.layout};
}

double caption_width(const map_picture& p) {
    return width_of_picture(p) - 2 * margin;
}

// The caption's height when wrapped to the picture's width.
double caption_height(const map_picture& p) {
    if (p.caption.empty()) return 0;
    return caption_gap +
           lay_out_text(break_between_terms(p.caption), caption_font, caption_width(p)).height;
}

// "A'B'" for column 0: the literals a line of the map stands for.
std::string line_name(const grid_frame& f, bool row, int index) {
    const int m = row ? f.minterm(index, 0) : f.minterm(0, index);
    const bool cd = row == (f.layout == map_layout::cd_rows);
    const std::uint8_t care = cd ? 0x3 : 0xC;
    return product_text({care, static_cast<std::uint8_t>(m & care)});
}

void draw_headers(surface& s, const grid_frame& f) {
    const double gx = f.x, gy = f.y, cell = f.cell;
    s.set_colour(black);
    s.set_line(1);
    s.move_to(margin, gy - header_height);
    s.line_to(gx, gy);
    s.stroke();
    const bool cd_rows = f.layout == map_layout::cd_rows;
    put_text(s, cd_rows ? "AB" : "CD", gx - 14, gy - header_height + 7, corner_font, true);
    put_text(s, cd_rows ? "CD" : "AB", margin + 12, gy - 8, corner_font, true);
    for (int i = 0; i < map_side; ++i) {
        put_text(s, line_name(f, false, i), gx + (i + 0.5) * cell, gy - header_height / 2,
                 heading_font, true);
        put_text(s, line_name(f, true, i), margin + header_width / 2, gy + (i + 0.5) * cell,
                 heading_font, true);
    }
}

void draw_grid_lines(surface& s, const grid_frame& f) {
    const double gx = f.x, gy = f.y, cell = f.cell, grid_size = f.size();
    s.set_colour(grey(0.6));
    s.set_line(1);
    for (int i = 1; i < map_side; ++i) {
        s.move_to(gx + i * cell, gy);
        s.line_to(gx + i * cell, gy + grid_size);
        s.move_to(gx, gy + i * cell);
        s.line_to(gx + grid_size, gy + i * cell);
    }
    s.stroke();
    s.set_colour(black);
    s.set_line(1.5);
    s.rectangle(gx, gy, gx + grid_size, gy + grid_size);
    s.stroke();
}

// The cells the loops take in are strong; the others, and the don't-cares,
// lighter but dark enough for a photocopy.
void draw_cells(surface& s, const map_picture& p, const grid_frame& f) {
    const char strong = p.loops_of == cover_kind::product_of_sums ? '0' : '1';
    const char other = strong == '1' ? '0' : '1';
    for (int row = 0; row < map_side; ++row) {
        for (int col = 0; col < map_side; ++col) {
            const char value = value_at(p.map, f.minterm(row, col));
            if (value == other && p.blank_others) continue;
            s.set_colour(grey(value == strong ? 0.0 : 0.35));
            put_text(s, std::string(1, value), f.digit_x(col), f.digit_y(row),
                     value == strong ? strong_font : light_font, true);
        }
    }
}

// Each cell's minterm number, small, above and left of its digit.
void draw_numbers(surface& s, const grid_frame& f) {
    s.set_colour(grey(0.3));
    for (int m = 0; m < cell_count; ++m) {
        const cell_place at = f.place(m);
        put_text(s, std::to_string(m), f.left(at.col) + number_offset,
                 f.top(at.row) + number_offset, number_font);
    }
}

// A pale ground crossed by thin diagonal hatching: seen in grey as well,
// and drawn as no loop is (a loop is a line along the cells' edges).
void draw_marks(surface& s, minterm_set marked, const grid_frame& f) {
    const double cell = f.cell;
    for (int m = 0; m < cell_count; ++m) {
        if ((marked & minterm_bit(m)) == 0) continue;
        const cell_place at = f.place(m);
        const double x = f.left(at.col), y = f.top(at.row);
        s.save();
        s.clip(x, y, x + cell, y + cell);
        s.set_colour({1.0, 0.93, 0.55});
        s.rectangle(x, y, x + cell, y + cell);
        s.fill();
        s.set_colour({0.72, 0.64, 0.36});
        s.set_line(0.8);
        for (double d = 4; d < 2 * cell; d += 8) {
            s.move_to(x + d, y);
            s.line_to(x + d - cell, y + cell);
        }
        s.stroke();
        s.restore();
    }
}

// A red ring round the digit: solid for a cell a loop must not take, broken
// for one no loop takes. Round, so never taken for a loop.
void draw_rings(surface& s, const map_picture& p, const grid_frame& f) {
    constexpr double radius = 11;
    constexpr std::array<double, 2> broken = {3, 2.5};
    s.set_colour(warning_red);
    for (int m = 0; m < cell_count; ++m) {
        const bool wrong = (p.wrong_cells & minterm_bit(m)) != 0;
        if (!wrong && (p.missed_cells & minterm_bit(m)) == 0) continue;
        const cell_place at = f.place(m);
        s.set_line(2, wrong ? std::span<const double>() : std::span<const double>(broken));
        s.circle(f.digit_x(at.col), f.digit_y(at.row), radius);
        s.stroke();
    }
}

// A thick solid frame inside the cell, in the colour of the text.
void draw_cursor(surface& s, int cursor, const grid_frame& f) {
    if (cursor < 0 || cursor >= cell_count) return;
    const cell_place at = f.place(cursor);
    const double x = f.left(at.col), y = f.top(at.row);
    s.set_colour(black);
    s.set_line(3);
    s.rectangle(x + 1.5, y + 1.5, x + f.cell - 1.5, y + f.cell - 1.5);
    s.stroke();
}

// A piece open towards an edge runs past it and is cut at the grid's border.
void draw_loop(surface& s, const loop_stroke& loop, double run_on) {
    const picture_box& b = loop.box;
    s.rectangle(loop.open_left ? b.x0 - run_on : b.x0, loop.open_top ? b.y0 - run_on : b.y0,
                loop.open_right ? b.x1 + run_on : b.x1, loop.open_bottom ? b.y1 + run_on : b.y1,
                loop_radius);
    s.stroke();
}

void draw_groups(surface& s, const map_picture& p, const picture_layout& layout) {
    const double run_on = cell_of(p) / 2;
    const picture_box& g = layout.grid;
    s.save();
    s.clip(g.x0, g.y0, g.x1, g.y1);
    for (const loop_stroke& loop : layout.loops) {
        set_loop_style(s, p, loop.group);
        draw_loop(s, loop, run_on);
    }
    s.restore();
}

// A loop's number in a small white box framed in its colour.
void draw_tags(surface& s, const map_picture& p, const picture_layout& layout) {
    for (std::size_t k = 0; k < layout.tags.size(); ++k) {
        const picture_box& b = layout.tags[k];
        s.set_colour(white);
        s.rectangle(b.x0, b.y0, b.x1, b.y1);
        s.fill();
        set_loop_style(s, p, k);
        s.set_line(1);
        s.rectangle(b.x0, b.y0, b.x1, b.y1);
        s.stroke();
        put_text(s, std::to_string(k + 1), (b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2, tag_font, true);
    }
}

void draw_legend(surface& s, const map_picture& p, const legend_plan& plan) {
    for (std::size_t k = 0; k < plan.entries.size(); ++k) {
        const legend_entry& e = plan.entries[k];
        set_loop_style(s, p, k);
        s.rectangle(e.x + 1, e.y + 4, e.x + 29, e.y + 15, 4);
        s.stroke();
        s.set_colour(colour_of(p, k));
        s.text(e.x + swatch_room, e.y + 1, e.text, anchor::left);
    }
    if (!plan.hazards) return;
    s.set_colour(black);
    s.text(plan.hazards->x, plan.hazards->y + 1, plan.hazards->text, anchor::left);
}

ink_box digit_ink();

// A hazard mark: a black line with an arrowhead at each end that has one,
// on a white halo that lifts it off the grid and the loops' outlines it
// crosses. No loop has arrowheads: the mark is not taken for one.
void draw_hazard_mark(surface& s, double x0, double y0, double x1, double y1, bool head0,
                      bool head1) {
    constexpr double head = 5, half = 3;
    const double length = std::hypot(x1 - x0, y1 - y0);
    const double ux = (x1 - x0) / length, uy = (y1 - y0) / length;
    const auto heads = [&](bool stroke) {
        for (const auto& [on, x, y, out] :
             {std::tuple{head0, x0, y0, -1.0}, {head1, x1, y1, 1.0}}) {
            if (!on) continue;
            s.move_to(x, y);
            s.line_to(x - out * ux * head - uy * half, y - out * uy * head + ux * half);
            s.line_to(x - out * ux * head + uy * half, y - out * uy * head - ux * half);
            s.line_to(x, y);
            stroke ? s.stroke() : s.fill();
        }
    };
    s.set_colour(white);
    s.set_line(4.5, {}, true);
    s.move_to(x0, y0);
    s.line_to(x1, y1);
    s.stroke();
    heads(true);
    s.set_colour(black);
    s.set_line(1.5);
    s.move_to(x0 + (head0 ? ux * head : 0), y0 + (head0 ? uy * head : 0));
    s.line_to(x1 - (head1 ? ux * head : 0), y1 - (head1 ? uy * head : 0));
    s.stroke();
    heads(false);
}

// Each hazard pair: one mark from the digit of one cell to the digit of
// the other, across the edge they share, level with the digits (clear of
// the minterm numbers above them and of the loops' sides along the cells'
// edges, which it crosses). A pair across the map's edge has a mark on
// each of the two edges, from its cell out of the map, each named by the
// pair: left of the map under the row's heading, right of it, above it
// beside the column's heading, or below it.
void draw_hazards(surface& s, const map_picture& p, const grid_frame& f) {
    const ink_box ink = digit_ink();
    const double half_w = ink.width / 2 + 3, half_h = ink.height / 2 + 3, out = 8;
    const double right = f.x + f.size(), bottom = f.y + f.size();
    for (const cell_pair& pair : p.hazards) {
        const cell_place a = f.place(pair.low), b = f.place(pair.high);
        const std::string name = std::to_string(pair.low) + "-" + std::to_string(pair.high);
        const text_block label = lay_out_text(name, hazard_name_font);
        if (a.row == b.row) {
            const double y = f.digit_y(a.row);
            const int left = std::min(a.col, b.col), far = std::max(a.col, b.col);
            if (far - left == 1) {
                draw_hazard_mark(s, f.digit_x(left) + half_w, y, f.digit_x(far) - half_w, y, true,
                                 true);
                continue;
            }
            draw_hazard_mark(s, f.digit_x(0) - half_w, y, f.x - out, y, false, true);
            draw_hazard_mark(s, f.digit_x(far) + half_w, y, right + out, y, false, true);
            s.text(f.x - 2, y + 4, label, anchor::right);
            s.text(right + 2, y + 4, label, anchor::left);
        } else {
            const double x = f.digit_x(a.col);
            const int top = std::min(a.row, b.row), far = std::max(a.row, b.row);
            if (far - top == 1) {
                draw_hazard_mark(s, x, f.digit_y(top) + half_h, x, f.digit_y(far) - half_h, true,
                                 true);
                continue;
            }
            // Above the map the mark stops short of the column's heading,
            // and its name stands right of the heading, or left of it where
            // the picture ends.
            const text_block heading = lay_out_text(line_name(f, false, a.col), heading_font);
            const double centre = f.left(a.col) + f.cell / 2;
            draw_hazard_mark(s, x, f.digit_y(0) - half_h, x, f.y - 4, false, true);
            const double after = std::max(x + 4, centre + heading.width / 2 + 4);
            if (after + label.width <= right + margin)
                s.text(after, f.y - label.height - 1, label, anchor::left);
            else
                s.text(centre - heading.width / 2 - 4, f.y - label.height - 1, label,
                       anchor::right);
            draw_hazard_mark(s, x, f.digit_y(far) + half_h, x, bottom + out, false, true);
            s.text(x + 5, bottom + 3, label, anchor::left);
        }
    }
}

// The ink of the widest and tallest digit, in the strong font.
ink_box digit_ink() {
    static const ink_box ink = [] {
        ink_box most{0, 0};
        for (const char* digit : {"0", "1", "X"}) {
            const ink_box one = ink_of(digit, strong_font);
            most = {std::max(most.width, one.width), std::max(most.height, one.height)};
        }
        return most;
    }();
    return ink;
}

// The logical size of each minterm number in its font, measured once.
picture_size number_size(int m) {
    static const std::array<picture_size, cell_count> sizes = [] {
        std::array<picture_size, cell_count> all{};
        for (int n = 0; n < cell_count; ++n) {
            const text_block block = lay_out_text(std::to_string(n), number_font);
            all[static_cast<std::size_t>(n)] = {block.width, block.height};
        }
        return all;
    }();
    return sizes[static_cast<std::size_t>(m)];
}

} // namespace

const loop_look& look_of(std::size_t group) {
    return loop_look_table[group % loop_look_table.size()];
}

// Whole units, so that a picture fills whole pixels at the window's scale.
picture_size measure_picture(const map_picture& p) {
    return {std::ceil(width_of_picture(p)),
            std::ceil(top_of_grid(p) + frame_of(p).size() + legend_gap(p) +
                      plan_legend(p, 0).height + caption_height(p) + margin)};
}

void draw_picture(surface& s, const map_picture& p) {
    s.save();
    const picture_size size = measure_picture(p);
    s.set_colour(white);
    s.rectangle(0, 0, size.width, size.height);
    s.fill();
    s.set_colour(black);
    if (!p.title.empty()) put_text(s, p.title, margin, margin, title_font);
    const grid_frame f = frame_of(p);
    draw_headers(s, f);
    draw_marks(s, p.marked, f);
    draw_grid_lines(s, f);
    if (numbered(p)) draw_numbers(s, f);
    draw_cells(s, p, f);
    draw_rings(s, p, f);
    const picture_layout layout = layout_of(p);
    draw_groups(s, p, layout);
    draw_tags(s, p, layout);
    draw_hazards(s, p, f);
    draw_cursor(s, p.cursor, f);
    const double legend_top = f.y + f.size() + legend_gap(p);
    const legend_plan legend = plan_legend(p, legend_top);
    draw_legend(s, p, legend);
    if (!p.caption.empty()) {
        s.set_colour(black);
        put_text(s, break_between_terms(p.caption), margin,
                 legend_top + legend.height + caption_gap, caption_font, false, caption_width(p));
    }
    s.restore();
}

int minterm_at_point(const map_picture& p, double x, double y) {
    const grid_frame f = frame_of(p);
    const double col = (x - f.x) / f.cell, row = (y - f.y) / f.cell;
    if (col < 0 || row < 0 || col >= map_side || row >= map_side) return -1;
    return f.minterm(static_cast<int>(row), static_cast<int>(col));
}

bool loops_numbered(const map_picture& p) {
    unsigned used = 0;
    for (std::size_t k = 0; k < p.groups.size(); ++k) {
        const unsigned bit = 1u << (look_index(p, k) % loop_styles);
        if ((used & bit) != 0) return true;
        used |= bit;
    }
    return false;
}

namespace {

bool boxes_meet(const picture_box& a, const picture_box& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

// Where a loop's number goes: the middle of a side of one of its pieces, the
// first that keeps clear of the digits and of the numbers placed before.
picture_box place_tag(const picture_layout& layout, std::size_t k) {
    std::vector<picture_box> spots;
    for (const loop_stroke& s : layout.loops) {
        if (s.group != k) continue;
        const double cx = (s.box.x0 + s.box.x1) / 2, cy = (s.box.y0 + s.box.y1) / 2;
        const double w = tag_width / 2, h = tag_height / 2;
        if (!s.open_top) spots.push_back({cx - w, s.box.y0 - h, cx + w, s.box.y0 + h});
        if (!s.open_bottom) spots.push_back({cx - w, s.box.y1 - h, cx + w, s.box.y1 + h});
        if (!s.open_left) spots.push_back({s.box.x0 - w, cy - h, s.box.x0 + w, cy + h});
        if (!s.open_right) spots.push_back({s.box.x1 - w, cy - h, s.box.x1 + w, cy + h});
    }
    auto clear = [&](const picture_box& spot, bool of_digits) {
        for (const picture_box& t : layout.tags)
            if (boxes_meet(spot, t)) return false;
        for (const picture_box& n : layout.numbers)
            if (boxes_meet(spot, n)) return false;
        if (of_digits)
            for (const picture_box& d : layout.digits)
                if (boxes_meet(spot, d)) return false;
        return true;
    };
    for (const bool of_digits : {true, false})
        for (const picture_box& spot : spots)
            if (clear(spot, of_digits)) return spot;
    return spots.front();
}

} // namespace

picture_layout layout_of(const map_picture& p) {
    const grid_frame f = frame_of(p);
    const double gx = f.x, gy = f.y, cell = f.cell;
    picture_layout layout{{gx, gy, gx + f.size(), gy + f.size()}, 0, {}, {}, {}, {}};
    const std::vector<int> levels = inset_levels(p);
    for (std::size_t k = 0; k < p.groups.size(); ++k) {
        const double inset = first_inset + inset_step * std::min(levels[k], inset_floor);
        layout.line_width = std::max(layout.line_width, width_of(p, k));
        for (const grid_piece& piece : pieces_of(p.groups[k].cells, p.layout))
            layout.loops.push_back({k,
                                    width_of(p, k),
                                    {gx + piece.col * cell + inset, gy + piece.row * cell + inset,
                                     gx + (piece.col + piece.cols) * cell - inset,
                                     gy + (piece.row + piece.rows) * cell - inset},
                                    piece.open_top,
                                    piece.open_bottom,
                                    piece.open_left,
                                    piece.open_right});
    }
    const ink_box ink = digit_ink();
    for (int m = 0; m < cell_count; ++m) {
        const cell_place at = f.place(m);
        const double cx = f.digit_x(at.col), cy = f.digit_y(at.row);
        const double half_w = ink.width / 2 + digit_clearance,
                     half_h = ink.height / 2 + digit_clearance;
        layout.digits[static_cast<std::size_t>(m)] = {cx - half_w, cy - half_h, cx + half_w,
                                                      cy + half_h};
    }
    for (int m = 0; numbered(p) && m < cell_count; ++m) {
        const cell_place at = f.place(m);
        const double x = f.left(at.col) + number_offset, y = f.top(at.row) + number_offset;
        const picture_size size = number_size(m);
        layout.numbers.push_back({x, y, x + size.width, y + size.height});
    }
    if (loops_numbered(p))
        for (std::size_t k = 0; k < p.groups.size(); ++k)
            layout.tags.push_back(place_tag(layout, k));
    return layout;
}

std::string without_breaks(std::string_view text) {
    static constexpr std::string_view may = "\u200B";
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t next = text.find(may, at);
        out.append(text.substr(at, next - at));
        if (next == std::string_view::npos) break;
        at = next + may.size();
    }
    return out;
}

// A zero-width space where a line may break: text wrapped by words then
// breaks there, or at a blank, and never inside a term.
std::string break_between_terms(const std::string& text) {
    static const std::string may = "\u200B";
    std::string out;
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        out += ch;
        depth += ch == '(' ? 1 : ch == ')' ? -1 : 0;
        if (i + 1 == text.size() || depth != 0) continue;
        const char next = text[i + 1];
        if (ch == ' ' || ch == '\n' || next == ' ' || next == '\n') continue;
        // Between products after a '+'; between sums after a ')' or before
        // a '(' (a sum of one letter stands bare).
        if (ch == '+' || (ch == ')' && next != '\'') || next == '(') out += may;
    }
    return out;
}

} // namespace tessary
