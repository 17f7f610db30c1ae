// The companion window: one window beside the main one with a page for
// each of Groups, Steps and Practice, built once by present_page(), placed
// in the work area clear of the main window (placement.h decides where;
// this file measures and moves), closed by a page's Close or Escape and
// ended with the main window. It shares the main window's accelerators, so
// that the menus' shortcuts work from it. Below: the parts the pages share,
// labels that wrap between terms, rows of buttons, a picture drawn to the
// page's size.
#include "window.h"

#include "placement.h"
#include "render/cairo_surface.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tessary {

namespace {

// The pages, in the order of their tabs and of `page`.
const page_parts* const pages[] = {&groups_page, &steps_page, &practice_page};
static_assert(std::size(pages) == static_cast<std::size_t>(page::practice) + 1);

// The smallest a picture may be made, on a small screen or by resizing.
constexpr gint smallest_picture = 160;

gboolean on_companion_key_press(GtkWidget* window, GdkEventKey* event, gpointer) {
    if (event->keyval != GDK_Escape) return FALSE;
    gtk_widget_destroy(window);
    return TRUE;
}

void on_close_clicked(GtkButton*, gpointer data) {
    gtk_widget_destroy(app_of(data).companion.window);
}

// The one end of the companion: it is closed.
void on_companion_destroy(GtkWidget*, gpointer data) {
    companion_window& c = app_of(data).companion;
    if (c.later != 0) g_source_remove(c.later);
    c = {};
}

// The window's title names the page shown.
void on_companion_switch_page(GtkNotebook*, gpointer, guint number, gpointer data) {
    const app& a = app_of(data);
    if (number < std::size(pages))
        gtk_window_set_title(GTK_WINDOW(a.companion.window), _(pages[number]->title));
}

rect rect_of(const GdkRectangle& r) {
    return {r.x, r.y, r.width, r.height};
}

// What the window manager leaves for windows on the monitor of `window`:
// the root window's _NET_WORKAREA for the current desktop where the window
// manager sets it, else the whole monitor.
rect work_area_of(GtkWidget* window) {
    GdkScreen* screen = gtk_widget_get_screen(window);
    GdkRectangle monitor;
    gdk_screen_get_monitor_geometry(
        screen, gdk_screen_get_monitor_at_window(screen, window->window), &monitor);
    GdkWindow* root = gdk_screen_get_root_window(screen);
    GdkAtom type;
    gint format, length;
    guchar* data = nullptr;
    long desktop = 0;
    if (gdk_property_get(root, gdk_atom_intern_static_string("_NET_CURRENT_DESKTOP"), GDK_NONE, 0,
                         1, FALSE, &type, &format, &length, &data) &&
        format == 32 && length >= static_cast<gint>(sizeof(long)))
        desktop = *reinterpret_cast<long*>(data);
    g_free(data);
    data = nullptr;
    GdkRectangle area = monitor;
    // Format-32 properties come as arrays of long, four to a desktop.
    if (gdk_property_get(root, gdk_atom_intern_static_string("_NET_WORKAREA"), GDK_NONE,
                         desktop * 4, 4 * 4, FALSE, &type, &format, &length, &data) &&
        format == 32 && length >= static_cast<gint>(4 * sizeof(long))) {
        const long* v = reinterpret_cast<long*>(data);
        const GdkRectangle work{static_cast<gint>(v[0]), static_cast<gint>(v[1]),
                                static_cast<gint>(v[2]), static_cast<gint>(v[3])};
        if (!gdk_rectangle_intersect(&monitor, &work, &area)) area = monitor;
    }
    g_free(data);
    return rect_of(area);
}

// Where a window is, with the frame the window manager puts round it
// (gtk_window_move() places the frame's corner); the inner size of one
// not yet shown.
rect frame_of(GtkWidget* window) {
    GdkRectangle r;
    if (window->window != nullptr && GTK_WIDGET_MAPPED(window)) {
        gdk_window_get_frame_extents(window->window, &r);
        return rect_of(r);
    }
    gtk_window_get_position(GTK_WINDOW(window), &r.x, &r.y);
    gtk_window_get_size(GTK_WINDOW(window), &r.width, &r.height);
    return rect_of(r);
}

// The companion's frame beyond its inside; while it is not yet shown, the
// main window's (a frame of the same window manager, perhaps without a
// handle).
extent companion_border(const app& a) {
    GtkWidget* window = a.companion.window;
    if (window->window == nullptr || !GTK_WIDGET_MAPPED(window)) window = a.main.window;
    const rect outer = frame_of(window);
    gint width, height;
    gtk_window_get_size(GTK_WINDOW(window), &width, &height);
    return {std::max(0, outer.width - width), std::max(0, outer.height - height)};
}

// The companion's size, frame included, with each page's picture given
// `picture` (its room, or the smallest): the largest page sets it.
extent companion_size(const app& a, bool natural) {
    for (const page_parts* p : pages) {
        const picture_size room = p->room(a);
        const double scale = natural ? 1 : smallest_picture / std::max(room.width, room.height);
        gtk_widget_set_size_request(p->area(a), static_cast<gint>(room.width * scale),
                                    static_cast<gint>(room.height * scale));
    }
    GtkRequisition wanted;
    gtk_widget_size_request(a.companion.window, &wanted);
    const extent border = companion_border(a);
    return {wanted.width + border.width, wanted.height + border.height};
}

void keep_apart(app& a);

// A window manager busy with the companion's earlier sizes may answer a
// request with one of them: a moment later the placement is asked for
// again, a few times at most.
void look_later(app& a) {
    constexpr int most_looks = 5;
    companion_window& c = a.companion;
    if (c.later != 0 || c.looked_later >= most_looks) return;
    ++c.looked_later;
    c.later = g_timeout_add(
        300,
        +[](gpointer data) -> gboolean {
            app& a = app_of(data);
            a.companion.later = 0;
            a.companion.asked_again = 0;
            keep_apart(a);
            return FALSE;
        },
        &a);
}

// Places the two windows and gives the companion the size placement chose;
// its pictures keep the smallest size request, so that it can be made
// smaller by hand, and larger.
void place_windows(app& a) {
    const extent wanted = companion_size(a, true), smallest = companion_size(a, false);
    const rect main = frame_of(a.main.window);
    const placement at = place_companion({work_area_of(a.main.window), main, wanted, smallest});
    // The window manager may not give what was asked (a frame of another
    // size), and a frame measured while it was being drawn may be off by a
    // few pixels: the same placement is asked for again a few times after
    // each change of the companion's frame until the companion has it, not
    // for ever, which would go round in circles.
    constexpr int most_asked_again = 3;
    const rect now = frame_of(a.companion.window);
    if (a.companion.placed && *a.companion.placed == at) {
        if (now == at.companion) {
            a.companion.asked_again = a.companion.looked_later = 0;
            return;
        }
        if (now != a.companion.seen) a.companion.asked_again = 0;
        if (a.companion.asked_again >= most_asked_again) return look_later(a);
        ++a.companion.asked_again;
    } else {
        a.companion.asked_again = a.companion.looked_later = 0;
    }
    a.companion.seen = now;
    a.companion.placed = at;
    if (at.main != main) gtk_window_move(GTK_WINDOW(a.main.window), at.main.x, at.main.y);
    const extent border = companion_border(a);
    gtk_window_resize(GTK_WINDOW(a.companion.window), at.companion.width - border.width,
                      at.companion.height - border.height);
    gtk_window_move(GTK_WINDOW(a.companion.window), at.companion.x, at.companion.y);
}

// The companion with its frame as it will be once GTK has given it what
// its pages now ask for.
rect companion_frame(const app& a) {
    rect r = frame_of(a.companion.window);
    const extent border = companion_border(a);
    GtkRequisition wanted;
    gtk_widget_size_request(a.companion.window, &wanted);
    r.width = std::max(r.width, wanted.width + border.width);
    r.height = std::max(r.height, wanted.height + border.height);
    return r;
}

// Placed again where it has grown over the main window or off the work
// area: a page that asks for more room, or a frame larger than was guessed.
void keep_apart(app& a) {
    const rect main = frame_of(a.main.window), companion = companion_frame(a);
    if (overlaps(main, companion) || !inside(companion, work_area_of(a.main.window)))
        place_windows(a);
}

// Once shown, and whenever the window manager has moved or sized it, the
// companion's own frame is known.
gboolean on_companion_configured(GtkWidget*, GdkEvent*, gpointer data) {
    keep_apart(app_of(data));
    return FALSE;
}

void build_companion(app& a) {
    companion_window& c = a.companion;
    c.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_transient_for(GTK_WINDOW(c.window), GTK_WINDOW(a.main.window));
    gtk_window_set_destroy_with_parent(GTK_WINDOW(c.window), TRUE);
    gtk_container_set_border_width(GTK_CONTAINER(c.window), 8);
    // The menus' accelerators, from whichever window has the focus.
    for (GSList* g = gtk_accel_groups_from_object(G_OBJECT(a.main.window)); g != nullptr;
         g = g->next)
        gtk_window_add_accel_group(GTK_WINDOW(c.window), GTK_ACCEL_GROUP(g->data));
    g_signal_connect(c.window, "key-press-event", G_CALLBACK(on_companion_key_press), nullptr);
    g_signal_connect(c.window, "destroy", G_CALLBACK(on_companion_destroy), &a);
    g_signal_connect(c.window, "map-event", G_CALLBACK(on_companion_configured), &a);
    g_signal_connect(c.window, "configure-event", G_CALLBACK(on_companion_configured), &a);
    c.notebook = gtk_notebook_new();
    for (const page_parts* p : pages)
        gtk_notebook_append_page(GTK_NOTEBOOK(c.notebook), p->build(a), gtk_label_new(_(p->tab)));
    gtk_container_add(GTK_CONTAINER(c.window), c.notebook);
    // Its pages are shown first, so that the window knows its size.
    gtk_widget_show_all(c.notebook);
    for (const page_parts* p : pages) p->fill(a);
    g_signal_connect(c.notebook, "switch-page", G_CALLBACK(on_companion_switch_page), &a);
}

} // namespace

void present_page(app& a, page p) {
    const bool new_window = !a.companion.open();
    if (new_window) build_companion(a);
    const auto number = static_cast<gint>(p);
    gtk_notebook_set_current_page(GTK_NOTEBOOK(a.companion.notebook), number);
    gtk_window_set_title(GTK_WINDOW(a.companion.window), _(pages[number]->title));
    if (new_window) {
        place_windows(a);
        gtk_widget_show(a.companion.window);
    }
    gtk_window_present(GTK_WINDOW(a.companion.window));
    if (GtkWidget* focus = pages[number]->focus(a)) gtk_widget_grab_focus(focus);
}

void update_companion(app& a) {
    if (!a.companion.open()) return;
    for (const page_parts* p : pages) p->update(a);
    if (GTK_WIDGET_VISIBLE(a.companion.window)) keep_apart(a);
}

GtkWidget* picture_area(app& a, GCallback on_expose) {
    GtkWidget* area = gtk_drawing_area_new();
    GTK_WIDGET_SET_FLAGS(area, GTK_CAN_FOCUS);
    gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK);
    g_signal_connect(area, "expose-event", on_expose, &a);
    // A click gives it the focus, as Tab does; a reader then hears it again.
    g_signal_connect(area, "button-press-event",
                     G_CALLBACK(+[](GtkWidget* widget, GdkEventButton*, gpointer) -> gboolean {
                         gtk_widget_grab_focus(widget);
                         return FALSE;
                     }),
                     nullptr);
    atk_object_set_role(gtk_widget_get_accessible(area), ATK_ROLE_IMAGE);
    return area;
}

void describe_picture(GtkWidget* area, const std::string& name, const std::string& description) {
    AtkObject* image = gtk_widget_get_accessible(area);
    atk_object_set_name(image, without_breaks(name).c_str());
    atk_object_set_description(image, without_breaks(description).c_str());
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

GtkWidget* button_row(app& a, std::initializer_list<GtkWidget*> buttons,
                      const char* close_mnemonic) {
    GtkWidget* row = gtk_hbutton_box_new();
    gtk_button_box_set_layout(GTK_BUTTON_BOX(row), GTK_BUTTONBOX_END);
    gtk_box_set_spacing(GTK_BOX(row), 6);
    for (GtkWidget* button : buttons) gtk_container_add(GTK_CONTAINER(row), button);
    gtk_container_add(GTK_CONTAINER(row),
                      app_button(a, close_mnemonic, G_CALLBACK(on_close_clicked)));
    return row;
}

picture_size room_for(const std::vector<map_picture>& pictures) {
    picture_size room{0, 0};
    for (const map_picture& picture : pictures) {
        const picture_size size = measure_picture(picture);
        room = {std::max(room.width, size.width), std::max(room.height, size.height)};
    }
    return room;
}

picture_fit fit_in(GtkWidget* area, picture_size size, picture_size room) {
    room = {std::max(room.width, size.width), std::max(room.height, size.height)};
    const double scale =
        std::min(area->allocation.width / room.width, area->allocation.height / room.height);
    return {scale, (area->allocation.width - room.width * scale) / 2,
            (area->allocation.height - room.height * scale) / 2};
}

picture_fit fit_in(GtkWidget* area, const map_picture& picture, picture_size room) {
    return fit_in(area, measure_picture(picture), room);
}

void draw_fitted(GtkWidget* area, const map_picture& picture, picture_size room) {
    draw_fitted(area, measure_picture(picture), room,
                [&](surface& on) { draw_picture(on, picture); });
}

void draw_fitted(GtkWidget* area, picture_size size, picture_size room,
                 const std::function<void(surface&)>& draw) {
    const picture_fit fit = fit_in(area, size, room);
    cairo_t* cr = gdk_cairo_create(area->window);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_surface on(cr);
    on.transform(fit.x, fit.y, fit.scale);
    draw(on);
    cairo_destroy(cr);
    if (GTK_WIDGET_HAS_FOCUS(area))
        gtk_paint_focus(area->style, area->window, GtkStateType(GTK_WIDGET_STATE(area)), nullptr,
                        area, "tessary-picture", 1, 1, area->allocation.width - 2,
                        area->allocation.height - 2);
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

void show_one_of(GtkWidget* label, const std::vector<std::string>& texts, std::size_t shown) {
    gint width;
    gtk_widget_get_size_request(label, &width, nullptr);
    gtk_widget_set_size_request(label, width, -1);
    gint height = 0;
    for (const std::string& text : texts) {
        gtk_label_set_text(GTK_LABEL(label), text.c_str());
        GtkRequisition wanted;
        gtk_widget_size_request(label, &wanted);
        height = std::max(height, wanted.height);
    }
    gtk_widget_set_size_request(label, width, height);
    const std::string text = shown < texts.size() ? texts[shown] : "";
    gtk_label_set_text(GTK_LABEL(label), text.c_str());
    // A reader hears the words, without the invisible breaks between terms.
    atk_object_set_name(gtk_widget_get_accessible(label), without_breaks(text).c_str());
}

GtkWidget* wrapped_label(int width) {
    GtkWidget* label = gtk_label_new("");
    g_signal_connect(label, "copy-clipboard", G_CALLBACK(on_label_copy_clipboard), nullptr);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_selectable(GTK_LABEL(label), TRUE);
    gtk_misc_set_alignment(GTK_MISC(label), 0, 0.5);
    gtk_widget_set_size_request(label, width, -1);
    return label;
}

} // namespace tessary
