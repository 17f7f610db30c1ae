// The Moodle XML quiz (see moodle.h).
#include "answers/moodle.h"

#include "answers/answers.h"
#include "answers/explanation.h"
#include "input/map_text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tessary {

namespace {

// Moodle's grades, as its importer takes them, largest first.
constexpr std::array<std::string_view, 20> grades = {
    "100",      "90", "83.33333", "80", "75",       "70",       "66.66667", "60",       "50", "40",
    "33.33333", "30", "25",       "20", "16.66667", "14.28571", "12.5",     "11.11111", "10", "5"};

double value_of(std::string_view grade) {
    return std::stod(std::string(grade));
}

std::string escaped(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += ch;
        }
    }
    return out;
}

std::string base64(std::string_view bytes) {
    static constexpr char digits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const auto byte = [&](std::size_t k) {
            return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0u;
        };
        const unsigned n = byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2);
        out += digits[n >> 18 & 63];
        out += digits[n >> 12 & 63];
        out += i + 1 < bytes.size() ? digits[n >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? digits[n & 63] : '=';
    }
    return out;
}

// A picture shown in a text: its <img>, and the <file> that holds it.
struct shown_picture {
    std::string img, file;
};

shown_picture picture(const std::string& name, const std::string& png, const std::string& alt) {
    return {"<p><img src=\"@@PLUGINFILE@@/" + name + "\" alt=\"" + escaped(alt) + "\"></p>",
            "<file name=\"" + name + "\" path=\"/\" encoding=\"base64\">" + base64(png) +
                "</file>"};
}

// "A Karnaugh map: 1 in cells 1, 5 and 7; don't-care in cell 3; 0 in the
// others."
std::string map_in_words(const boolean_map& map) {
    if (map.dont_cares == 0)
        // Translators: a quiz's picture of a map, said to one who cannot see it.
        return printed(_("A Karnaugh map of A, B, C and D: 1 in cells %s; 0 in the others."),
                       spoken_cells(map.ones).c_str());
    return printed(
        _("A Karnaugh map of A, B, C and D: 1 in cells %s; don't-care in cells %s; 0 in the "
          "others."),
        spoken_cells(map.ones).c_str(), spoken_cells(map.dont_cares).c_str());
}

struct exercise_words {
    std::string name_start; // "Exercise 3 (0110/...)"
    shown_picture map, key;
    std::string feedback; // the general feedback, HTML
};

exercise_words words_for(const quiz_exercise& x) {
    const bool sum = x.quiz.kind == cover_kind::sum_of_products;
    const std::string map_name = "map-" + std::to_string(x.number) + ".png";
    const std::string key_name = "key-" + std::to_string(x.number) + ".png";
    exercise_words w;
    // Translators: the start of a quiz question's name in Moodle's question
    // bank: the exercise's number and its map, as "Exercise 3 (0110/1111/1101/1111)".
    w.name_start = printed(_("Exercise %zu (%s)"), x.number, map_text(x.quiz.map).c_str());
    w.map = picture(map_name, x.map_png, map_in_words(x.quiz.map));
    const cover minimum = sum ? minimum_sop(x.quiz.map) : minimum_pos(x.quiz.map);
    const std::string answer = cover_text(x.quiz.kind, minimum);
    // Translators: the alt text of the key's picture in a quiz's feedback.
    w.key = picture(key_name, x.key_png,
                    printed(_("The map with the loops of its minimum, %s."), answer.c_str()));
    w.feedback = w.key.img + "<p>" + escaped(printed(_("Minimal: %s"), answer.c_str())) + "</p>";
    return w;
}

std::string text_element(const std::string& html) {
    return "<text><![CDATA[" + html + "]]></text>";
}

// What every question of an exercise begins with: its name, its text with
// the map's picture, the general feedback with the key's.
std::string question_start(const char* type, const exercise_words& w, const std::string& name,
                           const std::string& question) {
    return "  <question type=\"" + std::string(type) + "\">\n    <name><text>" +
           escaped(w.name_start + ": " + name) + "</text></name>\n" +
           "    <questiontext format=\"html\">\n      " +
           text_element("<p>" + escaped(question) + "</p>" + w.map.img) + "\n      " + w.map.file +
           "\n    </questiontext>\n    <generalfeedback format=\"html\">\n      " +
           text_element(w.feedback) + "\n      " + w.key.file +
           "\n    </generalfeedback>\n    <defaultgrade>1</defaultgrade>\n"
           "    <penalty>0.3333333</penalty>\n    <hidden>0</hidden>\n";
}

std::string choice_answer(const std::string& fraction, const std::string& text) {
    return "    <answer fraction=\"" + fraction + "\" format=\"html\">\n      " +
           text_element(escaped(text)) +
           "\n      <feedback format=\"html\"><text></text></feedback>\n"
           "    </answer>\n";
}

std::string choice_end(bool single) {
    return std::string("    <single>") + (single ? "true" : "false") +
           "</single>\n    <shuffleanswers>0</shuffleanswers>\n"
           "    <answernumbering>abc</answernumbering>\n  </question>\n";
}

std::string which_minimum(const quiz_exercise& x, const exercise_words& w) {
    const bool sum = x.quiz.kind == cover_kind::sum_of_products;
    std::string q = question_start(
        "multichoice", w, sum ? _("a minimal sum of products") : _("a minimal product of sums"),
        sum ? _("Which expression is a minimal sum of products of this map?")
            : _("Which expression is a minimal product of sums of this map?"));
    for (const quiz_option& o : x.quiz.options)
        q += choice_answer(o.what == slip::none ? "100" : "0", cover_text(x.quiz.kind, o.terms));
    return q + choice_end(true);
}

std::string numerical(const exercise_words& w, const std::string& name, const std::string& question,
                      int answer) {
    return question_start("numerical", w, name, question) +
           "    <answer fraction=\"100\">\n      <text>" + std::to_string(answer) +
           "</text>\n      <tolerance>0</tolerance>\n"
           "      <feedback format=\"html\"><text></text></feedback>\n    </answer>\n  "
           "</question>\n";
}

std::string numbers(const quiz_exercise& x, const exercise_words& w) {
    const map_quiz& q = x.quiz;
    int essentials = 0;
    for (const bool e : q.essential) essentials += e ? 1 : 0;
    const cover_kind k = q.kind;
    return numerical(
               w,
               for_form(words::reader, k, NC_("sum of products", "the prime implicants"),
                        NC_("product of sums", "the prime implicates")),
               for_form(words::reader, k,
                        NC_("sum of products", "How many prime implicants does this map have?"),
                        NC_("product of sums", "How many prime implicates does this map have?")),
               static_cast<int>(q.primes.size())) +
           numerical(w,
                     for_form(words::reader, k,
                              NC_("sum of products", "the essential prime implicants"),
                              NC_("product of sums", "the essential prime implicates")),
                     for_form(words::reader, k,
                              NC_("sum of products",
                                  "How many of the prime implicants of this map are essential?"),
                              NC_("product of sums",
                                  "How many of the prime implicates of this map are essential?")),
                     essentials) +
           numerical(w,
                     k == cover_kind::sum_of_products ? _("the literals of a minimal sum")
                                                      : _("the literals of a minimal product"),
                     k == cover_kind::sum_of_products
                         ? _("How many literals does a minimal sum of products of this map have?")
                         : _("How many literals does a minimal product of sums of this map have?"),
                     q.literals);
}

std::string which_essential(const quiz_exercise& x, const exercise_words& w) {
    const map_quiz& q = x.quiz;
    int right = 0;
    for (const bool e : q.essential) right += e ? 1 : 0;
    if (right == 0) return "";
    const int wrong = static_cast<int>(q.primes.size()) - right;
    const cover_kind k = q.kind;
    std::string text = question_start(
        "multichoice", w,
        for_form(words::reader, k, NC_("sum of products", "which primes are essential"),
                 NC_("product of sums", "which primes are essential")),
        for_form(words::reader, k,
                 NC_("sum of products", "Tick every essential prime implicant of this map."),
                 NC_("product of sums", "Tick every essential prime implicate of this map.")));
    for (std::size_t p = 0; p < q.primes.size(); ++p)
        text += choice_answer(q.essential[p] ? share_of(right) : penalty_for(right, wrong),
                              group_text(q.primes[p], k));
    return text + choice_end(false);
}

} // namespace

std::string share_of(int right) {
    const std::array<std::string_view, 10> shares = {
        "100", "50", "33.33333", "25", "20", "16.66667", "14.28571", "12.5", "11.11111", "10"};
    return std::string(shares[static_cast<std::size_t>(std::clamp(right, 1, 10) - 1)]);
}

std::string penalty_for(int right, int wrong) {
    const double earned = right * value_of(share_of(right));
    std::string_view least = grades.front();
    for (const std::string_view g : grades)
        if (wrong * value_of(g) >= earned - 1e-6) least = g;
    return "-" + std::string(least);
}

std::string moodle_quiz(const std::vector<quiz_exercise>& exercises, std::uint64_t seed) {
    // Translators: the quiz's category in Moodle's question bank.
    const std::string category =
        printed(_("Tessary worksheet, seed %llu"), static_cast<unsigned long long>(seed));
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n"
                      "  <question type=\"category\">\n    <category><text>$course$/" +
                      escaped(category) + "</text></category>\n  </question>\n";
    for (const quiz_exercise& x : exercises) {
        const exercise_words w = words_for(x);
        xml += which_minimum(x, w) + numbers(x, w) + which_essential(x, w);
    }
    return xml + "</quiz>\n";
}

} // namespace tessary
