// The drawing interface as TikZ: each page one tikzpicture, every
// coordinate, width and size worked out here in PostScript points (bp, as
// the PDF's), so that the picture needs nothing but the tikz package.
#pragma once

#include "render/surface.h"

#include <string>
#include <vector>

namespace tessary {

class tikz_surface final : public surface {
  public:
    // Pages of `width` by `height` points.
    tikz_surface(double width, double height);

    void save() override;
    void restore() override;
    void set_colour(colour c) override { state_.ink = c; }
    void set_line(double width, std::span<const double> dashes, bool round_caps) override;
    void transform(double x, double y, double scale) override;
    void clip(double x0, double y0, double x1, double y1) override;
    void move_to(double x, double y) override;
    void line_to(double x, double y) override;
    void rectangle(double x0, double y0, double x1, double y1, double radius) override;
    void circle(double x, double y, double radius) override;
    void stroke() override;
    void fill() override;
    void text(double x, double y, const text_block& block, anchor a) override;
    void end_page() override;

    // The pages ended so far, each a tikzpicture environment; the page
    // being drawn is ended first when it has anything on it.
    const std::vector<std::string>& pictures();

  private:
    struct state {
        colour ink = black;
        double width = 1;
        std::vector<double> dashes;
        bool round_caps = false;
        double x = 0, y = 0, scale = 1; // where the origin is, and the scale
        int scopes = 0;                 // clips begun since the last save()
    };
    std::string point(double x, double y) const;
    std::string line_options() const;

    double width_, height_;
    state state_;
    std::vector<state> saved_;
    std::string path_, page_;
    std::vector<std::string> pages_;
};

// The LaTeX that declares the family the pictures' text is set in: Latin
// Modern Sans at its 10 pt design size at every size, as pango sets it, in
// each encoding a document may use. It goes before the pictures, in the
// preamble or the document itself.
std::string latex_font_declarations();

// A whole LaTeX document of the pages, each `width` by `height` points and
// one tikzpicture; it compiles with pdflatex from texlive-latex-base,
// texlive-pictures and lmodern.
std::string latex_document(const std::vector<std::string>& pictures, double width, double height);

// Text for LaTeX: the characters it treats as commands escaped, a term's
// apostrophe kept straight, zero-width break points dropped, each blank of
// a run kept.
std::string latex_text(std::string_view text);

} // namespace tessary
