// Drawing a map and its groups with cairo and pango (see picture.h).
//
// The layout: an optional title; the corner with its diagonal and the
// variable names; the column headers A'B' A'B AB AB' and the row headers
// C'D' C'D CD CD'; the cells with their values; a loop round each group,
// each inset a little more than the one before so that loops over the same
// cells stay apart; then the legend, each term in its loop's colour, and an
// optional caption.
#include "render/picture.h"

#include "render/geometry.h"
#include "render/text.h"

#include <algorithm>
#include <array>
#include <numbers>

namespace tessary {

namespace {

constexpr double margin = 12, header_width = 48, header_height = 26, cell = 44;
constexpr double grid_size = map_side * cell;
constexpr double title_height = 24, legend_row = 20, caption_gap = 6;
constexpr double picture_width = 2 * margin + header_width + grid_size;
constexpr int legend_columns = 2;

struct colour {
    double r, g, b;
};

// Okabe and Ito's palette, which readers with colour-blindness tell apart;
// its yellow is left out, being too pale on white.
constexpr std::array<colour, 7> palette = {{{0.000, 0.447, 0.698},
                                            {0.835, 0.369, 0.000},
                                            {0.000, 0.620, 0.451},
                                            {0.800, 0.475, 0.655},
                                            {0.902, 0.624, 0.000},
                                            {0.337, 0.706, 0.914},
                                            {0.000, 0.000, 0.000}}};

colour colour_of(std::size_t group) {
    return palette[group % palette.size()];
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

// The caption may break after each '+' and ')': a zero-width space marks
// the places, so that a term is never split.
std::string breakable(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        out += ch;
        if (ch == '+' || ch == ')') out += "\u200B";
    }
    return out;
}

double top_of_grid(const map_picture& p) {
    return margin + (p.title.empty() ? 0 : title_height) + header_height;
}

double left_of_grid() {
    return margin + header_width;
}

// The caption's height when wrapped to the picture's width.
double caption_height(const map_picture& p) {
    if (p.caption.empty()) return 0;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    const double height =
        show_text(cr, breakable(p.caption), 0, 0, {"Sans 10", false, picture_width - 2 * margin});
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return caption_gap + height;
}

// "A'B'" for column 0: the literals a line of the map stands for.
std::string line_name(bool row, int index) {
    const int m = row ? minterm_at(index, 0) : minterm_at(0, index);
    const std::uint8_t care = row ? 0x3 : 0xC;
    return product_text({care, static_cast<std::uint8_t>(m & care)});
}

void draw_headers(cairo_t* cr, double gx, double gy) {
    set_colour(cr, {0, 0, 0});
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, margin, gy - header_height);
    cairo_line_to(cr, gx, gy);
    cairo_stroke(cr);
    show_text(cr, "AB", gx - 14, gy - header_height + 7, {"Sans 8", true, 0});
    show_text(cr, "CD", margin + 12, gy - 8, {"Sans 8", true, 0});
    for (int i = 0; i < map_side; ++i) {
        show_text(cr, line_name(false, i), gx + (i + 0.5) * cell, gy - header_height / 2,
                  {"Sans Bold 10", true, 0});
        show_text(cr, line_name(true, i), margin + header_width / 2, gy + (i + 0.5) * cell,
                  {"Sans Bold 10", true, 0});
    }
}

void draw_cells(cairo_t* cr, const boolean_map& map, double gx, double gy) {
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
    for (int row = 0; row < map_side; ++row) {
        for (int col = 0; col < map_side; ++col) {
            const char value = value_at(map, minterm_at(row, col));
            const double shade = value == '1' ? 0.0 : 0.55;
            cairo_set_source_rgb(cr, shade, shade, shade);
            show_text(cr, std::string(1, value), gx + (col + 0.5) * cell, gy + (row + 0.5) * cell,
                      {value == '1' ? "Sans Bold 13" : "Sans 12", true, 0});
        }
    }
}

// A pale ground and a dark dashed frame: still told apart in grey.
void draw_marks(cairo_t* cr, minterm_set marked, double gx, double gy) {
    if (marked == 0) return;
    cairo_save(cr);
    for (int m = 0; m < cell_count; ++m) {
        if ((marked & minterm_bit(m)) == 0) continue;
        const cell_place at = place_of(m);
        cairo_rectangle(cr, gx + at.col * cell + 3, gy + at.row * cell + 3, cell - 6, cell - 6);
        cairo_set_source_rgb(cr, 1.0, 0.93, 0.55);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
        const double dash[] = {3, 2};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// A thick solid frame inside the cell, in the colour of the text.
void draw_cursor(cairo_t* cr, int cursor, double gx, double gy) {
    if (cursor < 0 || cursor >= cell_count) return;
    const cell_place at = place_of(cursor);
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 3);
    cairo_rectangle(cr, gx + at.col * cell + 1.5, gy + at.row * cell + 1.5, cell - 3, cell - 3);
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
void draw_loop(cairo_t* cr, const grid_piece& piece, double inset, double gx, double gy) {
    const double run_on = cell / 2;
    const double x0 = piece.open_left ? gx - run_on : gx + piece.col * cell + inset;
    const double x1 =
        piece.open_right ? gx + grid_size + run_on : gx + (piece.col + piece.cols) * cell - inset;
    const double y0 = piece.open_top ? gy - run_on : gy + piece.row * cell + inset;
    const double y1 =
        piece.open_bottom ? gy + grid_size + run_on : gy + (piece.row + piece.rows) * cell - inset;
    rounded_rectangle(cr, x0, y0, x1, y1, 12);
    cairo_stroke(cr);
}

void draw_groups(cairo_t* cr, const map_picture& p, double gx, double gy) {
    cairo_save(cr);
    cairo_rectangle(cr, gx, gy, grid_size, grid_size);
    cairo_clip(cr);
    cairo_set_line_width(cr, 2.5);
    const std::vector<int> levels = inset_levels(p);
    for (std::size_t k = 0; k < p.groups.size(); ++k) {
        set_colour(cr, colour_of(k));
        const double inset = 4 + 4 * static_cast<double>(std::min(levels[k], 4));
        for (const grid_piece& piece : pieces_of(p.groups[k].cells))
            draw_loop(cr, piece, inset, gx, gy);
    }
    cairo_restore(cr);
}

void draw_legend(cairo_t* cr, const map_picture& p, double top) {
    const auto columns = static_cast<std::size_t>(legend_columns_of(p));
    const double column_width = (picture_width - 2 * margin) / static_cast<double>(columns);
    for (std::size_t k = 0; k < p.groups.size(); ++k) {
        const double x = margin + static_cast<double>(k % columns) * column_width;
        const double y = top + static_cast<double>(k / columns) * legend_row;
        set_colour(cr, colour_of(k));
        cairo_set_line_width(cr, 2.5);
        rounded_rectangle(cr, x + 1, y + 4, x + 19, y + 15, 4);
        cairo_stroke(cr);
        show_text(cr, p.groups[k].label, x + 26, y + 1, {"Sans Bold 10", false, 0});
    }
}

} // namespace

picture_size measure_picture(const map_picture& p) {
    return {picture_width, top_of_grid(p) + grid_size + 10 + legend_rows(p) * legend_row +
                               caption_height(p) + margin};
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
    const double gx = left_of_grid(), gy = top_of_grid(p);
    draw_headers(cr, gx, gy);
    draw_marks(cr, p.marked, gx, gy);
    draw_cells(cr, p.map, gx, gy);
    draw_groups(cr, p, gx, gy);
    draw_cursor(cr, p.cursor, gx, gy);
    const double legend_top = gy + grid_size + 10;
    draw_legend(cr, p, legend_top);
    if (!p.caption.empty()) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        show_text(cr, breakable(p.caption), margin,
                  legend_top + legend_rows(p) * legend_row + caption_gap,
                  {"Sans 10", false, picture_width - 2 * margin});
    }
    cairo_restore(cr);
}

int minterm_at_point(const map_picture& p, double x, double y) {
    const double col = (x - left_of_grid()) / cell, row = (y - top_of_grid(p)) / cell;
    if (col < 0 || row < 0 || col >= map_side || row >= map_side) return -1;
    return minterm_at(static_cast<int>(row), static_cast<int>(col));
}

} // namespace tessary
