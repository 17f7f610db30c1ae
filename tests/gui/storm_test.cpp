// A click storm: 10,000 random actions on the real window from a fixed seed.
// After every Show the key fields must hold the minimiser's answer for the
// labels as they stand, and every engine must pass check_engines() there;
// the process must not grow with the number of Shows.
#include "gui_fixture.h"
#include "key_fields.h"
#include "support/check_engines.h"
#include "support/greedy_terms.h"

#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>

namespace tessary::testing {
namespace {

long resident_kb() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

cell_values labels_now() {
    cell_values cells;
    for (std::size_t cell = 0; cell < 16; ++cell)
        cells[cell] = label_of(the_app.main.cells[cell / 4][cell % 4])[0];
    return cells;
}

// The key fields against a fresh reduction of the labels.
void check_key_fields(int action) {
    const cell_values cells = labels_now();
    const std::string answer(testing::shown_answer(map_from_cells(cells)));
    const key_fields expected = split_key(answer);
    SCOPED_TRACE("action " + std::to_string(action) + ", map " +
                 std::string(cells.begin(), cells.end()));
    ASSERT_EQ(text_of(the_app.main.key), expected.first);
    ASSERT_EQ(is_visible(the_app.main.key_more), expected.second_shown);
    if (expected.second_shown) {
        ASSERT_EQ(text_of(the_app.main.key_more), expected.second);
    }
    ASSERT_TRUE(is_sound(map_from_cells(cells), answer));
    ASSERT_EQ(check_engines(map_from_cells(cells), brute_force::skip), "");
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool memory_is_measurable = false; // the sanitizer's quarantine grows on its own
#else
constexpr bool memory_is_measurable = true;
#endif

TEST_F(MainWindow, ClickStorm) {
    std::minstd_rand random(20261210);
    constexpr int actions = 10000;
    GtkWidget* show = find_button("   Show   ");
    GtkWidget* reset = find_button("   Reset   ");
    int shows = 0;
    long resident_after_warm_up = 0;
    for (int action = 0; action < actions; ++action) {
        const auto roll = random() % 100;
        if (roll < 80) {
            const auto cell = random() % 16;
            gtk_button_clicked(GTK_BUTTON(the_app.main.cells[cell / 4][cell % 4]));
        } else if (roll < 97) {
            gtk_button_clicked(GTK_BUTTON(show));
            ++shows;
            ASSERT_NO_FATAL_FAILURE(check_key_fields(action));
            if (shows == 200) resident_after_warm_up = resident_kb();
        } else {
            gtk_button_clicked(GTK_BUTTON(reset));
            ASSERT_EQ(text_of(the_app.main.key), "");
            ASSERT_FALSE(is_visible(the_app.main.key_more));
        }
        if (action % 100 == 0) drain_events();
    }
    drain_events();
    std::printf("%d actions, %d Shows\n", actions, shows);
    EXPECT_GT(shows, 1000);
    if (memory_is_measurable) {
        const long growth = resident_kb() - resident_after_warm_up;
        std::printf("resident growth after warm-up: %ld KB\n", growth);
        EXPECT_LT(growth, 512) << "memory grows with the number of Shows";
    }
}

} // namespace
} // namespace tessary::testing
