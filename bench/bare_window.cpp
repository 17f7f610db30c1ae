// A bare GTK+ 2 program of the same shape as Tessary's window, as the
// yardstick for its start-up time and memory: a menu bar, a 5-by-5 table of
// 27-pixel buttons with tooltips, two buttons and two entries. No pictures,
// no minimiser. Closing the window ends it.
#include <gtk/gtk.h>

#include <initializer_list>

namespace {

GtkWidget* menu_bar() {
    GtkWidget* bar = gtk_menu_bar_new();
    for (const char* name : {"_File", "_Help"}) {
        GtkWidget* item = gtk_menu_item_new_with_mnemonic(name);
        GtkWidget* menu = gtk_menu_new();
        gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_menu_item_new_with_mnemonic("_Item"));
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), menu);
        gtk_menu_shell_append(GTK_MENU_SHELL(bar), item);
    }
    return bar;
}

GtkWidget* button_table(GtkTooltips* tips) {
    GtkWidget* table = gtk_table_new(5, 5, FALSE);
    for (guint row = 0; row < 5; ++row) {
        for (guint col = 0; col < 5; ++col) {
            GtkWidget* button = gtk_button_new_with_label("0");
            gtk_widget_set_size_request(button, 27, 27);
            gtk_tooltips_set_tip(tips, button, "0", nullptr);
            gtk_table_attach_defaults(GTK_TABLE(table), button, col, col + 1, row, row + 1);
        }
    }
    return table;
}

} // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Bare");
    GtkTooltips* tips = gtk_tooltips_new();
    GtkWidget* box = gtk_vbox_new(FALSE, 0);
    gtk_container_add(GTK_CONTAINER(window), box);
    gtk_box_pack_start(GTK_BOX(box), menu_bar(), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), button_table(tips), FALSE, FALSE, 0);
    GtkWidget* buttons = gtk_hbox_new(FALSE, 2);
    gtk_box_pack_start(GTK_BOX(buttons), gtk_button_new_with_label("One"), FALSE, FALSE, 0);
    gtk_box_pack_end(GTK_BOX(buttons), gtk_button_new_with_label("Two"), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), buttons, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), gtk_entry_new(), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), gtk_entry_new(), FALSE, FALSE, 0);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
