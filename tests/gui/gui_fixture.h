// Shared set-up of the in-process GUI tests: GTK on the test's private X
// display, GLib warnings and criticals turned into test failures, and a
// fixture that builds the real main window for each test.
#pragma once

#include "widget_search.h"
#include "window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace tessary::testing {

// Runs the main loop until nothing is pending.
inline void drain_events() {
    while (gtk_events_pending()) gtk_main_iteration();
}

// Runs the main loop until `condition` holds, or gives up after `seconds`;
// tells whether it held. Tests wait for what they read, never a fixed time.
template <class Condition> bool wait_until(Condition condition, double seconds = 5) {
    const gint64 deadline = g_get_monotonic_time() + static_cast<gint64>(seconds * 1e6);
    for (;;) {
        gdk_display_sync(gdk_display_get_default());
        drain_events();
        if (condition()) return true;
        if (g_get_monotonic_time() > deadline) return false;
        g_usleep(2000);
    }
}

// A window that has been given, by the X server, the size it asks for at
// least, and has drawn itself at it.
inline bool window_settled(GtkWidget* window) {
    if (window == nullptr || window->window == nullptr || !GTK_WIDGET_MAPPED(window)) return false;
    GtkRequisition wanted;
    gtk_widget_size_request(window, &wanted);
    gint width, height;
    gdk_drawable_get_size(window->window, &width, &height);
    return width >= wanted.width && height >= wanted.height && window->allocation.width == width &&
           window->allocation.height == height;
}

// The screen's size, as GDK reads it.
inline GdkRectangle screen_rectangle() {
    GdkScreen* screen = gdk_screen_get_default();
    return {0, 0, gdk_screen_get_width(screen), gdk_screen_get_height(screen)};
}

// Where a toplevel window is on the screen and how big, once it has settled.
inline GdkRectangle window_rectangle(GtkWidget* window) {
    EXPECT_TRUE(wait_until([window] { return window_settled(window); }))
        << "the window did not settle";
    GdkRectangle r;
    gtk_window_get_position(GTK_WINDOW(window), &r.x, &r.y);
    gtk_window_get_size(GTK_WINDOW(window), &r.width, &r.height);
    return r;
}

// Makes a window as small as it can be, and waits until it is.
inline void shrink_to_least(GtkWidget* window) {
    gtk_window_resize(GTK_WINDOW(window), 1, 1);
    EXPECT_TRUE(wait_until([window] {
        GtkRequisition least;
        gtk_widget_size_request(window, &least);
        gint width, height;
        gdk_drawable_get_size(window->window, &width, &height);
        return window_settled(window) && width == least.width && height == least.height;
    })) << "the window did not shrink";
}

inline bool on_screen(const GdkRectangle& r) {
    const GdkRectangle screen = screen_rectangle();
    return r.x >= 0 && r.y >= 0 && r.x + r.width <= screen.width && r.y + r.height <= screen.height;
}

// Answers every dialog that is open with Cancel, which ends its modal loop.
inline void cancel_open_dialogs() {
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w != nullptr; w = w->next)
        if (GTK_IS_DIALOG(w->data) && GTK_WIDGET_VISIBLE(w->data))
            gtk_dialog_response(GTK_DIALOG(w->data), GTK_RESPONSE_CANCEL);
    g_list_free(windows);
}

// Calls `poll` every `interval_ms` while it returns TRUE, as a dialog's modal
// loop runs, for ten seconds at most: then the test fails and the dialog is
// cancelled, so that a dialog that never becomes ready fails instead of
// hanging. Returns the source, as g_timeout_add() does.
inline guint poll_dialog(guint interval_ms, GSourceFunc poll) {
    struct polling {
        GSourceFunc poll;
        gint64 deadline;
    };
    auto* p = new polling{poll, g_get_monotonic_time() + 10 * G_USEC_PER_SEC};
    return g_timeout_add_full(
        G_PRIORITY_DEFAULT, interval_ms,
        [](gpointer data) -> gboolean {
            auto* p = static_cast<polling*>(data);
            if (!p->poll(nullptr)) return FALSE;
            if (g_get_monotonic_time() < p->deadline) return TRUE;
            ADD_FAILURE() << "the dialog did not become ready in ten seconds";
            cancel_open_dialogs();
            return FALSE;
        },
        p, [](gpointer data) { delete static_cast<polling*>(data); });
}

inline std::string label_of(GtkWidget* button) {
    const gchar* label = gtk_button_get_label(GTK_BUTTON(button));
    return label != nullptr ? label : "";
}

inline std::string text_of(GtkWidget* entry) {
    return gtk_entry_get_text(GTK_ENTRY(entry));
}

inline bool is_visible(GtkWidget* widget) {
    return GTK_WIDGET_VISIBLE(widget);
}

// A key pressed in `window`, as if typed; GTK gives it to the focus.
inline void press_key(GtkWidget* window, guint keyval) {
    GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(window->window));
    event->key.keyval = keyval;
    gtk_main_do_event(event);
    gdk_event_free(event);
    drain_events();
}

// With TESSARY_SCREENSHOTS set to a directory, saves `window` there as
// NAME.png once it has drawn, to be looked at; else does nothing.
inline void save_screenshot(GtkWidget* window, const std::string& name) {
    const char* dir = std::getenv("TESSARY_SCREENSHOTS");
    if (dir == nullptr) return;
    wait_until([window] {
        gdk_window_process_all_updates();
        return window_settled(window);
    });
    gint width, height;
    gdk_drawable_get_size(window->window, &width, &height);
    GdkPixbuf* shot =
        gdk_pixbuf_get_from_drawable(nullptr, window->window, nullptr, 0, 0, 0, 0, width, height);
    gdk_pixbuf_save(shot, (std::string(dir) + "/" + name + ".png").c_str(), "png", nullptr,
                    nullptr);
    g_object_unref(shot);
}

// The whole screen, for a look at where the windows went.
inline void save_screen(const std::string& name) {
    const char* dir = std::getenv("TESSARY_SCREENSHOTS");
    if (dir == nullptr) return;
    gdk_window_process_all_updates();
    drain_events();
    const GdkRectangle screen = screen_rectangle();
    GdkPixbuf* shot = gdk_pixbuf_get_from_drawable(nullptr, gdk_get_default_root_window(), nullptr,
                                                   0, 0, 0, 0, screen.width, screen.height);
    gdk_pixbuf_save(shot, (std::string(dir) + "/" + name + ".png").c_str(), "png", nullptr,
                    nullptr);
    g_object_unref(shot);
}

// The program's state for the window under test: made anew for each test,
// as the program starts.
inline app the_app;

// Clicks a cell until it reads `value` ("0", "1" or "X").
inline void set_cell(int row, int col, char value) {
    for (int clicks = 0; clicks < 3 && label_of(the_app.main.cells[row][col])[0] != value; ++clicks)
        gtk_button_clicked(GTK_BUTTON(the_app.main.cells[row][col]));
}

// "1111/1111/1000/0001": row 0 first; '/' is skipped.
inline void set_map(const char* map) {
    int cell = 0;
    for (const char* ch = map; *ch != '\0' && cell < 16; ++ch) {
        if (*ch == '/') continue;
        set_cell(cell / 4, cell % 4, *ch);
        ++cell;
    }
}

// Runs the main loop with `action` queued as its first work, and tells
// whether something in it quit the loop; gives up after ten seconds.
inline bool main_loop_quits_after(GSourceFunc action) {
    bool timed_out = false;
    g_idle_add(action, nullptr);
    const guint guard = g_timeout_add_seconds(
        10,
        [](gpointer flag) -> gboolean {
            *static_cast<bool*>(flag) = true;
            gtk_main_quit();
            return FALSE;
        },
        &timed_out);
    gtk_main();
    if (!timed_out) g_source_remove(guard);
    return !timed_out;
}

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override { build(); }

    // Builds the window anew, its pictures read from `pixmap_dir` if given.
    static void build(const char* pixmap_dir = nullptr) {
        the_app = {};
        if (pixmap_dir != nullptr) the_app.pixmap_dir = pixmap_dir;
        build_main_window(the_app);
        drain_events();
    }

    void TearDown() override {
        // Closing for good here is not the user quitting: keep the main loop.
        if (the_app.main.window != nullptr) {
            g_signal_handlers_disconnect_by_func(the_app.main.window,
                                                 reinterpret_cast<gpointer>(on_quit), nullptr);
            gtk_widget_destroy(the_app.main.window);
            the_app.main.window = nullptr;
        }
        drain_events();
    }

    // The buttons the window's Show and Reset handlers are connected to.
    static GtkWidget* find_button(const char* label) {
        return testing::find_button(the_app.main.window, label);
    }
    static void click(const char* label) { gtk_button_clicked(GTK_BUTTON(find_button(label))); }
};

} // namespace tessary::testing
