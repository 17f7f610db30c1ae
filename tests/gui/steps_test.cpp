// View > Steps on the real window: five steps with Back and Next, for the
// sum and for the product, saying what tessary-key --explain says, and
// following the shown map. With TESSARY_SCREENSHOTS set to a directory, each
// step is also saved there as a PNG to be looked at.
#include "gui_fixture.h"

#include <gdk/gdkkeysyms.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace tessary::testing {
namespace {

std::string label_text(GtkWidget* label) {
    return gtk_label_get_text(GTK_LABEL(label));
}

bool sensitive(GtkWidget* widget) {
    return GTK_WIDGET_IS_SENSITIVE(widget);
}

// The sentences of the five steps, walked with Next, checking Back and Next
// on the way.
std::vector<std::string> walk_steps(const std::string& shot_name) {
    std::vector<std::string> sentences;
    for (int step = 0; step < 5; ++step) {
        drain_events();
        EXPECT_EQ(sensitive(steps_back_button), step > 0) << "step " << step + 1;
        EXPECT_EQ(sensitive(steps_next_button), step < 4) << "step " << step + 1;
        EXPECT_EQ(
            label_text(steps_title_label).rfind("Step " + std::to_string(step + 1) + " of 5", 0),
            0u);
        sentences.push_back(label_text(steps_sentence_label));
        save_screenshot(steps_window, shot_name + "-" + std::to_string(step + 1));
        gtk_button_clicked(GTK_BUTTON(steps_next_button));
    }
    return sentences;
}

struct steps_case {
    const char* map;
    bool product;
    std::vector<std::string> says; // a part of each step's sentence
};

TEST_F(MainWindow, StepsWalkFromTheMapToTheMinimum) {
    const steps_case cases[] = {
        {"0111/1111/1101/1111",
         false,
         {"A'B, AB', A'C, B'C, AC', BC', A'D, B'D, C'D, AD', BD', CD'.", "No prime is essential",
          "1 2 3 4 5 6 7 8 9 10 11 12 13 14.",
          "Choose: 1 by A'D or B'D or C'D; 2 by A'C or B'C or CD'; 3 by",
          "Minimal: A'B+B'C+C'D+AD', one of 6 minimum covers."}},
        {"0111/1111/1101/1111",
         true,
         {"(A+B+C+D), (A'+B'+C'+D').",
          "(A+B+C+D) (only it covers 0), (A'+B'+C'+D') (only it covers 15)", "Left: none.",
          "Choose: none.", "Minimal: (A+B+C+D)(A'+B'+C'+D'), the only minimum cover."}},
        {"1001/0000/0000/1001",
         false,
         {": B'D'.", "B'D' (only it covers 0)", "Left: none.", "Choose: none.",
          "Minimal: B'D', the only minimum cover."}},
    };
    show_steps_window();
    for (const steps_case& c : cases) {
        SCOPED_TRACE(std::string(c.map) + (c.product ? " product" : " sum"));
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(steps_kind_buttons[c.product ? 1 : 0]),
                                     TRUE);
        set_map(c.map);
        click("   Show   ");
        const std::vector<std::string> sentences =
            walk_steps(std::string(c.map).substr(0, 4) + (c.product ? "-product" : "-sum"));
        for (std::size_t i = 0; i < c.says.size(); ++i)
            EXPECT_NE(sentences[i].find(c.says[i]), std::string::npos)
                << "step " << i + 1 << " says: " << sentences[i];
        gtk_button_clicked(GTK_BUTTON(steps_back_button));
        EXPECT_TRUE(sensitive(steps_next_button)) << "Back from the last step";
    }
}

// With the most terms there are (A^B^C^D as a product), every step stays on
// a 1024x768 screen, its buttons too.
TEST_F(MainWindow, StepsStayOnTheScreen) {
    set_map("0101/1010/0101/1010");
    click("   Show   ");
    show_steps_window();
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(steps_kind_buttons[1]), TRUE);
    for (int step = 0; step < 5; ++step) {
        for (int i = 0; i < 5; ++i) {
            drain_events();
            g_usleep(10000);
        }
        gint x, y, width, height;
        gtk_window_get_position(GTK_WINDOW(steps_window), &x, &y);
        gtk_window_get_size(GTK_WINDOW(steps_window), &width, &height);
        EXPECT_TRUE(x >= 0 && y >= 0 && x + width <= 1024 && y + height <= 768)
            << "step " << step + 1 << ": " << x << "," << y << " " << width << "x" << height;
        gtk_button_clicked(GTK_BUTTON(steps_next_button));
    }
}

TEST_F(MainWindow, StepsFollowResetAndCloseByEscape) {
    set_map("1001/0000/0000/1001");
    click("   Show   ");
    show_steps_window();
    EXPECT_EQ(std::string(gtk_window_get_title(GTK_WINDOW(steps_window))), "Tessary: Steps");
    gtk_button_clicked(GTK_BUTTON(steps_next_button));
    click("   Reset   ");
    drain_events();
    EXPECT_FALSE(sensitive(steps_back_button)) << "a new map starts at the first step";
    EXPECT_NE(label_text(steps_sentence_label).find("There are no prime implicants"),
              std::string::npos);
    press_key(steps_window, GDK_Escape);
    EXPECT_EQ(steps_window, nullptr);
}

} // namespace
} // namespace tessary::testing
