// The eight looks of the loops on a black-and-white photocopy: each look's
// line is drawn at a print resolution and cut at a copier's threshold, and
// what is left (how heavy the line is, and the rhythm of its marks) still
// tells every look from every other, with no look fading away.
#include "render/cairo_surface.h"
#include "render/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace tessary {
namespace {

constexpr double dots_per_point = 300.0 / 72; // a 300 dpi copy
constexpr double line_length = 160;           // points: several periods of every rhythm
constexpr double threshold = 0.5;             // darker is toner, lighter is paper
constexpr double min_gap = 2;                 // points of paper between two marks

// A look's line after the copier: its weight, and its marks in order.
struct copied_line {
    double weight = 0;         // points, the thickest black across the line
    std::vector<double> marks; // points, each black run along the line
    std::vector<double> gaps;  // points, each white run between two marks
    std::string rhythm;        // the marks as letters: S solid, L long, s short, o dot
};

copied_line copy_of(const loop_look& look) {
    const int width = static_cast<int>(std::ceil((line_length + 20) * dots_per_point));
    const int height = static_cast<int>(std::ceil(20 * dots_per_point));
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(image);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    {
        cairo_surface on(cr);
        on.transform(0, 0, dots_per_point);
        on.set_colour({look.r, look.g, look.b});
        on.set_line(look.width,
                    std::span(look.dashes.data(), static_cast<std::size_t>(look.dash_count)), true);
        on.move_to(10, 10);
        on.line_to(10 + line_length, 10);
        on.stroke();
    }
    cairo_destroy(cr);
    cairo_surface_flush(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    auto black = [&](int x, int y) {
        const auto* pixel = reinterpret_cast<const std::uint32_t*>(data + y * stride) + x;
        const double r = (*pixel >> 16 & 0xff) / 255.0, g = (*pixel >> 8 & 0xff) / 255.0,
                     b = (*pixel & 0xff) / 255.0;
        return 0.299 * r + 0.587 * g + 0.114 * b < threshold;
    };
    copied_line copied;
    int thickest = 0;
    for (int x = 0; x < width; ++x) {
        int column = 0;
        for (int y = 0; y < height; ++y) column += black(x, y) ? 1 : 0;
        thickest = std::max(thickest, column);
    }
    copied.weight = thickest / dots_per_point;
    const int middle = height / 2;
    int run = 0, gap = 0;
    for (int x = 0; x <= width; ++x) {
        if (x < width && black(x, middle)) {
            if (gap > 0 && !copied.marks.empty()) copied.gaps.push_back(gap / dots_per_point);
            gap = 0;
            ++run;
        } else {
            if (run > 0) copied.marks.push_back(run / dots_per_point);
            run = 0;
            ++gap;
        }
    }
    cairo_surface_destroy(image);
    // The first and last marks may be cut by the line's ends.
    const bool solid = copied.marks.size() == 1;
    std::vector<double> whole = copied.marks;
    if (!solid && whole.size() > 2) whole = {whole.begin() + 1, whole.end() - 1};
    for (const double mark : whole) {
        if (solid)
            copied.rhythm += 'S';
        else if (mark < copied.weight * 1.6)
            copied.rhythm += 'o';
        else
            copied.rhythm += mark >= 9 ? 'L' : 's';
    }
    return copied;
}

// The shortest repeating part of a rhythm, the same wherever it starts.
std::string period_of(const std::string& rhythm) {
    for (std::size_t n = 1; n <= rhythm.size(); ++n) {
        bool repeats = true;
        for (std::size_t i = n; i < rhythm.size() && repeats; ++i)
            repeats = rhythm[i] == rhythm[i - n];
        if (!repeats) continue;
        std::string best = rhythm.substr(0, n);
        for (std::size_t k = 1; k < n; ++k)
            best = std::min(best, rhythm.substr(k, n - k) + rhythm.substr(0, k));
        return best;
    }
    return rhythm;
}

std::string described(std::size_t k, const copied_line& c) {
    return "look " + std::to_string(k + 1) + " (weight " + std::to_string(c.weight) + ", rhythm " +
           period_of(c.rhythm) + ")";
}

TEST(Photocopy, EachLookStaysApartInBlackAndWhite) {
    std::vector<copied_line> copies;
    for (std::size_t k = 0; k < loop_styles; ++k) {
        const loop_look& look = look_of(k);
        // Dark enough that toner takes every part of the line.
        EXPECT_LE(0.299 * look.r + 0.587 * look.g + 0.114 * look.b, 0.4) << "look " << k + 1;
        copies.push_back(copy_of(look));
        const copied_line& c = copies.back();
        EXPECT_GE(c.weight, 1.5) << described(k, c) << " fades";
        EXPECT_GE(c.rhythm.size(), 1u) << described(k, c) << " fades";
        // Toner spreads: a narrower gap closes, and the marks run together.
        for (const double gap : c.gaps) EXPECT_GE(gap, min_gap) << described(k, c);
    }
    for (std::size_t a = 0; a < copies.size(); ++a)
        for (std::size_t b = a + 1; b < copies.size(); ++b) {
            const double heavier = std::max(copies[a].weight, copies[b].weight),
                         lighter = std::min(copies[a].weight, copies[b].weight);
            const bool weight_apart = heavier >= lighter * 1.4;
            const bool rhythm_apart = period_of(copies[a].rhythm) != period_of(copies[b].rhythm);
            EXPECT_TRUE(weight_apart || rhythm_apart)
                << described(a, copies[a]) << " and " << described(b, copies[b]) << " merge";
        }
}

} // namespace
} // namespace tessary
