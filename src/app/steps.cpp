// View > Steps: the way from the shown map to its minimum, one step at a
// time, as a course teaches it: the primes, the essential ones, the cells
// they leave, the choice among the primes over those cells, the minimum.
// Each step has a picture and a sentence that names the same terms and cells,
// in the same order, as the matching line of tessary-key --explain. The steps
// and their words come from answers/explanation.h; this file only shows them.
#include "window.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <string>

namespace tessary {

GtkWidget* steps_window;
GtkWidget* steps_area;
GtkWidget* steps_kind_buttons[2];
GtkWidget* steps_title_label;
GtkWidget* steps_sentence_label;
GtkWidget* steps_back_button;
GtkWidget* steps_next_button;

namespace {

constexpr int sentence_width = 480;

// The steps of the shown map in the chosen form, and the one on display.
std::vector<step_view> steps_shown;
std::size_t step_at = 0;

cover_kind chosen_kind() {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(steps_kind_buttons[1]))
               ? cover_kind::product_of_sums
               : cover_kind::sum_of_products;
}

void show_step() {
    const step_view& step = steps_shown[step_at];
    // Translators: the Steps window's heading, as "Step 2 of 5: the essential primes".
    const std::string title =
        printed(_("Step %zu of %zu: %s"), step_at + 1, steps_shown.size(), step.title.c_str());
    gtk_label_set_text(GTK_LABEL(steps_title_label), title.c_str());
    gtk_label_set_text(GTK_LABEL(steps_sentence_label), step.sentence.c_str());
    gtk_widget_queue_draw(steps_area);
    gtk_widget_set_sensitive(steps_back_button, step_at > 0);
    gtk_widget_set_sensitive(steps_next_button, step_at + 1 < steps_shown.size());
}

gboolean on_steps_area_expose(GtkWidget* widget, GdkEventExpose*, gpointer) {
    map_picture picture = steps_shown[step_at].picture;
    picture.numbers = shown.numbers;
    draw_fitted(widget, picture);
    return TRUE;
}

void on_steps_back_clicked(GtkButton*, gpointer) {
    if (step_at > 0) --step_at;
    show_step();
}

void on_steps_next_clicked(GtkButton*, gpointer) {
    if (step_at + 1 < steps_shown.size()) ++step_at;
    show_step();
}

void on_steps_kind_toggled(GtkToggleButton* button, gpointer) {
    if (gtk_toggle_button_get_active(button)) update_steps_window();
}

void on_steps_destroy(GtkWidget*, gpointer) {
    steps_window = nullptr;
}

GtkWidget* steps_button(const char* mnemonic, GCallback handler) {
    GtkWidget* button = gtk_button_new_with_mnemonic(mnemonic);
    g_signal_connect(button, "clicked", handler, nullptr);
    return button;
}

GtkWidget* build_kind_buttons() {
    const char* labels[] = {_("_Sum of products"), _("_Product of sums")};
    static_assert(std::size(labels) == std::size(steps_kind_buttons));
    return radio_row(labels, std::size(labels), steps_kind_buttons,
                     G_CALLBACK(on_steps_kind_toggled));
}

GtkWidget* build_step_buttons() {
    GtkWidget* buttons = gtk_hbutton_box_new();
    gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
    gtk_box_set_spacing(GTK_BOX(buttons), 6);
    steps_back_button = steps_button(_("_Back"), G_CALLBACK(on_steps_back_clicked));
    steps_next_button = steps_button(_("_Next"), G_CALLBACK(on_steps_next_clicked));
    gtk_container_add(GTK_CONTAINER(buttons), steps_back_button);
    gtk_container_add(GTK_CONTAINER(buttons), steps_next_button);
    gtk_container_add(GTK_CONTAINER(buttons), close_button(steps_window, _("_Close")));
    return buttons;
}

void build_steps_window() {
    GtkWidget* box = new_tool_window(steps_window, _("Tessary: Steps"));
    gtk_box_pack_start(GTK_BOX(box), build_kind_buttons(), FALSE, FALSE, 0);
    steps_title_label = wrapped_label(480);
    gtk_box_pack_start(GTK_BOX(box), steps_title_label, FALSE, FALSE, 0);
    steps_area = gtk_drawing_area_new();
    g_signal_connect(steps_area, "expose-event", G_CALLBACK(on_steps_area_expose), nullptr);
    gtk_box_pack_start(GTK_BOX(box), steps_area, TRUE, TRUE, 0);
    steps_sentence_label = wrapped_label(sentence_width);
    gtk_box_pack_start(GTK_BOX(box), steps_sentence_label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), build_step_buttons(), FALSE, FALSE, 0);
    close_on_escape(steps_window);
    g_signal_connect(steps_window, "destroy", G_CALLBACK(on_steps_destroy), nullptr);
}

// One size for every step of a map and form, with room for the largest
// picture and the longest sentence, so that Back, Next and Close stay where
// they are from step to step. The window only grows, to keep a size the user
// gave it.
void size_for_every_step() {
    picture_size room{0, 0};
    gint sentence_height = 0;
    gtk_widget_set_size_request(steps_sentence_label, sentence_width, -1);
    for (const step_view& step : steps_shown) {
        const picture_size size = measure_picture(step.picture);
        room = {std::max(room.width, size.width), std::max(room.height, size.height)};
        gtk_label_set_text(GTK_LABEL(steps_sentence_label), step.sentence.c_str());
        GtkRequisition wanted;
        gtk_widget_size_request(steps_sentence_label, &wanted);
        sentence_height = std::max(sentence_height, wanted.height);
    }
    gtk_widget_set_size_request(steps_sentence_label, sentence_width, sentence_height);
    size_picture_area(steps_window, steps_area, room);
    GtkRequisition wanted;
    gtk_widget_size_request(steps_window, &wanted);
    gint width, height;
    gtk_window_get_size(GTK_WINDOW(steps_window), &width, &height);
    gtk_window_resize(GTK_WINDOW(steps_window), std::max(width, wanted.width),
                      std::max(height, wanted.height));
    keep_on_screen(steps_window);
}

} // namespace

// A new map, or the other form, starts again at the first step.
void update_steps_window() {
    if (steps_window == nullptr) return;
    steps_shown = steps_of(shown.map, chosen_kind());
    step_at = 0;
    size_for_every_step();
    show_step();
}

void show_steps_window() {
    if (steps_window == nullptr) {
        build_steps_window();
        update_steps_window();
        gtk_widget_show_all(gtk_bin_get_child(GTK_BIN(steps_window)));
        place_beside_main_window(steps_window);
        gtk_widget_show(steps_window);
        gtk_widget_grab_focus(steps_next_button);
    }
    gtk_window_present(GTK_WINDOW(steps_window));
}

void on_view_steps(gpointer, guint, GtkWidget*) {
    show_steps_window();
}

} // namespace tessary
