// The main window: its program-wide widget handles, the functions that build
// it and its signal handlers. The only code of Tessary that touches GTK.
//
// Start at build_main_window() in window.cpp; the menu bar and the About
// dialog are in menu.cpp, the Enter function dialog in function.cpp, the
// Groups window with its pictures in groups.cpp, the Steps window in
// steps.cpp and the Practice window in practice.cpp. Handlers read the widgets,
// call the libraries (answers/answers.h, through show_map()) and write the
// widgets back; key_fields.h lays a long answer out over the two key fields.
#pragma once

#include "answers/answers.h"
#include "answers/explanation.h"
#include "exact/exact.h"
#include "logic/boolean_map.h"
#include "render/picture.h"
#include "teach/judge.h"

#include "tessary_config.h"

#include "words/words.h"
#include <gtk/gtk.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessary {

// Widgets that code outside their builder touches; GTK owns them all and
// they live as long as the window.
extern GtkWidget* main_window;
extern GtkTooltips* tooltips;
extern GtkWidget* map_table;
extern GtkWidget* cell_buttons[4][4]; // [row][col], as the minimiser's grid
extern GtkWidget* key_entry;          // first line of the answer
extern GtkWidget* key_entry_more;     // rest of a long answer; hidden unless needed

// The Groups window (groups.cpp) and what it shows; nullptr while closed.
extern GtkWidget* groups_window;
extern GtkWidget* groups_area;            // the picture
extern GtkWidget* groups_form_buttons[3]; // Shown answer, Minimal sum, Minimal product
extern GtkWidget* groups_terms_label;     // each term of the drawn cover
extern GtkWidget* groups_minimal_label;   // "Minimal: ..."

// The map as the last Show, Enter function or Reset left it, with its
// answers worked out once by show_map(): what the key fields, the Groups
// window and File > Save picture show.
struct shown_state {
    boolean_map map;
    map_picture pictures[3]; // by the Groups window's forms: shown, minimal sum, minimal product
    std::string minimal_note;
    bool numbers = false; // View > Minterm numbers: every picture shows them, saved ones too
};
extern shown_state shown;

// Sets the cells to the map, works out its answers and shows them: the key
// fields (left empty with `with_key` false, as Reset leaves them) and the
// Groups window.
void show_map(const boolean_map& map, bool with_key = true);

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
// View > Minterm numbers: each cell's number in the corner of every picture.
void on_view_numbers(gpointer data, guint action, GtkWidget* item);

// Edit > Enter function... (function.cpp): the dialog, and what OK does.
void on_enter_function(gpointer data, guint action, GtkWidget* item);
GtkWidget* build_function_dialog();
// Reads the dialog's entries; fills the map and shows the answer, or shows
// the message in the dialog. True when the map was filled.
bool apply_function_dialog(GtkWidget* dialog);

// View > Groups and File > Save picture... (groups.cpp).
void on_view_groups(gpointer data, guint action, GtkWidget* item);
void on_save_picture(gpointer data, guint action, GtkWidget* item);
void show_groups_window();
void update_groups_window(); // after each Show and Reset; nothing while closed
answer_form groups_form();   // the form chosen in the Groups window
// The picture the Groups window shows, and File > Save picture... saves.
const map_picture& current_picture();
// Asks for a file name and saves the current picture; tells of a failure.
void save_picture_dialog(GtkWindow* parent);
// A selectable label, wrapped at `width` pixels, for text a reader reads.
GtkWidget* wrapped_label(int width);
// Asks for `area` to show a picture of `size`, or less where `window` would
// then be taller than the screen.
void size_picture_area(GtkWidget* window, GtkWidget* area, picture_size size);
// Draws the picture in `area` at the largest scale that fits, centred.
void draw_fitted(GtkWidget* area, const map_picture& picture);
// A window of ours beside the main one: titled, kept with it, closed with
// it; returns the vertical box its parts go into.
GtkWidget* new_tool_window(GtkWidget*& window, const char* title);
// A row of radio buttons, one for each of the `count` mnemonic labels,
// stored in `buttons`; `on_toggled` is connected to each.
GtkWidget* radio_row(const char* const* labels, std::size_t count, GtkWidget** buttons,
                     GCallback on_toggled);
// Escape in `window` closes it, and so does the button made here, labelled
// `mnemonic` ("_Close").
void close_on_escape(GtkWidget* window);
GtkWidget* close_button(GtkWidget* window, const char* mnemonic);
// Moves a window of ours where it hides least of the main window and of
// the other tool windows that are open: beside the main window where the
// screen has room.
void place_beside_main_window(GtkWidget* window);
// Moves a window of ours that has grown back onto the screen.
void keep_on_screen(GtkWidget* window);
// Where a window of `width` by `height` goes on the screen: the place that
// hides least of `main` (which counts four times) and of `others`, beside
// `main` first, then beside the others; on the screen however large.
GdkPoint place_beside(const GdkRectangle& main, const std::vector<GdkRectangle>& others, int width,
                      int height, int screen_width, int screen_height);

// View > Steps (steps.cpp): the steps from the shown map to its minimum, one
// at a time, with Back and Next; nullptr while closed.
extern GtkWidget* steps_window;
extern GtkWidget* steps_area;            // the step's picture
extern GtkWidget* steps_kind_buttons[2]; // Sum, Product
extern GtkWidget* steps_title_label;     // "Step 2 of 5: the essential primes"
extern GtkWidget* steps_sentence_label;  // what the step says, with its terms and cells
extern GtkWidget* steps_back_button;
extern GtkWidget* steps_next_button;

void on_view_steps(gpointer data, guint action, GtkWidget* item);
void show_steps_window();
void update_steps_window(); // after each change of the shown map; nothing while closed

// View > Practice (practice.cpp): the student's own groups on the shown map,
// judged on Check; nullptr while closed.
extern GtkWidget* practice_window;
extern GtkWidget* practice_area;            // the map, the groups, the selection, the cursor
extern GtkWidget* practice_kind_buttons[2]; // Sum (loops of 1s), Product (loops of 0s)
extern GtkWidget* practice_message_label;   // "Not a group: ...", "Added A'B."
extern GtkWidget* practice_list;            // the groups added, in order
extern GtkWidget* practice_verdict_box;     // after Check, a label per line of the judgement

// The round: the map and the loops it is played on, the groups added, the
// cells selected, the keyboard's cell, and the last Check. It outlives the
// window, so that Practice reopened on the same map goes on where it was.
struct practice_state {
    boolean_map map;
    cover_kind kind = cover_kind::sum_of_products;
    std::vector<cube> groups;
    minterm_set selected = 0;
    int cursor = 0;                   // the top-left cell, row C'D' and column A'B', to start
    std::optional<judgement> checked; // until the groups change
};
extern practice_state practice;

cover_kind practice_kind(); // the loops the Practice window asks for
// The map with the groups, the selection, the cursor and the last Check.
map_picture practice_picture();
// Adds the selection as a group, or says why it is not one and keeps it.
void add_practice_group();
// A map for New map: a worksheet's exercise (a minimum of 2 to 5 terms in
// the form of `kind`) drawn from `seed`, other than `now`.
boolean_map fresh_exercise(const boolean_map& now, cover_kind kind, std::uint32_t seed);

void on_view_practice(gpointer data, guint action, GtkWidget* item);
void show_practice_window();
void update_practice_window(); // after each change of the shown map: the groups go

// Scale and offset of a picture drawn as large as fits in a widget, centred.
struct picture_fit {
    double scale, x, y;
};
picture_fit fit_in(GtkWidget* area, const map_picture& picture);

} // namespace tessary
