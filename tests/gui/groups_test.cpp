// The Enter function dialog and the Groups window, on the real window.
#include "gui_fixture.h"

#include <gdk/gdkkeysyms.h>

#include <cstdlib>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace tessary::testing {
namespace {

// The words a reader reads: without the zero-width spaces where a long
// answer may break.
std::string label_text(GtkWidget* label) {
    std::string text = gtk_label_get_text(GTK_LABEL(label));
    for (std::size_t at; (at = text.find("\u200B")) != std::string::npos;) text.erase(at, 3);
    return text;
}

GtkWidget* entry_of(GtkWidget* dialog, const char* name) {
    return GTK_WIDGET(g_object_get_data(G_OBJECT(dialog), name));
}

struct function_case {
    const char* name;
    const char* expression;
    const char* dont_cares;
    bool accepted;
    const char* map;     // the cells after OK (unchanged when refused)
    const char* key;     // the key field after OK
    const char* message; // the dialog's message when refused
};

// OK fills the cells and shows the answer; a bad entry changes nothing and
// says what is wrong, with the column.
TEST_F(MainWindow, EnterFunctionFillsTheMapOrSaysWhatIsWrong) {
    const function_case cases[] = {
        {"a sum", "A'B + CD'", "", true, "0100/0100/0100/1111", "A'B+CD'", ""},
        {"with don't-cares", "AB", "8, 9", true, "001X/001X/0010/0010", "AB", ""},
        {"unknown variable", "AE", "", false, "1111/1111/1111/1111", "1",
         "Function: column 2: unknown variable 'E' (the map has A, B, C and D)"},
        {"unbalanced", "(A+B", "", false, "1111/1111/1111/1111", "1",
         "Function: column 1: '(' is not closed"},
        {"bad don't-cares", "A", "3,16", false, "1111/1111/1111/1111", "1",
         "Don't-cares: column 3: minterm 16 is out of range (0 to 15)"},
    };
    for (const function_case& c : cases) {
        SCOPED_TRACE(c.name);
        set_map("1111/1111/1111/1111");
        click("   Show   ");
        GtkWidget* dialog = build_function_dialog(the_app);
        EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(dialog)), "Enter function");
        // The example shows under the field, not only in its tooltip.
        EXPECT_NE(find_widget(dialog,
                              [](GtkWidget* w) {
                                  return GTK_IS_LABEL(w) && GTK_WIDGET_VISIBLE(w) &&
                                         label_text(w) == "for example A'B + C(D+A)";
                              }),
                  nullptr);
        gtk_entry_set_text(GTK_ENTRY(entry_of(dialog, "expression")), c.expression);
        gtk_entry_set_text(GTK_ENTRY(entry_of(dialog, "dont-cares")), c.dont_cares);
        EXPECT_EQ(apply_function_dialog(the_app, dialog), c.accepted);
        std::string map;
        for (int cell = 0; cell < 16; ++cell) {
            if (cell > 0 && cell % 4 == 0) map += '/';
            map += label_of(the_app.main.cells[cell / 4][cell % 4]);
        }
        EXPECT_EQ(map, c.map);
        EXPECT_EQ(text_of(the_app.main.key), c.key);
        GtkWidget* message = entry_of(dialog, "message");
        EXPECT_EQ(is_visible(message), !c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(label_text(message), c.message);
        }
        gtk_widget_destroy(dialog);
    }
}

// Control+E opens the dialog; Cancel closes it and changes nothing.
TEST_F(MainWindow, ControlEOpensTheDialogAndCancelChangesNothing) {
    static bool seen = false;
    g_timeout_add(
        100,
        [](gpointer) -> gboolean {
            GList* windows = gtk_window_list_toplevels();
            for (GList* w = windows; w != nullptr; w = w->next) {
                if (GTK_IS_DIALOG(w->data) && GTK_WIDGET_VISIBLE(w->data) &&
                    std::string(gtk_window_get_title(GTK_WINDOW(w->data))) == "Enter function") {
                    seen = true;
                    gtk_entry_set_text(GTK_ENTRY(entry_of(GTK_WIDGET(w->data), "expression")), "A");
                    gtk_dialog_response(GTK_DIALOG(w->data), GTK_RESPONSE_CANCEL);
                }
            }
            g_list_free(windows);
            return FALSE;
        },
        nullptr);
    EXPECT_TRUE(gtk_accel_groups_activate(G_OBJECT(the_app.main.window), GDK_e, GDK_CONTROL_MASK));
    EXPECT_TRUE(seen);
    EXPECT_EQ(label_of(the_app.main.cells[0][2]), "0");
    EXPECT_EQ(text_of(the_app.main.key), "");
}

class GroupsWindow : public MainWindow {
  protected:
    void SetUp() override {
        MainWindow::SetUp();
        ASSERT_TRUE(
            gtk_accel_groups_activate(G_OBJECT(the_app.main.window), GDK_g, GDK_CONTROL_MASK));
        drain_events();
        ASSERT_NE(the_app.companion.window, nullptr);
    }
    void choose(int form) {
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.groups.form_buttons[form]), TRUE);
    }
};

TEST_F(GroupsWindow, FollowsShowAndReset) {
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(the_app.companion.window)), "Tessary: Groups");
    EXPECT_FALSE(gtk_window_get_modal(GTK_WINDOW(the_app.companion.window)));
    EXPECT_EQ(label_text(the_app.groups.terms_label), "No groups");
    set_map("0111/1111/1101/1111");
    EXPECT_EQ(label_text(the_app.groups.terms_label), "No groups"); // not before Show
    click("   Show   ");
    EXPECT_EQ(label_text(the_app.groups.terms_label), "Groups: A'B, BC', AB', C'D, B'C, CD'");
    EXPECT_EQ(label_text(the_app.groups.minimal_label),
              "Minimal: A'B+B'C+C'D+AD'; the shown answer has 2 terms more than the minimum");
    // The text under the picture names the answer of the form drawn.
    choose(1);
    EXPECT_EQ(label_text(the_app.groups.terms_label), "Groups: A'B, B'C, C'D, AD'");
    EXPECT_EQ(label_text(the_app.groups.minimal_label), "Minimal sum: A'B+B'C+C'D+AD'");
    choose(2);
    EXPECT_EQ(label_text(the_app.groups.terms_label), "Groups: (A+B+C+D), (A'+B'+C'+D')");
    EXPECT_EQ(label_text(the_app.groups.minimal_label), "Minimal product: (A+B+C+D)(A'+B'+C'+D')");
    click("   Reset   ");
    EXPECT_EQ(label_text(the_app.groups.terms_label), "Groups: 0"); // one sum, 0, round the map
    EXPECT_EQ(label_text(the_app.groups.minimal_label), "Minimal product: 0");
    choose(0);
    set_map("0110/0110/0000/0000");
    click("   Show   ");
    EXPECT_EQ(label_text(the_app.groups.terms_label), "Groups: BC'");
    EXPECT_EQ(label_text(the_app.groups.minimal_label), "Minimal: BC'");
}

// A screen reader names a cell by its label and places it by its
// description; the picture says its loops.
TEST_F(GroupsWindow, CellsAndLoopsForAScreenReader) {
    AtkObject* cell = gtk_widget_get_accessible(the_app.main.cells[0][1]);
    EXPECT_STREQ(atk_object_get_description(cell), "minterm 4: row C'D', column A'B");
    EXPECT_STREQ(atk_object_get_description(gtk_widget_get_accessible(the_app.main.cells[2][3])),
                 "minterm 11: row CD, column AB'");
    set_map("0110/0110/0000/0000");
    click("   Show   ");
    AtkObject* picture = gtk_widget_get_accessible(the_app.groups.area);
    EXPECT_STREQ(atk_object_get_description(picture), "Loop 1: BC', cells 4, 5, 12, 13");
    // An image that takes the focus, named by what it shows.
    EXPECT_EQ(atk_object_get_role(picture), ATK_ROLE_IMAGE);
    EXPECT_TRUE(GTK_WIDGET_CAN_FOCUS(the_app.groups.area));
    EXPECT_STREQ(atk_object_get_name(picture), "Shown answer: BC'");
    // The hazard pairs it marks, and no invisible break in a long name.
    set_map("0011/1111/1100/0000");
    click("   Show   ");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.groups.form_buttons[1]), TRUE);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.groups.hazards_check), TRUE);
    const std::string description = atk_object_get_description(picture);
    EXPECT_NE(description.find("\nHazard pairs: 1-9, 5-13"), std::string::npos) << description;
    set_map("0101/1010/0101/1010");
    click("   Show   ");
    const std::string name = atk_object_get_name(picture);
    EXPECT_EQ(name.find("\u200B"), std::string::npos) << name;
    EXPECT_EQ(name.rfind("Minimal sum: ", 0), 0u) << name;
}

// The hazard-free forms, and Hazards marking the pairs of the form drawn.
TEST_F(GroupsWindow, HazardFreeFormsAndHazardsMarked) {
    set_map("0011/1111/1100/0000");
    click("   Show   ");
    choose(3);
    EXPECT_EQ(label_text(the_app.groups.terms_label), "Groups: AC', A'D, C'D, added for 1-9, 5-13");
    EXPECT_EQ(label_text(the_app.groups.hazards_label), "") << "Hazards is off";
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.groups.hazards_check), TRUE);
    EXPECT_EQ(label_text(the_app.groups.hazards_label), "No hazard pairs");
    EXPECT_TRUE(current_picture(the_app).hazards.empty());
    choose(1);
    EXPECT_EQ(label_text(the_app.groups.hazards_label), "Hazard pairs: 1-9, 5-13");
    EXPECT_EQ(current_picture(the_app).hazards, (std::vector<cell_pair>{{1, 9}, {5, 13}}));
    EXPECT_EQ(current_picture(the_app).hazard_note, "Hazards: 1-9, 5-13");
    save_screenshot(the_app.companion.window, "groups-hazards-marked");
    choose(4);
    EXPECT_EQ(label_text(the_app.groups.terms_label),
              "Groups: (A'+C'), (A+D), (C'+D), added for 2-10, 6-14");
    save_screenshot(the_app.companion.window, "groups-hazard-free-product");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(the_app.groups.hazards_check), FALSE);
    EXPECT_TRUE(current_picture(the_app).hazards.empty());
    EXPECT_EQ(label_text(the_app.groups.hazards_label), "");
}

// An answer copied from a label is the answer as typed, without the
// invisible break points that let the label wrap between terms.
TEST_F(GroupsWindow, CopiedAnswersCarryNoZeroWidthSpaces) {
    set_map("0111/1111/1101/1111");
    click("   Show   ");
    const std::string full = gtk_label_get_text(GTK_LABEL(the_app.groups.minimal_label));
    ASSERT_NE(full.find("\u200B"), std::string::npos) << "the label breaks between terms";
    gtk_label_select_region(GTK_LABEL(the_app.groups.minimal_label), 0, -1);
    g_signal_emit_by_name(the_app.groups.minimal_label, "copy-clipboard");
    gchar* copied = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(std::string(copied),
              "Minimal: A'B+B'C+C'D+AD'; the shown answer has 2 terms more than the minimum");
    g_free(copied);
}

// With the longest answers there are (A^B^C^D), in every form, the window
// stays on the screen and every label fits inside it, broken only between
// terms.
TEST_F(GroupsWindow, FitsTheScreenAndItsLabelsInEveryForm) {
    set_map("0101/1010/0101/1010");
    click("   Show   ");
    for (int form = 0; form < 3; ++form) {
        SCOPED_TRACE(form);
        choose(form);
        const GdkRectangle at = window_rectangle(the_app.companion.window);
        const gint width = at.width, height = at.height;
        EXPECT_TRUE(on_screen(at)) << at.x << "," << at.y << " " << width << "x" << height;
        for (GtkWidget* label : {the_app.groups.terms_label, the_app.groups.minimal_label}) {
            int text_width, text_height;
            pango_layout_get_pixel_size(gtk_label_get_layout(GTK_LABEL(label)), &text_width,
                                        &text_height);
            EXPECT_LE(text_width, label->allocation.width) << label_text(label);
            EXPECT_LE(label->allocation.x + label->allocation.width, width);
            EXPECT_LE(label->allocation.y + label->allocation.height, height);
        }
    }
}

// The picture takes the size the window is given.
TEST_F(GroupsWindow, ResizableWithThePictureScaled) {
    EXPECT_TRUE(gtk_window_get_resizable(GTK_WINDOW(the_app.companion.window)));
    drain_events();
    const gint before = the_app.groups.area->allocation.width;
    gint width, height;
    gtk_window_get_size(GTK_WINDOW(the_app.companion.window), &width, &height);
    gtk_window_resize(GTK_WINDOW(the_app.companion.window), width + 200, height + 200);
    EXPECT_TRUE(wait_until([before] { return the_app.groups.area->allocation.width > before; }));
}

struct closing_case {
    const char* how;
    void (*close)();
};

TEST_F(GroupsWindow, ClosesByItsButtonAndByEscape) {
    const closing_case cases[] = {
        {"Close",
         [] {
             gtk_button_clicked(
                 GTK_BUTTON(testing::find_button(the_app.companion.window, "_Close")));
         }},
        {"Escape", [] { press_key(the_app.companion.window, GDK_Escape); }},
    };
    for (const closing_case& c : cases) {
        SCOPED_TRACE(c.how);
        on_view_groups(&the_app, 0, nullptr);
        drain_events();
        c.close();
        drain_events();
        EXPECT_EQ(the_app.companion.window, nullptr);
    }
}

TEST_F(GroupsWindow, ControlGAgainKeepsOneWindowAndClosingForgetsIt) {
    GtkWidget* first = the_app.companion.window;
    ASSERT_TRUE(gtk_accel_groups_activate(G_OBJECT(the_app.main.window), GDK_g, GDK_CONTROL_MASK));
    EXPECT_EQ(the_app.companion.window, first);
    gtk_widget_destroy(the_app.companion.window);
    EXPECT_EQ(the_app.companion.window, nullptr);
    click("   Show   "); // with the window closed: nothing to follow
    ASSERT_TRUE(gtk_accel_groups_activate(G_OBJECT(the_app.main.window), GDK_g, GDK_CONTROL_MASK));
    EXPECT_NE(the_app.companion.window, nullptr);
}

} // namespace
} // namespace tessary::testing

namespace tessary::testing {
namespace {

std::string saved_to;
guint answering = 0; // the source of answer_chooser while it runs

GtkWidget* open_dialog(GType type) {
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w != nullptr; w = w->next)
        if (G_TYPE_CHECK_INSTANCE_TYPE(w->data, type) && GTK_WIDGET_VISIBLE(w->data))
            found = GTK_WIDGET(w->data);
    g_list_free(windows);
    return found;
}

// Answers the file chooser with `saved_to` once it has gone to its folder,
// which it does in the background; an error message fails the test.
gboolean answer_chooser(gpointer) {
    if (GtkWidget* message = open_dialog(GTK_TYPE_MESSAGE_DIALOG)) {
        ADD_FAILURE() << "an error message appeared";
        gtk_dialog_response(GTK_DIALOG(message), GTK_RESPONSE_CLOSE);
        return TRUE;
    }
    GtkWidget* chooser = open_dialog(GTK_TYPE_FILE_CHOOSER_DIALOG);
    if (chooser == nullptr) return TRUE;
    gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
    const bool ready = chosen != nullptr && saved_to == chosen;
    g_free(chosen);
    if (ready) {
        gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
        answering = 0;
        return FALSE;
    }
    const std::string dir = saved_to.substr(0, saved_to.rfind('/'));
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), dir.c_str());
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser),
                                      saved_to.substr(dir.size() + 1).c_str());
    return TRUE;
}

// What the chooser showed when it opened, then its name after the type
// was changed to SVG; the dialog is then cancelled.
struct chooser_seen {
    std::string folder, file, file_as_svg;
};
chooser_seen seen;

gboolean look_and_cancel(gpointer) {
    GtkWidget* chooser = open_dialog(GTK_TYPE_FILE_CHOOSER_DIALOG);
    if (chooser == nullptr) return TRUE;
    gchar* folder = gtk_file_chooser_get_current_folder(GTK_FILE_CHOOSER(chooser));
    gchar* file = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
    if (folder == nullptr || file == nullptr) { // still going to its folder
        g_free(folder);
        g_free(file);
        return TRUE;
    }
    seen = {folder, file, ""};
    g_free(folder);
    g_free(file);
    auto* types = GTK_COMBO_BOX(g_object_get_data(G_OBJECT(chooser), "tessary-types"));
    gtk_combo_box_set_active(types, 1);
    gchar* svg = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
    seen.file_as_svg = svg != nullptr ? svg : "";
    g_free(svg);
    gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
    return FALSE;
}

// The chooser opens on the current directory with map.png (before any
// save: this runs before the other test that saves), its type sets the
// extension; after a save it opens where that went, with that name.
TEST_F(MainWindow, SaveDialogOpensOnARealFolderAndRemembers) {
#if defined(__SANITIZE_ADDRESS__)
    __lsan::ScopedDisabler chooser_keeps_its_file_system;
#endif
    gchar* here = g_get_current_dir();
    const std::string cwd = here;
    g_free(here);
    poll_dialog(100, look_and_cancel);
    save_picture_dialog(the_app, GTK_WINDOW(the_app.main.window));
    EXPECT_EQ(seen.folder, cwd);
    EXPECT_EQ(seen.file, cwd + "/map.png");
    EXPECT_EQ(seen.file_as_svg, cwd + "/map.svg");

    char dir_template[] = "/tmp/tessary-save-test.XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    saved_to = dir + "/corners.pdf";
    answering = poll_dialog(200, answer_chooser);
    save_picture_dialog(the_app, GTK_WINDOW(the_app.main.window));
    if (answering != 0) g_source_remove(answering);
    seen = {};
    poll_dialog(100, look_and_cancel);
    save_picture_dialog(the_app, GTK_WINDOW(the_app.main.window));
    EXPECT_EQ(seen.folder, dir);
    EXPECT_EQ(seen.file, dir + "/corners.pdf");
    std::system(("rm -rf " + dir).c_str());
}

// Ctrl+S saves the picture of the shown map where the chooser says.
TEST_F(MainWindow, ControlSSavesThePicture) {
    char dir_template[] = "/tmp/tessary-save-test.XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    set_map("0110/0110/0000/0000");
    click("   Show   ");
    saved_to = dir + "/map.svg";
    answering = poll_dialog(200, answer_chooser);
#if defined(__SANITIZE_ADDRESS__)
    // GTK's file chooser keeps GIO objects of its file system for the life
    // of the process; they are not ours to free.
    __lsan::ScopedDisabler chooser_keeps_its_file_system;
#endif
    EXPECT_TRUE(gtk_accel_groups_activate(G_OBJECT(the_app.main.window), GDK_s, GDK_CONTROL_MASK));
    if (answering != 0) g_source_remove(answering);
    EXPECT_EQ(std::system(("xmllint --noout " + saved_to).c_str()), 0);
    std::system(("rm -rf " + dir).c_str());
}

// View > Minterm numbers puts the numbers on every picture, the saved one
// too, and takes them off again.
TEST_F(MainWindow, MintermNumbersToggleTheirPictures) {
    auto* factory =
        GTK_ITEM_FACTORY(g_object_get_data(G_OBJECT(the_app.main.window), "tessary-item-factory"));
    GtkWidget* item = gtk_item_factory_get_widget(factory, "<main>/View/Minterm numbers");
    ASSERT_NE(item, nullptr);
    on_view_groups(&the_app, 0, nullptr);
    for (const bool on : {true, false}) {
        gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), on);
        drain_events();
        EXPECT_EQ(current_picture(the_app).numbers, on);
        set_map("0110/0110/0000/0000");
        click("   Show   ");
        EXPECT_EQ(current_picture(the_app).numbers, on) << "after Show";
    }
}

// What a save replaced and what it asked: the chooser is answered with
// `typed` in `folder`; each question is recorded and answered in turn with
// `replies` (Cancel goes back to the chooser, which is answered again).
struct replace_round {
    std::string folder, typed;
    std::vector<gint> replies;
    std::vector<std::string> questions;
    int accepted = 0; // times the chooser was answered
};
replace_round replacing;

gboolean answer_with_questions(gpointer) {
    if (GtkWidget* question = open_dialog(GTK_TYPE_MESSAGE_DIALOG)) {
        gchar* text = nullptr;
        g_object_get(question, "text", &text, nullptr);
        replacing.questions.push_back(text != nullptr ? text : "");
        g_free(text);
        const std::size_t n = replacing.questions.size();
        gtk_dialog_response(GTK_DIALOG(question), n <= replacing.replies.size()
                                                      ? replacing.replies[n - 1]
                                                      : GTK_RESPONSE_CANCEL);
        return TRUE;
    }
    GtkWidget* chooser = open_dialog(GTK_TYPE_FILE_CHOOSER_DIALOG);
    if (chooser == nullptr) return replacing.accepted == 0; // not yet open, or done
    // Answered once a round: for a name that is there, GTK looks at the
    // file before it answers, and the chooser stays a moment.
    const auto asked = static_cast<int>(replacing.questions.size());
    if (replacing.accepted > asked) return TRUE;
    if (replacing.accepted > 0 && asked >= static_cast<int>(replacing.replies.size())) {
        // Back at the chooser with every reply given: the user gives up.
        gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
        return FALSE;
    }
    gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
    const bool ready = chosen != nullptr && replacing.folder + "/" + replacing.typed == chosen;
    g_free(chosen);
    if (ready) {
        ++replacing.accepted;
        gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
        return TRUE;
    }
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), replacing.folder.c_str());
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), replacing.typed.c_str());
    return TRUE;
}

std::string contents(const std::string& path) {
    gchar* text = nullptr;
    if (!g_file_get_contents(path.c_str(), &text, nullptr, nullptr)) return "(none)";
    std::string read = text;
    g_free(text);
    return read;
}

// The name typed takes its extension before the question, which names the
// file that will be written: "keep" asks about keep.png and replaces
// nothing until told to; "x.pla" writes x.pla.png and leaves x.pla alone.
TEST_F(MainWindow, SavePictureAsksAboutTheFileItWillWrite) {
#if defined(__SANITIZE_ADDRESS__)
    __lsan::ScopedDisabler chooser_keeps_its_file_system;
#endif
    char dir_template[] = "/tmp/tessary-replace-test.XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    g_file_set_contents((dir + "/keep.png").c_str(), "old", -1, nullptr);
    g_file_set_contents((dir + "/x.pla").c_str(), "pla", -1, nullptr);
    const std::string keep_question =
        "A file named \"keep.png\" already exists. Do you want to replace it?";
    struct replace_case {
        const char* typed;
        std::vector<gint> replies;
        std::vector<std::string> questions;
        bool keep_replaced;
    };
    const replace_case cases[] = {
        {"keep", {GTK_RESPONSE_CANCEL}, {keep_question}, false},
        {"keep", {GTK_RESPONSE_ACCEPT}, {keep_question}, true},
        {"x.pla", {}, {}, true},
    };
    for (const replace_case& c : cases) {
        SCOPED_TRACE(c.typed);
        replacing = {dir, c.typed, c.replies, {}, 0};
        const guint polling = poll_dialog(50, answer_with_questions);
        save_picture_dialog(the_app, GTK_WINDOW(the_app.main.window));
        // The next round is answered by its own poll alone.
        if (g_main_context_find_source_by_id(nullptr, polling) != nullptr) g_source_remove(polling);
        EXPECT_EQ(replacing.questions, c.questions);
        EXPECT_EQ(contents(dir + "/keep.png") != "old", c.keep_replaced);
    }
    EXPECT_EQ(contents(dir + "/x.pla"), "pla");
    EXPECT_NE(contents(dir + "/x.pla.png"), "(none)");
    std::system(("rm -rf " + dir).c_str());
}

} // namespace
} // namespace tessary::testing
