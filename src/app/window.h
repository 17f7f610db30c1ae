// The main window: the program's state, the functions that build the
// window and its signal handlers. The only code of Tessary that touches GTK.
//
// Start at build_main_window() in window.cpp; the menu bar and the About
// dialog are in menu.cpp, the Enter function dialog in function.cpp, the
// companion window beside the main one in companion.cpp (placement.h says
// where it goes), and its pages: Groups with its pictures in groups.cpp,
// Steps in steps.cpp and Practice in practice.cpp. All state is one value,
// an `app`: the main window's widgets, the cells' values, the shown map, the
// companion and each page's widgets and what it shows; handlers reach it through
// their user data. Handlers read the widgets, call the libraries
// (answers/answers.h, through show_map()) and write the widgets back;
// key_fields.h lays a long answer out over the two key fields.
#pragma once

#include "answers/answers.h"
#include "answers/explanation.h"
#include "exact/exact.h"
#include "logic/boolean_map.h"
#include "placement.h"
#include "render/picture.h"
#include "render/surface.h"
#include "teach/judge.h"
#include "views/pictures.h"
#include "views/steps.h"

#include "tessary_config.h"

#include "words/words.h"
#include <gtk/gtk.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessary {

// The main window's widgets that code outside their builder touches; GTK
// owns them all and they live as long as the window.
struct main_widgets {
    GtkWidget* window = nullptr;
    GtkTooltips* tooltips = nullptr;
    GtkWidget* map_table = nullptr;
    GtkWidget* cells[4][4] = {};   // [row][col], as the minimiser's grid
    GtkWidget* key = nullptr;      // first line of the answer
    GtkWidget* key_more = nullptr; // rest of a long answer; hidden unless needed
};

// The map as the last Show, Enter function or Reset left it, with its
// answers worked out once by show_map(): what the key fields, the Groups
// window and File > Save picture show.
struct shown_state {
    boolean_map map;
    // By the Groups window's forms: shown, minimal sum, minimal product,
    // hazard-free sum, hazard-free product; and the hazard pairs each leaves.
    std::array<answer_form, 5> forms = {answer_form::shown, answer_form::minimal, answer_form::pos,
                                        answer_form::hazard_free_sop, answer_form::hazard_free_pos};
    map_picture pictures[5];
    std::vector<cell_pair> hazards[5];
    std::string notes[5];  // what the Groups window says under each (form_note())
    bool numbers = false;  // View > Minterm numbers: every picture shows them, saved ones too
    bool with_key = false; // the key fields show the answer (not after Reset or New map)
};

// The companion window beside the main one, with a page for each of
// Groups, Steps and Practice. Closed, it has no toplevel: the pages' widgets
// are then not to be touched, and what they show stays.
struct companion_window {
    GtkWidget* window = nullptr;
    GtkWidget* notebook = nullptr;   // its pages, in the order of `page`
    std::optional<placement> placed; // where it and the main window were last put
    int asked_again = 0;             // times that placement was asked for once more
    rect seen;                       // the companion's frame when it was last asked for
    guint later = 0;                 // a look again, a moment later, when asking did not do
    int looked_later = 0;            // times it looked again for the same placement
    bool open() const { return window != nullptr; }
};

// The companion's pages, in the order of their tabs.
enum class page { groups, steps, practice };

// View > Groups (groups.cpp): the picture of the shown map with the groups
// of one of its answers.
struct groups_tool {
    GtkWidget* area = nullptr;          // the picture
    GtkWidget* form_buttons[5] = {};    // by shown_state's forms
    GtkWidget* hazards_check = nullptr; // Hazards: mark the pairs on the form drawn
    GtkWidget* hazards_label = nullptr; // the pairs, while Hazards is on
    GtkWidget* terms_label = nullptr;   // each term of the drawn cover
    GtkWidget* minimal_label = nullptr; // "Minimal: ..."
};

// View > Steps (steps.cpp): the steps from the shown map to its minimum, one
// at a time, with Back and Next.
struct steps_tool {
    GtkWidget* area = nullptr;           // the step's picture
    GtkWidget* kind_buttons[2] = {};     // Sum, Product
    GtkWidget* title_label = nullptr;    // "Step 2 of 5: the essential primes"
    GtkWidget* sentence_label = nullptr; // what the step says, with its terms and cells
    GtkWidget* back_button = nullptr;
    GtkWidget* next_button = nullptr;
    std::vector<step_view> steps; // of the shown map in the chosen form
    std::size_t at = 0;           // the one on display
};

// The round of Practice: the map and the loops it is played on, the groups
// added, the cells selected, the keyboard's cell, and the last Check. It
// outlives the window, so that Practice reopened on the same map goes on
// where it was.
struct practice_state {
    boolean_map map;
    cover_kind kind = cover_kind::sum_of_products;
    std::vector<cube> groups;
    minterm_set selected = 0;
    int cursor = 0;                   // the top-left cell, row C'D' and column A'B', to start
    std::optional<judgement> checked; // until the groups change
};

// A drag across the map in progress: the cell it began on, and the
// selection before it.
struct drag_state {
    int anchor = -1;
    minterm_set before = 0;
    bool moved = false;
};

// View > Practice (practice.cpp): the student's own groups on the shown map,
// judged on Check.
struct practice_tool {
    GtkWidget* area = nullptr;          // the map, the groups, the selection, the cursor
    GtkWidget* kind_buttons[2] = {};    // Sum (loops of 1s), Product (loops of 0s)
    GtkWidget* message_label = nullptr; // "Not a group: ...", "Added A'B."
    GtkWidget* list = nullptr;          // the groups added, in order
    GtkWidget* verdict_box = nullptr;   // after Check, a label per line of the judgement
    practice_state round;
    drag_state drag;
};

// Where and as what the last picture was saved, for the next time.
struct save_memory {
    std::string folder; // empty: the current directory
    std::string name = "map.png";
};

// Everything the program shows: the main window, the companion and their
// state.
struct app {
    main_widgets main;
    // Where rc.png (the map's corner) and kmap.png (the window icon) are read.
    std::string pixmap_dir = TESSARY_PIXMAP_DIR;
    // What each cell reads, by 4 * row + col, as the clicks left it: Show
    // reads the map from here; the buttons' labels only show it.
    cell_values cells = cells_of(boolean_map{});
    shown_state shown;
    companion_window companion;
    groups_tool groups;
    steps_tool steps;
    practice_tool practice;
    save_memory last_save;
};

// The app a handler was connected with.
inline app& app_of(gpointer data) {
    return *static_cast<app*>(data);
}

// Sets the cells to the map, works out its answers and shows them: the key
// fields (left empty with `with_key` false, as Reset leaves them) and the
// companion's pages while it is open.
void show_map(app& a, const boolean_map& map, bool with_key = true);

// Builds the main window on `a`, which must outlive it.
void build_main_window(app& a);
GtkWidget* build_map_table(app& a);
GtkWidget* build_button_box(app& a);
GtkWidget* build_key_table(app& a);
GtkWidget* build_menu_bar(app& a);

// Handlers of the main window and its menus; `data` is the app.
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
GtkWidget* build_function_dialog(const app& a);
// Reads the dialog's entries; fills the map and shows the answer, or shows
// the message in the dialog. True when the map was filled.
bool apply_function_dialog(app& a, GtkWidget* dialog);

// The companion window (companion.cpp). Opens it, built with all its pages
// and placed beside the main window, at page `p`; raises it and gives the
// page's focus widget the focus. Closing it (a page's Close, Escape, or the
// main window going) ends it; opening it again builds it anew.
void present_page(app& a, page p);
// After each change of the shown map: the pages follow it (nothing while
// the companion is closed), and the companion stays clear of the main window.
void update_companion(app& a);

// A page of the companion: its tab, the window's title while it is shown,
// a function that builds it and returns its widget, one that shows the app
// in it once it is built, one that follows a change of the shown map, and
// the widgets that take the focus and that draw its picture.
struct page_parts {
    const char* tab;
    const char* title;
    GtkWidget* (*build)(app& a);
    void (*fill)(app& a);
    void (*update)(app& a);
    GtkWidget* (*focus)(const app& a);
    GtkWidget* (*area)(const app& a);
    // The size its picture would like, and the least it may be given.
    picture_size (*room)(const app& a);
};
extern const page_parts groups_page, steps_page, practice_page;

// For the lab (lab.cpp): Edit > Copy answer as, the answer in the key
// fields in the answer_format of `action`; File > Open truth table..., and
// what it does with the file chosen (false, with why, on a bad file).
void on_copy_answer_as(gpointer data, guint action, GtkWidget* item);
void on_open_truth_table(gpointer data, guint action, GtkWidget* item);
bool open_truth_table(app& a, const std::string& path, std::string& error);

// View > Groups and File > Save picture... (groups.cpp).
void on_view_groups(gpointer data, guint action, GtkWidget* item);
void on_save_picture(gpointer data, guint action, GtkWidget* item);
answer_form groups_form(const app& a); // the form chosen in the Groups window
// The picture the Groups window shows, and File > Save picture... saves:
// the form chosen, with its hazard pairs marked while Hazards is on.
map_picture current_picture(const app& a);
// Asks for a file name and saves the current picture; tells of a failure.
void save_picture_dialog(app& a, GtkWindow* parent);

// View > Steps (steps.cpp).
void on_view_steps(gpointer data, guint action, GtkWidget* item);

// View > Practice (practice.cpp).
void on_view_practice(gpointer data, guint action, GtkWidget* item);
// The map with the groups, the selection, the cursor and the last Check.
map_picture practice_picture(const app& a);
// Adds the selection as a group, or says why it is not one and keeps it.
void add_practice_group(app& a);
// A map for New map: a worksheet's exercise (a minimum of 2 to 5 terms in
// the form of `kind`) drawn from `seed`, other than `now`.
boolean_map fresh_exercise(const boolean_map& now, cover_kind kind, std::uint32_t seed);

// Parts the pages share (companion.cpp).
// A selectable label, wrapped at `width` pixels, for text a reader reads.
GtkWidget* wrapped_label(int width);
// Shows `texts[shown]` in a wrapped label as tall as the tallest of `texts`,
// so that the page keeps its layout whichever of them it shows.
void show_one_of(GtkWidget* label, const std::vector<std::string>& texts, std::size_t shown);
// A button labelled with `mnemonic`, its "clicked" connected to `handler`
// with the app.
GtkWidget* app_button(app& a, const char* mnemonic, GCallback handler);
// A row of radio buttons, one for each of the `count` mnemonic labels,
// stored in `buttons`; `on_toggled` is connected to each, with the app.
GtkWidget* radio_row(app& a, const char* const* labels, std::size_t count, GtkWidget** buttons,
                     GCallback on_toggled);
// A row of buttons at the page's end, the last of them "Close", which
// closes the companion.
GtkWidget* button_row(app& a, std::initializer_list<GtkWidget*> buttons,
                      const char* close_mnemonic);
// The room that holds each of `pictures`: the largest width and height.
picture_size room_for(const std::vector<map_picture>& pictures);
// A picture's area: an image to a screen reader that takes the focus (by
// Tab or a click), drawn by `on_expose` with the app.
GtkWidget* picture_area(app& a, GCallback on_expose);
// Draws the picture in `area` at the largest scale at which `room` fits,
// centred, the picture at the room's top, with the focus marked. Pictures
// drawn in one room (the steps of a map, the rounds of Practice) keep their
// map in one place and at one size, whatever their legends; a picture
// larger than its room takes the room it needs.
void draw_fitted(GtkWidget* area, const map_picture& picture, picture_size room);
// The same for any drawing of `size`, which `draw` makes on a surface.
void draw_fitted(GtkWidget* area, picture_size size, picture_size room,
                 const std::function<void(surface&)>& draw);
// What a screen reader hears of a picture: its name (what it shows) and
// its description (picture_description(), perhaps after a sentence).
void describe_picture(GtkWidget* area, const std::string& name, const std::string& description);

// Scale and offset of a picture drawn by draw_fitted(): the picture's
// origin lands at (x, y).
struct picture_fit {
    double scale, x, y;
};
picture_fit fit_in(GtkWidget* area, const map_picture& picture, picture_size room);
picture_fit fit_in(GtkWidget* area, picture_size size, picture_size room);
// Where the Groups, Practice and Steps pictures are drawn in their areas.
picture_fit groups_fit(const app& a);
picture_fit practice_fit(const app& a);
picture_fit steps_fit(const app& a);

} // namespace tessary
