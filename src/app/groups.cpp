// View > Groups: a window beside the main one with the picture of the shown
// map and the groups of an answer (the shown one, the minimal sum or the
// minimal product), the terms as text for screen readers, the minimum sum
// of products, and Save...; and File > Save picture..., which saves the
// same picture. The picture is drawn by render/picture.h.
#include "window.h"

#include "render/files.h"

#include <algorithm>
#include <string>

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

constexpr form_choice form_choices[] = {{"Shown _answer", answer_form::shown},
                                        {"_Minimal sum", answer_form::minimal},
                                        {"Minimal _product", answer_form::pos}};
static_assert(std::size(form_choices) == std::size(groups_form_buttons));

// "Groups: A'B, CD'" or "No groups"; the terms in the legend's order.
std::string terms_text(const map_picture& picture) {
    if (picture.groups.empty()) return "No groups";
    std::string text = "Groups:";
    for (const map_group& g : picture.groups) text += (text.size() > 7 ? ", " : " ") + g.label;
    return text;
}

gboolean on_groups_area_expose(GtkWidget* widget, GdkEventExpose*, gpointer) {
    cairo_t* cr = gdk_cairo_create(widget->window);
    draw_picture(cr, current_picture());
    cairo_destroy(cr);
    return TRUE;
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
    GtkWidget* box = gtk_hbox_new(FALSE, 6);
    GSList* group = nullptr;
    for (std::size_t i = 0; i < std::size(form_choices); ++i) {
        GtkWidget* button = gtk_radio_button_new_with_mnemonic(group, form_choices[i].label);
        group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(button));
        groups_form_buttons[i] = button;
        g_signal_connect(button, "toggled", G_CALLBACK(on_groups_form_toggled), nullptr);
        gtk_box_pack_start(GTK_BOX(box), button, FALSE, FALSE, 0);
    }
    return box;
}

void build_groups_window() {
    groups_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(groups_window), "Tessary: Groups");
    gtk_window_set_transient_for(GTK_WINDOW(groups_window), GTK_WINDOW(main_window));
    gtk_window_set_destroy_with_parent(GTK_WINDOW(groups_window), TRUE);
    gtk_window_set_resizable(GTK_WINDOW(groups_window), FALSE);
    gtk_container_set_border_width(GTK_CONTAINER(groups_window), 8);
    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    gtk_container_add(GTK_CONTAINER(groups_window), box);
    groups_area = gtk_drawing_area_new();
    g_signal_connect(groups_area, "expose-event", G_CALLBACK(on_groups_area_expose), nullptr);
    gtk_box_pack_start(GTK_BOX(box), groups_area, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), build_form_buttons(), FALSE, FALSE, 0);
    groups_terms_label = wrapped_label(320);
    gtk_box_pack_start(GTK_BOX(box), groups_terms_label, FALSE, FALSE, 0);
    groups_minimal_label = wrapped_label(320);
    gtk_box_pack_start(GTK_BOX(box), groups_minimal_label, FALSE, FALSE, 0);
    GtkWidget* buttons = gtk_hbutton_box_new();
    gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
    GtkWidget* save = gtk_button_new_with_mnemonic("_Save\u2026");
    g_signal_connect(save, "clicked", G_CALLBACK(on_groups_save_clicked), nullptr);
    gtk_container_add(GTK_CONTAINER(buttons), save);
    gtk_box_pack_start(GTK_BOX(box), buttons, FALSE, FALSE, 0);
    g_signal_connect(groups_window, "destroy", G_CALLBACK(on_groups_destroy), nullptr);
}

} // namespace

GtkWidget* wrapped_label(int width) {
    GtkWidget* label = gtk_label_new("");
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_selectable(GTK_LABEL(label), TRUE);
    gtk_misc_set_alignment(GTK_MISC(label), 0, 0.5);
    gtk_widget_set_size_request(label, width, -1);
    return label;
}

namespace {

int overlap(int a0, int a1, int b0, int b1) {
    return std::max(0, std::min(a1, b1) - std::max(a0, b0));
}

} // namespace

// Tried in turn: right of the main window, left of it, below it, above it;
// the first where the window fits on the screen beside it wins. Failing
// all, the place on the screen (those four, and the screen's corners and
// edges) where it covers least of the main window.
GdkPoint place_beside(const GdkRectangle& main, int width, int height, int screen_width,
                      int screen_height) {
    constexpr int gap = 12;
    const int right = main.x + main.width + gap, left = main.x - gap - width;
    const int below = main.y + main.height + gap, above = main.y - gap - height;
    const GdkPoint beside[] = {{right, main.y}, {left, main.y}, {main.x, below}, {main.x, above}};
    const int far_x = std::max(0, screen_width - width),
              far_y = std::max(0, screen_height - height);
    auto clamp = [&](GdkPoint p) {
        return GdkPoint{std::clamp(p.x, 0, far_x), std::clamp(p.y, 0, far_y)};
    };
    auto hidden = [&](GdkPoint p) {
        return overlap(p.x, p.x + width, main.x, main.x + main.width) *
               overlap(p.y, p.y + height, main.y, main.y + main.height);
    };
    for (const GdkPoint p : beside)
        if (clamp(p).x == p.x && clamp(p).y == p.y) return p;
    GdkPoint best = clamp(beside[0]);
    for (const int x : {right, left, main.x, 0, far_x})
        for (const int y : {main.y, below, above, 0, far_y})
            if (hidden(clamp({x, y})) < hidden(best)) best = clamp({x, y});
    return best;
}

void keep_on_screen(GtkWidget* window) {
    GtkRequisition wanted;
    gtk_widget_size_request(window, &wanted);
    gint x, y;
    gtk_window_get_position(GTK_WINDOW(window), &x, &y);
    GdkScreen* screen = gtk_window_get_screen(GTK_WINDOW(window));
    const gint far_x = std::max(0, gdk_screen_get_width(screen) - wanted.width);
    const gint far_y = std::max(0, gdk_screen_get_height(screen) - wanted.height);
    if (x > far_x || y > far_y)
        gtk_window_move(GTK_WINDOW(window), std::min(x, far_x), std::min(y, far_y));
}

void place_beside_main_window(GtkWidget* window) {
    GdkRectangle main;
    gtk_window_get_position(GTK_WINDOW(main_window), &main.x, &main.y);
    gtk_window_get_size(GTK_WINDOW(main_window), &main.width, &main.height);
    GtkRequisition wanted;
    gtk_widget_size_request(window, &wanted);
    GdkScreen* screen = gtk_window_get_screen(GTK_WINDOW(main_window));
    const GdkPoint at = place_beside(main, wanted.width, wanted.height,
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

void update_groups_window() {
    if (groups_window == nullptr) return;
    const map_picture& picture = current_picture();
    const picture_size size = measure_picture(picture);
    gtk_widget_set_size_request(groups_area, static_cast<gint>(size.width),
                                static_cast<gint>(size.height));
    gtk_widget_queue_draw(groups_area);
    gtk_label_set_text(GTK_LABEL(groups_terms_label), terms_text(picture).c_str());
    gtk_label_set_text(GTK_LABEL(groups_minimal_label), shown.minimal_note.c_str());
}

void show_groups_window() {
    if (groups_window == nullptr) {
        build_groups_window();
        update_groups_window();
        // Its parts are shown first, so that the window knows its size.
        gtk_widget_show_all(gtk_bin_get_child(GTK_BIN(groups_window)));
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

void save_picture_dialog(GtkWindow* parent) {
    GtkWidget* chooser = gtk_file_chooser_dialog_new(
        "Save picture", parent, GTK_FILE_CHOOSER_ACTION_SAVE, GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL,
        GTK_STOCK_SAVE, GTK_RESPONSE_ACCEPT, nullptr);
    gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(chooser), TRUE);
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), "map.png");
    if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
        gchar* path = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
        std::string error;
        if (path != nullptr && !save_picture(path, current_picture(), error)) {
            GtkWidget* message = gtk_message_dialog_new(
                GTK_WINDOW(chooser), GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_CLOSE,
                "The picture could not be saved as %s", path);
            gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(message), "%s.",
                                                     error.c_str());
            gtk_dialog_run(GTK_DIALOG(message));
            gtk_widget_destroy(message);
        }
        g_free(path);
    }
    gtk_widget_destroy(chooser);
}

} // namespace tessary
