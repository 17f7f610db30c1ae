// View > Practice: the student loops the groups on the shown map and has
// them judged. Cells are selected with the mouse (a click, or a drag across
// a rectangle) or with the keyboard (the arrows move a cursor that wraps
// round the map, Space selects its cell, Return adds the selection as a
// group); Check shows the lines tessary-key --judge prints, and marks on the
// map the loops that take a cell they must not and the cells no loop takes.
// The map is drawn as large as the window allows. The judgement comes from
// teach/judge.h and its words from answers/answers.h; this file only reads
// the widgets and shows the result.
#include "window.h"

#include "teach/exercises.h"
#include "teach/judge.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <bit>
#include <string>

namespace tessary {

GtkWidget* practice_window;
GtkWidget* practice_area;
GtkWidget* practice_kind_buttons[2];
GtkWidget* practice_message_label;
GtkWidget* practice_list;
GtkWidget* practice_verdict_box;
practice_state practice;

namespace {

// A drag in progress: the cell it began on, and the selection before it.
struct drag_state {
    int anchor = -1;
    minterm_set before = 0;
    bool moved = false;
};
drag_state drag;

std::string cells_text(minterm_set cells) {
    std::string text;
    for (int m = 0; m < cell_count; ++m) {
        if ((cells & minterm_bit(m)) == 0) continue;
        if (!text.empty()) text += ' ';
        text += std::to_string(m);
    }
    return text;
}

std::string group_label(cube group) {
    return group_text(group, practice.kind);
}

// A group as the window's messages name it.
std::string group_name(cube group) {
    return group.care == 0 ? _("the whole map") : group_label(group);
}

// Why the selection is not a group, in the student's terms.
std::string refusal(selection_fault fault, minterm_set cells) {
    const int n = std::popcount(static_cast<unsigned>(cells));
    switch (fault) {
    case selection_fault::empty: return _("Not a group: no cell is selected.");
    case selection_fault::size:
        return printed(P_("Not a group: %d cell is selected, and a group has 1, 2, 4, 8 or 16.",
                          "Not a group: %d cells are selected, and a group has 1, 2, 4, 8 or 16.",
                          static_cast<unsigned long>(n)),
                       n);
    case selection_fault::shape:
        return printed(
            _("Not a group: the %d cells selected do not make a rectangle, even with the "
              "map's edges wrapping round."),
            n);
    case selection_fault::none: break;
    }
    return "";
}

// What the map area says through the accessibility bus: the cursor's cell
// and the selection.
void describe_area() {
    const char value = value_at(shown.map, practice.cursor);
    // Translators: read out by a screen reader, as "Cursor on cell 5 (A'BC'D),
    // 1; selected: 4 5".
    std::string text = printed(_("Cursor on cell %d (%s), %c; "), practice.cursor,
                               minterm_text(practice.cursor).c_str(), value);
    text += practice.selected == 0
                ? std::string(_("no cell selected"))
                : printed(_("selected: %s"), cells_text(practice.selected).c_str());
    atk_object_set_description(gtk_widget_get_accessible(practice_area), text.c_str());
}

// After Check, the loops that take a wrong cell in red with those cells
// ringed, and the cells no loop takes ringed with a broken line.
void mark_judgement(map_picture& picture, const judgement& judged) {
    const bool sums = judged.kind == cover_kind::product_of_sums;
    const unsigned wrong = sums ? picture.map.ones : picture.map.zeros();
    unsigned ringed = 0;
    for (std::size_t i = 0; i < judged.groups.size(); ++i) {
        if (judged.groups[i].fault != group_fault::covers_wrong_cell) continue;
        picture.groups[i].warning = true;
        ringed |= minterms_of(judged.groups[i].group) & wrong;
    }
    picture.wrong_cells = static_cast<minterm_set>(ringed);
    picture.missed_cells = judged.cover.missed;
    std::string caption;
    if (picture.wrong_cells != 0)
        caption = sums ? _("Ringed in red: a 1 that a loop takes.")
                       : _("Ringed in red: a 0 that a loop takes.");
    if (picture.missed_cells != 0)
        caption.append(caption.empty() ? "" : " ")
            .append(sums ? _("Ringed with a broken line: a 0 that no loop takes.")
                         : _("Ringed with a broken line: a 1 that no loop takes."));
    picture.caption = caption;
}

// The room the map is given to start with: enough for eight groups in the
// legend and a caption of two lines, so that it keeps its size as they come.
picture_size practice_picture_room() {
    map_picture room{{}, std::vector<map_group>(8, {{}, "A'B'C'D'"}), "", "x\nx"};
    return measure_picture(room);
}

void redraw_area() {
    gtk_widget_queue_draw(practice_area);
    describe_area();
}

void say(const std::string& message) {
    gtk_label_set_text(GTK_LABEL(practice_message_label), message.c_str());
}

void clear_verdict() {
    GList* lines = gtk_container_get_children(GTK_CONTAINER(practice_verdict_box));
    for (GList* line = lines; line != nullptr; line = line->next)
        gtk_widget_destroy(GTK_WIDGET(line->data));
    g_list_free(lines);
}

// The lines of the last Check, a label each, in the scrolled area.
void show_verdict() {
    clear_verdict();
    if (!practice.checked) return;
    for (const std::string& line : judgement_lines(*practice.checked, words::reader)) {
        GtkWidget* label = wrapped_label(400);
        gtk_label_set_text(GTK_LABEL(label), line.c_str());
        gtk_box_pack_start(GTK_BOX(practice_verdict_box), label, FALSE, FALSE, 0);
        gtk_widget_show(label);
    }
}

// The list of groups and the picture after any change of the groups; the
// last Check no longer holds.
void groups_changed() {
    GtkListStore* store = GTK_LIST_STORE(gtk_tree_view_get_model(GTK_TREE_VIEW(practice_list)));
    gtk_list_store_clear(store);
    for (const cube c : practice.groups) {
        GtkTreeIter row;
        gtk_list_store_append(store, &row);
        gtk_list_store_set(store, &row, 0, group_label(c).c_str(), -1);
    }
    practice.checked.reset();
    show_verdict();
    redraw_area();
}

// A new round on the shown map: no group, no selection.
void start_round() {
    practice.map = shown.map;
    practice.groups.clear();
    practice.selected = 0;
    drag = {};
    say("");
    groups_changed();
}

// The rectangle of the grid between two cells, as the pointer dragged it.
minterm_set rectangle_between(int a, int b) {
    const cell_place p = place_of(a), q = place_of(b);
    unsigned cells = 0;
    for (int row = std::min(p.row, q.row); row <= std::max(p.row, q.row); ++row)
        for (int col = std::min(p.col, q.col); col <= std::max(p.col, q.col); ++col)
            cells |= minterm_bit(minterm_at(row, col));
    return static_cast<minterm_set>(cells);
}

void move_cursor(int rows, int cols) {
    const cell_place at = place_of(practice.cursor);
    practice.cursor =
        minterm_at((at.row + rows + map_side) % map_side, (at.col + cols + map_side) % map_side);
    redraw_area();
}

void toggle_cell(int minterm) {
    practice.selected = static_cast<minterm_set>(practice.selected ^ minterm_bit(minterm));
    redraw_area();
}

// The row selected in the list, or the last group; -1 when there is none.
int group_to_remove() {
    GtkTreeModel* model;
    GtkTreeIter row;
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(practice_list));
    if (gtk_tree_selection_get_selected(selection, &model, &row)) {
        GtkTreePath* path = gtk_tree_model_get_path(model, &row);
        const int index = gtk_tree_path_get_indices(path)[0];
        gtk_tree_path_free(path);
        return index;
    }
    return static_cast<int>(practice.groups.size()) - 1;
}

// The cell under a point of the area, through the scale the map is drawn at.
int cell_at(double x, double y) {
    const map_picture picture = practice_picture();
    const picture_fit fit = fit_in(practice_area, picture);
    return minterm_at_point(picture, (x - fit.x) / fit.scale, (y - fit.y) / fit.scale);
}

gboolean on_practice_area_expose(GtkWidget* widget, GdkEventExpose*, gpointer) {
    draw_fitted(widget, practice_picture());
    return TRUE;
}

gboolean on_practice_area_button_press(GtkWidget* widget, GdkEventButton* event, gpointer) {
    gtk_widget_grab_focus(widget);
    const int cell = cell_at(event->x, event->y);
    if (event->button != 1 || event->type != GDK_BUTTON_PRESS || cell < 0) return TRUE;
    drag = {cell, practice.selected, false};
    practice.cursor = cell;
    redraw_area();
    return TRUE;
}

gboolean on_practice_area_motion(GtkWidget*, GdkEventMotion* event, gpointer) {
    if (drag.anchor < 0) return FALSE;
    const int cell = cell_at(event->x, event->y);
    if (cell < 0 || (cell == drag.anchor && !drag.moved)) return TRUE;
    drag.moved = true;
    practice.selected =
        static_cast<minterm_set>(drag.before | rectangle_between(drag.anchor, cell));
    practice.cursor = cell;
    redraw_area();
    return TRUE;
}

gboolean on_practice_area_button_release(GtkWidget*, GdkEventButton* event, gpointer) {
    if (event->button != 1 || drag.anchor < 0) return FALSE;
    if (!drag.moved) toggle_cell(drag.anchor);
    drag = {};
    return TRUE;
}

gboolean on_practice_area_key_press(GtkWidget*, GdkEventKey* event, gpointer) {
    switch (event->keyval) {
    case GDK_Up:
    case GDK_KP_Up: move_cursor(-1, 0); return TRUE;
    case GDK_Down:
    case GDK_KP_Down: move_cursor(1, 0); return TRUE;
    case GDK_Left:
    case GDK_KP_Left: move_cursor(0, -1); return TRUE;
    case GDK_Right:
    case GDK_KP_Right: move_cursor(0, 1); return TRUE;
    case GDK_space:
    case GDK_KP_Space: toggle_cell(practice.cursor); return TRUE;
    case GDK_Return:
    case GDK_KP_Enter: add_practice_group(); return TRUE;
    default: return FALSE;
    }
}

void on_practice_add_clicked(GtkButton*, gpointer) {
    add_practice_group();
}

void on_practice_remove_clicked(GtkButton*, gpointer) {
    const int index = group_to_remove();
    if (index < 0) {
        say(_("There is no group to remove."));
        return;
    }
    say(printed(_("Removed %s."),
                group_name(practice.groups[static_cast<std::size_t>(index)]).c_str()));
    practice.groups.erase(practice.groups.begin() + index);
    groups_changed();
}

void on_practice_clear_clicked(GtkButton*, gpointer) {
    practice.groups.clear();
    practice.selected = 0;
    say("");
    groups_changed();
}

void on_practice_check_clicked(GtkButton*, gpointer) {
    practice.checked = judge(practice.map, practice.kind, practice.groups);
    show_verdict();
    redraw_area();
    say(practice.checked->cover.minimal() ? _("Well done: a minimum cover.") : "");
}

void on_practice_new_map_clicked(GtkButton*, gpointer) {
    // As if the student had clicked the cells in: no answer until Show.
    show_map(fresh_exercise(shown.map, practice.kind, g_random_int()), false);
}

cover_kind chosen_kind() {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(practice_kind_buttons[1]))
               ? cover_kind::product_of_sums
               : cover_kind::sum_of_products;
}

// Loops of the other kind start the round again, and say what went.
void on_practice_kind_toggled(GtkToggleButton* button, gpointer) {
    if (!gtk_toggle_button_get_active(button) || chosen_kind() == practice.kind) return;
    const std::size_t dropped = practice.groups.size();
    practice.kind = chosen_kind();
    start_round();
    if (dropped == 0) return;
    const auto n = static_cast<unsigned long>(dropped);
    say(practice.kind == cover_kind::product_of_sums
            ? printed(P_("Loops of 0s now: the group of 1s was cleared.",
                         "Loops of 0s now: the %lu groups of 1s were cleared.", n),
                      n)
            : printed(P_("Loops of 1s now: the group of 0s was cleared.",
                         "Loops of 1s now: the %lu groups of 0s were cleared.", n),
                      n));
}

void on_practice_destroy(GtkWidget*, gpointer) {
    practice_window = nullptr;
}

GtkWidget* practice_button(const char* mnemonic, GCallback handler) {
    GtkWidget* button = gtk_button_new_with_mnemonic(mnemonic);
    g_signal_connect(button, "clicked", handler, nullptr);
    return button;
}

GtkWidget* build_practice_kind_buttons() {
    const char* labels[] = {_("_Sum"), _("_Product")};
    static_assert(std::size(labels) == std::size(practice_kind_buttons));
    GtkWidget* row = radio_row(labels, std::size(labels), practice_kind_buttons,
                               G_CALLBACK(on_practice_kind_toggled));
    GtkWidget* caption = gtk_label_new(_("Loops of:"));
    gtk_box_pack_start(GTK_BOX(row), caption, FALSE, FALSE, 0);
    gtk_box_reorder_child(GTK_BOX(row), caption, 0);
    return row;
}

GtkWidget* build_practice_area() {
    practice_area = gtk_drawing_area_new();
    GTK_WIDGET_SET_FLAGS(practice_area, GTK_CAN_FOCUS);
    gtk_widget_add_events(practice_area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                             GDK_BUTTON1_MOTION_MASK | GDK_KEY_PRESS_MASK);
    g_signal_connect(practice_area, "expose-event", G_CALLBACK(on_practice_area_expose), nullptr);
    g_signal_connect(practice_area, "button-press-event", G_CALLBACK(on_practice_area_button_press),
                     nullptr);
    g_signal_connect(practice_area, "motion-notify-event", G_CALLBACK(on_practice_area_motion),
                     nullptr);
    g_signal_connect(practice_area, "button-release-event",
                     G_CALLBACK(on_practice_area_button_release), nullptr);
    g_signal_connect(practice_area, "key-press-event", G_CALLBACK(on_practice_area_key_press),
                     nullptr);
    atk_object_set_name(gtk_widget_get_accessible(practice_area), C_("accessible name", "Map"));
    return practice_area;
}

GtkWidget* build_practice_list() {
    GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
    practice_list = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
    g_object_unref(store);
    gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(practice_list), -1, _("Groups"),
                                                gtk_cell_renderer_text_new(), "text", 0, nullptr);
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER,
                                   GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(scrolled), practice_list);
    gtk_widget_set_size_request(scrolled, 150, -1);
    return scrolled;
}

// The list of groups above the buttons that change or judge them.
GtkWidget* build_practice_side() {
    GtkWidget* side = gtk_vbox_new(FALSE, 6);
    gtk_box_pack_start(GTK_BOX(side), build_practice_list(), TRUE, TRUE, 0);
    const struct {
        const char* mnemonic;
        GCallback handler;
    } buttons[] = {
        {_("_Add group"), G_CALLBACK(on_practice_add_clicked)},
        {_("_Remove"), G_CALLBACK(on_practice_remove_clicked)},
        {_("C_lear"), G_CALLBACK(on_practice_clear_clicked)},
        {_("_Check"), G_CALLBACK(on_practice_check_clicked)},
        {_("_New map"), G_CALLBACK(on_practice_new_map_clicked)},
    };
    for (const auto& b : buttons)
        gtk_box_pack_start(GTK_BOX(side), practice_button(b.mnemonic, b.handler), FALSE, FALSE, 0);
    return side;
}

GtkWidget* build_close_row() {
    GtkWidget* row = gtk_hbutton_box_new();
    gtk_button_box_set_layout(GTK_BUTTON_BOX(row), GTK_BUTTONBOX_END);
    gtk_container_add(GTK_CONTAINER(row), close_button(practice_window, _("Cl_ose")));
    return row;
}

// A label to read, not to copy: Tab passes it by.
GtkWidget* plain_label(int width) {
    GtkWidget* label = wrapped_label(width);
    gtk_label_set_selectable(GTK_LABEL(label), FALSE);
    return label;
}

// The judgement's lines scroll in a space of their own, so that however
// many groups there are the window keeps its size.
GtkWidget* build_verdict_area() {
    practice_verdict_box = gtk_vbox_new(FALSE, 2);
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER,
                                   GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_add_with_viewport(GTK_SCROLLED_WINDOW(scrolled), practice_verdict_box);
    gtk_viewport_set_shadow_type(GTK_VIEWPORT(gtk_bin_get_child(GTK_BIN(scrolled))),
                                 GTK_SHADOW_NONE);
    gtk_widget_set_size_request(scrolled, -1, 110);
    return scrolled;
}

void build_practice_window() {
    GtkWidget* box = new_tool_window(practice_window, _("Tessary: Practice"));
    gtk_box_pack_start(GTK_BOX(box), build_practice_kind_buttons(), FALSE, FALSE, 0);
    GtkWidget* hint = plain_label(420);
    gtk_label_set_text(GTK_LABEL(hint),
                       _("Select the cells of a group by clicking or dragging, or with the arrow "
                         "keys and Space; then press Return or Add group."));
    gtk_box_pack_start(GTK_BOX(box), hint, FALSE, FALSE, 0);
    GtkWidget* middle = gtk_hbox_new(FALSE, 8);
    gtk_box_pack_start(GTK_BOX(middle), build_practice_area(), TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(middle), build_practice_side(), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), middle, TRUE, TRUE, 0);
    practice_message_label = plain_label(420);
    gtk_box_pack_start(GTK_BOX(box), practice_message_label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), build_verdict_area(), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), build_close_row(), FALSE, FALSE, 0);
    close_on_escape(practice_window);
    g_signal_connect(practice_window, "destroy", G_CALLBACK(on_practice_destroy), nullptr);
}

} // namespace

cover_kind practice_kind() {
    return practice.kind;
}

map_picture practice_picture() {
    map_picture picture{practice.map, {}, "", "", practice.selected, practice.cursor};
    picture.loops_of = practice.kind;
    picture.numbers = shown.numbers;
    for (const cube c : practice.groups) picture.groups.push_back({c, group_label(c)});
    give_looks(picture);
    if (practice.checked) mark_judgement(picture, *practice.checked);
    return picture;
}

boolean_map fresh_exercise(const boolean_map& now, cover_kind kind, std::uint32_t seed) {
    std::vector<boolean_map> maps;
    for (std::uint64_t s = seed;; ++s)
        if (draw_exercises({s, 1, 0, 2, 5, kind}, maps) && maps.front() != now) return maps.front();
}

void add_practice_group() {
    cube group;
    const selection_fault fault = group_of_cells(practice.selected, group);
    if (fault != selection_fault::none) {
        say(refusal(fault, practice.selected));
        return;
    }
    practice.groups.push_back(group);
    practice.selected = 0;
    say(printed(_("Added %s."), group_name(group).c_str()));
    groups_changed();
}

// Another map starts the round again; the same map shown again keeps it.
void update_practice_window() {
    if (practice_window == nullptr || practice.map == shown.map) return;
    start_round();
}

void show_practice_window() {
    if (practice_window == nullptr) {
        build_practice_window();
        gtk_toggle_button_set_active(
            GTK_TOGGLE_BUTTON(practice_kind_buttons[practice.kind == cover_kind::product_of_sums]),
            TRUE);
        if (practice.map != shown.map) start_round();
        groups_changed();
        size_picture_area(practice_window, practice_area, practice_picture_room());
        gtk_widget_show_all(gtk_bin_get_child(GTK_BIN(practice_window)));
        place_beside_main_window(practice_window);
        gtk_widget_show(practice_window);
        gtk_widget_grab_focus(practice_area);
    }
    gtk_window_present(GTK_WINDOW(practice_window));
}

void on_view_practice(gpointer, guint, GtkWidget*) {
    show_practice_window();
}

} // namespace tessary
