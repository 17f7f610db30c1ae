// The main window: its program-wide widget handles, the functions that build
// it and its signal handlers. The only code of Tessary that touches GTK.
//
// Start at build_main_window() in window.cpp; the menu bar and the About
// dialog are in menu.cpp. Handlers read the widgets, call the libraries
// (minimiser/greedy.h for Show) and write the widgets back; key_fields.h
// lays a long answer out over the two key fields.
#pragma once

#include <gtk/gtk.h>

namespace tessary {

// Widgets that code outside their builder touches; GTK owns them all and
// they live as long as the window.
extern GtkWidget* main_window;
extern GtkTooltips* tooltips;
extern GtkWidget* map_table;
extern GtkWidget* cell_buttons[4][4]; // [row][col], as the minimiser's grid
extern GtkWidget* key_entry;          // first line of the answer
extern GtkWidget* key_entry_more;     // rest of a long answer; hidden unless needed

// Where rc.png (the map's corner) and kmap.png (the window icon) are read.
extern const char* pixmap_dir;

void build_main_window();
GtkWidget* build_map_table();
GtkWidget* build_button_box();
GtkWidget* build_key_table();
GtkWidget* build_menu_bar();

void on_cell_clicked(GtkButton* button, gpointer data);
void on_show_clicked(GtkButton* button, gpointer data);
void on_reset_clicked(GtkButton* button, gpointer data);
gboolean on_delete_event(GtkWidget* widget, GdkEvent* event, gpointer data);
void on_quit(); // connected to signals of any shape: reads no argument
void on_about(gpointer data, guint action, GtkWidget* item);

} // namespace tessary
