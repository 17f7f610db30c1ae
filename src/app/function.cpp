// Edit > Enter function...: a dialog that takes an expression and a list of
// don't-cares, fills the map's cells with the function and shows its
// answer, as if the cells had been clicked and Show pressed. A bad entry
// keeps the dialog open with the message in it, and changes nothing.
#include "window.h"

#include "input/expression.h"
#include "input/map_text.h"

#include <string>

namespace tessary {

namespace {

// The dialog's parts that OK reads and writes, kept on the dialog itself.
GtkWidget* part(GtkWidget* dialog, const char* name) {
    return GTK_WIDGET(g_object_get_data(G_OBJECT(dialog), name));
}

GtkWidget* labelled_entry(GtkWidget* table, guint row, const char* text, const char* tip) {
    GtkWidget* label = gtk_label_new_with_mnemonic(text);
    gtk_misc_set_alignment(GTK_MISC(label), 0, 0.5);
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_width_chars(GTK_ENTRY(entry), 32);
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), entry);
    gtk_widget_set_tooltip_text(entry, tip);
    gtk_table_attach(GTK_TABLE(table), label, 0, 1, row, row + 1, GTK_FILL, GtkAttachOptions(0), 4,
                     4);
    gtk_table_attach(GTK_TABLE(table), entry, 1, 2, row, row + 1,
                     GtkAttachOptions(GTK_EXPAND | GTK_FILL), GtkAttachOptions(0), 4, 4);
    return entry;
}

void show_message(GtkWidget* dialog, const std::string& message) {
    GtkWidget* label = part(dialog, "message");
    gtk_label_set_text(GTK_LABEL(label), message.c_str());
    gtk_widget_show(label);
}

} // namespace

GtkWidget* build_function_dialog(const app& a) {
    GtkWidget* dialog = gtk_dialog_new_with_buttons(
        _("Enter function"), GTK_WINDOW(a.main.window), GTK_DIALOG_MODAL, GTK_STOCK_CANCEL,
        GTK_RESPONSE_CANCEL, GTK_STOCK_OK, GTK_RESPONSE_OK, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    GtkWidget* table = gtk_table_new(4, 2, FALSE);
    gtk_container_set_border_width(GTK_CONTAINER(table), 6);
    GtkWidget* expression = labelled_entry(table, 0, _("_Function:"),
                                           _("Such as A'B + C(D+A): ' ~ ! for NOT, * & . or "
                                             "nothing for AND, ^ for XOR, + | for OR"));
    // The example where it is read, under the field, not only in its tooltip.
    GtkWidget* example = gtk_label_new(_("for example A'B + C(D+A)"));
    gtk_misc_set_alignment(GTK_MISC(example), 0, 0.5);
    gtk_widget_set_sensitive(example, FALSE);
    gtk_table_attach(GTK_TABLE(table), example, 1, 2, 1, 2, GTK_FILL, GtkAttachOptions(0), 4, 0);
    GtkWidget* dont_cares = labelled_entry(table, 2, _("_Don't-cares:"),
                                           _("Minterm numbers 0 to 15, separated by commas"));
    GtkWidget* message = gtk_label_new("");
    gtk_label_set_line_wrap(GTK_LABEL(message), TRUE);
    gtk_misc_set_alignment(GTK_MISC(message), 0, 0.5);
    gtk_table_attach(GTK_TABLE(table), message, 0, 2, 3, 4, GTK_FILL, GtkAttachOptions(0), 4, 4);
    gtk_box_pack_start(GTK_BOX(GTK_DIALOG(dialog)->vbox), table, TRUE, TRUE, 0);
    g_object_set_data(G_OBJECT(dialog), "expression", expression);
    g_object_set_data(G_OBJECT(dialog), "dont-cares", dont_cares);
    g_object_set_data(G_OBJECT(dialog), "message", message);
    gtk_widget_show_all(table);
    gtk_widget_hide(message);
    return dialog;
}

bool apply_function_dialog(app& a, GtkWidget* dialog) {
    parsed_expression expr;
    expression_error bad;
    const char* text = gtk_entry_get_text(GTK_ENTRY(part(dialog, "expression")));
    if (!parse_expression(text, expr, bad)) {
        // Translators: what is wrong with the typed function, as "Function:
        // column 3: unknown variable 'E' (the map has A, B, C and D)".
        show_message(dialog, printed(_("Function: %s"), describe(bad).c_str()));
        return false;
    }
    minterm_set dont_cares = 0;
    std::string error;
    const char* list = gtk_entry_get_text(GTK_ENTRY(part(dialog, "dont-cares")));
    // Translators: the field named at the start of a message on it, as
    // "Don't-cares: column 4: minterm 16 is out of range (0 to 15)".
    if (!parse_minterm_list(list, _("Don't-cares"), dont_cares, error)) {
        show_message(dialog, error);
        return false;
    }
    show_map(a, {static_cast<minterm_set>(expr.value & ~dont_cares), dont_cares});
    return true;
}

void on_enter_function(gpointer data, guint, GtkWidget*) {
    app& a = app_of(data);
    GtkWidget* dialog = build_function_dialog(a);
    while (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK &&
           !apply_function_dialog(a, dialog)) {
    }
    gtk_widget_destroy(dialog);
}

} // namespace tessary
