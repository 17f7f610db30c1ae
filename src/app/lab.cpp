// For the lab: Edit > Copy answer as (the answer in the key fields as
// Verilog, VHDL, C, Python or LaTeX, to the clipboard) and File > Open truth
// table... (a PLA file's or a CSV truth table's first output into the map).
// The writing and the reading are the answers' and the input library's.
#include "window.h"

#include "answers/formats.h"
#include "input/truth_table.h"

#include <fstream>
#include <sstream>
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

// The maps of the file, or false with the message naming its line.
bool read_maps(const std::string& path, std::vector<boolean_map>& maps, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return error = _("it cannot be opened"), false;
    std::ostringstream text;
    text << in.rdbuf();
    const bool pla =
        path.size() > 4 && g_ascii_strcasecmp(path.c_str() + path.size() - 4, ".pla") == 0;
    return pla ? read_pla(text.str(), maps, error) : read_truth_table(text.str(), maps, error);
}

void tell_unread(GtkWindow* parent, const std::string& path, const std::string& error) {
    GtkWidget* message =
        gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_CLOSE,
                               _("The truth table %s could not be read"), path.c_str());
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(message), "%s.", error.c_str());
    gtk_dialog_run(GTK_DIALOG(message));
    gtk_widget_destroy(message);
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
    if (!read_maps(path, maps, error)) return false;
    show_map(a, maps.front());
    return true;
}

void on_open_truth_table(gpointer data, guint, GtkWidget*) {
    GtkWidget* chooser = gtk_file_chooser_dialog_new(
        _("Open truth table"), GTK_WINDOW(main_window), GTK_FILE_CHOOSER_ACTION_OPEN,
        GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL, GTK_STOCK_OPEN, GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), truth_table_filter());
    if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
        std::string error;
        if (chosen != nullptr && !open_truth_table(app_of(data), chosen, error))
            tell_unread(GTK_WINDOW(chooser), chosen, error);
        g_free(chosen);
    }
    gtk_widget_destroy(chooser);
}

} // namespace tessary
