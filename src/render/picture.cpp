// Drawing a map and its groups with cairo and pango (see picture.h).
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

#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <numbers>

namespace tessary {

namespace {

constexpr double margin = 12, header_width = 48, header_height = 26;
constexpr double title_height = 24, legend_row = 18, caption_gap = 6;
constexpr int legend_columns = 2;

// A cell is larger with minterm numbers: each number then sits inside the
// deepest loop, clear of every loop's line, above and left of its digit.
constexpr double plain_cell = 52, numbered_cell = 66;
constexpr double number_offset = 18, numbered_digit_shift = 5;
const char number_font[] = "Sans 7";

double cell_of(const map_picture& p) {
    return p.numbers ? numbered_cell : plain_cell;
}

double width_of_picture(const map_picture& p) {
    return 2 * margin + header_width + map_side * cell_of(p);
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
const char tag_font[] = "Sans Bold 7";
constexpr int inset_floor = 4;
constexpr double digit_clearance = 1.5;
const char strong_font[] = "Sans Bold 13", light_font[] = "Sans 13";

struct colour {
    double r, g, b;
};

// A colour and a line for each loop, told apart in colour and, on a grey
// photocopy, by the line alone. The colours are dark enough for a photocopy
// and far apart in hue (Okabe and Ito's blue, vermilion, green and purple
// with black, ochre, violet and grey). The lines: solid, dashed, dotted, a
// long dash with a dot, short dashes, then two heavy lines (long dashes,
// large dots) and a short dash with two dots. A dash of 0.1 with round caps
// is a dot.
constexpr std::array<loop_look, loop_styles> loop_look_table = {{
    {0.000, 0.447, 0.698, {}, 0, 2},
    {0.835, 0.369, 0.000, {7, 3}, 2, 2},
    {0.000, 0.620, 0.451, {0.1, 3.6}, 2, 2},
    {0.667, 0.200, 0.467, {13, 3, 0.1, 3}, 4, 2},
    {0.000, 0.000, 0.000, {2.5, 2.5}, 2, 2},
    {0.600, 0.467, 0.000, {11, 5}, 2, 3.5},
    {0.416, 0.239, 0.604, {4, 2.5, 0.1, 2.5, 0.1, 2.5}, 6, 2},
    {0.400, 0.400, 0.400, {0.1, 6}, 2, 3.5},
}};

// A loop found wrong: red, thick and broken.
constexpr colour warning_red = {0.80, 0.0, 0.0};
constexpr double warning_width = 3.5, warning_dashes[] = {8, 3, 2, 3};

// A faint loop is thin and pale; beside faint ones, the others are strong.
constexpr double faint_width = 1.25, strong_extra = 1, faint_paleness = 0.55;

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

void set_loop_style(cairo_t* cr, const map_picture& p, std::size_t k) {
    if (p.groups[k].warning) {
        cairo_set_source_rgb(cr, warning_red.r, warning_red.g, warning_red.b);
        cairo_set_line_width(cr, warning_width);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_dash(cr, warning_dashes, std::size(warning_dashes), 0);
        return;
    }
    const loop_look& style = look_of(look_index(p, k));
    const double pale = p.groups[k].faint ? faint_paleness : 0;
    cairo_set_source_rgb(cr, style.r + (1 - style.r) * pale, style.g + (1 - style.g) * pale,
                         style.b + (1 - style.b) * pale);
    cairo_set_line_width(cr, width_of(p, k));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_dash(cr, style.dashes.data(), style.dash_count, 0);
}

void set_colour(cairo_t* cr, colour c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

// Two columns while the terms are short; long sums take a line each.
int legend_columns_of(const map_picture& p) {
    for (const map_group& g : p.groups)
        if (g.label.size() > 10) return 1;
    return legend_columns;
}

int legend_rows(const map_picture& p) {
    const auto n = static_cast<int>(p.groups.size());
    const int columns = legend_columns_of(p);
    return (n + columns - 1) / columns;
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
    return {margin + header_width, top_of_grid(p), cell_of(p), p.numbers ? numbered_digit_shift : 0,
            p.layout};
}

// The caption's height when wrapped to the picture's width.
double caption_height(const map_picture& p) {
    if (p.caption.empty()) return 0;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    const double height = show_text(cr, break_between_terms(p.caption), 0, 0,
                                    {"Sans 10", false, width_of_picture(p) - 2 * margin});
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return caption_gap + height;
}

// "A'B'" for column 0: the literals a line of the map stands for.
std::string line_name(const grid_frame& f, bool row, int index) {
    const int m = row ? f.minterm(index, 0) : f.minterm(0, index);
    const bool cd = row == (f.layout == map_layout::cd_rows);
    const std::uint8_t care = cd ? 0x3 : 0xC;
    return product_text({care, static_cast<std::uint8_t>(m & care)});
}

void draw_headers(cairo_t* cr, const grid_frame& f) {
    const double gx = f.x, gy = f.y, cell = f.cell;
    set_colour(cr, {0, 0, 0});
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, margin, gy - header_height);
    cairo_line_to(cr, gx, gy);
    cairo_stroke(cr);
    const bool cd_rows = f.layout == map_layout::cd_rows;
    show_text(cr, cd_rows ? "AB" : "CD", gx - 14, gy - header_height + 7, {"Sans 8", true, 0});
    show_text(cr, cd_rows ? "CD" : "AB", margin + 12, gy - 8, {"Sans 8", true, 0});
    for (int i = 0; i < map_side; ++i) {
        show_text(cr, line_name(f, false, i), gx + (i + 0.5) * cell, gy - header_height / 2,
                  {"Sans Bold 11", true, 0});
        show_text(cr, line_name(f, true, i), margin + header_width / 2, gy + (i + 0.5) * cell,
                  {"Sans Bold 11", true, 0});
    }
}

void draw_grid_lines(cairo_t* cr, const grid_frame& f) {
    const double gx = f.x, gy = f.y, cell = f.cell, grid_size = f.size();
    cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
    cairo_set_line_width(cr, 1);
    for (int i = 1; i < map_side; ++i) {
        cairo_move_to(cr, gx + i * cell, gy);
        cairo_line_to(cr, gx + i * cell, gy + grid_size);
        cairo_move_to(cr, gx, gy + i * cell);
        cairo_line_to(cr, gx + grid_size, gy + i * cell);
    }
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 1.5);
    cairo_rectangle(cr, gx, gy, grid_size, grid_size);
    cairo_stroke(cr);
}

// The cells the loops take in are strong; the others, and the don't-cares,
// lighter but dark enough for a photocopy.
void draw_cells(cairo_t* cr, const map_picture& p, const grid_frame& f) {
    const char strong = p.loops_of == cover_kind::product_of_sums ? '0' : '1';
    for (int row = 0; row < map_side; ++row) {
        for (int col = 0; col < map_side; ++col) {
            const char value = value_at(p.map, f.minterm(row, col));
            const char other = strong == '1' ? '0' : '1';
            if (value == other && p.blank_others) continue;
            const double shade = value == strong ? 0.0 : 0.35;
            cairo_set_source_rgb(cr, shade, shade, shade);
            show_text(cr, std::string(1, value), f.digit_x(col), f.digit_y(row),
                      {value == strong ? strong_font : light_font, true, 0});
        }
    }
}

// Each cell's minterm number, small, above and left of its digit.
void draw_numbers(cairo_t* cr, const grid_frame& f) {
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    for (int m = 0; m < cell_count; ++m) {
        const cell_place at = f.place(m);
        show_text(cr, std::to_string(m), f.left(at.col) + number_offset,
                  f.top(at.row) + number_offset, {number_font, false, 0});
    }
}

// A pale ground crossed by thin diagonal hatching: seen in grey as well,
// and drawn as no loop is (a loop is a line along the cells' edges).
void draw_marks(cairo_t* cr, minterm_set marked, const grid_frame& f) {
    const double cell = f.cell;
    if (marked == 0) return;
    cairo_save(cr);
    for (int m = 0; m < cell_count; ++m) {
        if ((marked & minterm_bit(m)) == 0) continue;
        const cell_place at = f.place(m);
        const double x = f.left(at.col), y = f.top(at.row);
        cairo_save(cr);
        cairo_rectangle(cr, x, y, cell, cell);
        cairo_clip(cr);
        cairo_set_source_rgb(cr, 1.0, 0.93, 0.55);
        cairo_paint(cr);
        cairo_set_source_rgb(cr, 0.72, 0.64, 0.36);
        cairo_set_line_width(cr, 0.8);
        for (double d = 4; d < 2 * cell; d += 8) {
            cairo_move_to(cr, x + d, y);
            cairo_line_to(cr, x + d - cell, y + cell);
        }
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_restore(cr);
}

// A red ring round the digit: solid for a cell a loop must not take, broken
// for one no loop takes. Round, so never taken for a loop.
void draw_rings(cairo_t* cr, const map_picture& p, const grid_frame& f) {
    constexpr double radius = 11, broken[] = {3, 2.5};
    cairo_save(cr);
    cairo_set_source_rgb(cr, warning_red.r, warning_red.g, warning_red.b);
    cairo_set_line_width(cr, 2);
    for (int m = 0; m < cell_count; ++m) {
        const bool wrong = (p.wrong_cells & minterm_bit(m)) != 0;
        if (!wrong && (p.missed_cells & minterm_bit(m)) == 0) continue;
        const cell_place at = f.place(m);
        cairo_set_dash(cr, broken, wrong ? 0 : 2, 0);
        cairo_new_sub_path(cr);
        cairo_arc(cr, f.digit_x(at.col), f.digit_y(at.row), radius, 0, 2 * std::numbers::pi);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// A thick solid frame inside the cell, in the colour of the text.
void draw_cursor(cairo_t* cr, int cursor, const grid_frame& f) {
    const double cell = f.cell;
    if (cursor < 0 || cursor >= cell_count) return;
    const cell_place at = f.place(cursor);
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 3);
    cairo_rectangle(cr, f.left(at.col) + 1.5, f.top(at.row) + 1.5, cell - 3, cell - 3);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void rounded_rectangle(cairo_t* cr, double x0, double y0, double x1, double y1, double radius) {
    radius = std::min({radius, (x1 - x0) / 2, (y1 - y0) / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1 - radius, y0 + radius, radius, -std::numbers::pi / 2, 0);
    cairo_arc(cr, x1 - radius, y1 - radius, radius, 0, std::numbers::pi / 2);
    cairo_arc(cr, x0 + radius, y1 - radius, radius, std::numbers::pi / 2, std::numbers::pi);
    cairo_arc(cr, x0 + radius, y0 + radius, radius, std::numbers::pi, 3 * std::numbers::pi / 2);
    cairo_close_path(cr);
}

// A piece open towards an edge runs past it and is cut at the grid's border.
void draw_loop(cairo_t* cr, const loop_stroke& loop, double run_on) {
    const picture_box& b = loop.box;
    rounded_rectangle(cr, loop.open_left ? b.x0 - run_on : b.x0,
                      loop.open_top ? b.y0 - run_on : b.y0, loop.open_right ? b.x1 + run_on : b.x1,
                      loop.open_bottom ? b.y1 + run_on : b.y1, 12);
    cairo_stroke(cr);
}

void draw_groups(cairo_t* cr, const map_picture& p, const picture_layout& layout) {
    const double run_on = cell_of(p) / 2;
    cairo_save(cr);
    const picture_box& g = layout.grid;
    cairo_rectangle(cr, g.x0, g.y0, g.x1 - g.x0, g.y1 - g.y0);
    cairo_clip(cr);
    for (const loop_stroke& loop : layout.loops) {
        set_loop_style(cr, p, loop.group);
        draw_loop(cr, loop, run_on);
    }
    cairo_restore(cr);
}

// A loop's number in a small white box framed in its colour.
void draw_tags(cairo_t* cr, const map_picture& p, const picture_layout& layout) {
    for (std::size_t k = 0; k < layout.tags.size(); ++k) {
        const picture_box& b = layout.tags[k];
        cairo_save(cr);
        cairo_rectangle(cr, b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill_preserve(cr);
        set_loop_style(cr, p, k);
        cairo_set_line_width(cr, 1);
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_stroke(cr);
        show_text(cr, std::to_string(k + 1), (b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2,
                  {tag_font, true, 0});
        cairo_restore(cr);
    }
}

void draw_legend(cairo_t* cr, const map_picture& p, double top) {
    const auto columns = static_cast<std::size_t>(legend_columns_of(p));
    const double column_width = (width_of_picture(p) - 2 * margin) / static_cast<double>(columns);
    for (std::size_t k = 0; k < p.groups.size(); ++k) {
        const double x = margin + static_cast<double>(k % columns) * column_width;
        const double y = top + static_cast<double>(k / columns) * legend_row;
        cairo_save(cr);
        set_loop_style(cr, p, k);
        rounded_rectangle(cr, x + 1, y + 4, x + 29, y + 15, 4);
        cairo_stroke(cr);
        cairo_restore(cr);
        const loop_look& look = look_of(look_index(p, k));
        set_colour(cr, p.groups[k].warning ? warning_red : colour{look.r, look.g, look.b});
        const std::string number = loops_numbered(p) ? std::to_string(k + 1) + "  " : "";
        show_text(cr, number + p.groups[k].label, x + 36, y + 1,
                  {p.groups[k].faint ? "Sans 10" : "Sans Bold 10", false, 0});
    }
}

// What `measure` finds on a scratch pango layout set in `font`.
template <class Measure> auto measured_in(const char* font, Measure measure) {
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* description = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    const auto found = measure(layout);
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return found;
}

// The ink of the widest and tallest digit, in the strong font.
picture_size digit_ink() {
    static const picture_size ink = measured_in(strong_font, [](PangoLayout* layout) {
        picture_size most{0, 0};
        for (const char* digit : {"0", "1", "X"}) {
            pango_layout_set_text(layout, digit, -1);
            PangoRectangle ink_rect;
            pango_layout_get_pixel_extents(layout, &ink_rect, nullptr);
            most = {std::max(most.width, double(ink_rect.width)),
                    std::max(most.height, double(ink_rect.height))};
        }
        return most;
    });
    return ink;
}

// The logical size of each minterm number in its font, measured once.
picture_size number_size(int m) {
    static const std::array<picture_size, cell_count> sizes =
        measured_in(number_font, [](PangoLayout* layout) {
            std::array<picture_size, cell_count> all{};
            for (int n = 0; n < cell_count; ++n) {
                pango_layout_set_text(layout, std::to_string(n).c_str(), -1);
                int width, height;
                pango_layout_get_pixel_size(layout, &width, &height);
                all[static_cast<std::size_t>(n)] = {double(width), double(height)};
            }
            return all;
        });
    return sizes[static_cast<std::size_t>(m)];
}

} // namespace

const loop_look& look_of(std::size_t group) {
    return loop_look_table[group % loop_look_table.size()];
}

picture_size measure_picture(const map_picture& p) {
    return {width_of_picture(p), top_of_grid(p) + frame_of(p).size() + 10 +
                                     legend_rows(p) * legend_row + caption_height(p) + margin};
}

void draw_picture(cairo_t* cr, const map_picture& p) {
    cairo_save(cr);
    const picture_size size = measure_picture(p);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, 0, 0, size.width, size.height);
    cairo_fill(cr);
    if (!p.title.empty()) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        show_text(cr, p.title, margin, margin, {"Sans Bold 11", false, 0});
    }
    const grid_frame f = frame_of(p);
    draw_headers(cr, f);
    draw_marks(cr, p.marked, f);
    draw_grid_lines(cr, f);
    if (p.numbers) draw_numbers(cr, f);
    draw_cells(cr, p, f);
    draw_rings(cr, p, f);
    const picture_layout layout = layout_of(p);
    draw_groups(cr, p, layout);
    draw_tags(cr, p, layout);
    draw_cursor(cr, p.cursor, f);
    const double legend_top = f.y + f.size() + 10;
    draw_legend(cr, p, legend_top);
    if (!p.caption.empty()) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        show_text(cr, break_between_terms(p.caption), margin,
                  legend_top + legend_rows(p) * legend_row + caption_gap,
                  {"Sans 10", false, width_of_picture(p) - 2 * margin});
    }
    cairo_restore(cr);
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
    const picture_size ink = digit_ink();
    for (int m = 0; m < cell_count; ++m) {
        const cell_place at = f.place(m);
        const double cx = f.digit_x(at.col), cy = f.digit_y(at.row);
        const double half_w = ink.width / 2 + digit_clearance,
                     half_h = ink.height / 2 + digit_clearance;
        layout.digits[static_cast<std::size_t>(m)] = {cx - half_w, cy - half_h, cx + half_w,
                                                      cy + half_h};
    }
    for (int m = 0; p.numbers && m < cell_count; ++m) {
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

// The same picture as TikZ: the same layout, loops, lines, colours and text,
// in the picture's own units (a unit a point, y growing downwards), so that
// the tikzpicture and the PDF picture look alike.
namespace tessary {

namespace {

std::string number(double v) {
    // Written as TikZ reads it whatever the locale's decimal point.
    char text[32];
    const std::to_chars_result end =
        std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 2);
    std::string s(text, end.ptr);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string point(double x, double y) {
    return "(" + number(x) + "," + number(y) + ")";
}

} // namespace

std::string latex_text(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (text.compare(i, 3, "\u200B") == 0) {
            out += "\\allowbreak{}";
            i += 2;
        } else if (ch == '\'') {
            out += "\\textquotesingle{}";
        } else if (std::string_view("#$%&_{}").find(ch) != std::string_view::npos) {
            out += std::string("\\") + ch;
        } else if (ch == '\\' || ch == '^' || ch == '~') {
            out += "\\char" + std::to_string(static_cast<int>(ch)) + "{}";
        } else if (ch == '\n') {
            out += "\\\\";
        } else {
            out += ch;
        }
    }
    return out;
}

namespace {

// A pango font ("Sans Bold 13") as LaTeX's: its size in points at the 96
// dots an inch pango draws at, sans serif, bold where it is.
std::string latex_font(std::string_view font) {
    const double size = std::stod(std::string(font.substr(font.rfind(' ') + 1))) * 96 / 72;
    const bool bold = font.find("Bold") != std::string_view::npos;
    return "\\fontsize{" + number(size) + "}{" + number(size * 1.2) + "}\\selectfont\\sffamily" +
           (bold ? "\\bfseries" : "");
}

std::string grey(double shade) {
    return "{rgb,1:red," + number(shade) + ";green," + number(shade) + ";blue," + number(shade) +
           "}";
}

std::string node(double x, double y, bool centred, std::string_view font, const std::string& text,
                 const std::string& colour = "black") {
    return "\\node[inner sep=0,anchor=" + std::string(centred ? "center" : "north west") +
           ",text=" + colour + ",font=" + latex_font(font) + "] at " + point(x, y) + " {" +
           latex_text(text) + "};\n";
}

// The options of a loop's line, as set_loop_style() sets them.
std::string loop_options(const map_picture& p, std::size_t k) {
    const bool warning = p.groups[k].warning;
    const loop_look& look = look_of(look_index(p, k));
    const double pale = p.groups[k].faint ? faint_paleness : 0;
    const colour c = warning ? warning_red
                             : colour{look.r + (1 - look.r) * pale, look.g + (1 - look.g) * pale,
                                      look.b + (1 - look.b) * pale};
    std::string o = "draw={rgb,1:red," + number(c.r) + ";green," + number(c.g) + ";blue," +
                    number(c.b) + "},line width=" + number(width_of(p, k)) + ",line cap=round";
    const double* dashes = warning ? warning_dashes : look.dashes.data();
    const int count = warning ? static_cast<int>(std::size(warning_dashes)) : look.dash_count;
    if (count > 0) {
        o += ",dash pattern=";
        for (int i = 0; i < count; ++i)
            o += std::string(i % 2 == 0 ? "on " : "off ") + number(dashes[i]) + " ";
        o.pop_back();
    }
    return o;
}

std::string legend_colour(const map_picture& p, std::size_t k) {
    const loop_look& look = look_of(look_index(p, k));
    const colour c = p.groups[k].warning ? warning_red : colour{look.r, look.g, look.b};
    return "{rgb,1:red," + number(c.r) + ";green," + number(c.g) + ";blue," + number(c.b) + "}";
}

std::string tikz_grid(const map_picture& p, const grid_frame& f) {
    std::string t;
    const double gy = f.y, gx = f.x, size = f.size();
    t += "\\draw[line width=1] " + point(margin, gy - header_height) + " -- " + point(gx, gy) +
         ";\n";
    const bool cd_rows = f.layout == map_layout::cd_rows;
    t += node(gx - 14, gy - header_height + 7, true, "Sans 8", cd_rows ? "AB" : "CD");
    t += node(margin + 12, gy - 8, true, "Sans 8", cd_rows ? "CD" : "AB");
    for (int i = 0; i < map_side; ++i) {
        t += node(gx + (i + 0.5) * f.cell, gy - header_height / 2, true, "Sans Bold 11",
                  line_name(f, false, i));
        t += node(margin + header_width / 2, gy + (i + 0.5) * f.cell, true, "Sans Bold 11",
                  line_name(f, true, i));
    }
    for (int i = 1; i < map_side; ++i)
        t += "\\draw[line width=1,draw=" + grey(0.6) + "] " + point(gx + i * f.cell, gy) + " -- " +
             point(gx + i * f.cell, gy + size) + " " + point(gx, gy + i * f.cell) + " -- " +
             point(gx + size, gy + i * f.cell) + ";\n";
    t += "\\draw[line width=1.5] " + point(gx, gy) + " rectangle " + point(gx + size, gy + size) +
         ";\n";
    for (int m = 0; p.numbers && m < cell_count; ++m) {
        const cell_place at = f.place(m);
        t += node(f.left(at.col) + number_offset, f.top(at.row) + number_offset, false, number_font,
                  std::to_string(m), grey(0.3));
    }
    return t;
}

std::string tikz_cells(const map_picture& p, const grid_frame& f) {
    std::string t;
    const char strong = p.loops_of == cover_kind::product_of_sums ? '0' : '1';
    for (int row = 0; row < map_side; ++row)
        for (int col = 0; col < map_side; ++col) {
            const char value = value_at(p.map, f.minterm(row, col));
            if (value == (strong == '1' ? '0' : '1') && p.blank_others) continue;
            t += node(f.digit_x(col), f.digit_y(row), true,
                      value == strong ? strong_font : light_font, std::string(1, value),
                      grey(value == strong ? 0 : 0.35));
        }
    return t;
}

std::string rounded(double x0, double y0, double x1, double y1, double radius) {
    radius = std::min({radius, (x1 - x0) / 2, (y1 - y0) / 2});
    return "[rounded corners=" + number(radius) + "] " + point(x0, y0) + " rectangle " +
           point(x1, y1);
}

std::string tikz_loops(const map_picture& p, const picture_layout& layout, double run_on) {
    std::string t = "\\begin{scope}\n\\clip " + point(layout.grid.x0, layout.grid.y0) +
                    " rectangle " + point(layout.grid.x1, layout.grid.y1) + ";\n";
    for (const loop_stroke& loop : layout.loops) {
        const picture_box& b = loop.box;
        t += "\\draw[" + loop_options(p, loop.group) + "] " +
             rounded(loop.open_left ? b.x0 - run_on : b.x0, loop.open_top ? b.y0 - run_on : b.y0,
                     loop.open_right ? b.x1 + run_on : b.x1,
                     loop.open_bottom ? b.y1 + run_on : b.y1, 12) +
             ";\n";
    }
    t += "\\end{scope}\n";
    for (std::size_t k = 0; k < layout.tags.size(); ++k) {
        const picture_box& b = layout.tags[k];
        t += "\\draw[" + loop_options(p, k) + ",line width=1,solid,fill=white] " +
             point(b.x0, b.y0) + " rectangle " + point(b.x1, b.y1) + ";\n";
        t += node((b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2, true, tag_font, std::to_string(k + 1));
    }
    return t;
}

std::string tikz_legend(const map_picture& p, double top) {
    std::string t;
    const auto columns = static_cast<std::size_t>(legend_columns_of(p));
    const double column_width = (width_of_picture(p) - 2 * margin) / static_cast<double>(columns);
    for (std::size_t k = 0; k < p.groups.size(); ++k) {
        const double x = margin + static_cast<double>(k % columns) * column_width;
        const double y = top + static_cast<double>(k / columns) * legend_row;
        t += "\\draw[" + loop_options(p, k) + "] " + rounded(x + 1, y + 4, x + 29, y + 15, 4) +
             ";\n";
        const std::string numbered = loops_numbered(p) ? std::to_string(k + 1) + "  " : "";
        t += node(x + 36, y + 1, false, p.groups[k].faint ? "Sans 10" : "Sans Bold 10",
                  numbered + p.groups[k].label, legend_colour(p, k));
    }
    return t;
}

} // namespace

std::string picture_tikz(const map_picture& p) {
    const picture_size size = measure_picture(p);
    const grid_frame f = frame_of(p);
    std::string t = "\\begin{tikzpicture}[x=1pt,y=-1pt]\n";
    t += "\\path[use as bounding box] (0,0) rectangle " + point(size.width, size.height) + ";\n";
    if (!p.title.empty()) t += node(margin, margin, false, "Sans Bold 11", p.title);
    t += tikz_grid(p, f) + tikz_cells(p, f) + tikz_loops(p, layout_of(p), f.cell / 2);
    const double legend_top = f.y + f.size() + 10;
    t += tikz_legend(p, legend_top);
    if (!p.caption.empty())
        t += "\\node[inner sep=0,anchor=north west,text width=" +
             number(width_of_picture(p) - 2 * margin) +
             "pt,align=left,font=" + latex_font("Sans 10") + "] at " +
             point(margin, legend_top + legend_rows(p) * legend_row + caption_gap) + " {" +
             latex_text(break_between_terms(p.caption)) + "};\n";
    return t + "\\end{tikzpicture}\n";
}

std::string tikz_document(const std::string& body) {
    return "\\documentclass{article}\n\\usepackage[T1]{fontenc}\n\\usepackage{lmodern}\n"
           "\\usepackage{tikz}\n\\pagestyle{empty}\n\\begin{document}\n\\noindent\n" +
           body + "\\end{document}\n";
}

} // namespace tessary
