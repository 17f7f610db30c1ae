// View > Practice: the companion's page where the student loops the groups
// on the shown map and has them judged. Cells are selected with the mouse (a
// click, or a drag across a rectangle) or with the keyboard (the arrows move
// a cursor that wraps round the map, Space selects its cell, Return adds the
// selection as a group); Check shows the lines tessary-key --judge prints,
// and marks on the map the loops that take a cell they must not and the
// cells no loop takes. The map is drawn as large as the window allows. The
// judgement comes from teach/judge.h and its words from answers/answers.h;
// this file only reads the widgets and shows the result.
#include "window.h"

#include "teach/exercises.h"
#include "teach/judge.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <bit>
#include <string>

namespace tessary {

namespace {

std::string group_label(const practice_state& round, cube group) {
    return group_text(group, round.kind);
}

// A group as the window's messages name it.
std::string group_name(const practice_state& round, cube group) {
    return group.care == 0 ? _("the whole map") : group_label(round, group);
}

// What the map area says through the accessibility bus: the cursor's cell
// and the selection.
void describe_area(const app& a) {
    const practice_state& round = a.practice.round;
    describe_picture(
        a.practice.area, C_("accessible name", "Map"),
        cursor_description(round.cursor, value_at(a.shown.map, round.cursor), round.selected) +
            "\n" + picture_description(practice_picture(a)));
}

// After Check, the loops that take a wrong cell in red with those cells
// ringed, and the cells no loop takes ringed with a broken line.
void mark_judgement(map_picture& picture, const judgement& judged) {
    const unsigned wrong = cells_to_avoid(picture.map, judged.kind);
    unsigned ringed = 0;
    for (std::size_t i = 0; i < judged.groups.size(); ++i) {
        if (judged.groups[i].fault != group_fault::covers_wrong_cell) continue;
        picture.groups[i].warning = true;
        ringed |= minterms_of(judged.groups[i].group) & wrong;
    }
    picture.wrong_cells = static_cast<minterm_set>(ringed);
    picture.missed_cells = judged.cover.missed;
    picture.caption =
        ring_caption(judged.kind, picture.wrong_cells != 0, picture.missed_cells != 0);
}

// The room the map is given to start with: enough for eight groups in the
// legend and a caption of two lines, so that it keeps its size as they come.
picture_size practice_picture_room(bool numbers) {
    map_picture room{{}, std::vector<map_group>(8, {{}, "A'B'C'D'"}), "", "x\nx"};
    room.numbers = numbers;
    return measure_picture(room);
}

void redraw_area(const app& a) {
    gtk_widget_queue_draw(a.practice.area);
    describe_area(a);
}

void tell(const practice_tool& t, const std::string& message) {
    gtk_label_set_text(GTK_LABEL(t.message_label), message.c_str());
}

void clear_verdict(const practice_tool& t) {
    GList* lines = gtk_container_get_children(GTK_CONTAINER(t.verdict_box));
    for (GList* line = lines; line != nullptr; line = line->next)
        gtk_widget_destroy(GTK_WIDGET(line->data));
    g_list_free(lines);
}

// The lines of the last Check, a label each, in the scrolled area.
void show_verdict(const practice_tool& t) {
    clear_verdict(t);
    if (!t.round.checked) return;
    for (const std::string& line : check_sentences(*t.round.checked)) {
        GtkWidget* label = wrapped_label(400);
        gtk_label_set_text(GTK_LABEL(label), line.c_str());
        gtk_box_pack_start(GTK_BOX(t.verdict_box), label, FALSE, FALSE, 0);
        gtk_widget_show(label);
    }
}

// The list of groups and the picture after any change of the groups; the
// last Check no longer holds.
void groups_changed(app& a) {
    practice_tool& t = a.practice;
    GtkListStore* store = GTK_LIST_STORE(gtk_tree_view_get_model(GTK_TREE_VIEW(t.list)));
    gtk_list_store_clear(store);
    for (const cube c : t.round.groups) {
        GtkTreeIter row;
        gtk_list_store_append(store, &row);
        gtk_list_store_set(store, &row, 0, group_label(t.round, c).c_str(), -1);
    }
    t.round.checked.reset();
    show_verdict(t);
    redraw_area(a);
}

// A new round on the shown map: no group, no selection.
void start_round(app& a) {
    practice_tool& t = a.practice;
    t.round.map = a.shown.map;
    t.round.groups.clear();
    t.round.selected = 0;
    t.drag = {};
    tell(t, "");
    groups_changed(a);
}

// The rectangle of the grid between two cells, as the pointer dragged it.
minterm_set rectangle_between(int from, int to) {
    const cell_place p = place_of(from), q = place_of(to);
    unsigned cells = 0;
    for (int row = std::min(p.row, q.row); row <= std::max(p.row, q.row); ++row)
        for (int col = std::min(p.col, q.col); col <= std::max(p.col, q.col); ++col)
            cells |= minterm_bit(minterm_at(row, col));
    return static_cast<minterm_set>(cells);
}

void move_cursor(app& a, int rows, int cols) {
    practice_state& round = a.practice.round;
    const cell_place at = place_of(round.cursor);
    round.cursor =
        minterm_at((at.row + rows + map_side) % map_side, (at.col + cols + map_side) % map_side);
    redraw_area(a);
}

void toggle_cell(app& a, int minterm) {
    practice_state& round = a.practice.round;
    round.selected = static_cast<minterm_set>(round.selected ^ minterm_bit(minterm));
    redraw_area(a);
}

// The row selected in the list, or the last group; -1 when there is none.
int group_to_remove(const practice_tool& t) {
    GtkTreeModel* model;
    GtkTreeIter row;
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(t.list));
    if (gtk_tree_selection_get_selected(selection, &model, &row)) {
        GtkTreePath* path = gtk_tree_model_get_path(model, &row);
        const int index = gtk_tree_path_get_indices(path)[0];
        gtk_tree_path_free(path);
        return index;
    }
    return static_cast<int>(t.round.groups.size()) - 1;
}

// The cell under a point of the area, through the scale the map is drawn at.
int cell_at(const app& a, double x, double y) {
    const map_picture picture = practice_picture(a);
    const picture_fit fit = practice_fit(a);
    return minterm_at_point(picture, (x - fit.x) / fit.scale, (y - fit.y) / fit.scale);
}

gboolean on_practice_area_expose(GtkWidget* widget, GdkEventExpose*, gpointer data) {
    // Its description is the cursor's, the selection's and the loops' (describe_area()).
    const app& a = app_of(data);
    draw_fitted(widget, practice_picture(a), practice_picture_room(a.shown.numbers));
    return TRUE;
}

gboolean on_practice_area_button_press(GtkWidget* widget, GdkEventButton* event, gpointer data) {
    app& a = app_of(data);
    gtk_widget_grab_focus(widget);
    const int cell = cell_at(a, event->x, event->y);
    if (event->button != 1 || event->type != GDK_BUTTON_PRESS || cell < 0) return TRUE;
    a.practice.drag = {cell, a.practice.round.selected, false};
    a.practice.round.cursor = cell;
    redraw_area(a);
    return TRUE;
}

gboolean on_practice_area_motion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    app& a = app_of(data);
    drag_state& drag = a.practice.drag;
    if (drag.anchor < 0) return FALSE;
    const int cell = cell_at(a, event->x, event->y);
    if (cell < 0 || (cell == drag.anchor && !drag.moved)) return TRUE;
    drag.moved = true;
    a.practice.round.selected =
        static_cast<minterm_set>(drag.before | rectangle_between(drag.anchor, cell));
    a.practice.round.cursor = cell;
    redraw_area(a);
    return TRUE;
}

gboolean on_practice_area_button_release(GtkWidget*, GdkEventButton* event, gpointer data) {
    app& a = app_of(data);
    drag_state& drag = a.practice.drag;
    if (event->button != 1 || drag.anchor < 0) return FALSE;
    if (!drag.moved) toggle_cell(a, drag.anchor);
    drag = {};
    return TRUE;
}

gboolean on_practice_area_key_press(GtkWidget*, GdkEventKey* event, gpointer data) {
    app& a = app_of(data);
    switch (event->keyval) {
    case GDK_Up:
    case GDK_KP_Up: move_cursor(a, -1, 0); return TRUE;
    case GDK_Down:
    case GDK_KP_Down: move_cursor(a, 1, 0); return TRUE;
    case GDK_Left:
    case GDK_KP_Left: move_cursor(a, 0, -1); return TRUE;
    case GDK_Right:
    case GDK_KP_Right: move_cursor(a, 0, 1); return TRUE;
    case GDK_space:
    case GDK_KP_Space: toggle_cell(a, a.practice.round.cursor); return TRUE;
    case GDK_Return:
    case GDK_KP_Enter: add_practice_group(a); return TRUE;
    default: return FALSE;
    }
}

void on_practice_add_clicked(GtkButton*, gpointer data) {
    add_practice_group(app_of(data));
}

void on_practice_remove_clicked(GtkButton*, gpointer data) {
    app& a = app_of(data);
    practice_state& round = a.practice.round;
    const int index = group_to_remove(a.practice);
    if (index < 0) {
        tell(a.practice, _("There is no group to remove."));
        return;
    }
    tell(a.practice,
         printed(_("Removed %s."),
                 group_name(round, round.groups[static_cast<std::size_t>(index)]).c_str()));
    round.groups.erase(round.groups.begin() + index);
    groups_changed(a);
}

void on_practice_clear_clicked(GtkButton*, gpointer data) {
    app& a = app_of(data);
    a.practice.round.groups.clear();
    a.practice.round.selected = 0;
    tell(a.practice, "");
    groups_changed(a);
}

void on_practice_check_clicked(GtkButton*, gpointer data) {
    app& a = app_of(data);
    practice_state& round = a.practice.round;
    round.checked = judge(round.map, round.kind, round.groups);
    show_verdict(a.practice);
    redraw_area(a);
    tell(a.practice, round.checked->cover.minimal() ? _("Well done: a minimum cover.") : "");
}

void on_practice_new_map_clicked(GtkButton*, gpointer data) {
    app& a = app_of(data);
    // As if the student had clicked the cells in: no answer until Show.
    show_map(a, fresh_exercise(a.shown.map, a.practice.round.kind, g_random_int()), false);
}

cover_kind chosen_kind(const practice_tool& t) {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(t.kind_buttons[1]))
               ? cover_kind::product_of_sums
               : cover_kind::sum_of_products;
}

// Loops of the other kind start the round again, and say what went.
void on_practice_kind_toggled(GtkToggleButton* button, gpointer data) {
    app& a = app_of(data);
    practice_state& round = a.practice.round;
    if (!gtk_toggle_button_get_active(button) || chosen_kind(a.practice) == round.kind) return;
    const std::size_t dropped = round.groups.size();
    round.kind = chosen_kind(a.practice);
    start_round(a);
    if (dropped > 0) tell(a.practice, kind_switch_note(round.kind, dropped));
}

GtkWidget* build_practice_kind_buttons(app& a) {
    const char* labels[] = {_("_Sum"), _("_Product")};
    static_assert(std::size(labels) == std::size(practice_tool{}.kind_buttons));
    GtkWidget* row = radio_row(a, labels, std::size(labels), a.practice.kind_buttons,
                               G_CALLBACK(on_practice_kind_toggled));
    GtkWidget* caption = gtk_label_new(_("Loops of:"));
    gtk_box_pack_start(GTK_BOX(row), caption, FALSE, FALSE, 0);
    gtk_box_reorder_child(GTK_BOX(row), caption, 0);
    return row;
}

GtkWidget* build_practice_area(app& a) {
    GtkWidget* area = a.practice.area = picture_area(a, G_CALLBACK(on_practice_area_expose));
    gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                    GDK_BUTTON1_MOTION_MASK | GDK_KEY_PRESS_MASK);
    const struct {
        const char* signal;
        GCallback handler;
    } handlers[] = {
        {"button-press-event", G_CALLBACK(on_practice_area_button_press)},
        {"motion-notify-event", G_CALLBACK(on_practice_area_motion)},
        {"button-release-event", G_CALLBACK(on_practice_area_button_release)},
        {"key-press-event", G_CALLBACK(on_practice_area_key_press)},
    };
    for (const auto& h : handlers) g_signal_connect(area, h.signal, h.handler, &a);
    return area;
}

GtkWidget* build_practice_list(practice_tool& t) {
    GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
    t.list = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
    g_object_unref(store);
    gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(t.list), -1, _("Groups"),
                                                gtk_cell_renderer_text_new(), "text", 0, nullptr);
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER,
                                   GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(scrolled), t.list);
    gtk_widget_set_size_request(scrolled, 150, -1);
    return scrolled;
}

// The list of groups above the buttons that change or judge them.
GtkWidget* build_practice_side(app& a) {
    GtkWidget* side = gtk_vbox_new(FALSE, 6);
    gtk_box_pack_start(GTK_BOX(side), build_practice_list(a.practice), TRUE, TRUE, 0);
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
        gtk_box_pack_start(GTK_BOX(side), app_button(a, b.mnemonic, b.handler), FALSE, FALSE, 0);
    return side;
}

// A label to read, not to copy: Tab passes it by.
GtkWidget* plain_label(int width) {
    GtkWidget* label = wrapped_label(width);
    gtk_label_set_selectable(GTK_LABEL(label), FALSE);
    return label;
}

// The judgement's lines scroll in a space of their own, so that however
// many groups there are the window keeps its size.
GtkWidget* build_verdict_area(practice_tool& t) {
    t.verdict_box = gtk_vbox_new(FALSE, 2);
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER,
                                   GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_add_with_viewport(GTK_SCROLLED_WINDOW(scrolled), t.verdict_box);
    gtk_viewport_set_shadow_type(GTK_VIEWPORT(gtk_bin_get_child(GTK_BIN(scrolled))),
                                 GTK_SHADOW_NONE);
    gtk_widget_set_size_request(scrolled, -1, 110);
    return scrolled;
}

GtkWidget* build_practice_page(app& a) {
    practice_tool& t = a.practice;
    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    gtk_container_set_border_width(GTK_CONTAINER(box), 6);
    gtk_box_pack_start(GTK_BOX(box), build_practice_kind_buttons(a), FALSE, FALSE, 0);
    GtkWidget* hint = plain_label(420);
    gtk_label_set_text(GTK_LABEL(hint),
                       _("Select the cells of a group by clicking or dragging, or with the arrow "
                         "keys and Space; then press Return or Add group."));
    gtk_box_pack_start(GTK_BOX(box), hint, FALSE, FALSE, 0);
    GtkWidget* middle = gtk_hbox_new(FALSE, 8);
    gtk_box_pack_start(GTK_BOX(middle), build_practice_area(a), TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(middle), build_practice_side(a), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), middle, TRUE, TRUE, 0);
    t.message_label = plain_label(420);
    // Room for a message of two lines from the start: the page keeps its
    // size whatever it says.
    gtk_label_set_text(GTK_LABEL(t.message_label), "X\nX");
    GtkRequisition two_lines;
    gtk_widget_size_request(t.message_label, &two_lines);
    gtk_label_set_text(GTK_LABEL(t.message_label), "");
    gtk_widget_set_size_request(t.message_label, 420, two_lines.height);
    gtk_box_pack_start(GTK_BOX(box), t.message_label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), build_verdict_area(t), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), button_row(a, {}, _("Cl_ose")), FALSE, FALSE, 0);
    return box;
}

// The round goes on where it was when the map is the same.
void fill_practice_page(app& a) {
    practice_tool& t = a.practice;
    gtk_toggle_button_set_active(
        GTK_TOGGLE_BUTTON(t.kind_buttons[t.round.kind == cover_kind::product_of_sums]), TRUE);
    if (t.round.map != a.shown.map) start_round(a);
    groups_changed(a);
}

// Another map starts the round again; the same map shown again keeps it.
void update_practice_page(app& a) {
    if (!a.companion.open() || a.practice.round.map == a.shown.map) return;
    start_round(a);
}

} // namespace

picture_fit practice_fit(const app& a) {
    return fit_in(a.practice.area, practice_picture(a), practice_picture_room(a.shown.numbers));
}

map_picture practice_picture(const app& a) {
    const practice_state& round = a.practice.round;
    map_picture picture{round.map, {}, "", "", round.selected, round.cursor};
    picture.loops_of = round.kind;
    picture.numbers = a.shown.numbers;
    for (const cube c : round.groups) picture.groups.push_back({c, group_label(round, c)});
    give_looks(picture);
    if (round.checked) mark_judgement(picture, *round.checked);
    return picture;
}

boolean_map fresh_exercise(const boolean_map& now, cover_kind kind, std::uint32_t seed) {
    std::vector<boolean_map> maps;
    for (std::uint64_t s = seed;; ++s)
        if (draw_exercises({s, 1, 0, 2, 5, kind}, maps) && maps.front() != now) return maps.front();
}

void add_practice_group(app& a) {
    practice_state& round = a.practice.round;
    cube group;
    const selection_fault fault = group_of_cells(round.selected, group);
    if (fault != selection_fault::none) {
        tell(a.practice, selection_refusal(fault, round.selected));
        return;
    }
    round.groups.push_back(group);
    round.selected = 0;
    tell(a.practice, printed(_("Added %s."), group_name(round, group).c_str()));
    groups_changed(a);
}

const page_parts practice_page = {
    N_("Practice"),
    N_("Tessary: Practice"),
    build_practice_page,
    fill_practice_page,
    update_practice_page,
    [](const app& a) { return a.practice.area; },
    [](const app& a) { return a.practice.area; },
    [](const app& a) { return practice_picture_room(a.shown.numbers); },
};

void on_view_practice(gpointer data, guint, GtkWidget*) {
    present_page(app_of(data), page::practice);
}

} // namespace tessary
