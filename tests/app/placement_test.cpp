// Where the main window and its companion go: a table of work areas (with
// panels on each side, a second monitor, a small screen), frames and sizes.
#include "placement.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tessary {

static std::ostream& operator<<(std::ostream& out, const rect& r) {
    return out << r.x << "," << r.y << " " << r.width << "x" << r.height;
}

namespace {

struct placement_case {
    const char* name;
    placement_request request;
    placement expected;
    bool apart = true; // false only where the work area is too small for both
};

// A main window of 352 by 392 with its frame, as the window manager centres it.
constexpr extent main_size{352, 392};
rect centred(const rect& area) {
    return {area.x + (area.width - main_size.width) / 2,
            area.y + (area.height - main_size.height) / 2, main_size.width, main_size.height};
}

TEST(PlaceCompanion, BesideTheMainWindowInsideTheWorkArea) {
    const rect large{0, 30, 1920, 1050}, small{0, 30, 1024, 738}, wide{0, 30, 1366, 738};
    const rect left_panel{48, 0, 976, 768}, second_monitor{1920, 0, 1280, 1024};
    const placement_case cases[] = {
        // Room on the right at once: the main window stays where it is.
        // level with it, as far as the work area's bottom allows
        {"large screen, top panel",
         {large, centred(large), {700, 800}, {420, 400}},
         {centred(large), {1148, 280, 700, 800}}},
        // The main window moves to the left edge to make room on its right.
        {"second monitor",
         {second_monitor, centred(second_monitor), {600, 700}, {420, 400}},
         {{1920, 316, 352, 392}, {2284, 316, 600, 700}}},
        {"small screen, top panel",
         {small, centred(small), {650, 700}, {420, 400}},
         {{0, 203, 352, 392}, {364, 68, 650, 700}}},
        {"wide screen, tall companion",
         {wide, centred(wide), {700, 738}, {420, 400}},
         {{0, 203, 352, 392}, {364, 30, 700, 738}}},
        {"panel on the left",
         {left_panel, centred(left_panel), {600, 700}, {420, 400}},
         {{48, 188, 352, 392}, {412, 68, 600, 700}}},
        // Too wide for any room: it takes the largest that holds its least.
        {"small screen, wide companion",
         {small, centred(small), {720, 760}, {420, 400}},
         {{0, 203, 352, 392}, {364, 30, 660, 738}}},
        // Beside it on the left when the right has no room.
        {"main window at the right",
         {large, {1500, 100, 352, 392}, {700, 800}, {420, 400}},
         {{1500, 100, 352, 392}, {788, 100, 700, 800}}},
        // A window half off the work area comes back into it.
        {"main window under the panel",
         {large, {100, 0, 352, 392}, {700, 800}, {420, 400}},
         {{100, 30, 352, 392}, {464, 30, 700, 800}}},
        // Nothing holds both: each stays inside, and they overlap.
        {"tiny screen",
         {{0, 0, 640, 480}, centred({0, 0, 640, 480}), {650, 700}, {420, 400}},
         {{144, 44, 352, 392}, {0, 0, 640, 480}},
         false},
    };
    for (const placement_case& c : cases) {
        SCOPED_TRACE(c.name);
        const placement got = place_companion(c.request);
        EXPECT_EQ(got.main, c.expected.main);
        EXPECT_EQ(got.companion, c.expected.companion);
        EXPECT_TRUE(inside(got.main, c.request.work_area));
        EXPECT_TRUE(inside(got.companion, c.request.work_area));
        EXPECT_EQ(overlaps(got.main, got.companion), !c.apart);
        EXPECT_LE(got.companion.width, c.request.wanted.width);
        EXPECT_LE(got.companion.height, c.request.wanted.height);
        EXPECT_EQ(got.main.width, c.request.main.width);
        EXPECT_EQ(got.main.height, c.request.main.height);
    }
}

// Every screen of 1024x768 or more, with a panel on any side, keeps the two
// apart and inside for a companion of any natural size up to the screen's.
TEST(PlaceCompanion, ApartOnEveryScreenFromTheSmallest) {
    for (const extent screen :
         {extent{1024, 768}, extent{1280, 1024}, extent{1366, 768}, extent{1920, 1080}})
        for (const rect panel :
             {rect{0, 0, 0, 0}, rect{0, 0, 0, 30}, rect{0, 0, 48, 0}, rect{0, -30, 0, 30}})
            for (const extent wanted :
                 {extent{420, 400}, extent{640, 520}, extent{660, 700}, extent{900, 1000}}) {
                const rect area{panel.width, std::max(0, panel.y + panel.height),
                                screen.width - panel.width, screen.height - panel.height};
                SCOPED_TRACE(testing::Message()
                             << "screen " << screen.width << "x" << screen.height << ", work area "
                             << area << ", wanted " << wanted.width << "x" << wanted.height);
                const placement got = place_companion({area, centred(area), wanted, {420, 400}});
                EXPECT_FALSE(overlaps(got.main, got.companion));
                EXPECT_TRUE(inside(got.main, area));
                EXPECT_TRUE(inside(got.companion, area));
                EXPECT_GE(got.companion.width, 420);
                EXPECT_GE(got.companion.height, 400);
            }
}

} // namespace
} // namespace tessary
