// View > Practice on the real window: groups selected by keyboard and by
// mouse, added, refused, removed and cleared, and checked with the lines
// tessary-key --judge prints. With TESSARY_SCREENSHOTS set to a directory,
// the round is also saved there as PNGs to be looked at.
#include "gui_fixture.h"

#include "exact/exact.h"

#include <gdk/gdkkeysyms.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace tessary::testing {
namespace {

std::string message() {
    return gtk_label_get_text(GTK_LABEL(the_app.practice.message_label));
}

// The judgement as the window shows it, a label a line.
std::vector<std::string> verdict_lines() {
    std::vector<std::string> lines;
    GList* labels = gtk_container_get_children(GTK_CONTAINER(the_app.practice.verdict_box));
    for (GList* l = labels; l != nullptr; l = l->next)
        lines.push_back(gtk_label_get_text(GTK_LABEL(l->data)));
    g_list_free(labels);
    return lines;
}

std::vector<std::string> listed_groups() {
    std::vector<std::string> groups;
    GtkTreeModel* model = gtk_tree_view_get_model(GTK_TREE_VIEW(the_app.practice.list));
    GtkTreeIter row;
    for (gboolean more = gtk_tree_model_get_iter_first(model, &row); more;
         more = gtk_tree_model_iter_next(model, &row)) {
        gchar* text;
        gtk_tree_model_get(model, &row, 0, &text, -1);
        groups.push_back(text);
        g_free(text);
    }
    return groups;
}

void press_key(guint keyval) {
    testing::press_key(the_app.companion.window, keyval);
}

// A point of the area inside the cell of minterm `m`, found through the
// picture's own hit test, at the scale the area draws it.
GdkPoint centre_of(int m) {
    const map_picture picture = practice_picture(the_app);
    int x0 = -1, y0 = -1, x1 = -1, y1 = -1;
    for (int y = 0; y < 600; y += 2)
        for (int x = 0; x < 600; x += 2)
            if (minterm_at_point(picture, x, y) == m) {
                if (x0 < 0) x0 = x, y0 = y;
                x1 = x, y1 = y;
            }
    const picture_fit fit = practice_fit(the_app);
    return {static_cast<int>(fit.x + fit.scale * (x0 + x1) / 2),
            static_cast<int>(fit.y + fit.scale * (y0 + y1) / 2)};
}

void pointer(GdkEventType type, int m) {
    GdkEvent* event = gdk_event_new(type);
    const GdkPoint at = centre_of(m);
    if (type == GDK_MOTION_NOTIFY) {
        event->motion.window = GDK_WINDOW(g_object_ref(the_app.practice.area->window));
        event->motion.x = at.x;
        event->motion.y = at.y;
        event->motion.state = GDK_BUTTON1_MASK;
    } else {
        event->button.window = GDK_WINDOW(g_object_ref(the_app.practice.area->window));
        event->button.button = 1;
        event->button.x = at.x;
        event->button.y = at.y;
    }
    gtk_main_do_event(event);
    gdk_event_free(event);
    drain_events();
}

void click_cell(int m) {
    pointer(GDK_BUTTON_PRESS, m);
    pointer(GDK_BUTTON_RELEASE, m);
}

void drag_across(int from, int to) {
    pointer(GDK_BUTTON_PRESS, from);
    pointer(GDK_MOTION_NOTIFY, to);
    pointer(GDK_BUTTON_RELEASE, to);
}

void press(const char* label) {
    gtk_button_clicked(GTK_BUTTON(find_button(the_app.companion.window, label)));
    drain_events();
}

class Practice : public MainWindow {
  protected:
    void open_on(const char* map) {
        set_map(map);
        click("   Show   ");
        on_view_practice(&the_app, 0, nullptr);
        drain_events();
    }
};

TEST_F(Practice, OpensOnTheShownMapWithTheKeyboardOnItsFirstCell) {
    open_on("1001/0000/0000/1001");
    EXPECT_EQ(std::string(gtk_window_get_title(GTK_WINDOW(the_app.companion.window))),
              "Tessary: Practice");
    EXPECT_TRUE(GTK_WIDGET_HAS_FOCUS(the_app.practice.area));
    EXPECT_EQ(the_app.practice.round.cursor, 0);
    EXPECT_TRUE(the_app.practice.round.groups.empty());
    EXPECT_EQ(the_app.practice.round.selected, 0);
}

// The corners by keyboard alone: the cursor wraps left and up.
TEST_F(Practice, KeyboardSelectsWrapsAndAdds) {
    open_on("1001/0000/0000/1001");
    for (const guint key :
         {GDK_space, GDK_Left, GDK_space, GDK_Up, GDK_space, GDK_Right, GDK_space})
        press_key(key);
    EXPECT_EQ(the_app.practice.round.selected,
              minterm_bit(0) | minterm_bit(8) | minterm_bit(10) | minterm_bit(2));
    save_screenshot(the_app.companion.window, "practice-1-corners-selected");
    press_key(GDK_Return);
    EXPECT_EQ(listed_groups(), std::vector<std::string>{"B'D'"});
    EXPECT_EQ(the_app.practice.round.selected, 0) << "an added group clears the selection";
    press("_Check");
    EXPECT_EQ(verdict_lines(),
              (std::vector<std::string>{"B'D' is an essential prime implicant.",
                                        "These groups are a minimal cover."}));
    save_screenshot(the_app.companion.window, "practice-2-checked");
}

// The example of the manual: a loop too small, the right one and one over a 0,
// judged as tessary-key --judge judges them, in whole sentences; the map
// stays where it was as the groups come and Check marks them.
TEST_F(Practice, CheckSaysWhatIsWrongWithEachGroup) {
    open_on("1001/0000/0000/1001");
    const picture_fit map_at = practice_fit(the_app);
    click_cell(0);
    press("_Add group");
    for (const int m : {0, 8, 2, 10}) click_cell(m);
    press_key(GDK_Return);
    drag_across(4, 6); // column A'B: rows C'D' to CD'
    press("_Add group");
    press("_Check");
    EXPECT_EQ(verdict_lines(),
              (std::vector<std::string>{
                  "A'B'C'D' could be bigger: it fits inside B'D'. The other groups cover its "
                  "cells, so it is not needed either.",
                  "B'D' is an essential prime implicant.",
                  "A'B takes in cell 4, a 0: a group of 1s must not.",
                  "These groups are not a cover. 1 group takes in a 0."}));
    const picture_fit now = practice_fit(the_app);
    EXPECT_TRUE(now.scale == map_at.scale && now.x == map_at.x && now.y == map_at.y)
        << "the map moved as groups came and Check marked it";
    save_screenshot(the_app.companion.window, "practice-3-three-groups-checked");
}

struct refusal_case {
    std::vector<int> cells;
    const char* says;
};

TEST_F(Practice, RefusesWhatIsNotAGroupAndKeepsTheSelection) {
    open_on("1111/1111/0000/0000");
    const refusal_case cases[] = {
        {{}, "Not a group: no cell is selected."},
        {{0, 4, 12}, "Not a group: 3 cells are selected, and a group has 1, 2, 4, 8 or 16."},
        {{0, 4, 13, 9}, "Not a group: the 4 cells selected do not make a rectangle"},
    };
    for (const refusal_case& c : cases) {
        SCOPED_TRACE(c.says);
        for (const int m : c.cells) click_cell(m);
        const minterm_set selected = the_app.practice.round.selected;
        press_key(GDK_Return);
        EXPECT_EQ(message().rfind(c.says, 0), 0u) << message();
        EXPECT_EQ(the_app.practice.round.selected, selected);
        EXPECT_TRUE(the_app.practice.round.groups.empty());
        if (c.cells.size() == 4) save_screenshot(the_app.companion.window, "practice-4-refused");
        for (const int m : c.cells) click_cell(m); // let the cells go again
        EXPECT_EQ(the_app.practice.round.selected, 0);
    }
}

TEST_F(Practice, RemoveClearAndANewMap) {
    open_on("1111/1111/0000/0000");
    for (const auto& [from, to] : {std::pair{0, 8}, std::pair{1, 9}, std::pair{0, 1}}) {
        drag_across(from, to);
        press_key(GDK_Return);
    }
    ASSERT_EQ(listed_groups(), (std::vector<std::string>{"C'D'", "C'D", "A'B'C'"}));
    press("_Remove");
    EXPECT_EQ(listed_groups(), (std::vector<std::string>{"C'D'", "C'D"})) << "the last goes";
    GtkTreePath* first = gtk_tree_path_new_from_string("0");
    gtk_tree_selection_select_path(
        gtk_tree_view_get_selection(GTK_TREE_VIEW(the_app.practice.list)), first);
    gtk_tree_path_free(first);
    press("_Remove");
    EXPECT_EQ(listed_groups(), std::vector<std::string>{"C'D"}) << "the selected one goes";
    press("C_lear");
    EXPECT_TRUE(listed_groups().empty());
    press("_Remove");
    EXPECT_EQ(message(), "There is no group to remove.");

    drag_across(0, 9);
    press_key(GDK_Return);
    const boolean_map before = the_app.shown.map;
    press("_New map");
    EXPECT_NE(the_app.shown.map, before);
    const int terms = minimum_sop(the_app.shown.map).size;
    EXPECT_GE(terms, 2);
    EXPECT_LE(terms, 5);
    EXPECT_TRUE(listed_groups().empty()) << "a new map starts the round again";
}

TEST_F(Practice, ShowingAnotherMapClearsTheGroups) {
    open_on("1111/1111/0000/0000");
    drag_across(0, 9);
    press_key(GDK_Return);
    ASSERT_EQ(listed_groups().size(), 1u);
    click("   Reset   ");
    drain_events();
    EXPECT_TRUE(listed_groups().empty());
    EXPECT_TRUE(verdict_lines().empty());
}

// Loops of 0s for the product.
TEST_F(Practice, TheProductJudgesLoopsOfZeros) {
    open_on("1001/0000/0000/1001");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.practice.kind_buttons[1]), TRUE);
    drain_events();
    drag_across(4, 14); // columns A'B and AB: B
    press_key(GDK_Return);
    drag_across(1, 11); // rows C'D and CD: D
    press_key(GDK_Return);
    EXPECT_EQ(listed_groups(), (std::vector<std::string>{"B'", "D'"}));
    press("_Check");
    EXPECT_EQ(verdict_lines(),
              (std::vector<std::string>{"B' is an essential prime implicate.",
                                        "D' is an essential prime implicate.",
                                        "These groups are a minimal cover."}));
    save_screenshot(the_app.companion.window, "practice-5-product");
}

// New map leaves the main window as if the student had clicked the cells
// in: no answer until Show. With Product chosen, the exercise is sized by
// its product.
TEST_F(Practice, NewMapGivesNoAnswerAway) {
    open_on("1001/0000/0000/1001");
    ASSERT_NE(text_of(the_app.main.key), "");
    press("_New map");
    EXPECT_EQ(text_of(the_app.main.key), "");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.practice.kind_buttons[1]), TRUE);
    drain_events();
    for (int i = 0; i < 20; ++i) {
        press("_New map");
        const int sums = minimum_pos(the_app.shown.map).size;
        EXPECT_TRUE(sums >= 2 && sums <= 5) << map_text(the_app.shown.map);
    }
    click("   Show   ");
    EXPECT_NE(text_of(the_app.main.key), "");
}

// After Check the loop over a 0 is drawn as a warning with the 0s it takes
// ringed, and the 1s no loop takes are ringed too; for a product, the same
// with 1s and 0s the other way round.
TEST_F(Practice, CheckMarksTheMap) {
    open_on("1001/0000/0000/1001");
    drag_across(4, 6); // A'B, over four 0s
    press_key(GDK_Return);
    click_cell(0);
    press_key(GDK_Return);
    press("_Check");
    map_picture marked = practice_picture(the_app);
    EXPECT_TRUE(marked.groups[0].warning);
    EXPECT_FALSE(marked.groups[1].warning);
    EXPECT_EQ(marked.wrong_cells,
              minterm_bit(4) | minterm_bit(5) | minterm_bit(6) | minterm_bit(7));
    EXPECT_EQ(marked.missed_cells, minterm_bit(2) | minterm_bit(8) | minterm_bit(10));
    save_screenshot(the_app.companion.window, "practice-6-marked");
    press("C_lear");
    EXPECT_EQ(practice_picture(the_app).missed_cells, 0) << "the marks go with the groups";

    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.practice.kind_buttons[1]), TRUE);
    drain_events();
    drag_across(0, 2); // A'B', over the 1s at 0 and 2
    press_key(GDK_Return);
    press("_Check");
    marked = practice_picture(the_app);
    EXPECT_TRUE(marked.groups[0].warning);
    EXPECT_EQ(marked.wrong_cells, minterm_bit(0) | minterm_bit(2));
    EXPECT_EQ(marked.missed_cells, static_cast<minterm_set>(0xFAFA))
        << "every 0: none is in a good loop";
}

// Switching between loops of 1s and of 0s says what it cleared; closing and
// reopening on the same map, or showing it again, keeps the groups.
TEST_F(Practice, KeepsTheGroupsAndSaysWhenASwitchClearsThem) {
    open_on("1111/1111/0000/0000");
    drag_across(0, 8);
    press_key(GDK_Return);
    press_key(GDK_Escape);
    ASSERT_EQ(the_app.companion.window, nullptr);
    click("   Show   ");
    on_view_practice(&the_app, 0, nullptr);
    EXPECT_EQ(listed_groups(), std::vector<std::string>{"C'D'"}) << "reopened on the same map";
    drag_across(1, 9);
    press_key(GDK_Return);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.practice.kind_buttons[1]), TRUE);
    drain_events();
    EXPECT_TRUE(listed_groups().empty());
    EXPECT_EQ(message(), "Loops of 0s now: the 2 groups of 1s were cleared.");
    drag_across(3, 11);
    press_key(GDK_Return);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.practice.kind_buttons[0]), TRUE);
    drain_events();
    EXPECT_EQ(message(), "Loops of 1s now: the group of 0s was cleared.");
}

// The messages name the group of every cell "the whole map"; the labels
// that only say something take no Tab stop.
TEST_F(Practice, WordsAStudentMeets) {
    open_on("1111/1111/1111/1111");
    drag_across(0, 10);
    press_key(GDK_Return);
    EXPECT_EQ(message(), "Added the whole map.");
    press("_Remove");
    EXPECT_EQ(message(), "Removed the whole map.");
    EXPECT_FALSE(gtk_label_get_selectable(GTK_LABEL(the_app.practice.message_label)));
    GtkWidget* hint = find_label(the_app.companion.window, "Select the cells");
    ASSERT_NE(hint, nullptr);
    EXPECT_FALSE(gtk_label_get_selectable(GTK_LABEL(hint)));
}

// Every cell looped alone and checked: the lines scroll, and the window
// with Close stays on the screen.
TEST_F(Practice, SixteenGroupsStayOnTheScreen) {
    open_on("1111/1111/1111/1111");
    for (int m = 0; m < 16; ++m) {
        click_cell(m);
        press_key(GDK_Return);
    }
    press("_Check");
    ASSERT_EQ(verdict_lines().size(), 17u);
    const GdkRectangle at = window_rectangle(the_app.companion.window);
    EXPECT_TRUE(on_screen(at)) << at.x << "," << at.y << " " << at.width << "x" << at.height;
    save_screenshot(the_app.companion.window, "practice-7-sixteen");
}

// A larger window draws the map larger, and a click still lands on its cell.
TEST_F(Practice, DrawsTheMapToTheWindowsSize) {
    open_on("1001/0000/0000/1001");
    // From the least size the window can have.
    shrink_to_least(the_app.companion.window);
    const double scale = practice_fit(the_app).scale;
    const GdkRectangle screen = screen_rectangle();
    gtk_window_resize(GTK_WINDOW(the_app.companion.window), screen.width - 24, screen.height - 48);
    EXPECT_TRUE(wait_until([&] { return practice_fit(the_app).scale > scale * 1.05; }))
        << scale << " then " << practice_fit(the_app).scale;
    click_cell(10);
    EXPECT_EQ(the_app.practice.round.selected, minterm_bit(10));
}

TEST_F(Practice, EscapeCloses) {
    open_on("1001/0000/0000/1001");
    press_key(GDK_Escape);
    EXPECT_EQ(the_app.companion.window, nullptr);
}

} // namespace
} // namespace tessary::testing
