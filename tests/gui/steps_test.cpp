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
        EXPECT_EQ(sensitive(the_app.steps.back_button), step > 0) << "step " << step + 1;
        EXPECT_EQ(sensitive(the_app.steps.next_button), step < 4) << "step " << step + 1;
        EXPECT_EQ(label_text(the_app.steps.title_label)
                      .rfind("Step " + std::to_string(step + 1) + " of 5", 0),
                  0u);
        sentences.push_back(label_text(the_app.steps.sentence_label));
        // A screen reader hears each step: the picture, named by the
        // heading, says the sentence first, and after Back or Next it has
        // the focus.
        AtkObject* picture = gtk_widget_get_accessible(the_app.steps.area);
        EXPECT_EQ(std::string(atk_object_get_name(picture)), label_text(the_app.steps.title_label));
        EXPECT_EQ(std::string(atk_object_get_description(picture))
                      .rfind(without_breaks(sentences.back()), 0),
                  0u);
        if (step > 0) {
            EXPECT_TRUE(GTK_WIDGET_HAS_FOCUS(the_app.steps.area)) << "step " << step + 1;
        }
        save_screenshot(the_app.companion.window, shot_name + "-" + std::to_string(step + 1));
        gtk_button_clicked(GTK_BUTTON(the_app.steps.next_button));
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
          "cells 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 and 14, marked.",
          "cell 1 by A'D, B'D or C'D; cell 2 by A'C, B'C or CD'; cell 3 by",
          "Minimal: A'B+B'C+C'D+AD', one of 6 minimum covers."}},
        {"0111/1111/1101/1111",
         true,
         {"(A+B+C+D), (A'+B'+C'+D').",
          "Only (A+B+C+D) covers cell 0, so it is essential. Only (A'+B'+C'+D') covers cell 15, "
          "so it is essential.",
          "Left: none.", "Choose: none.",
          "Minimal: (A+B+C+D)(A'+B'+C'+D'), the only minimum cover."}},
        {"1001/0000/0000/1001",
         false,
         {": B'D'.", "Only B'D' covers cell 0, so it is essential.", "Left: none.", "Choose: none.",
          "Minimal: B'D', the only minimum cover."}},
    };
    on_view_steps(&the_app, 0, nullptr);
    for (const steps_case& c : cases) {
        SCOPED_TRACE(std::string(c.map) + (c.product ? " product" : " sum"));
        gtk_toggle_button_set_active(
            GTK_TOGGLE_BUTTON(the_app.steps.kind_buttons[c.product ? 1 : 0]), TRUE);
        set_map(c.map);
        click("   Show   ");
        const std::vector<std::string> sentences =
            walk_steps(std::string(c.map).substr(0, 4) + (c.product ? "-product" : "-sum"));
        for (std::size_t i = 0; i < c.says.size(); ++i)
            EXPECT_NE(sentences[i].find(c.says[i]), std::string::npos)
                << "step " << i + 1 << " says: " << sentences[i];
        gtk_button_clicked(GTK_BUTTON(the_app.steps.back_button));
        EXPECT_TRUE(sensitive(the_app.steps.next_button)) << "Back from the last step";
    }
}

// Where a widget is inside its toplevel window.
GdkPoint place_in_window(GtkWidget* widget) {
    gint x = 0, y = 0;
    gtk_widget_translate_coordinates(widget, gtk_widget_get_toplevel(widget), 0, 0, &x, &y);
    return {x, y};
}

// Every step of a map and form has the window's one size, on the screen,
// its map drawn at one size and place, with Back, Next and Close where they
// were: on A^B^C^D as a product (the
// most terms there are), and on a map with a choice to make.
TEST_F(MainWindow, StepsKeepOneSizeWithTheirButtonsInPlace) {
    const std::pair<const char*, bool> cases[] = {{"0101/1010/0101/1010", true},
                                                  {"1110/1010/1110/0000", false}};
    on_view_steps(&the_app, 0, nullptr);
    GtkWidget* close = testing::find_button(the_app.companion.window, "_Close");
    for (const auto& [map, product] : cases) {
        SCOPED_TRACE(std::string(map) + (product ? " product" : " sum"));
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.steps.kind_buttons[product]), TRUE);
        set_map(map);
        click("   Show   ");
        const GdkRectangle first = window_rectangle(the_app.companion.window);
        EXPECT_TRUE(on_screen(first))
            << first.x << "," << first.y << " " << first.width << "x" << first.height;
        const GdkPoint back = place_in_window(the_app.steps.back_button),
                       next = place_in_window(the_app.steps.next_button),
                       shut = place_in_window(close);
        const picture_fit map_at = steps_fit(the_app);
        for (int step = 1; step <= 5; ++step) {
            const GdkRectangle at = window_rectangle(the_app.companion.window);
            const picture_fit now = steps_fit(the_app);
            EXPECT_TRUE(now.scale == map_at.scale && now.x == map_at.x && now.y == map_at.y)
                << "step " << step << ": the map moved, scale " << map_at.scale << " to "
                << now.scale << ", from " << map_at.x << "," << map_at.y << " to " << now.x << ","
                << now.y;
            save_screenshot(the_app.companion.window,
                            std::string("one-size-") + map[0] + map[1] + map[2] + map[3] +
                                (product ? "-product-" : "-sum-") + std::to_string(step));
            EXPECT_EQ(at.width, first.width) << "step " << step;
            EXPECT_EQ(at.height, first.height) << "step " << step;
            for (const auto& [button, was] :
                 {std::pair{the_app.steps.back_button, back},
                  std::pair{the_app.steps.next_button, next}, std::pair{close, shut}}) {
                const GdkPoint now = place_in_window(button);
                EXPECT_TRUE(now.x == was.x && now.y == was.y)
                    << "step " << step << ": " << label_of(button) << " moved";
            }
            gtk_button_clicked(GTK_BUTTON(the_app.steps.next_button));
        }
    }
}

// A larger window, as at a projector, draws the map larger.
TEST_F(MainWindow, StepsDrawTheMapToTheWindowsSize) {
    set_map("1110/1010/1110/0000");
    click("   Show   ");
    on_view_steps(&the_app, 0, nullptr);
    // From the least size the window can have.
    shrink_to_least(the_app.companion.window);
    const GdkRectangle before = window_rectangle(the_app.companion.window);
    const double scale = steps_fit(the_app).scale;
    const GdkRectangle screen = screen_rectangle();
    gtk_window_resize(GTK_WINDOW(the_app.companion.window), screen.width - 24, screen.height - 48);
    EXPECT_TRUE(wait_until(
        [&] { return the_app.steps.area->allocation.height > before.height / 2 + 200; }));
    EXPECT_GT(steps_fit(the_app).scale, scale * 1.2);
}

TEST_F(MainWindow, StepsFollowResetAndCloseByEscape) {
    set_map("1001/0000/0000/1001");
    click("   Show   ");
    on_view_steps(&the_app, 0, nullptr);
    EXPECT_EQ(std::string(gtk_window_get_title(GTK_WINDOW(the_app.companion.window))),
              "Tessary: Steps");
    gtk_button_clicked(GTK_BUTTON(the_app.steps.next_button));
    click("   Reset   ");
    drain_events();
    EXPECT_FALSE(sensitive(the_app.steps.back_button)) << "a new map starts at the first step";
    EXPECT_NE(label_text(the_app.steps.sentence_label).find("There are no prime implicants"),
              std::string::npos);
    press_key(the_app.companion.window, GDK_Escape);
    EXPECT_EQ(the_app.companion.window, nullptr);
}

} // namespace
} // namespace tessary::testing
