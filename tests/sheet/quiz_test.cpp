// Worksheets as Moodle quizzes, read back from the file as Moodle's
// importer reads it: held-out seeds and shapes, sums and products, each
// file kept to the importer's rules, and every option and number found
// right or wrong by the brute-force minimiser as the quiz says.
#include "sheet/worksheet.h"

#include "input/map_text.h"
#include "support/brute_force.h"
#include "support/check_engines.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tessary {
namespace {

using namespace tessary::testing;

struct answer {
    double fraction;
    std::string fraction_text, text;
};

struct question {
    std::string type, name, single;
    std::vector<answer> answers;
    std::vector<std::string> files, pictures; // <file> names, and the names <img> shows
};

std::string between(const std::string& text, const std::string& open, const std::string& close,
                    std::size_t& at) {
    const std::size_t start = text.find(open, at);
    if (start == std::string::npos) return at = std::string::npos, "";
    const std::size_t end = text.find(close, start + open.size());
    at = end + close.size();
    return text.substr(start + open.size(), end - start - open.size());
}

// Each <file> of a body: its name, its content checked to be base64; the
// body given back without the contents, light enough for a regex.
std::string without_files(const std::string& body, std::vector<std::string>& names) {
    std::string light;
    std::size_t at = 0;
    for (std::size_t start; (start = body.find("<file name=\"", at)) != std::string::npos;) {
        const std::size_t name_end = body.find('"', start + 12);
        const std::string name = body.substr(start + 12, name_end - start - 12);
        const std::string opening = "\" path=\"/\" encoding=\"base64\">";
        EXPECT_EQ(body.compare(name_end, opening.size(), opening), 0) << name;
        const std::size_t content = name_end + opening.size(), end = body.find("</file>", content);
        const std::string data = body.substr(content, end - content);
        EXPECT_FALSE(data.empty()) << name;
        EXPECT_EQ(data.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                         "0123456789+/="),
                  std::string::npos)
            << name;
        EXPECT_EQ(data.size() % 4, 0u) << name;
        names.push_back(name);
        light += body.substr(at, start - at);
        at = end + 7;
    }
    return light + body.substr(at);
}

std::vector<question> questions_of(const std::string& xml) {
    std::vector<question> found;
    std::size_t at = 0;
    for (;;) {
        std::string body = between(xml, "<question type=\"", "</question>", at);
        if (at == std::string::npos) break;
        question q;
        body = without_files(body, q.files);
        q.type = body.substr(0, body.find('"'));
        std::size_t in = 0;
        q.name = between(body, "<name><text>", "</text></name>", in);
        in = 0;
        q.single = between(body, "<single>", "</single>", in);
        // Each answer: its fraction, and its text, in CDATA or not.
        for (in = 0;;) {
            const std::string fraction = between(body, "<answer fraction=\"", "\"", in);
            if (in == std::string::npos) break;
            std::string text = between(body, "<text>", "</text>", in);
            if (text.rfind("<![CDATA[", 0) == 0) text = text.substr(9, text.size() - 12);
            q.answers.push_back({std::stod(fraction), fraction, text});
        }
        // Each picture shown, with an alt text.
        for (in = 0;;) {
            const std::string name = between(body, "<img src=\"@@PLUGINFILE@@/", "\"", in);
            if (in == std::string::npos) break;
            EXPECT_EQ(body.compare(in, 6, " alt=\""), 0) << name;
            EXPECT_NE(body[in + 6], '"') << name << ": no alt text";
            q.pictures.push_back(name);
        }
        found.push_back(q);
    }
    return found;
}

const std::set<std::string> moodle_grades = {
    "100",      "90",       "83.33333", "80",       "75", "70", "66.66667",
    "60",       "50",       "40",       "33.33333", "30", "25", "20",
    "16.66667", "14.28571", "12.5",     "11.11111", "10", "5",  "0"};

bool is_moodle_grade(const std::string& text) {
    return moodle_grades.count(text[0] == '-' ? text.substr(1) : text) == 1;
}

std::string quiz_file(const sheet_options& o) {
    std::vector<boolean_map> maps;
    std::string error;
    EXPECT_TRUE(make_maps(o, maps, error)) << error;
    char dir[] = "/tmp/tessary-quiz-test.XXXXXX";
    const std::string path = std::string(mkdtemp(dir)) + "/q.xml";
    {
        pending_file file(path);
        EXPECT_TRUE(write_quiz(file, maps, o, error)) << error;
        EXPECT_TRUE(file.commit(error)) << error;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::system(("rm -rf '" + std::string(dir) + "'").c_str());
    return text.str();
}

// The map a question's name holds: "Exercise 3 (0110/1111/1101/1111): ...".
boolean_map map_named(const std::string& name) {
    const std::size_t open = name.find('('), close = name.find(')');
    boolean_map map;
    std::string error;
    EXPECT_TRUE(parse_map(name.substr(open + 1, close - open - 1), map, error)) << name;
    return map;
}

// What the brute force says of a map in a form: its primes, the essential
// ones, and a minimum's cost.
struct truth {
    std::vector<const brute_term*> primes;
    int essentials = 0, terms = 0, literals = 0;
    std::uint16_t to_cover = 0, other = 0;
};

truth truth_of(const boolean_map& map, bool products) {
    truth t;
    t.to_cover = products ? map.zeros() : map.ones;
    t.other = products ? map.ones : map.zeros();
    t.primes = primes_of(t.to_cover, t.other);
    for (const brute_term* p : t.primes) {
        bool essential = false;
        for (int m = 0; m < 16; ++m) {
            if (!(t.to_cover >> m & 1) || !(p->cells >> m & 1)) continue;
            int over = 0;
            for (const brute_term* q : t.primes) over += q->cells >> m & 1;
            essential |= over == 1;
        }
        t.essentials += essential ? 1 : 0;
    }
    const brute_cover minimum = brute_minimum(t.to_cover, t.other, products).front();
    t.terms = static_cast<int>(minimum.size());
    t.literals = literals_of(minimum);
    return t;
}

// An option as the cells it covers and its cost as written.
struct read_option {
    std::uint16_t covers;
    int terms, literals;
};

read_option read(const std::string& text, bool products) {
    int terms = 0, literals = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= 'A' && text[i] <= 'D') ++literals;
    }
    if (products) {
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '(') ++terms;
        if (terms == 0) terms = literals; // bare letters
        return {static_cast<std::uint16_t>(~product_function_mask(text)), terms, literals};
    }
    terms = 1;
    for (const char ch : text) terms += ch == '+' ? 1 : 0;
    return {function_mask(text), terms, literals};
}

void check_quiz(const std::string& xml, bool products, std::size_t exercises) {
    ASSERT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n", 0), 0u);
    ASSERT_EQ(xml.substr(xml.size() - 8), "</quiz>\n");
    const std::vector<question> questions = questions_of(xml);
    ASSERT_EQ(questions.front().type, "category");
    std::set<std::string> maps_seen, ticked; // every map; those asked which primes are essential
    std::set<std::string> with_essentials;   // the maps where a prime is essential
    for (std::size_t k = 1; k < questions.size(); ++k) {
        const question& q = questions[k];
        SCOPED_TRACE(q.name);
        const boolean_map map = map_named(q.name);
        maps_seen.insert(map_text(map));
        const truth t = truth_of(map, products);
        if (t.essentials > 0) with_essentials.insert(map_text(map));
        // No file left unshown, none shown that is not there.
        EXPECT_EQ(std::multiset<std::string>(q.files.begin(), q.files.end()),
                  std::multiset<std::string>(q.pictures.begin(), q.pictures.end()));
        EXPECT_EQ(q.files.size(), 2u) << "the map and the key";
        for (const answer& a : q.answers)
            EXPECT_TRUE(is_moodle_grade(a.fraction_text)) << a.fraction_text;
        if (q.type == "numerical") {
            ASSERT_EQ(q.answers.size(), 1u);
            EXPECT_EQ(q.answers[0].fraction_text, "100");
            const int said = std::stoi(q.answers[0].text);
            const bool essentials = q.name.find("essential") != std::string::npos;
            const bool literals = q.name.find("literals") != std::string::npos;
            EXPECT_EQ(said, literals     ? t.literals
                            : essentials ? t.essentials
                                         : static_cast<int>(t.primes.size()));
            continue;
        }
        ASSERT_EQ(q.type, "multichoice");
        if (q.single == "true") {
            // One minimum at 100, three different expressions at 0 that are
            // not: not the function, or the function at a higher cost.
            ASSERT_EQ(q.answers.size(), 4u);
            std::set<std::string> texts;
            int right = 0;
            for (const answer& a : q.answers) {
                texts.insert(a.text);
                const read_option o = read(a.text, products);
                const bool function = (t.to_cover & ~o.covers) == 0 && (o.covers & t.other) == 0;
                const bool minimum = function && o.terms == t.terms && o.literals == t.literals;
                EXPECT_EQ(minimum, a.fraction_text == "100") << a.text;
                right += a.fraction_text == "100" ? 1 : 0;
                if (a.fraction_text != "100") {
                    EXPECT_EQ(a.fraction_text, "0");
                }
            }
            EXPECT_EQ(right, 1);
            EXPECT_EQ(texts.size(), 4u) << "options repeat";
            continue;
        }
        // Several right answers: every prime an option, the essential ones
        // sharing 100, ticking every option 0 or less where some are wrong.
        EXPECT_EQ(q.single, "false");
        ticked.insert(map_text(map));
        ASSERT_EQ(q.answers.size(), t.primes.size());
        double positive = 0, all = 0;
        int right = 0;
        for (const answer& a : q.answers) {
            all += a.fraction;
            if (a.fraction > 0) {
                positive += a.fraction;
                ++right;
            }
        }
        EXPECT_EQ(right, t.essentials);
        EXPECT_NEAR(positive, 100, 0.001);
        if (right < static_cast<int>(q.answers.size())) {
            EXPECT_LE(all, 1e-6);
        }
    }
    EXPECT_EQ(maps_seen.size(), exercises);
    // The question of the essential primes where there is one, else none.
    EXPECT_EQ(ticked, with_essentials);
}

TEST(Quiz, HeldOutQuizzesKeepMoodlesRulesAndAreRight) {
    struct shape {
        std::uint64_t seed;
        int count, dont_cares, min_terms, max_terms;
        key_choice answers;
    };
    const shape shapes[] = {
        {9001, 12, 0, 2, 5, key_choice::minimal}, {9002, 8, 25, 1, 3, key_choice::minimal},
        {9003, 10, 0, 3, 6, key_choice::pos},     {9004, 6, 10, 1, 1, key_choice::pos},
        {9005, 5, 50, 2, 4, key_choice::minimal},
    };
    for (const shape& s : shapes) {
        SCOPED_TRACE("seed " + std::to_string(s.seed));
        sheet_options o;
        o.seed = s.seed;
        o.count = s.count;
        o.dont_care_percent = s.dont_cares;
        o.min_terms = s.min_terms;
        o.max_terms = s.max_terms;
        o.answers = s.answers;
        const std::string xml = quiz_file(o);
        check_quiz(xml, s.answers == key_choice::pos, static_cast<std::size_t>(s.count));
        EXPECT_EQ(quiz_file(o), xml) << "the same options and seed gave other bytes";
    }
}

} // namespace
} // namespace tessary
