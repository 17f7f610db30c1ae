// View > Steps: the way from the shown map to its minimum, one step at a
// time, as a course teaches it: the primes, the essential ones, the cells
// they leave, the choice among the primes over those cells, the minimum.
// Each step has a picture and a sentence that names the same terms and cells,
// in the same order, as the matching line of tessary-key --explain. The steps
// come from teach/explain.h; this file only words and shows them.
#include "window.h"

#include "teach/explain.h"

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

// The steps of the shown map in the chosen form, and the one on display.
std::vector<step_view> steps_shown;
std::size_t step_at = 0;

// The words of each form: what is covered, and what its primes are called.
struct form_words {
    const char* cells;  // "1-cell"
    const char* primes; // "prime implicants"
};

form_words words_of(cover_kind kind) {
    return kind == cover_kind::product_of_sums ? form_words{"0-cell", "prime implicates"}
                                               : form_words{"1-cell", "prime implicants"};
}

// Appends `item` to a list, after `separator` unless it is the first.
void append_item(std::string& list, const char* separator, const std::string& item) {
    if (!list.empty()) list += separator;
    list += item;
}

std::string term_of(cover_kind kind, cube c) {
    return kind == cover_kind::product_of_sums ? sum_text(c) : product_text(c);
}

std::string terms_of(cover_kind kind, const std::vector<cube>& terms, const char* separator) {
    std::string text;
    for (const cube c : terms) append_item(text, separator, term_of(kind, c));
    return text;
}

std::string cells_text(minterm_set cells) {
    std::string text;
    for (int m = 0; m < cell_count; ++m)
        if ((cells & minterm_bit(m)) != 0) append_item(text, " ", std::to_string(m));
    return text;
}

map_picture picture_with(const boolean_map& map, cover_kind kind, const std::vector<cube>& groups,
                         minterm_set marked) {
    map_picture picture{map, {}, "", "", marked};
    picture.loops_of = kind;
    for (const cube c : groups) picture.groups.push_back({c, term_of(kind, c)});
    return picture;
}

step_view primes_step(const boolean_map& map, const explanation& e) {
    const form_words w = words_of(e.kind);
    const std::string sentence =
        e.primes.empty()
            ? std::string("There are no ") + w.primes + ": the map has no " + w.cells + "."
            : std::string("The ") + w.primes + ", the largest groups that take in a " + w.cells +
                  ": " + terms_of(e.kind, e.primes, ", ") + ".";
    return {"the primes", sentence, picture_with(map, e.kind, e.primes, 0)};
}

step_view essential_step(const boolean_map& map, const explanation& e) {
    std::vector<cube> primes;
    std::string list;
    minterm_set marked = 0;
    for (const essential_prime& p : e.essentials) {
        primes.push_back(p.prime);
        marked |= minterm_bit(p.cell);
        append_item(list, ", ",
                    term_of(e.kind, p.prime) + " (only it covers " + std::to_string(p.cell) + ")");
    }
    const std::string sentence =
        list.empty() ? std::string("No prime is essential: every ") + words_of(e.kind).cells +
                           " lies in two primes or more."
                     : "Essential, each the only prime over the marked cell: " + list + ".";
    return {"the essential primes", sentence, picture_with(map, e.kind, primes, marked)};
}

std::vector<cube> essentials_of(const explanation& e) {
    std::vector<cube> primes;
    for (const essential_prime& p : e.essentials) primes.push_back(p.prime);
    return primes;
}

step_view left_step(const boolean_map& map, const explanation& e) {
    const std::string sentence =
        e.left == 0 ? std::string("Left: none. The essential primes cover every ") +
                          words_of(e.kind).cells + "."
                    : "Left after the essential primes, marked: " + cells_text(e.left) + ".";
    return {"the cells left", sentence, picture_with(map, e.kind, essentials_of(e), e.left)};
}

step_view choice_step(const boolean_map& map, const explanation& e) {
    if (e.choices.empty())
        return {"the choice", "Choose: none. Nothing is left to choose.",
                picture_with(map, e.kind, essentials_of(e), 0)};
    std::string list;
    std::vector<cube> candidates;
    for (const cell_choice& c : e.choices) {
        append_item(list, "; ",
                    std::to_string(c.cell) + " by " + terms_of(e.kind, c.candidates, " or "));
        for (const cube p : c.candidates)
            if (std::find(candidates.begin(), candidates.end(), p) == candidates.end())
                candidates.push_back(p);
    }
    std::vector<cube> chosen;
    const std::vector<cube> essentials = essentials_of(e);
    for (const cube c : e.minimum)
        if (std::find(essentials.begin(), essentials.end(), c) == essentials.end())
            chosen.push_back(c);
    std::sort(candidates.begin(), candidates.end(), [&e](cube a, cube b) {
        return std::find(e.primes.begin(), e.primes.end(), a) <
               std::find(e.primes.begin(), e.primes.end(), b);
    });
    const std::string sentence = "Choose: " + list + ". The minimum takes " +
                                 terms_of(e.kind, chosen, ", ") +
                                 ": with the essential primes they cover every cell left "
                                 "with the fewest terms, then the fewest literals.";
    return {"the choice", sentence, picture_with(map, e.kind, candidates, e.left)};
}

step_view minimum_step(const boolean_map& map, const explanation& e) {
    const bool sums = e.kind == cover_kind::product_of_sums;
    const std::string answer = sums ? pos_text(e.minimum) : sop_text(e.minimum);
    const std::string how_many = e.covers == 1
                                     ? "the only minimum cover"
                                     : "one of " + std::to_string(e.covers) + " minimum covers";
    step_view step{"the minimum", "Minimal: " + answer + ", " + how_many + ".",
                   picture_with(map, e.kind, {e.minimum.begin(), e.minimum.end()}, 0)};
    step.picture.caption = (sums ? "Minimal product: " : "Minimal sum: ") + answer;
    return step;
}

cover_kind chosen_kind() {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(steps_kind_buttons[1]))
               ? cover_kind::product_of_sums
               : cover_kind::sum_of_products;
}

void show_step() {
    const step_view& step = steps_shown[step_at];
    const std::string title = "Step " + std::to_string(step_at + 1) + " of " +
                              std::to_string(steps_shown.size()) + ": " + step.title;
    gtk_label_set_text(GTK_LABEL(steps_title_label), title.c_str());
    gtk_label_set_text(GTK_LABEL(steps_sentence_label), step.sentence.c_str());
    size_picture_area(steps_window, steps_area, measure_picture(step.picture));
    gtk_widget_queue_draw(steps_area);
    // As small as the step allows: a step with a shorter legend shrinks it.
    gtk_window_resize(GTK_WINDOW(steps_window), 1, 1);
    keep_on_screen(steps_window);
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
    const char* labels[] = {"_Sum of products", "_Product of sums"};
    static_assert(std::size(labels) == std::size(steps_kind_buttons));
    return radio_row(labels, std::size(labels), steps_kind_buttons,
                     G_CALLBACK(on_steps_kind_toggled));
}

GtkWidget* build_step_buttons() {
    GtkWidget* buttons = gtk_hbutton_box_new();
    gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
    gtk_box_set_spacing(GTK_BOX(buttons), 6);
    steps_back_button = steps_button("_Back", G_CALLBACK(on_steps_back_clicked));
    steps_next_button = steps_button("_Next", G_CALLBACK(on_steps_next_clicked));
    gtk_container_add(GTK_CONTAINER(buttons), steps_back_button);
    gtk_container_add(GTK_CONTAINER(buttons), steps_next_button);
    gtk_container_add(GTK_CONTAINER(buttons), close_button(steps_window, "_Close"));
    return buttons;
}

void build_steps_window() {
    GtkWidget* box = new_tool_window(steps_window, "Tessary: Steps");
    gtk_box_pack_start(GTK_BOX(box), build_kind_buttons(), FALSE, FALSE, 0);
    steps_title_label = wrapped_label(480);
    gtk_box_pack_start(GTK_BOX(box), steps_title_label, FALSE, FALSE, 0);
    steps_area = gtk_drawing_area_new();
    g_signal_connect(steps_area, "expose-event", G_CALLBACK(on_steps_area_expose), nullptr);
    gtk_box_pack_start(GTK_BOX(box), steps_area, FALSE, FALSE, 0);
    steps_sentence_label = wrapped_label(480);
    gtk_box_pack_start(GTK_BOX(box), steps_sentence_label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), build_step_buttons(), FALSE, FALSE, 0);
    close_on_escape(steps_window);
    g_signal_connect(steps_window, "destroy", G_CALLBACK(on_steps_destroy), nullptr);
}

} // namespace

std::vector<step_view> steps_of(const boolean_map& map, cover_kind kind) {
    const explanation e = explain(map, kind);
    return {primes_step(map, e), essential_step(map, e), left_step(map, e), choice_step(map, e),
            minimum_step(map, e)};
}

// A new map, or the other form, starts again at the first step.
void update_steps_window() {
    if (steps_window == nullptr) return;
    steps_shown = steps_of(shown.map, chosen_kind());
    step_at = 0;
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
