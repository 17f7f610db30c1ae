// The prime-implicant chart drawn (see chart_picture.h).
#include "render/chart_picture.h"

#include "render/text.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tessary {

namespace {

constexpr double margin = 12, column_width = 26, row_height = 22, header_height = 24;
constexpr double name_gap = 8, note_gap = 6, least_width = 320;
constexpr font name_font{points(10), true}, term_font{points(10)};
constexpr font header_font{points(9), true}, mark_font{points(10), true};
constexpr font note_font{points(10)};

double name_width(const chart_drawing& c) {
    double widest = 0;
    for (const chart_row& r : c.rows)
        widest = std::max(widest, lay_out_text(r.name, name_font).width + name_gap +
                                      lay_out_text(r.term, term_font).width);
    return widest + 2 * name_gap;
}

double table_width(const chart_drawing& c) {
    return name_width(c) + column_width * static_cast<double>(c.columns.size());
}

double picture_width(const chart_drawing& c) {
    return std::max(least_width, table_width(c) + 2 * margin);
}

double text_width(const chart_drawing& c) {
    return picture_width(c) - 2 * margin;
}

double table_height(const chart_drawing& c) {
    return header_height + row_height * static_cast<double>(c.rows.size());
}

std::vector<std::string> lines_under(const chart_drawing& c) {
    std::vector<std::string> lines;
    if (!c.key.empty()) lines.push_back(c.key);
    for (const std::string& note : c.notes) lines.push_back(break_between_terms(note));
    return lines;
}

double notes_height(const chart_drawing& c) {
    double height = 0;
    for (const std::string& line : lines_under(c))
        height += note_gap + lay_out_text(line, note_font, text_width(c)).height;
    return height;
}

} // namespace

picture_size measure_chart(const chart_drawing& c) {
    return {std::ceil(picture_width(c)), std::ceil(2 * margin + table_height(c) + notes_height(c))};
}

void draw_chart(surface& s, const chart_drawing& c) {
    const picture_size size = measure_chart(c);
    s.save();
    s.set_colour(white);
    s.rectangle(0, 0, size.width, size.height);
    s.fill();
    const double x0 = margin + name_width(c), y0 = margin + header_height;
    const double right = margin + table_width(c), bottom = margin + table_height(c);
    // The cells a taken prime covers, shaded: nothing is left to cover there.
    s.set_colour({0.88, 0.88, 0.88});
    for (std::size_t k = 0; k < c.columns.size(); ++k)
        if (c.column_states[k] == chart_column_state::covered) {
            const double x = x0 + column_width * static_cast<double>(k);
            s.rectangle(x, margin, x + column_width, bottom);
            s.fill();
        }
    s.set_colour(black);
    for (std::size_t k = 0; k < c.columns.size(); ++k)
        put_text(s, std::to_string(c.columns[k]),
                 x0 + column_width * (static_cast<double>(k) + 0.5), margin + header_height / 2,
                 header_font, true);
    for (std::size_t r = 0; r < c.rows.size(); ++r) {
        const chart_row& row = c.rows[r];
        const double y = y0 + row_height * static_cast<double>(r);
        if (row.state == chart_row_state::taken) {
            // A taken prime: a frame round its row, its name in bold.
            s.set_line(2);
            s.rectangle(margin + 1, y + 2, right - 1, y + row_height - 2, 4);
            s.stroke();
        }
        const text_block name = lay_out_text(row.name, name_font);
        s.text(margin + name_gap, y + (row_height - name.height) / 2, name, anchor::left);
        const text_block term = lay_out_text(row.term, term_font);
        s.text(margin + name_gap + name.width + name_gap, y + (row_height - term.height) / 2, term,
               anchor::left);
        for (std::size_t k = 0; k < c.columns.size(); ++k)
            if (row.cells & minterm_bit(c.columns[k]))
                put_text(s, "X", x0 + column_width * (static_cast<double>(k) + 0.5),
                         y + row_height / 2, mark_font, true);
    }
    // The grid.
    s.set_colour({0.45, 0.45, 0.45});
    s.set_line(0.8);
    s.move_to(margin, y0);
    s.line_to(right, y0);
    s.move_to(x0, margin);
    s.line_to(x0, bottom);
    for (std::size_t k = 1; k < c.columns.size(); ++k) {
        const double x = x0 + column_width * static_cast<double>(k);
        s.move_to(x, margin + 4);
        s.line_to(x, bottom);
    }
    s.stroke();
    // Rows and columns dropped, struck through.
    s.set_colour(black);
    s.set_line(1.5);
    for (std::size_t r = 0; r < c.rows.size(); ++r)
        if (c.rows[r].state == chart_row_state::dropped) {
            const double y = y0 + row_height * (static_cast<double>(r) + 0.5);
            s.move_to(margin + 2, y);
            s.line_to(right - 2, y);
        }
    for (std::size_t k = 0; k < c.columns.size(); ++k)
        if (c.column_states[k] == chart_column_state::dropped) {
            const double x = x0 + column_width * (static_cast<double>(k) + 0.5);
            s.move_to(x, y0 + 2);
            s.line_to(x, bottom - 2);
        }
    s.stroke();
    double y = bottom;
    for (const std::string& line : lines_under(c)) {
        y += note_gap;
        y += put_text(s, line, margin, y, note_font, false, text_width(c));
    }
    s.restore();
}

} // namespace tessary
