// The companion window: one window for Groups, Steps and Practice, placed
// in the work area beside the main window and never over it, whatever the
// page, its text, the screen and the window manager; and the menus'
// shortcuts from it.
#include "gui_fixture.h"

#include <gdk/gdkkeysyms.h>

#include <string>

namespace tessary::testing {
namespace {

std::string text(const GdkRectangle& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height);
}

// What the window manager leaves for windows (_NET_WORKAREA of the first
// desktop), or the whole screen where it says nothing.
GdkRectangle work_area() {
    GdkRectangle area = screen_rectangle();
    GdkAtom type;
    gint format, length;
    guchar* data = nullptr;
    if (gdk_property_get(gdk_get_default_root_window(), gdk_atom_intern("_NET_WORKAREA", FALSE),
                         GDK_NONE, 0, 4 * 4, FALSE, &type, &format, &length, &data) &&
        format == 32 && length >= static_cast<gint>(4 * sizeof(long))) {
        const long* v = reinterpret_cast<const long*>(data);
        area = {static_cast<gint>(v[0]), static_cast<gint>(v[1]), static_cast<gint>(v[2]),
                static_cast<gint>(v[3])};
    }
    g_free(data);
    return area;
}

// A window with the frame the window manager drew round it.
GdkRectangle frame_rectangle(GtkWidget* window) {
    GdkRectangle r{};
    if (window != nullptr && window->window != nullptr)
        gdk_window_get_frame_extents(window->window, &r);
    return r;
}

bool apart(const GdkRectangle& a, const GdkRectangle& b) {
    return a.x >= b.x + b.width || b.x >= a.x + a.width || a.y >= b.y + b.height ||
           b.y >= a.y + a.height;
}

bool within(const GdkRectangle& r, const GdkRectangle& area) {
    return r.x >= area.x && r.y >= area.y && r.x + r.width <= area.x + area.width &&
           r.y + r.height <= area.y + area.height;
}

// Both windows shown, settled, apart and inside the work area, frames
// included; waits for the window manager to have moved them (on a loaded
// machine it may take its time).
void expect_apart_and_inside(const std::string& shot) {
    GtkWidget* companion = the_app.companion.window;
    ASSERT_NE(companion, nullptr);
    const bool placed = wait_until(
        [companion] {
            const GdkRectangle main = frame_rectangle(the_app.main.window),
                               other = frame_rectangle(companion);
            return window_settled(the_app.main.window) && window_settled(companion) &&
                   apart(main, other) && within(main, work_area()) && within(other, work_area());
        },
        30);
    EXPECT_TRUE(placed) << "main " << text(frame_rectangle(the_app.main.window)) << "; companion "
                        << text(frame_rectangle(companion)) << "; work area " << text(work_area());
    save_screen(shot);
}

struct page_case {
    const char* name;
    guint key;
    page shown;
    const char* title;
};
constexpr page_case pages[] = {
    {"Groups", GDK_g, page::groups, "Tessary: Groups"},
    {"Steps", GDK_t, page::steps, "Tessary: Steps"},
    {"Practice", GDK_p, page::practice, "Tessary: Practice"},
};

// The main window shown and framed, as it is by the time a user opens a page.
void wait_for_main_window() {
    ASSERT_TRUE(wait_until([] { return window_settled(the_app.main.window); }));
    drain_events();
}

gint current_page() {
    return gtk_notebook_get_current_page(GTK_NOTEBOOK(the_app.companion.notebook));
}

// The maps with the longest texts: an empty one, one whose answer is two
// terms longer than the minimum (a caption of two lines), and A^B^C^D.
constexpr const char* long_maps[] = {"0000/0000/0000/0000", "0111/1111/1101/1111",
                                     "0101/1010/0101/1010"};

// Each page opened alone, on each of those maps.
TEST_F(MainWindow, EachPageAloneStaysApartFromTheMainWindow) {
    wait_for_main_window();
    for (const char* map : long_maps)
        for (const page_case& p : pages) {
            SCOPED_TRACE(std::string(p.name) + " on " + map);
            set_map(map);
            on_show_clicked(nullptr, &the_app); // Show, in any language
            ASSERT_TRUE(
                gtk_accel_groups_activate(G_OBJECT(the_app.main.window), p.key, GDK_CONTROL_MASK));
            EXPECT_EQ(current_page(), static_cast<gint>(p.shown));
            EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(the_app.companion.window)), _(p.title));
            expect_apart_and_inside(std::string("alone-") + p.name);
            gtk_widget_destroy(the_app.companion.window);
            drain_events();
            EXPECT_EQ(the_app.companion.window, nullptr);
        }
}

// The three pages in turn are one window: opening another page keeps it,
// and a new map shown while it is open keeps the two apart.
TEST_F(MainWindow, PagesInTurnAreOneWindowApartFromTheMainWindow) {
    wait_for_main_window();
    GtkWidget* first = nullptr;
    for (const char* map : long_maps)
        for (const page_case& p : pages) {
            SCOPED_TRACE(std::string(p.name) + " on " + map);
            ASSERT_TRUE(
                gtk_accel_groups_activate(G_OBJECT(the_app.main.window), p.key, GDK_CONTROL_MASK));
            if (first == nullptr) first = the_app.companion.window;
            EXPECT_EQ(the_app.companion.window, first);
            EXPECT_EQ(current_page(), static_cast<gint>(p.shown));
            set_map(map);
            on_show_clicked(nullptr, &the_app); // Show, in any language
            expect_apart_and_inside(std::string("in-turn-") + p.name);
        }
}

// The menus' accelerators work from the companion: its own pages, Enter
// function, and the others.
TEST_F(MainWindow, ShortcutsWorkFromTheCompanion) {
    ASSERT_TRUE(gtk_accel_groups_activate(G_OBJECT(the_app.main.window), GDK_g, GDK_CONTROL_MASK));
    GtkWidget* companion = the_app.companion.window;
    for (const page_case& p : {pages[1], pages[2], pages[0]}) {
        SCOPED_TRACE(p.name);
        EXPECT_TRUE(gtk_accel_groups_activate(G_OBJECT(companion), p.key, GDK_CONTROL_MASK));
        EXPECT_EQ(current_page(), static_cast<gint>(p.shown));
        EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(companion)), _(p.title));
    }
    static bool seen = false;
    g_timeout_add(
        100,
        [](gpointer) -> gboolean {
            GList* windows = gtk_window_list_toplevels();
            for (GList* w = windows; w != nullptr; w = w->next)
                if (GTK_IS_DIALOG(w->data) && GTK_WIDGET_VISIBLE(w->data) &&
                    std::string(gtk_window_get_title(GTK_WINDOW(w->data))) == "Enter function") {
                    seen = true;
                    gtk_dialog_response(GTK_DIALOG(w->data), GTK_RESPONSE_CANCEL);
                }
            g_list_free(windows);
            return FALSE;
        },
        nullptr);
    EXPECT_TRUE(gtk_accel_groups_activate(G_OBJECT(companion), GDK_e, GDK_CONTROL_MASK));
    EXPECT_TRUE(seen) << "Ctrl+E from the companion";
}

// Nothing moves: the Groups map keeps its scale and place through every
// form, the hazard-free product's longer legend included; Practice keeps
// its size whatever its message says.
TEST_F(MainWindow, PagesKeepTheirMapStill) {
    set_map("0011/1111/1100/0000");
    on_show_clicked(nullptr, &the_app);
    present_page(the_app, page::groups);
    window_rectangle(the_app.companion.window);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.groups.hazards_check), TRUE);
    const picture_fit first = groups_fit(the_app);
    for (GtkWidget* form : the_app.groups.form_buttons) {
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(form), TRUE);
        drain_events();
        const picture_fit now = groups_fit(the_app);
        EXPECT_DOUBLE_EQ(now.scale, first.scale) << gtk_button_get_label(GTK_BUTTON(form));
        EXPECT_DOUBLE_EQ(now.x, first.x);
        EXPECT_DOUBLE_EQ(now.y, first.y);
    }
    present_page(the_app, page::practice);
    GtkWidget* message = the_app.practice.message_label;
    const std::string messages[] = {
        "", "Added A'B.",
        "Not a group: the cells 0, 1, 2, 3, 4, 5, 6, 7, 8 and 9 are not a rectangle of 1, 2, 4 "
        "or 8 cells round the map; a message long enough to take a second line"};
    gint height = -1;
    for (const std::string& text : messages) {
        gtk_label_set_text(GTK_LABEL(message), text.c_str());
        GtkRequisition wanted;
        gtk_widget_size_request(message, &wanted);
        if (height < 0) height = wanted.height;
        EXPECT_EQ(wanted.height, height) << text;
    }
}

} // namespace
} // namespace tessary::testing
