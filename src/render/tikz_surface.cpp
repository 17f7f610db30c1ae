// The drawing interface as TikZ (see tikz_surface.h). Coordinates are
// transformed here rather than by TikZ, whose scale moves points but leaves
// line widths and text as they are.
#include "render/tikz_surface.h"

#include "render/text.h"

#include <algorithm>
#include <charconv>

namespace tessary {

namespace {

// Written as TeX reads it whatever the locale's decimal point.
std::string number(double v) {
    char text[32];
    const std::to_chars_result end =
        std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 2);
    std::string s(text, end.ptr);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string dimension(double v) {
    return number(v) + "bp";
}

std::string colour_of(colour c) {
    return "{rgb,1:red," + number(c.r) + ";green," + number(c.g) + ";blue," + number(c.b) + "}";
}

const char* anchor_of(anchor a) {
    switch (a) {
    case anchor::left: return "base west";
    case anchor::centre: return "base";
    case anchor::right: return "base east";
    }
    return "base";
}

} // namespace

std::string latex_text(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (text.compare(i, 3, "\u200B") == 0) {
            i += 2;
        } else if (ch == '\'') {
            out += "\\textquotesingle{}";
        } else if (std::string_view("#$%&_{}").find(ch) != std::string_view::npos) {
            out += std::string("\\") + ch;
        } else if (ch == '\\' || ch == '^' || ch == '~') {
            out += "\\char" + std::to_string(static_cast<int>(ch)) + "{}";
        } else {
            out += ch;
        }
    }
    return out;
}

tikz_surface::tikz_surface(double width, double height) : width_(width), height_(height) {}

void tikz_surface::save() {
    saved_.push_back(state_);
    state_.scopes = 0;
}

void tikz_surface::restore() {
    for (; state_.scopes > 0; --state_.scopes) page_ += "\\end{scope}\n";
    if (saved_.empty()) return;
    state_ = saved_.back();
    saved_.pop_back();
}

void tikz_surface::set_line(double width, std::span<const double> dashes, bool round_caps) {
    state_.width = width;
    state_.dashes.assign(dashes.begin(), dashes.end());
    state_.round_caps = round_caps;
}

void tikz_surface::transform(double x, double y, double scale) {
    state_.x += x * state_.scale;
    state_.y += y * state_.scale;
    state_.scale *= scale;
}

std::string tikz_surface::point(double x, double y) const {
    return "(" + number(state_.x + x * state_.scale) + "," + number(state_.y + y * state_.scale) +
           ")";
}

void tikz_surface::clip(double x0, double y0, double x1, double y1) {
    page_ += "\\begin{scope}\\clip " + point(x0, y0) + " rectangle " + point(x1, y1) + ";\n";
    ++state_.scopes;
}

void tikz_surface::move_to(double x, double y) {
    path_ += " " + point(x, y);
}

void tikz_surface::line_to(double x, double y) {
    path_ += " -- " + point(x, y);
}

void tikz_surface::rectangle(double x0, double y0, double x1, double y1, double radius) {
    radius = std::min({radius, (x1 - x0) / 2, (y1 - y0) / 2});
    const std::string corners =
        radius > 0 ? "[rounded corners=" + dimension(radius * state_.scale) + "]" : "";
    path_ += " {" + corners + point(x0, y0) + " rectangle " + point(x1, y1) + "}";
}

void tikz_surface::circle(double x, double y, double radius) {
    path_ += " " + point(x, y) + " circle[radius=" + dimension(radius * state_.scale) + "]";
}

std::string tikz_surface::line_options() const {
    std::string o =
        "draw=" + colour_of(state_.ink) + ",line width=" + dimension(state_.width * state_.scale);
    if (state_.round_caps) o += ",line cap=round";
    if (!state_.dashes.empty()) {
        o += ",dash pattern=";
        for (std::size_t i = 0; i < state_.dashes.size(); ++i)
            o += std::string(i % 2 == 0 ? "on " : "off ") +
                 dimension(state_.dashes[i] * state_.scale) + " ";
        o.pop_back();
    }
    return o;
}

void tikz_surface::stroke() {
    if (!path_.empty()) page_ += "\\path[" + line_options() + "]" + path_ + ";\n";
    path_.clear();
}

void tikz_surface::fill() {
    if (!path_.empty()) page_ += "\\path[fill=" + colour_of(state_.ink) + "]" + path_ + ";\n";
    path_.clear();
}

void tikz_surface::word(double x, double y, std::string_view text, font f, anchor a) {
    const double size = f.size * state_.scale;
    page_ += "\\node[inner sep=0,anchor=" + std::string(anchor_of(a)) +
             ",text=" + colour_of(state_.ink) + ",font=\\fontfamily{lmss}\\fontsize{" +
             dimension(size) + "}{" + dimension(size * 1.2) + "}\\selectfont" +
             (f.bold ? "\\bfseries" : "\\mdseries") + "] at " + point(x, y) + " {" +
             latex_text(text) + "};\n";
}

// A line of several words is set a word at a time, each where pango puts
// it: LaTeX's font is narrower or wider, and the words still stand where
// the PDF's do.
void tikz_surface::text(double x, double y, std::string_view text, font f, anchor a) {
    const text_block block = lay_out_text(text, f);
    if (block.lines.empty() || block.lines.front().words.empty()) return;
    const text_line& line = block.lines.front();
    if (line.words.size() == 1) return word(x, y, line.text, f, a);
    const double left = a == anchor::left     ? x
                        : a == anchor::centre ? x - line.width / 2
                                              : x - line.width;
    for (std::size_t i = 0; i < line.words.size(); ++i) {
        const auto [from, offset] = line.words[i];
        const std::size_t to =
            i + 1 < line.words.size() ? line.words[i + 1].first : line.text.size();
        std::string_view piece = std::string_view(line.text).substr(from, to - from);
        while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
        word(left + offset, y, piece, f, anchor::left);
    }
}

void tikz_surface::end_page() {
    while (!saved_.empty()) restore();
    restore();
    pages_.push_back("\\begin{tikzpicture}[x=1bp,y=-1bp]\n\\path[use as bounding box] (0,0) "
                     "rectangle (" +
                     number(width_) + "," + number(height_) + ");\n" + page_ +
                     "\\end{tikzpicture}\n");
    page_.clear();
    state_ = {};
}

const std::vector<std::string>& tikz_surface::pictures() {
    if (!page_.empty()) end_page();
    return pages_;
}

std::string latex_document(const std::vector<std::string>& pictures, double width, double height) {
    const std::string w = dimension(width), h = dimension(height);
    std::string t = "\\documentclass{article}\n\\usepackage[T1]{fontenc}\n\\usepackage{tikz}\n"
                    "\\usepackage[paperwidth=" +
                    w + ",paperheight=" + h +
                    ",margin=0pt]{geometry}\n"
                    "\\pagestyle{empty}\n"
                    "\\setlength{\\parindent}{0pt}\n\\setlength{\\topskip}{0pt}\n"
                    "\\begin{document}\n";
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (i > 0) t += "\\newpage\n";
        t += "\\vbox to 0pt{" + pictures[i] + "\\vss}\n";
    }
    return t + "\\end{document}\n";
}

} // namespace tessary
