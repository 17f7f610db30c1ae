// Pictures as files, each checked by a real reader: xmllint for SVG,
// pdfinfo and pdftotext for PDF, the PNG's own header for PNG; and failures
// that leave no file behind.
#include "render/picture_files.h"

#include "answers/answers.h"
#include "views/pictures.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tessary {
namespace {

class PictureFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/tessary-render-test.XXXXXX";
        dir_ = mkdtemp(name);
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

    std::string path(const std::string& name) const { return dir_ + "/" + name; }

    std::vector<std::string> files() const {
        std::vector<std::string> names;
        if (DIR* d = opendir(dir_.c_str())) {
            while (const dirent* e = readdir(d))
                if (e->d_name[0] != '.') names.push_back(e->d_name);
            closedir(d);
        }
        return names;
    }

    std::string dir_;
};

// A map with a group across the side edges and one of the four corners.
map_picture sample() {
    return {{0x0F05, 0x0010},
            {{{0x6, 0x2}, "B'C"}, {{0x5, 0x0}, "B'D'"}},
            "Exercise 1",
            "Minimal sum: B'C+B'D'"};
}

std::string output_of(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        if (pclose(pipe) != 0) text += "\n(command failed)";
    }
    return text;
}

std::string contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(PictureFiles, SvgIsWellFormedXml) {
    std::string error;
    ASSERT_TRUE(save_picture(path("map.svg"), sample(), error)) << error;
    EXPECT_EQ(std::system(("xmllint --noout '" + path("map.svg") + "'").c_str()), 0);
    EXPECT_EQ(files(), std::vector<std::string>{"map.svg"});
}

TEST_F(PictureFiles, PdfOpensAndHoldsTheLegend) {
    std::string error;
    ASSERT_TRUE(save_picture(path("map.pdf"), sample(), error)) << error;
    const std::string info = output_of("pdfinfo '" + path("map.pdf") + "'");
    EXPECT_NE(info.find("Pages: "), std::string::npos) << info;
    EXPECT_EQ(info.find("(command failed)"), std::string::npos) << info;
    const std::string text = output_of("pdftotext '" + path("map.pdf") + "' -");
    for (const char* expected : {"B'C", "B'D'", "Exercise 1", "A'B'", "C'D'"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
}

TEST_F(PictureFiles, PngHasItsHeaderAndSize) {
    std::string error;
    ASSERT_TRUE(save_picture(path("map.PNG"), sample(), error)) << error;
    const std::string png = contents(path("map.PNG"));
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    auto be32 = [&](std::size_t at) {
        return (unsigned(static_cast<unsigned char>(png[at])) << 24) |
               (unsigned(static_cast<unsigned char>(png[at + 1])) << 16) |
               (unsigned(static_cast<unsigned char>(png[at + 2])) << 8) |
               unsigned(static_cast<unsigned char>(png[at + 3]));
    };
    const picture_size size = measure_picture(sample());
    EXPECT_EQ(be32(16), unsigned(size.width * png_scale));
    EXPECT_EQ(be32(20), unsigned(size.height * png_scale));
}

// Worksheets are made again from their seed: a PDF's bytes depend on its
// drawing only (no date of the day in it).
TEST_F(PictureFiles, SamePdfSameBytes) {
    std::string error;
    for (const char* name : {"a.pdf", "b.pdf"})
        ASSERT_TRUE(save_picture(path(name), sample(), error)) << error;
    EXPECT_TRUE(contents(path("a.pdf")) == contents(path("b.pdf")));
}

// Nothing is written, and nothing is left behind, when a picture fails.
TEST_F(PictureFiles, FailuresLeaveNoFile) {
    std::ofstream(path("plain-file")) << "x";
    struct row {
        std::string name, error;
    };
    const row rows[] = {
        {path("map.gif"), "the name does not end in .svg, .png, .pdf, .tex or .tikz"},
        {path("map"), "the name does not end in .svg, .png, .pdf, .tex or .tikz"},
        {path("no-such-dir/map.svg"), "No such file or directory"},
        {path("plain-file/map.png"), "Not a directory"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        std::string error;
        EXPECT_FALSE(save_picture(r.name, sample(), error));
        EXPECT_EQ(error, r.error);
    }
    EXPECT_EQ(files(), std::vector<std::string>{"plain-file"});
}

TEST_F(PictureFiles, ReplacesAnOldPictureWhole) {
    std::ofstream(path("map.svg")) << "old";
    std::string error;
    ASSERT_TRUE(save_picture(path("map.svg"), sample(), error)) << error;
    EXPECT_NE(contents(path("map.svg")).find("<svg"), std::string::npos);
    EXPECT_EQ(files(), std::vector<std::string>{"map.svg"});
}

TEST(FormatOf, Extensions) {
    EXPECT_EQ(format_of("a.svg"), picture_format::svg);
    EXPECT_EQ(format_of("dir.png/a.PDF"), picture_format::pdf);
    EXPECT_EQ(format_of("a.Png"), picture_format::png);
    EXPECT_EQ(format_of("a.svg.txt"), std::nullopt);
    EXPECT_EQ(format_of("dir.svg/a"), std::nullopt);
    EXPECT_EQ(format_of("svg"), std::nullopt);
}

// A word of `pdftotext -bbox`: its text and the centre of its box.
struct placed_word {
    std::string text;
    double x, y;
};

std::vector<placed_word> words_of(const std::string& bbox_html) {
    std::vector<placed_word> words;
    for (std::size_t at = 0; (at = bbox_html.find("<word ", at)) != std::string::npos;) {
        double x0, y0, x1, y1;
        char text[64];
        if (std::sscanf(bbox_html.c_str() + at,
                        "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\">%63[^<]", &x0,
                        &y0, &x1, &y1, text) == 5) {
            std::string word = text;
            for (std::size_t q; (q = word.find("&apos;")) != std::string::npos;)
                word.replace(q, 6, "'");
            words.push_back({word, (x0 + x1) / 2, (y0 + y1) / 2});
        }
        ++at;
    }
    return words;
}

// With A and B down the side, read back from the PDF: the headers, and each
// cell's minterm number in the row of its A,B and the column of its C,D
// (the cell of A'B and CD holds minterm 7).
TEST_F(PictureFiles, RowsOfAAndBReadBackCellByCell) {
    map_picture picture{{0x00F0, 0}, {}, "", ""};
    picture.numbers = true;
    picture.layout = map_layout::ab_rows;
    std::string error;
    ASSERT_TRUE(save_picture(path("ab.pdf"), picture, error)) << error;
    const std::vector<placed_word> words =
        words_of(output_of("pdftotext -bbox '" + path("ab.pdf") + "' -"));
    // The grid begins some 60 points from the left and 40 from the top: row
    // headers are left of it and below its top, column headers right of its
    // left edge; the corner's labels are neither.
    enum class where { row_header, column_header, cell };
    auto find = [&](const std::string& text, where w) -> const placed_word* {
        for (const placed_word& word : words) {
            const bool left = word.x<60, below = word.y> 40;
            if (word.text == text && (w == where::row_header      ? left && below
                                      : w == where::column_header ? !left && !below
                                                                  : !left && below))
                return &word;
        }
        return nullptr;
    };
    const char* ab[] = {"A'B'", "A'B", "AB", "AB'"};
    const char* cd[] = {"C'D'", "C'D", "CD", "CD'"};
    double row_y[4], col_x[4];
    for (int i = 0; i < 4; ++i) {
        const placed_word* row = find(ab[i], where::row_header);
        const placed_word* col = find(cd[i], where::column_header);
        ASSERT_TRUE(row != nullptr && col != nullptr) << ab[i] << " " << cd[i];
        row_y[i] = row->y;
        col_x[i] = col->x;
    }
    for (int m = 0; m < 16; ++m) {
        const placed_word* number = find(std::to_string(m), where::cell);
        ASSERT_NE(number, nullptr) << m;
        int row = 0, col = 0;
        for (int i = 1; i < 4; ++i) {
            if (std::abs(number->y - row_y[i]) < std::abs(number->y - row_y[row])) row = i;
            if (std::abs(number->x - col_x[i]) < std::abs(number->x - col_x[col])) col = i;
        }
        EXPECT_EQ(std::string(ab[row]) + cd[col], minterm_text(m)) << "minterm " << m;
    }
}

// The LaTeX of maps in each form, compiled with pdflatex and read back: each
// row of cells in its place under its heading, every term of the legend.
TEST_F(PictureFiles, LatexCompilesAndReadsBack) {
    if (std::system("command -v pdflatex >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdflatex is missing: install texlive-latex-base and texlive-pictures";
    const char* maps[] = {"1001/0000/0000/1001", "0111/1111/1101/1111", "1X10/0101/1010/01X1"};
    for (const char* text : maps)
        for (const answer_form form :
             {answer_form::shown, answer_form::minimal, answer_form::pos}) {
            SCOPED_TRACE(std::string(text) + " " + caption_of(form));
            cell_values cells{};
            std::size_t n = 0;
            for (const char* c = text; *c != '\0'; ++c)
                if (*c != '/') cells[n++] = *c;
            const map_picture picture = picture_of(map_from_cells(cells), form);
            std::string error;
            ASSERT_TRUE(save_picture(path("map.tex"), picture, error)) << error;
            ASSERT_EQ(std::system(("cd '" + dir_ + "' && pdflatex -interaction=nonstopmode " +
                                   "-halt-on-error map.tex >/dev/null 2>&1")
                                      .c_str()),
                      0)
                << contents(path("map.log"));
            const std::string read = output_of("pdftotext -layout '" + path("map.pdf") + "' -");
            const char* rows[] = {"C'D'", "C'D", "CD", "CD'"};
            for (int row = 0; row < 4; ++row) {
                std::string expected = rows[row];
                for (int col = 0; col < 4; ++col)
                    expected += std::string(" ") + value_at(picture.map, minterm_at(row, col));
                std::string squeezed;
                for (std::size_t at = 0, line_end; at < read.size(); at = line_end + 1) {
                    line_end = std::min(read.find('\n', at), read.size());
                    std::istringstream words(read.substr(at, line_end - at));
                    std::string word, line;
                    while (words >> word) line += (line.empty() ? "" : " ") + word;
                    if (line == expected) squeezed = line;
                }
                EXPECT_EQ(squeezed, expected) << read;
            }
            for (const map_group& g : picture.groups)
                EXPECT_NE(read.find(g.label), std::string::npos) << g.label << " in " << read;
        }
}

} // namespace
} // namespace tessary
