// View > Steps: the companion's page with the way from the shown map to its
// minimum, one step at a time, as a course teaches it: the primes, the
// essential ones, the cells they leave, the chart over those cells round by
// round, the choice among the primes over them, the minimum. Each step has
// a picture and a sentence that names the same terms and cells, in the same
// order, as the matching line of tessary-key --explain (or --chart). The
// steps and their words come from views/steps.h; this file only shows them.
#include "window.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tessary {

namespace {

constexpr int sentence_width = 480;

cover_kind chosen_kind(const steps_tool& t) {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(t.kind_buttons[1]))
               ? cover_kind::product_of_sums
               : cover_kind::sum_of_products;
}

map_picture step_picture(const app& a, std::size_t step);

// The step on display: its heading, its sentence and its picture, which a
// screen reader hears as the heading and the sentence, then the loops.
void show_step(app& a) {
    steps_tool& t = a.steps;
    const step_view& step = t.steps[t.at];
    // Translators: the Steps window's heading, as "Step 2 of 5: the essential primes".
    const std::string title =
        printed(_("Step %zu of %zu: %s"), t.at + 1, t.steps.size(), step.title.c_str());
    gtk_label_set_text(GTK_LABEL(t.title_label), title.c_str());
    // As tall as the longest sentence of the map and form, so that Back,
    // Next and Close stay where they are from step to step.
    std::vector<std::string> sentences;
    for (const step_view& s : t.steps) sentences.push_back(s.sentence);
    show_one_of(t.sentence_label, sentences, t.at);
    describe_picture(t.area, title,
                     step.sentence + "\n" +
                         (step.chart ? chart_description(*step.chart)
                                     : picture_description(step_picture(a, t.at))));
    gtk_widget_queue_draw(t.area);
    gtk_widget_set_sensitive(t.back_button, t.at > 0);
    gtk_widget_set_sensitive(t.next_button, t.at + 1 < t.steps.size());
}

map_picture step_picture(const app& a, std::size_t step) {
    map_picture picture = a.steps.steps[step].picture;
    picture.numbers = a.shown.numbers;
    return picture;
}

// The room of every step's picture: the map keeps one size and place from
// step to step, and each legend takes what it needs below it; so does the
// chart from round to round.
picture_size map_room(const app& a) {
    std::vector<map_picture> pictures;
    for (std::size_t step = 0; step < a.steps.steps.size(); ++step)
        if (!a.steps.steps[step].chart) pictures.push_back(step_picture(a, step));
    return room_for(pictures);
}

picture_size chart_room(const app& a) {
    picture_size room{0, 0};
    for (const step_view& step : a.steps.steps)
        if (step.chart) {
            const picture_size size = measure_chart(*step.chart);
            room = {std::max(room.width, size.width), std::max(room.height, size.height)};
        }
    return room;
}

picture_size steps_room(const app& a) {
    const picture_size map = map_room(a), chart = chart_room(a);
    return {std::max(map.width, chart.width), std::max(map.height, chart.height)};
}

gboolean on_steps_area_expose(GtkWidget* widget, GdkEventExpose*, gpointer data) {
    const app& a = app_of(data);
    const step_view& step = a.steps.steps[a.steps.at];
    if (step.chart)
        draw_fitted(widget, measure_chart(*step.chart), chart_room(a),
                    [&](surface& on) { draw_chart(on, *step.chart); });
    else
        draw_fitted(widget, step_picture(a, a.steps.at), map_room(a));
    return TRUE;
}

// Back and Next take the focus to the picture, so that a screen reader
// says the new step; Alt+B and Alt+N go on from there.
void on_steps_back_clicked(GtkButton*, gpointer data) {
    app& a = app_of(data);
    if (a.steps.at > 0) --a.steps.at;
    show_step(a);
    gtk_widget_grab_focus(a.steps.area);
}

void on_steps_next_clicked(GtkButton*, gpointer data) {
    app& a = app_of(data);
    if (a.steps.at + 1 < a.steps.steps.size()) ++a.steps.at;
    show_step(a);
    gtk_widget_grab_focus(a.steps.area);
}

void update_steps_page(app& a);

void on_steps_kind_toggled(GtkToggleButton* button, gpointer data) {
    if (gtk_toggle_button_get_active(button)) update_steps_page(app_of(data));
}

GtkWidget* build_kind_buttons(app& a) {
    const char* labels[] = {_("_Sum of products"), _("_Product of sums")};
    static_assert(std::size(labels) == std::size(steps_tool{}.kind_buttons));
    return radio_row(a, labels, std::size(labels), a.steps.kind_buttons,
                     G_CALLBACK(on_steps_kind_toggled));
}

GtkWidget* build_steps_page(app& a) {
    steps_tool& t = a.steps;
    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    gtk_container_set_border_width(GTK_CONTAINER(box), 6);
    gtk_box_pack_start(GTK_BOX(box), build_kind_buttons(a), FALSE, FALSE, 0);
    t.title_label = wrapped_label(sentence_width);
    gtk_box_pack_start(GTK_BOX(box), t.title_label, FALSE, FALSE, 0);
    t.area = picture_area(a, G_CALLBACK(on_steps_area_expose));
    gtk_box_pack_start(GTK_BOX(box), t.area, TRUE, TRUE, 0);
    t.sentence_label = wrapped_label(sentence_width);
    gtk_box_pack_start(GTK_BOX(box), t.sentence_label, FALSE, FALSE, 0);
    t.back_button = app_button(a, _("_Back"), G_CALLBACK(on_steps_back_clicked));
    t.next_button = app_button(a, _("_Next"), G_CALLBACK(on_steps_next_clicked));
    gtk_box_pack_start(GTK_BOX(box), button_row(a, {t.back_button, t.next_button}, _("_Close")),
                       FALSE, FALSE, 0);
    return box;
}

// A new map, or the other form, starts again at the first step.
void update_steps_page(app& a) {
    steps_tool& t = a.steps;
    if (!a.companion.open()) return;
    t.steps = steps_of(a.shown.map, chosen_kind(t));
    t.at = 0;
    show_step(a);
}

} // namespace

picture_fit steps_fit(const app& a) {
    const step_view& step = a.steps.steps[a.steps.at];
    if (step.chart) return fit_in(a.steps.area, measure_chart(*step.chart), chart_room(a));
    return fit_in(a.steps.area, step_picture(a, a.steps.at), map_room(a));
}

const page_parts steps_page = {
    N_("Steps"),
    N_("Tessary: Steps"),
    build_steps_page,
    update_steps_page,
    update_steps_page,
    [](const app& a) { return a.steps.next_button; },
    [](const app& a) { return a.steps.area; },
    steps_room,
};

void on_view_steps(gpointer data, guint, GtkWidget*) {
    present_page(app_of(data), page::steps);
}

} // namespace tessary
