// View > Groups: a window beside the main one with the picture of the shown
// map and the groups of an answer (the shown one, the minimal sum or the
// minimal product), the terms as text for screen readers, the minimum sum
// of products, and Save...; and File > Save picture..., which saves the
// same picture. The picture is drawn by render/picture.h.
#include "window.h"

#include "render/cairo_surface.h"
#include "render/picture_files.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tessary {

GtkWidget* groups_window;
GtkWidget* groups_area;
GtkWidget* groups_form_buttons[3];
GtkWidget* groups_terms_label;
GtkWidget* groups_minimal_label;

namespace {

struct form_choice {
    const char* label;
    answer_form form;
};

constexpr form_choice form_choices[] = {{N_("Shown _answer"), answer_form::shown},
                                        {N_("_Minimal sum"), answer_form::minimal},
                                        {N_("Minimal _product"), answer_form::pos}};
static_assert(std::size(form_choices) == std::size(groups_form_buttons));

// The smallest the picture may be made by resizing the window.
constexpr gint smallest_picture = 160;

// "Groups: A'B, CD'" or "No groups"; the terms in the legend's order.
std::string terms_text(const map_picture& picture) {
    if (picture.groups.empty()) return _("No groups");
    std::string terms;
    for (const map_group& g : picture.groups) terms += (terms.empty() ? "" : ", ") + g.label;
    // Translators: the groups the picture draws, as "Groups: A'B, CD'".
    return printed(_("Groups: %s"), terms.c_str());
}

// The picture at the largest scale that fits the area, centred in it.
gboolean on_groups_area_expose(GtkWidget* widget, GdkEventExpose*, gpointer) {
    draw_fitted(widget, current_picture());
    return TRUE;
}

// The window's first size: the picture at its own size, or smaller where
// the screen is too low for it; the user may then make it any size.
void size_groups_window() {
    size_picture_area(groups_window, groups_area, measure_picture(current_picture()));
    GtkRequisition wanted;
    gtk_widget_size_request(groups_window, &wanted);
    gtk_window_set_default_size(GTK_WINDOW(groups_window), wanted.width, wanted.height);
    gtk_widget_set_size_request(groups_area, smallest_picture, smallest_picture);
}

void on_groups_form_toggled(GtkToggleButton* button, gpointer) {
    if (gtk_toggle_button_get_active(button)) update_groups_window();
}

void on_groups_save_clicked(GtkButton*, gpointer) {
    save_picture_dialog(GTK_WINDOW(groups_window));
}

void on_groups_destroy(GtkWidget*, gpointer) {
    groups_window = nullptr;
}

GtkWidget* build_form_buttons() {
    const char* labels[std::size(form_choices)];
    for (std::size_t i = 0; i < std::size(form_choices); ++i) labels[i] = _(form_choices[i].label);
    return radio_row(labels, std::size(labels), groups_form_buttons,
                     G_CALLBACK(on_groups_form_toggled));
}

void build_groups_window() {
    GtkWidget* box = new_tool_window(groups_window, _("Tessary: Groups"));
    groups_area = gtk_drawing_area_new();
    g_signal_connect(groups_area, "expose-event", G_CALLBACK(on_groups_area_expose), nullptr);
    gtk_box_pack_start(GTK_BOX(box), groups_area, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(box), build_form_buttons(), FALSE, FALSE, 0);
    groups_terms_label = wrapped_label(320);
    gtk_box_pack_start(GTK_BOX(box), groups_terms_label, FALSE, FALSE, 0);
    groups_minimal_label = wrapped_label(320);
    gtk_box_pack_start(GTK_BOX(box), groups_minimal_label, FALSE, FALSE, 0);
    GtkWidget* buttons = gtk_hbutton_box_new();
    gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
    GtkWidget* save = gtk_button_new_with_mnemonic(_("_Save\u2026"));
    g_signal_connect(save, "clicked", G_CALLBACK(on_groups_save_clicked), nullptr);
    gtk_container_add(GTK_CONTAINER(buttons), save);
    gtk_container_add(GTK_CONTAINER(buttons), close_button(groups_window, _("_Close")));
    gtk_box_pack_start(GTK_BOX(box), buttons, FALSE, FALSE, 0);
    close_on_escape(groups_window);
    g_signal_connect(groups_window, "destroy", G_CALLBACK(on_groups_destroy), nullptr);
}

} // namespace

namespace {

gboolean on_escape_close(GtkWidget* window, GdkEventKey* event, gpointer) {
    if (event->keyval != GDK_Escape) return FALSE;
    gtk_widget_destroy(window);
    return TRUE;
}

void on_close_clicked(GtkButton*, gpointer window) {
    gtk_widget_destroy(GTK_WIDGET(window));
}

} // namespace

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

picture_fit fit_in(GtkWidget* area, const map_picture& picture) {
    const picture_size size = measure_picture(picture);
    const double scale =
        std::min(area->allocation.width / size.width, area->allocation.height / size.height);
    return {scale, (area->allocation.width - size.width * scale) / 2,
            (area->allocation.height - size.height * scale) / 2};
}

void draw_fitted(GtkWidget* area, const map_picture& picture) {
    const picture_fit fit = fit_in(area, picture);
    cairo_t* cr = gdk_cairo_create(area->window);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_surface on(cr);
    on.transform(fit.x, fit.y, fit.scale);
    draw_picture(on, picture);
    cairo_destroy(cr);
}

GtkWidget* new_tool_window(GtkWidget*& window, const char* title) {
    window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), title);
    gtk_window_set_transient_for(GTK_WINDOW(window), GTK_WINDOW(main_window));
    gtk_window_set_destroy_with_parent(GTK_WINDOW(window), TRUE);
    gtk_container_set_border_width(GTK_CONTAINER(window), 8);
    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    gtk_container_add(GTK_CONTAINER(window), box);
    return box;
}

GtkWidget* radio_row(const char* const* labels, std::size_t count, GtkWidget** buttons,
                     GCallback on_toggled) {
    GtkWidget* row = gtk_hbox_new(FALSE, 6);
    GSList* group = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        buttons[i] = gtk_radio_button_new_with_mnemonic(group, labels[i]);
        group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(buttons[i]));
        g_signal_connect(buttons[i], "toggled", on_toggled, nullptr);
        gtk_box_pack_start(GTK_BOX(row), buttons[i], FALSE, FALSE, 0);
    }
    return row;
}

void close_on_escape(GtkWidget* window) {
    g_signal_connect(window, "key-press-event", G_CALLBACK(on_escape_close), nullptr);
}

GtkWidget* close_button(GtkWidget* window, const char* mnemonic) {
    GtkWidget* button = gtk_button_new_with_mnemonic(mnemonic);
    g_signal_connect(button, "clicked", G_CALLBACK(on_close_clicked), window);
    return button;
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

// Tried in turn: right of the main window, left of it, below it, above it;
// the first where the window fits on the screen beside it wins. Failing
// all, the place on the screen (those four, and the screen's corners and
// edges) where it covers least of the main window.
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
        places.insert(places.end(), {{right, r.y}, {left, r.y}, {r.x, below}, {r.x, above}});
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

GdkRectangle rectangle_of(GtkWidget* window) {
    GdkRectangle r;
    gtk_window_get_position(GTK_WINDOW(window), &r.x, &r.y);
    gtk_window_get_size(GTK_WINDOW(window), &r.width, &r.height);
    return r;
}

} // namespace

void place_beside_main_window(GtkWidget* window) {
    const GdkRectangle main = rectangle_of(main_window);
    std::vector<GdkRectangle> others;
    for (GtkWidget* other : {groups_window, steps_window, practice_window})
        if (other != nullptr && other != window && GTK_WIDGET_VISIBLE(other))
            others.push_back(rectangle_of(other));
    const GtkRequisition wanted = size_of(window);
    GdkScreen* screen = gtk_window_get_screen(GTK_WINDOW(main_window));
    const GdkPoint at = place_beside(main, others, wanted.width, wanted.height,
                                     gdk_screen_get_width(screen), gdk_screen_get_height(screen));
    gtk_window_move(GTK_WINDOW(window), at.x, at.y);
}

answer_form groups_form() {
    for (std::size_t i = 0; groups_window != nullptr && i < std::size(form_choices); ++i)
        if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(groups_form_buttons[i])))
            return form_choices[i].form;
    return answer_form::shown;
}

const map_picture& current_picture() {
    const answer_form form = groups_form();
    for (std::size_t i = 0; i < std::size(form_choices); ++i)
        if (form_choices[i].form == form) return shown.pictures[i];
    return shown.pictures[0];
}

// The picture keeps the window's size; the labels break between terms.
void update_groups_window() {
    if (groups_window == nullptr) return;
    const map_picture& picture = current_picture();
    gtk_widget_queue_draw(groups_area);
    gtk_label_set_text(GTK_LABEL(groups_terms_label), terms_text(picture).c_str());
    gtk_label_set_text(GTK_LABEL(groups_minimal_label),
                       break_between_terms(shown.minimal_note).c_str());
    if (GTK_WIDGET_VISIBLE(groups_window)) keep_on_screen(groups_window);
}

void show_groups_window() {
    if (groups_window == nullptr) {
        build_groups_window();
        update_groups_window();
        // Its parts are shown first, so that the window knows its size.
        gtk_widget_show_all(gtk_bin_get_child(GTK_BIN(groups_window)));
        size_groups_window();
        place_beside_main_window(groups_window);
        gtk_widget_show(groups_window);
    }
    gtk_window_present(GTK_WINDOW(groups_window));
}

void on_view_groups(gpointer, guint, GtkWidget*) {
    show_groups_window();
}

void on_save_picture(gpointer, guint, GtkWidget*) {
    save_picture_dialog(GTK_WINDOW(main_window));
}

namespace {

// The kinds of picture file, in the order the dialog offers them.
struct picture_type {
    const char* label;
    const char* extension;
};
constexpr picture_type picture_types[] = {{N_("PNG picture (.png)"), ".png"},
                                          {N_("SVG drawing (.svg)"), ".svg"},
                                          {N_("PDF document (.pdf)"), ".pdf"},
                                          {N_("LaTeX with TikZ (.tex)"), ".tex"}};

// Where and as what the last picture was saved, for the next time.
struct save_memory {
    std::string folder; // empty: the current directory
    std::string name = "map.png";
};
save_memory last_save;

std::string with_extension(const std::string& name, const char* extension) {
    const std::size_t dot = name.rfind('.');
    const bool known = format_of(name).has_value();
    return (known && dot != std::string::npos ? name.substr(0, dot) : name) + extension;
}

std::string base_name(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// The type chosen sets the extension of the name typed so far.
void on_picture_type_changed(GtkComboBox* types, gpointer chooser) {
    const gint chosen = gtk_combo_box_get_active(types);
    if (chosen < 0) return;
    gchar* path = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
    const std::string name = path != nullptr ? base_name(path) : last_save.name;
    g_free(path);
    gtk_file_chooser_set_current_name(
        GTK_FILE_CHOOSER(chooser),
        with_extension(name, picture_types[static_cast<std::size_t>(chosen)].extension).c_str());
}

// What is saved, and the type of file: under the chooser.
GtkWidget* build_save_options(GtkWidget* chooser) {
    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    GtkWidget* what = gtk_label_new(
        groups_window != nullptr
            ? _("Saves the picture the Groups window shows.")
            : _("Saves the picture of the shown answer; View > Groups chooses another."));
    gtk_misc_set_alignment(GTK_MISC(what), 0, 0.5);
    gtk_box_pack_start(GTK_BOX(box), what, FALSE, FALSE, 0);
    GtkWidget* row = gtk_hbox_new(FALSE, 6);
    GtkWidget* types = gtk_combo_box_text_new();
    for (const picture_type& type : picture_types)
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(types), _(type.label));
    gint active = 0;
    for (std::size_t i = 0; i < std::size(picture_types); ++i)
        if (last_save.name.ends_with(picture_types[i].extension)) active = static_cast<gint>(i);
    gtk_combo_box_set_active(GTK_COMBO_BOX(types), active);
    g_signal_connect(types, "changed", G_CALLBACK(on_picture_type_changed), chooser);
    GtkWidget* label = gtk_label_new_with_mnemonic(_("_Type:"));
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), types);
    gtk_box_pack_start(GTK_BOX(row), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(row), types, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);
    g_object_set_data(G_OBJECT(chooser), "tessary-types", types);
    gtk_widget_show_all(box);
    return box;
}

// A name without a picture's extension takes the chosen type's.
std::string path_to_save(GtkWidget* chooser, const gchar* path) {
    if (format_of(path)) return path;
    auto* types = GTK_COMBO_BOX(g_object_get_data(G_OBJECT(chooser), "tessary-types"));
    const gint chosen = std::max(0, gtk_combo_box_get_active(types));
    return std::string(path) + picture_types[static_cast<std::size_t>(chosen)].extension;
}

void tell_failure(GtkWidget* parent, const std::string& path, const std::string& error) {
    GtkWidget* message = gtk_message_dialog_new(
        GTK_WINDOW(parent), GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_CLOSE,
        _("The picture could not be saved as %s"), path.c_str());
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(message), "%s.", error.c_str());
    gtk_dialog_run(GTK_DIALOG(message));
    gtk_widget_destroy(message);
}

} // namespace

// Opens on a real folder (the last one used, else the current directory)
// with the last name, never on "Recently Used".
void save_picture_dialog(GtkWindow* parent) {
    GtkWidget* chooser = gtk_file_chooser_dialog_new(
        _("Save picture"), parent, GTK_FILE_CHOOSER_ACTION_SAVE, GTK_STOCK_CANCEL,
        GTK_RESPONSE_CANCEL, GTK_STOCK_SAVE, GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
    gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(chooser), TRUE);
    gchar* here = g_get_current_dir();
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser),
                                        last_save.folder.empty() ? here : last_save.folder.c_str());
    g_free(here);
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), last_save.name.c_str());
    gtk_file_chooser_set_extra_widget(GTK_FILE_CHOOSER(chooser), build_save_options(chooser));
    if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
        if (chosen != nullptr) {
            const std::string path = path_to_save(chooser, chosen);
            last_save = {path.substr(0, path.rfind('/')), base_name(path)};
            std::string error;
            if (!save_picture(path, current_picture(), error)) tell_failure(chooser, path, error);
        }
        g_free(chosen);
    }
    gtk_widget_destroy(chooser);
}

} // namespace tessary
