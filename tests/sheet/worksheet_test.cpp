// Worksheet maps: the teacher's terms met, the same seed the same maps, and
// a key whose answers are the maps' functions, of minimum cost where asked.
#include "sheet/worksheet.h"

#include "answers/answers.h"
#include "exact/exact.h"
#include "support/key_check.h"

#include <gtest/gtest.h>

#include <bit>
#include <set>
#include <sstream>
#include <string>

namespace tessary {
namespace {

std::vector<boolean_map> maps_of(const sheet_options& o) {
    std::vector<boolean_map> maps;
    std::string error;
    EXPECT_TRUE(make_maps(o, maps, error)) << error;
    return maps;
}

TEST(MakeMaps, EveryMapMeetsTheOptions) {
    struct row {
        int count, percent, min_terms, max_terms;
    };
    const row rows[] = {{12, 0, 2, 5},  {200, 0, 1, 8}, {50, 25, 3, 4},
                        {30, 50, 1, 2}, {10, 0, 7, 8},  {40, 10, 1, 1}};
    for (const row& r : rows) {
        SCOPED_TRACE(std::to_string(r.count) + " maps, " + std::to_string(r.percent) + "%, " +
                     std::to_string(r.min_terms) + "-" + std::to_string(r.max_terms));
        sheet_options o;
        o.count = r.count;
        o.seed = 7;
        o.dont_care_percent = r.percent;
        o.min_terms = r.min_terms;
        o.max_terms = r.max_terms;
        const std::vector<boolean_map> maps = maps_of(o);
        ASSERT_EQ(maps.size(), std::size_t(r.count));
        std::set<std::pair<int, int>> seen;
        for (const boolean_map& map : maps) {
            SCOPED_TRACE(map_text(map));
            EXPECT_NE(map.ones, 0);
            EXPECT_NE(map.zeros(), 0);
            EXPECT_EQ(std::popcount(unsigned{map.dont_cares}), dont_care_cells(r.percent));
            const int terms = minimum_sop(map).size;
            EXPECT_GE(terms, r.min_terms);
            EXPECT_LE(terms, r.max_terms);
            EXPECT_TRUE(seen.insert({map.ones, map.dont_cares}).second) << "twice";
        }
    }
}

TEST(MakeMaps, TheSeedDecides) {
    sheet_options o;
    o.seed = 2026;
    const std::vector<boolean_map> first = maps_of(o), again = maps_of(o);
    EXPECT_EQ(first, again);
    o.seed = 2027;
    EXPECT_NE(maps_of(o), first);
}

// Too rare to find: a message, no maps.
TEST(MakeMaps, TooFewDifferentMaps) {
    sheet_options o;
    o.count = 200;
    o.min_terms = o.max_terms = 8;
    o.dont_care_percent = 50;
    std::vector<boolean_map> maps;
    std::string error;
    EXPECT_FALSE(make_maps(o, maps, error));
    EXPECT_NE(error.find("different maps with 8 to 8 terms and 8 don't-cares"), std::string::npos)
        << error;
}

// Each key line: the map as tessary-key reads it, then the answers in the
// form asked for, which are the map's function and, for the minimum, of
// minimum cost.
TEST(KeyLines, AnswersAreTheMapsFunctions) {
    sheet_options o;
    o.count = 40;
    o.seed = 11;
    o.dont_care_percent = 20;
    const std::vector<boolean_map> maps = maps_of(o);
    for (const key_choice form :
         {key_choice::shown, key_choice::minimal, key_choice::pos, key_choice::both}) {
        std::istringstream lines(key_lines(maps, form));
        std::string line;
        for (const boolean_map& map : maps) {
            ASSERT_TRUE(std::getline(lines, line));
            SCOPED_TRACE(line);
            std::istringstream fields(line);
            std::string text, first, second;
            std::getline(fields, text, '\t');
            std::getline(fields, first, '\t');
            std::getline(fields, second, '\t');
            EXPECT_EQ(text, map_text(map));
            const answer_form expected = form == key_choice::pos     ? answer_form::pos
                                         : form == key_choice::shown ? answer_form::shown
                                                                     : answer_form::minimal;
            if (form == key_choice::both) {
                EXPECT_EQ(first, answer_text(map, answer_form::shown));
                EXPECT_EQ(second, answer_text(map, answer_form::minimal));
            } else {
                EXPECT_EQ(first, answer_text(map, expected));
                EXPECT_EQ(second, "");
            }
            if (expected != answer_form::pos) {
                EXPECT_TRUE(testing::is_sound(map, form == key_choice::both ? second : first));
            }
        }
        EXPECT_FALSE(std::getline(lines, line)) << "one line a map";
    }
}

// The key of one small sheet in every form, pinned: a change to any
// answer, its order or the layout of a line shows here.
TEST(KeyLines, PinnedForEveryForm) {
    sheet_options o;
    o.count = 3;
    o.seed = 4;
    o.dont_care_percent = 20;
    const std::vector<boolean_map> maps = maps_of(o);
    struct row {
        key_choice choice;
        const char* lines;
    };
    const row rows[] = {
        {key_choice::shown, "1111/1X10/00X1/000X\tC'D'+A'C'+BC'+CDA\n"
                            "1X10/1101/0000/X0X1\tA'C'+C'D'B+C'DB'+CD'A\n"
                            "00X0/11X1/0101/X000\tC'D+A'BD+AB'D\n"},
        {key_choice::minimal, "1111/1X10/00X1/000X\tA'C'+BC'+C'D'+AB'C\n"
                              "1X10/1101/0000/X0X1\tA'C'+B'C'D+ABD'+ACD'\n"
                              "00X0/11X1/0101/X000\tC'D+A'BD+AB'D\n"},
        {key_choice::pos, "1111/1X10/00X1/000X\t(A+C')(B'+C')(A'+B+C+D')\n"
                          "1X10/1101/0000/X0X1\t(A+C')(C'+D')(A'+B'+D')(A'+B+C+D)\n"
                          "00X0/11X1/0101/X000\tD(A'+B')(A+B+C')\n"},
        {key_choice::both, "1111/1X10/00X1/000X\tC'D'+A'C'+BC'+CDA\tA'C'+BC'+C'D'+AB'C\n"
                           "1X10/1101/0000/X0X1\tA'C'+C'D'B+C'DB'+CD'A\tA'C'+B'C'D+ABD'+ACD'\n"
                           "00X0/11X1/0101/X000\tC'D+A'BD+AB'D\tC'D+A'BD+AB'D\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(key_title(r.choice));
        EXPECT_EQ(key_lines(maps, r.choice), r.lines);
    }
}

} // namespace
} // namespace tessary
