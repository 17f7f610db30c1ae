// Pages of pictures (see pages.h). Every page of a run has the same bands:
// the heading with room for the lines under it, the grid, the footer; so
// the boxes sit in the same places on every page.
#include "render/pages.h"

#include "render/text.h"
#include "words/words.h"

#include <algorithm>

namespace tessary {

namespace {

constexpr double heading_height = 22, line_height = 18, footer_height = 18;
constexpr double answer_label = 14, answer_rule = 20, box_padding = 6;

constexpr font heading_font{points(13), true}, line_font{points(10)};
constexpr font footer_font{points(8)}, answer_font{points(9)};

// A line under the heading, broken where it is wider than the page.
text_block header_line(const page_layout& page, const std::string& line) {
    return lay_out_text(line, line_font, page.width - 2 * page.margin);
}

// The room a header line takes: a line's room for its first line, and the
// lines it breaks into after it.
double header_line_room(const text_block& block) {
    const auto n = static_cast<double>(block.lines.size());
    return line_height + block.height * (n - 1) / n;
}

double header_band(const page_layout& page, const page_frame& frame) {
    double band = heading_height + 6;
    for (const std::string& line : frame.lines) band += header_line_room(header_line(page, line));
    return band;
}

double answer_band(const page_frame& frame) {
    return frame.answer_lines > 0 ? answer_label + answer_rule * frame.answer_lines : 0;
}

struct grid {
    double top, box_width, box_height;
};

grid grid_of(const page_layout& page, const page_frame& frame) {
    const double top = page.margin + header_band(page, frame);
    const double bottom = page.height - page.margin - footer_height;
    return {top, (page.width - 2 * page.margin) / page.columns, (bottom - top) / page.rows};
}

// The one scale of a page: the largest at which each of its pictures fits
// its box, never above 1.
double page_scale(const grid& g, const page_frame& frame, const std::vector<map_picture>& pictures,
                  std::size_t first, std::size_t last) {
    double scale = 1;
    for (std::size_t i = first; i < last; ++i) {
        const picture_size size = measure_picture(pictures[i]);
        scale = std::min({scale, (g.box_width - 2 * box_padding) / size.width,
                          (g.box_height - 2 * box_padding - answer_band(frame)) / size.height});
    }
    return scale;
}

void draw_header(surface& s, const page_layout& page, const page_frame& frame, bool first) {
    s.set_colour(black);
    put_text(s, frame.heading, page.margin, page.margin, heading_font);
    if (!first) return;
    double y = page.margin + heading_height;
    for (const std::string& line : frame.lines) {
        const text_block block = header_line(page, line);
        s.text(page.margin, y, block, anchor::left);
        y += header_line_room(block);
    }
}

void draw_footer(surface& s, const page_layout& page, const page_frame& frame,
                 const page_words& words, int number, int total) {
    const double y = page.height - page.margin - footer_height + 4;
    s.set_colour({0.3, 0.3, 0.3});
    put_text(s, frame.note, page.margin, y, footer_font);
    const std::string text =
        page_number_text(words.page_number, std::to_string(number), std::to_string(total));
    put_text(s, text, page.width / 2, y + 5, footer_font, true);
}

// The answer word and its ruled lines, across the box under the picture.
void draw_answer_lines(surface& s, const page_frame& frame, const page_words& words, double x,
                       double y, double width) {
    s.set_colour(black);
    put_text(s, words.answer_word, x, y, answer_font);
    s.set_line(0.6);
    for (int i = 1; i <= frame.answer_lines; ++i) {
        const double rule = y + answer_label + answer_rule * i - 4;
        s.move_to(x, rule);
        s.line_to(x + width, rule);
    }
    s.stroke();
}

// Where a page's pictures go: the grid, the page's scale, and the shift of
// a row of fewer pictures than the columns.
struct placing {
    grid g;
    double scale, shift;
};

// One picture, centred in its box at the page's scale.
void draw_in_box(surface& s, const placing& at, const page_layout& page, const page_frame& frame,
                 const page_words& words, const map_picture& picture, int place) {
    const double box_x = page.margin + at.shift + (place % page.columns) * at.g.box_width;
    const double box_y = at.g.top + (place / page.columns) * at.g.box_height;
    const picture_size size = measure_picture(picture);
    const double left = box_x + (at.g.box_width - size.width * at.scale) / 2;
    s.save();
    s.transform(left, box_y + box_padding, at.scale);
    draw_picture(s, picture);
    s.restore();
    if (frame.answer_lines > 0)
        draw_answer_lines(s, frame, words, box_x + box_padding,
                          box_y + box_padding + size.height * at.scale,
                          at.g.box_width - 2 * box_padding);
}

} // namespace

std::string page_number_text(const std::string& pattern, const std::string& page,
                             const std::string& total) {
    return printed(pattern.c_str(), page.c_str(), total.c_str());
}

double fitting_scale(const page_layout& page, const page_frame& frame,
                     const std::vector<map_picture>& pictures) {
    return page_scale(grid_of(page, frame), frame, pictures, 0, pictures.size());
}

int pages_for(const page_layout& page, std::size_t pictures) {
    const auto per_page = static_cast<std::size_t>(page.columns * page.rows);
    return static_cast<int>((pictures + per_page - 1) / per_page);
}

void draw_picture_pages(surface& s, const page_layout& page,
                        const std::vector<map_picture>& pictures, const page_frame& frame,
                        const page_words& words, int first_page, int total_pages) {
    const grid g = grid_of(page, frame);
    const auto per_page = static_cast<std::size_t>(page.columns * page.rows);
    for (std::size_t first = 0; first < pictures.size(); first += per_page) {
        const std::size_t last = std::min(pictures.size(), first + per_page);
        const double scale =
            page.scale > 0 ? page.scale : page_scale(g, frame, pictures, first, last);
        // Fewer pictures in all than a row: the row centred between the
        // margins. A page that ends a longer run keeps the columns, so that
        // each picture has the same column on every run of the same maps.
        const auto count = static_cast<int>(pictures.size());
        const double shift = count < page.columns ? (page.columns - count) * g.box_width / 2 : 0;
        draw_header(s, page, frame, first == 0);
        for (std::size_t i = first; i < last; ++i)
            draw_in_box(s, {g, scale, shift}, page, frame, words, pictures[i],
                        static_cast<int>(i - first));
        draw_footer(s, page, frame, words, first_page + static_cast<int>(first / per_page),
                    total_pages);
        s.end_page();
    }
}

} // namespace tessary
