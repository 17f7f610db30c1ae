// Pages of pictures (see pages.h).
#include "render/pages.h"

#include "render/text.h"

#include <algorithm>

namespace tessary {

void draw_picture_pages(cairo_t* cr, const page_layout& page,
                        const std::vector<map_picture>& pictures, const std::string& heading) {
    const int per_page = page.columns * page.rows;
    const double box_width = (page.width - 2 * page.margin) / page.columns;
    const double box_height = (page.height - page.margin - page.header) / page.rows;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const int place = static_cast<int>(i) % per_page;
        if (place == 0) {
            cairo_set_source_rgb(cr, 0, 0, 0);
            show_text(cr, heading, page.margin, page.margin - 16, {"Sans Bold 12", false, 0});
        }
        const picture_size size = measure_picture(pictures[i]);
        const double scale =
            std::min({0.9, (box_width - 8) / size.width, (box_height - 8) / size.height});
        cairo_save(cr);
        cairo_translate(cr, page.margin + (place % page.columns) * box_width,
                        page.header + (place / page.columns) * box_height);
        cairo_scale(cr, scale, scale);
        draw_picture(cr, pictures[i]);
        cairo_restore(cr);
        if (place == per_page - 1 || i + 1 == pictures.size()) cairo_show_page(cr);
    }
}

} // namespace tessary
