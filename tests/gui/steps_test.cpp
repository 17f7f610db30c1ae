// View > Steps on the real window: the steps with Back and Next, for the
// sum and for the product, saying what tessary-key --explain and --chart
// say, and following the shown map. With TESSARY_SCREENSHOTS set to a directory, each
// step is also saved there as a PNG to be looked at.
#include "gui_fixture.h"

#include <gdk/gdkkeysyms.h>

#include <cstdlib>
#include <optional>
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

// The titles and sentences of the steps, walked with Next, checking Back
// and Next on the way.
std::vector<std::pair<std::string, std::string>> walk_steps(const std::string& shot_name) {
    std::vector<std::pair<std::string, std::string>> said;
    const std::size_t count = the_app.steps.steps.size();
    for (std::size_t step = 0; step < count; ++step) {
        drain_events();
        EXPECT_EQ(sensitive(the_app.steps.back_button), step > 0) << "step " << step + 1;
        EXPECT_EQ(sensitive(the_app.steps.next_button), step + 1 < count) << "step " << step + 1;
        const std::string title = label_text(the_app.steps.title_label);
        const std::string heading =
            "Step " + std::to_string(step + 1) + " of " + std::to_string(count) + ": ";
        EXPECT_EQ(title.rfind(heading, 0), 0u) << title;
        said.emplace_back(title.substr(heading.size()), label_text(the_app.steps.sentence_label));
        // A screen reader hears each step: the picture, named by the
        // heading, says the sentence first, and after Back or Next it has
        // the focus.
        AtkObject* picture = gtk_widget_get_accessible(the_app.steps.area);
        EXPECT_EQ(std::string(atk_object_get_name(picture)), title);
        EXPECT_EQ(std::string(atk_object_get_description(picture))
                      .rfind(without_breaks(said.back().second), 0),
                  0u);
        if (step > 0) {
            EXPECT_TRUE(GTK_WIDGET_HAS_FOCUS(the_app.steps.area)) << "step " << step + 1;
        }
        save_screenshot(the_app.companion.window, shot_name + "-" + std::to_string(step + 1));
        gtk_button_clicked(GTK_BUTTON(the_app.steps.next_button));
    }
    return said;
}

struct steps_case {
    const char* map;
    bool product;
    // Each step's title and a part of its sentence.
    std::vector<std::pair<std::string, std::string>> says;
};

TEST_F(MainWindow, StepsWalkFromTheMapToTheMinimum) {
    const steps_case cases[] = {
        {"0111/1111/1101/1111",
         false,
         {{"the primes", "A'B, AB', A'C, B'C, AC', BC', A'D, B'D, C'D, AD', BD', CD'."},
          {"the essential primes", "No prime is essential"},
          {"the cells left", "cells 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 and 14, marked."},
          {"the chart", "No row or column can be dropped."},
          {"the cyclic core", "takes a cheapest product: P1P4P9P10."},
          {"the choice", "cell 1 by A'D, B'D or C'D; cell 2 by A'C, B'C or CD'; cell 3 by"},
          {"the minimum", "Minimal: A'B+B'C+C'D+AD', one of 6 minimum covers."}}},
        {"0110/1111/1101/1111",
         false,
         {{"the primes", "A'B, A'C, B'C, BC', A'D, B'D, C'D, BD', CD'."},
          {"the essential primes", "No prime is essential"},
          {"the cells left", "cells 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13 and 14, marked."},
          {"the chart", "In rounds, a row is dropped"},
          {"round 1", "Columns dropped, as every row over another column covers them too: 1 by "
                      "9, 2 by 10, 3 by 11, 4 by 12, 5 by 13 and 6 by 14."},
          {"round 2", "P2 by P1 and P5 by P1. Taken, as the only row left over a cell: P1 "
                      "(cell 7)."},
          {"the cyclic core", "P3, P4, P6, P7, P8 and P9 over cells 9, 10, 11, 12, 13 and 14"},
          {"the choice", "The minimum takes"},
          {"the minimum", "Minimal: A'B+B'C+C'D+BD', one of 6 minimum covers."}}},
        {"0111/1111/1101/1111",
         true,
         {{"the primes", "(A+B+C+D), (A'+B'+C'+D')."},
          {"the essential primes",
           "Only (A+B+C+D) covers cell 0, so it is essential. Only (A'+B'+C'+D') covers cell 15, "
           "so it is essential."},
          {"the cells left", "Left: none."},
          {"the choice", "Choose: none."},
          {"the minimum", "Minimal: (A+B+C+D)(A'+B'+C'+D'), the only minimum cover."}}},
        {"1001/0000/0000/1001",
         false,
         {{"the primes", ": B'D'."},
          {"the essential primes", "Only B'D' covers cell 0, so it is essential."},
          {"the cells left", "Left: none."},
          {"the choice", "Choose: none."},
          {"the minimum", "Minimal: B'D', the only minimum cover."}}},
    };
    on_view_steps(&the_app, 0, nullptr);
    for (const steps_case& c : cases) {
        SCOPED_TRACE(std::string(c.map) + (c.product ? " product" : " sum"));
        gtk_toggle_button_set_active(
            GTK_TOGGLE_BUTTON(the_app.steps.kind_buttons[c.product ? 1 : 0]), TRUE);
        set_map(c.map);
        click("   Show   ");
        const std::vector<std::pair<std::string, std::string>> said =
            walk_steps(std::string(c.map).substr(0, 4) + (c.product ? "-product" : "-sum"));
        ASSERT_EQ(said.size(), c.says.size());
        for (std::size_t i = 0; i < said.size(); ++i) {
            EXPECT_EQ(said[i].first, c.says[i].first) << "step " << i + 1;
            EXPECT_NE(said[i].second.find(c.says[i].second), std::string::npos)
                << "step " << i + 1 << " says: " << said[i].second;
        }
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
// its map (or its chart, from round to round) drawn at one size and place,
// with Back, Next and Close where they were: on A^B^C^D as a product (the
// most terms there are), on a map with a choice to make, and on the map
// with the most products in Petrick's method.
TEST_F(MainWindow, StepsKeepOneSizeWithTheirButtonsInPlace) {
    const std::pair<const char*, bool> cases[] = {{"0101/1010/0101/1010", true},
                                                  {"1110/1010/1110/0000", false},
                                                  {"0111/1111/1101/1111", false}};
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
        std::optional<picture_fit> chart_at;
        for (std::size_t step = 1; step <= the_app.steps.steps.size(); ++step) {
            const GdkRectangle at = window_rectangle(the_app.companion.window);
            const picture_fit now = steps_fit(the_app);
            const bool chart = the_app.steps.steps[step - 1].chart.has_value();
            if (chart && !chart_at) chart_at = now;
            const picture_fit was = chart ? *chart_at : map_at;
            EXPECT_TRUE(now.scale == was.scale && now.x == was.x && now.y == was.y)
                << "step " << step << ": the picture moved, scale " << was.scale << " to "
                << now.scale << ", from " << was.x << "," << was.y << " to " << now.x << ","
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
