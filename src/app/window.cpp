// The main window: the map of 4-by-4 cell buttons with its headers, the Show
// and Reset buttons, and the two read-only key fields. A click only cycles a
// cell's value (kept in the app, shown on its button); Show hands the values
// to the minimiser.
#include "window.h"

#include "key_fields.h"
#include "logic/boolean_map.h"
#include "tessary_config.h"

#include <string>

namespace tessary {

namespace {

constexpr int cell_size = 27; // pixels, square

// Children of the outer table, one a row.
void attach_row(GtkWidget* table, GtkWidget* child, guint row) {
    gtk_table_attach_defaults(GTK_TABLE(table), child, 0, 1, row, row + 1);
}

void attach_row_natural(GtkWidget* table, GtkWidget* child, guint row, guint xpad, guint ypad) {
    gtk_table_attach(GTK_TABLE(table), child, 0, 1, row, row + 1, GtkAttachOptions(0),
                     GtkAttachOptions(0), xpad, ypad);
}

// The corner and the headers do nothing: Tab passes them by.
GtkWidget* header_button(const char* label) {
    GtkWidget* button = gtk_button_new_with_label(label);
    gtk_button_set_relief(GTK_BUTTON(button), GTK_RELIEF_HALF);
    GTK_WIDGET_UNSET_FLAGS(button, GTK_CAN_FOCUS);
    return button;
}

GtkWidget* corner_button(const app& a) {
    gchar* path = g_build_filename(a.pixmap_dir.c_str(), "rc.png", nullptr);
    GtkWidget* image = gtk_image_new_from_file(path);
    g_free(path);
    GtkWidget* button = gtk_button_new();
    gtk_container_add(GTK_CONTAINER(button), image);
    GTK_WIDGET_UNSET_FLAGS(button, GTK_CAN_FOCUS);
    return button;
}

// The cell of row `row` and column `col` sits under the headers, one place
// right of and below its indices; its tooltip is its minterm number.
void add_cell_button(app& a, int row, int col) {
    GtkWidget* button = gtk_button_new_with_label("0");
    a.main.cells[row][col] = button;
    g_signal_connect(button, "clicked", G_CALLBACK(on_cell_clicked), &a);
    const auto left = static_cast<guint>(col + 1), top = static_cast<guint>(row + 1);
    gtk_table_attach_defaults(GTK_TABLE(a.main.map_table), button, left, left + 1, top, top + 1);
    const std::string tooltip = std::to_string(minterm_at(row, col));
    gtk_tooltips_set_tip(a.main.tooltips, button, tooltip.c_str(), nullptr);
    // The name stays the label ("0", "1", "X"); the description places it.
    atk_object_set_description(gtk_widget_get_accessible(button),
                               cell_description(minterm_at(row, col)).c_str());
    gtk_widget_set_size_request(button, cell_size, cell_size);
}

GtkWidget* key_field() {
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_editable(GTK_ENTRY(entry), FALSE);
    gtk_entry_set_width_chars(GTK_ENTRY(entry), 36);
    return entry;
}

void attach_key_child(GtkWidget* table, GtkWidget* child, guint col, guint top, guint bottom) {
    gtk_table_attach(GTK_TABLE(table), child, col, col + 1, top, bottom, GtkAttachOptions(0),
                     GtkAttachOptions(0), 0, 0);
}

void display_key(const app& a, const key_fields& key) {
    if (key.second_shown) {
        gtk_widget_show(a.main.key_more);
        gtk_entry_set_text(GTK_ENTRY(a.main.key_more), key.second.c_str());
    } else {
        gtk_widget_hide(a.main.key_more);
    }
    gtk_entry_set_text(GTK_ENTRY(a.main.key), key.first.c_str());
}

} // namespace

void build_main_window(app& a) {
    a.main.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g_object_set(a.main.window, "window-position", GTK_WIN_POS_CENTER, "title", "Tessary", nullptr);
    gtk_window_set_resizable(GTK_WINDOW(a.main.window), FALSE);
    a.main.tooltips = gtk_tooltips_new();
    GtkWidget* outer = gtk_table_new(6, 1, FALSE);
    gtk_container_add(GTK_CONTAINER(a.main.window), outer);

    attach_row(outer, build_menu_bar(a), 0);
    attach_row(outer, gtk_hseparator_new(), 1);
    attach_row_natural(outer, build_map_table(a), 2, 10, 10);
    attach_row_natural(outer, build_button_box(a), 3, 0, 1);
    attach_row(outer, gtk_hseparator_new(), 4);
    attach_row_natural(outer, build_key_table(a), 5, 5, 7);

    gtk_widget_show_all(a.main.window);
    gtk_widget_hide(a.main.key_more);
    gchar* icon = g_build_filename(a.pixmap_dir.c_str(), "kmap.png", nullptr);
    // A missing icon leaves the window without one. The error is taken and
    // dropped: without an error location GTK would print a warning.
    GError* error = nullptr;
    if (!gtk_window_set_icon_from_file(GTK_WINDOW(a.main.window), icon, &error))
        g_clear_error(&error);
    g_free(icon);
    g_signal_connect(a.main.window, "delete-event", G_CALLBACK(on_delete_event), nullptr);
    g_signal_connect(a.main.window, "destroy", G_CALLBACK(on_quit), nullptr);
}

// A table lists its children last attached first, and a screen reader
// takes them in that order: the cells are attached from the last, then the
// headers and the corner, so that it reads the corner, the headers and the
// cells row by row as drawn. Tab takes the cells in the same order.
GtkWidget* build_map_table(app& a) {
    a.main.map_table = gtk_table_new(5, 5, FALSE);
    for (int row = 3; row >= 0; --row) {
        for (int col = 3; col >= 0; --col) add_cell_button(a, row, col);
    }
    gtk_table_attach_defaults(GTK_TABLE(a.main.map_table),
                              header_button("C'D'\n\nC'D\n\nCD\n\nCD'"), 0, 1, 1, 5);
    gtk_table_attach_defaults(GTK_TABLE(a.main.map_table), header_button("A'B'  A'B  AB   AB'"), 1,
                              5, 0, 1);
    gtk_table_attach_defaults(GTK_TABLE(a.main.map_table), corner_button(a), 0, 1, 0, 1);
    GList* chain = nullptr;
    for (int row = 3; row >= 0; --row) {
        for (int col = 3; col >= 0; --col) chain = g_list_prepend(chain, a.main.cells[row][col]);
    }
    gtk_container_set_focus_chain(GTK_CONTAINER(a.main.map_table), chain);
    g_list_free(chain);
    return a.main.map_table;
}

GtkWidget* build_button_box(app& a) {
    GtkWidget* box = gtk_hbox_new(FALSE, 2);
    // Translators: the button that shows the answer; keep the three spaces on
    // either side.
    GtkWidget* show = gtk_button_new_with_label(_("   Show   "));
    gtk_tooltips_set_tip(a.main.tooltips, show, _("Display the output key"), nullptr);
    // Translators: the button that clears the map; keep the three spaces on either side.
    GtkWidget* reset = gtk_button_new_with_label(_("   Reset   "));
    gtk_tooltips_set_tip(a.main.tooltips, reset, _("Reset all kmap cells"), nullptr);
    gtk_box_pack_start(GTK_BOX(box), show, FALSE, FALSE, 0);
    gtk_box_pack_end(GTK_BOX(box), reset, FALSE, FALSE, 0);
    g_signal_connect(show, "clicked", G_CALLBACK(on_show_clicked), &a);
    g_signal_connect(reset, "clicked", G_CALLBACK(on_reset_clicked), &a);
    return box;
}

namespace {

// A screen reader names both fields by the label before them.
void name_by(GtkWidget* label, GtkWidget* field) {
    std::string name = gtk_label_get_text(GTK_LABEL(label));
    while (!name.empty() && (name.back() == ':' || name.back() == ' ')) name.pop_back();
    AtkObject* text = gtk_widget_get_accessible(label);
    AtkObject* entry = gtk_widget_get_accessible(field);
    atk_object_set_name(entry, name.c_str());
    atk_object_add_relationship(entry, ATK_RELATION_LABELLED_BY, text);
    atk_object_add_relationship(text, ATK_RELATION_LABEL_FOR, entry);
}

} // namespace

GtkWidget* build_key_table(app& a) {
    GtkWidget* table = gtk_table_new(2, 2, FALSE);
    GtkWidget* label = gtk_label_new(C_("answer", "KEY :"));
    attach_key_child(table, label, 0, 0, 2);
    a.main.key = key_field();
    attach_key_child(table, a.main.key, 1, 0, 1);
    a.main.key_more = key_field();
    attach_key_child(table, a.main.key_more, 1, 1, 2);
    name_by(label, a.main.key);
    name_by(label, a.main.key_more);
    return table;
}

namespace {

// The place of a cell's button, by 4 * row + col; -1 for another widget.
int cell_of(const app& a, const GtkWidget* button) {
    for (int cell = 0; cell < 16; ++cell)
        if (a.main.cells[cell / 4][cell % 4] == button) return cell;
    return -1;
}

// Writes the cell's value on its button.
void label_cell(const app& a, int cell) {
    const char value[2] = {a.cells[static_cast<std::size_t>(cell)], '\0'};
    gtk_button_set_label(GTK_BUTTON(a.main.cells[cell / 4][cell % 4]), value);
}

} // namespace

void on_cell_clicked(GtkButton* button, gpointer data) {
    static constexpr char cycle[][2] = {{'0', '1'}, {'1', 'X'}, {'X', '0'}};
    app& a = app_of(data);
    const int cell = cell_of(a, GTK_WIDGET(button));
    if (cell < 0) return;
    char& value = a.cells[static_cast<std::size_t>(cell)];
    for (const auto& step : cycle) {
        if (g_ascii_toupper(value) == step[0]) {
            value = step[1];
            label_cell(a, cell);
            return;
        }
    }
}

void on_show_clicked(GtkButton*, gpointer data) {
    app& a = app_of(data);
    show_map(a, map_from_cells(a.cells));
}

void on_reset_clicked(GtkButton*, gpointer data) {
    show_map(app_of(data), {}, false);
}

void show_map(app& a, const boolean_map& map, bool with_key) {
    shown_state& shown = a.shown;
    shown.map = map;
    shown.with_key = with_key;
    for (std::size_t i = 0; i < shown.forms.size(); ++i) {
        shown.pictures[i] = picture_of(map, shown.forms[i]);
        shown.pictures[i].numbers = shown.numbers;
        shown.hazards[i] = answer_hazards(map, shown.forms[i]);
        shown.notes[i] = form_note(map, shown.forms[i]);
    }
    a.cells = cells_of(map);
    for (int cell = 0; cell < 16; ++cell) label_cell(a, cell);
    display_key(a, split_key(with_key ? answer_text(map, answer_form::shown) : ""));
    update_companion(a);
}

void on_view_numbers(gpointer data, guint, GtkWidget* item) {
    app& a = app_of(data);
    a.shown.numbers = gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item));
    for (map_picture& picture : a.shown.pictures) picture.numbers = a.shown.numbers;
    if (a.companion.open()) gtk_widget_queue_draw(a.companion.notebook);
}

gboolean on_delete_event(GtkWidget*, GdkEvent*, gpointer) {
    return FALSE;
}

void on_quit() {
    gtk_main_quit();
}

} // namespace tessary
