// For the lab: Edit > Copy answer as (the answer in the key fields as
// Verilog, VHDL, C, Python or LaTeX, to the clipboard) and File > Open truth
// table... (an output of a PLA file or a CSV truth table into the map,
// read by the reader tessary-key --read uses).
// The writing and the reading are the answers' and the input library's.
#include "window.h"

#include "answers/formats.h"
#include "input/file_reader.h"

#include <string>
#include <vector>

namespace tessary {

void on_copy_answer_as(gpointer data, guint action, GtkWidget*) {
    const app& a = app_of(data);
    if (!a.shown.with_key) return; // the key fields are empty: nothing to copy
    const auto format = static_cast<answer_format>(action);
    const std::string text = written_cover(answer_cover(a.shown.map, answer_form::shown),
                                           cover_kind::sum_of_products, format);
    gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), text.c_str(), -1);
}

namespace {

void tell_unread(GtkWindow* parent, const std::string& path, const std::string& error) {
    GtkWidget* message =
        gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_CLOSE,
                               _("The truth table %s could not be read"), path.c_str());
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(message), "%s.", error.c_str());
    gtk_dialog_run(GTK_DIALOG(message));
    gtk_widget_destroy(message);
}

void on_output_activated(GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, gpointer dialog) {
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
}

// A file of several outputs: which to load, or `count` when cancelled.
std::size_t choose_output(const app& a, std::size_t count) {
    GtkWidget* dialog = gtk_dialog_new_with_buttons(
        _("Choose an output"), GTK_WINDOW(a.main.window), GTK_DIALOG_MODAL, GTK_STOCK_CANCEL,
        GTK_RESPONSE_CANCEL, GTK_STOCK_OPEN, GTK_RESPONSE_OK, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
    for (std::size_t i = 0; i < count; ++i) {
        GtkTreeIter row;
        gtk_list_store_append(store, &row);
        // Translators: an output of a truth table, by its place, as "Output 2".
        gtk_list_store_set(store, &row, 0, printed(_("Output %zu"), i + 1).c_str(), -1);
    }
    GtkWidget* list = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
    g_object_unref(store);
    gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(list), -1,
                                                _("The file has several outputs; load which?"),
                                                gtk_cell_renderer_text_new(), "text", 0, nullptr);
    GtkTreePath* first = gtk_tree_path_new_first();
    gtk_tree_view_set_cursor(GTK_TREE_VIEW(list), first, nullptr, FALSE);
    gtk_tree_path_free(first);
    g_signal_connect(list, "row-activated", G_CALLBACK(on_output_activated), dialog);
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER,
                                   GTK_POLICY_AUTOMATIC);
    gtk_widget_set_size_request(scrolled, -1, 160);
    gtk_container_add(GTK_CONTAINER(scrolled), list);
    gtk_box_pack_start(GTK_BOX(GTK_DIALOG(dialog)->vbox), scrolled, TRUE, TRUE, 6);
    gtk_widget_show_all(scrolled);
    std::size_t chosen = count;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK) {
        GtkTreeModel* model;
        GtkTreeIter row;
        if (gtk_tree_selection_get_selected(gtk_tree_view_get_selection(GTK_TREE_VIEW(list)),
                                            &model, &row)) {
            GtkTreePath* path = gtk_tree_model_get_path(model, &row);
            chosen = static_cast<std::size_t>(gtk_tree_path_get_indices(path)[0]);
            gtk_tree_path_free(path);
        }
    }
    gtk_widget_destroy(dialog);
    return chosen;
}

GtkFileFilter* truth_table_filter() {
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, _("PLA files and truth tables (.pla, .csv)"));
    for (const char* pattern : {"*.pla", "*.PLA", "*.csv", "*.CSV"})
        gtk_file_filter_add_pattern(filter, pattern);
    return filter;
}

} // namespace

bool open_truth_table(app& a, const std::string& path, std::string& error) {
    std::vector<boolean_map> maps;
    if (!read_maps_file(path.c_str(), maps, error)) return false;
    const std::size_t output = maps.size() > 1 ? choose_output(a, maps.size()) : 0;
    if (output >= maps.size()) return true; // the choice was cancelled: nothing changes
    show_map(a, maps[output]);
    return true;
}

void on_open_truth_table(gpointer data, guint, GtkWidget*) {
    app& a = app_of(data);
    GtkWidget* chooser = gtk_file_chooser_dialog_new(
        _("Open truth table"), GTK_WINDOW(a.main.window), GTK_FILE_CHOOSER_ACTION_OPEN,
        GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL, GTK_STOCK_OPEN, GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), truth_table_filter());
    if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
        std::string error;
        if (chosen != nullptr && !open_truth_table(a, chosen, error))
            tell_unread(GTK_WINDOW(chooser), chosen, error);
        g_free(chosen);
    }
    gtk_widget_destroy(chooser);
}

} // namespace tessary
