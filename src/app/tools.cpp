// The tool windows' frame: a window of ours beside the main one, built once
// by present_tool(), placed where it hides least of the main window and of
// the other tool windows, closed by its button or Escape and ended with the
// main window; and the parts the tool windows share: labels that wrap
// between terms, rows of buttons, a picture drawn to the window's size.
#include "window.h"

#include "render/cairo_surface.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tessary {

namespace {

gboolean on_tool_key_press(GtkWidget* window, GdkEventKey* event, gpointer) {
    if (event->keyval != GDK_Escape) return FALSE;
    gtk_widget_destroy(window);
    return TRUE;
}

void on_tool_close_clicked(GtkButton*, gpointer window) {
    gtk_widget_destroy(GTK_WIDGET(window));
}

// The one end of a tool window: it is closed.
void on_tool_destroy(GtkWidget*, gpointer tool) {
    static_cast<tool_window*>(tool)->window = nullptr;
}

GtkWidget* new_tool_window(tool_window& tool, const char* title) {
    tool.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(tool.window), title);
    gtk_window_set_transient_for(GTK_WINDOW(tool.window), GTK_WINDOW(main_window));
    gtk_window_set_destroy_with_parent(GTK_WINDOW(tool.window), TRUE);
    gtk_container_set_border_width(GTK_CONTAINER(tool.window), 8);
    g_signal_connect(tool.window, "key-press-event", G_CALLBACK(on_tool_key_press), nullptr);
    g_signal_connect(tool.window, "destroy", G_CALLBACK(on_tool_destroy), &tool);
    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    gtk_container_add(GTK_CONTAINER(tool.window), box);
    return box;
}

void place_beside_main_window(const app& a, GtkWidget* window);

} // namespace

void present_tool(app& a, tool_window& tool, const tool_parts& parts) {
    if (!tool.open()) {
        GtkWidget* box = new_tool_window(tool, parts.title);
        GtkWidget* focus = parts.build(a, box);
        // Its parts are shown first, so that the window knows its size.
        gtk_widget_show_all(box);
        parts.fill(a);
        place_beside_main_window(a, tool.window);
        gtk_widget_show(tool.window);
        if (focus != nullptr) gtk_widget_grab_focus(focus);
    }
    gtk_window_present(GTK_WINDOW(tool.window));
}

void describe_loops(GtkWidget* area, const map_picture& picture) {
    atk_object_set_description(gtk_widget_get_accessible(area), loops_description(picture).c_str());
}

GtkWidget* app_button(app& a, const char* mnemonic, GCallback handler) {
    GtkWidget* button = gtk_button_new_with_mnemonic(mnemonic);
    g_signal_connect(button, "clicked", handler, &a);
    return button;
}

GtkWidget* radio_row(app& a, const char* const* labels, std::size_t count, GtkWidget** buttons,
                     GCallback on_toggled) {
    GtkWidget* row = gtk_hbox_new(FALSE, 6);
    GSList* group = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        buttons[i] = gtk_radio_button_new_with_mnemonic(group, labels[i]);
        group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(buttons[i]));
        g_signal_connect(buttons[i], "toggled", on_toggled, &a);
        gtk_box_pack_start(GTK_BOX(row), buttons[i], FALSE, FALSE, 0);
    }
    return row;
}

GtkWidget* button_row(std::initializer_list<GtkWidget*> buttons, GtkWidget* window,
                      const char* close_mnemonic) {
    GtkWidget* row = gtk_hbutton_box_new();
    gtk_button_box_set_layout(GTK_BUTTON_BOX(row), GTK_BUTTONBOX_END);
    gtk_box_set_spacing(GTK_BOX(row), 6);
    for (GtkWidget* button : buttons) gtk_container_add(GTK_CONTAINER(row), button);
    GtkWidget* close = gtk_button_new_with_mnemonic(close_mnemonic);
    g_signal_connect(close, "clicked", G_CALLBACK(on_tool_close_clicked), window);
    gtk_container_add(GTK_CONTAINER(row), close);
    return row;
}

void size_picture_area(GtkWidget* window, GtkWidget* area, picture_size size) {
    gtk_widget_set_size_request(area, static_cast<gint>(size.width),
                                static_cast<gint>(size.height));
    GtkRequisition wanted;
    gtk_widget_size_request(window, &wanted);
    const gint screen = gdk_screen_get_height(gtk_window_get_screen(GTK_WINDOW(window)));
    const gint room = screen - 48; // for the window's frame
    if (wanted.height <= room) return;
    const double scale = std::max(0.4, 1 - (wanted.height - room) / size.height);
    gtk_widget_set_size_request(area, static_cast<gint>(size.width * scale),
                                static_cast<gint>(size.height * scale));
}

picture_fit fit_in(GtkWidget* area, const map_picture& picture, picture_size room) {
    const picture_size size = measure_picture(picture);
    room = {std::max(room.width, size.width), std::max(room.height, size.height)};
    const double scale =
        std::min(area->allocation.width / room.width, area->allocation.height / room.height);
    return {scale, (area->allocation.width - room.width * scale) / 2,
            (area->allocation.height - room.height * scale) / 2};
}

void draw_fitted(GtkWidget* area, const map_picture& picture, picture_size room,
                 bool with_description) {
    if (with_description) describe_loops(area, picture);
    const picture_fit fit = fit_in(area, picture, room);
    cairo_t* cr = gdk_cairo_create(area->window);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_surface on(cr);
    on.transform(fit.x, fit.y, fit.scale);
    draw_picture(on, picture);
    cairo_destroy(cr);
}

namespace {

// A selection copied from a label leaves behind the invisible break points
// that let the label wrap between terms.
void on_label_copy_clipboard(GtkLabel* label, gpointer) {
    gint start, end;
    if (!gtk_label_get_selection_bounds(label, &start, &end)) return;
    const gchar* text = gtk_label_get_text(label);
    const gchar* from = g_utf8_offset_to_pointer(text, start);
    const gchar* to = g_utf8_offset_to_pointer(text, end);
    const std::string copied =
        without_breaks(std::string_view(from, static_cast<std::size_t>(to - from)));
    gtk_clipboard_set_text(gtk_widget_get_clipboard(GTK_WIDGET(label), GDK_SELECTION_CLIPBOARD),
                           copied.c_str(), -1);
    g_signal_stop_emission_by_name(label, "copy-clipboard");
}

} // namespace

GtkWidget* wrapped_label(int width) {
    GtkWidget* label = gtk_label_new("");
    g_signal_connect(label, "copy-clipboard", G_CALLBACK(on_label_copy_clipboard), nullptr);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_selectable(GTK_LABEL(label), TRUE);
    gtk_misc_set_alignment(GTK_MISC(label), 0, 0.5);
    gtk_widget_set_size_request(label, width, -1);
    return label;
}

namespace {

// A window's size: what it asks for, what it was given as a default, or
// what it has, whichever is larger.
GtkRequisition size_of(GtkWidget* window) {
    GtkRequisition wanted;
    gtk_widget_size_request(window, &wanted);
    gint width, height;
    gtk_window_get_default_size(GTK_WINDOW(window), &width, &height);
    wanted = {std::max(wanted.width, width), std::max(wanted.height, height)};
    if (GTK_WIDGET_VISIBLE(window)) {
        gtk_window_get_size(GTK_WINDOW(window), &width, &height);
        wanted = {std::max(wanted.width, width), std::max(wanted.height, height)};
    }
    return wanted;
}

int overlap(int a0, int a1, int b0, int b1) {
    return std::max(0, std::min(a1, b1) - std::max(a0, b0));
}

} // namespace

// Tried in turn: right of the main window at the screen's top, then at its
// bottom (so that two tool windows stack in one column, leaving the other
// side for a third), left of it the same way, level with it on either side,
// below it, above it; then the same beside each other window. The first
// where the window fits on the screen and covers nothing wins. Failing all,
// the place on the screen (those, and the screen's corners and edges) where
// it covers least of the main window and of the others.
GdkPoint place_beside(const GdkRectangle& main, const std::vector<GdkRectangle>& others, int width,
                      int height, int screen_width, int screen_height) {
    constexpr int gap = 12;
    const int far_x = std::max(0, screen_width - width),
              far_y = std::max(0, screen_height - height);
    // Beside the main window first, then beside the others, then anywhere a
    // side or a corner of the screen or of a window puts it.
    std::vector<GdkPoint> places;
    std::vector<int> xs{0, far_x}, ys{0, far_y};
    std::vector<GdkRectangle> windows{main};
    windows.insert(windows.end(), others.begin(), others.end());
    for (const GdkRectangle& r : windows) {
        const int right = r.x + r.width + gap, left = r.x - gap - width;
        const int below = r.y + r.height + gap, above = r.y - gap - height;
        places.insert(places.end(), {{right, 0},
                                     {right, far_y},
                                     {left, 0},
                                     {left, far_y},
                                     {right, r.y},
                                     {left, r.y},
                                     {r.x, below},
                                     {r.x, above}});
        xs.insert(xs.end(), {right, left, r.x});
        ys.insert(ys.end(), {below, above, r.y});
    }
    for (const int x : xs)
        for (const int y : ys) places.push_back({x, y});
    // Hiding the main window counts four times as much as hiding another.
    auto cost = [&](GdkPoint p) {
        long hidden = 4L * overlap(p.x, p.x + width, main.x, main.x + main.width) *
                      overlap(p.y, p.y + height, main.y, main.y + main.height);
        for (const GdkRectangle& r : others)
            hidden += long{overlap(p.x, p.x + width, r.x, r.x + r.width)} *
                      overlap(p.y, p.y + height, r.y, r.y + r.height);
        return hidden;
    };
    GdkPoint best{};
    long least = -1;
    for (const GdkPoint p : places) {
        const GdkPoint at{std::clamp(p.x, 0, far_x), std::clamp(p.y, 0, far_y)};
        // A place moved onto the screen wins only by hiding less.
        const long c = cost(at) * 2 + (at.x != p.x || at.y != p.y ? 1 : 0);
        if (least < 0 || c < least) best = at, least = c;
    }
    return best;
}

void keep_on_screen(GtkWidget* window) {
    const GtkRequisition wanted = size_of(window);
    gint x, y;
    gtk_window_get_position(GTK_WINDOW(window), &x, &y);
    GdkScreen* screen = gtk_window_get_screen(GTK_WINDOW(window));
    const gint far_x = std::max(0, gdk_screen_get_width(screen) - wanted.width);
    const gint far_y = std::max(0, gdk_screen_get_height(screen) - wanted.height);
    if (x > far_x || y > far_y)
        gtk_window_move(GTK_WINDOW(window), std::min(x, far_x), std::min(y, far_y));
}

namespace {

// Where a window is on the screen, with the frame the window manager puts
// round it (gtk_window_move() places the frame's corner).
GdkRectangle rectangle_of(GtkWidget* window) {
    GdkRectangle r;
    if (window->window != nullptr && GTK_WIDGET_MAPPED(window)) {
        gdk_window_get_frame_extents(window->window, &r);
        return r;
    }
    gtk_window_get_position(GTK_WINDOW(window), &r.x, &r.y);
    gtk_window_get_size(GTK_WINDOW(window), &r.width, &r.height);
    return r;
}

} // namespace

namespace {

bool covers(GdkPoint at, const GtkRequisition& size, const GdkRectangle& r) {
    return overlap(at.x, at.x + size.width, r.x, r.x + r.width) > 0 &&
           overlap(at.y, at.y + size.height, r.y, r.y + r.height) > 0;
}

// Where no place beside the main window is free of it (a small screen, the
// main window in the middle), the main window moves aside, to the screen's
// left edge, its top edge or its top-left corner, whichever comes first
// leaving a place clear of it, and never under a tool window already open.
void place_beside_main_window(const app& a, GtkWidget* window) {
    const GdkRectangle main = rectangle_of(main_window);
    std::vector<GdkRectangle> others;
    for (const tool_window* other :
         {static_cast<const tool_window*>(&a.groups), static_cast<const tool_window*>(&a.steps),
          static_cast<const tool_window*>(&a.practice)})
        if (other->open() && other->window != window && GTK_WIDGET_VISIBLE(other->window))
            others.push_back(rectangle_of(other->window));
    // A tool window not yet shown has no frame: it will have the main one's.
    GtkRequisition wanted = size_of(window);
    gint inner_width, inner_height;
    gtk_window_get_size(GTK_WINDOW(main_window), &inner_width, &inner_height);
    wanted.width += std::max(0, main.width - inner_width);
    wanted.height += std::max(0, main.height - inner_height);
    GdkScreen* screen = gtk_window_get_screen(GTK_WINDOW(main_window));
    const int screen_width = gdk_screen_get_width(screen),
              screen_height = gdk_screen_get_height(screen);
    GdkPoint at =
        place_beside(main, others, wanted.width, wanted.height, screen_width, screen_height);
    if (covers(at, wanted, main)) {
        for (const GdkPoint corner : {GdkPoint{0, main.y}, GdkPoint{main.x, 0}, GdkPoint{0, 0}}) {
            if (corner.x == main.x && corner.y == main.y) continue;
            GdkRectangle aside = main;
            aside.x = corner.x;
            aside.y = corner.y;
            // Never under a tool window already open.
            if (std::any_of(others.begin(), others.end(), [&](const GdkRectangle& r) {
                    return covers({aside.x, aside.y}, {aside.width, aside.height}, r);
                }))
                continue;
            const GdkPoint there = place_beside(aside, others, wanted.width, wanted.height,
                                                screen_width, screen_height);
            if (covers(there, wanted, aside)) continue;
            gtk_window_move(GTK_WINDOW(main_window), aside.x, aside.y);
            at = there;
            break;
        }
    }
    gtk_window_move(GTK_WINDOW(window), at.x, at.y);
}

} // namespace

} // namespace tessary
