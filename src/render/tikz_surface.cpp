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

const char* align_of(anchor a) {
    switch (a) {
    case anchor::left: return "left";
    case anchor::centre: return "center";
    case anchor::right: return "right";
    }
    return "left";
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
        } else if (ch == ' ' && i > 0 && text[i - 1] == ' ') {
            out += "\\ "; // TeX would take a run of blanks as one
        } else if (ch == '-' && i + 1 < text.size() && text[i + 1] == '-') {
            out += "-{}"; // not an en dash: an option's "--" stays two hyphens
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

// A block as one node, in the layout's lines: each line is text that TeX
// sets at its natural width in the font pango measured, so that a teacher
// can change a sentence and TeX spaces it, as pango does, with one space
// after a stop as after a word (\frenchspacing). A node of several lines
// stands on its last line's baseline.
void tikz_surface::text(double x, double y, const text_block& block, anchor a) {
    if (block.lines.empty()) return;
    const double size = block.f.size * state_.scale;
    const std::size_t n = block.lines.size();
    const double spacing =
        n > 1 ? (block.lines.back().baseline - block.lines.front().baseline) / double(n - 1) : 0;
    std::string lines;
    for (std::size_t i = 0; i < n; ++i)
        lines += (i > 0 ? "\\\\\n" : "") + latex_text(block.lines[i].text);
    page_ += "\\node[inner sep=0,anchor=" + std::string(anchor_of(a)) +
             (n > 1 ? std::string(",align=") + align_of(a) : "") +
             ",text=" + colour_of(state_.ink) + ",font=\\fontfamily{tessarylmss}\\fontsize{" +
             dimension(size) + "}{" + dimension(spacing * state_.scale) +
             "}\\selectfont\\frenchspacing" + (block.f.bold ? "\\bfseries" : "\\mdseries") +
             "] at " + point(x, y + block.lines.back().baseline) + " {" + lines + "};\n";
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

std::string latex_font_declarations() {
    std::string t;
    for (const auto& [encoding, prefix] : {std::pair{"OT1", "rm"}, {"T1", "ec"}, {"TS1", "ts1"}}) {
        const std::string e = encoding, p = prefix;
        t += "\\DeclareFontFamily{" + e + "}{tessarylmss}{}\n";
        t += "\\DeclareFontShape{" + e + "}{tessarylmss}{m}{n}{<-> " + p + "-lmss10}{}\n";
        t += "\\DeclareFontShape{" + e + "}{tessarylmss}{b}{n}{<-> " + p + "-lmssbx10}{}\n";
        t += "\\DeclareFontShape{" + e + "}{tessarylmss}{bx}{n}{<-> " + p + "-lmssbx10}{}\n";
    }
    return t;
}

std::string latex_document(const std::vector<std::string>& pictures, double width, double height) {
    const std::string w = dimension(width), h = dimension(height);
    std::string t = "\\documentclass{article}\n\\usepackage[T1]{fontenc}\n\\usepackage{tikz}\n" +
                    latex_font_declarations() + "\\usepackage[paperwidth=" + w +
                    ",paperheight=" + h +
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
