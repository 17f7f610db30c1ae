// The menu bar, its accelerators and the About dialog, on the real window.
#include "gui_fixture.h"
#include "tessary_config.h"

#include <gdk/gdkkeysyms.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace tessary::testing {
namespace {

GtkAccelGroup* window_accel_group() {
    GSList* groups = gtk_accel_groups_from_object(G_OBJECT(the_app.main.window));
    return groups != nullptr ? GTK_ACCEL_GROUP(groups->data) : nullptr;
}

std::string menu_item_label(GtkWidget* item) {
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(item));
    return GTK_IS_LABEL(child) ? gtk_label_get_label(GTK_LABEL(child)) : "";
}

// "File: Close" for every item of the menu bar, in order.
std::vector<std::string> menu_items() {
    GtkWidget* bar =
        find_widget(the_app.main.window, [](GtkWidget* w) { return GTK_IS_MENU_BAR(w); });
    std::vector<std::string> items;
    GList* menus = gtk_container_get_children(GTK_CONTAINER(bar));
    for (GList* m = menus; m != nullptr; m = m->next) {
        GtkWidget* menu = gtk_menu_item_get_submenu(GTK_MENU_ITEM(m->data));
        GList* entries = gtk_container_get_children(GTK_CONTAINER(menu));
        for (GList* e = entries; e != nullptr; e = e->next) {
            if (GTK_IS_TEAROFF_MENU_ITEM(e->data)) continue;
            items.push_back(menu_item_label(GTK_WIDGET(m->data)) + ": " +
                            menu_item_label(GTK_WIDGET(e->data)));
        }
        g_list_free(entries);
    }
    g_list_free(menus);
    return items;
}

TEST_F(MainWindow, MenuBarHasFileEditViewAndHelp) {
    EXPECT_EQ(menu_items(),
              (std::vector<std::string>{"_File: _Save picture\u2026",
                                        "_File: _Open truth table\u2026", "_File: _Close",
                                        "_Edit: _Enter function\u2026", "_Edit: _Copy answer as",
                                        "_View: _Groups", "_View: _Steps", "_View: _Practice",
                                        "_View: ", "_View: Minterm _numbers", "_Help: _About"}));
}

// Each accelerator once; the new ones leave Ctrl+Q and Ctrl+A as they were.
TEST_F(MainWindow, AcceleratorsOfTheMenus) {
    GtkAccelGroup* group = window_accel_group();
    ASSERT_NE(group, nullptr);
    for (const guint key : {GDK_q, GDK_a, GDK_s, GDK_e, GDK_g, GDK_o}) {
        SCOPED_TRACE(key);
        guint entries = 0;
        gtk_accel_group_query(group, key, GDK_CONTROL_MASK, &entries);
        EXPECT_EQ(entries, 1u);
    }
}

// What the About dialog showed, read while its modal loop runs.
struct about_seen {
    int times = 0;
    std::string name, version, comments, copyright, website, website_label, license;
    bool wrap = false;
    bool over_main_window = false; // transient for it
    std::vector<std::string> authors, documenters;
};

std::vector<std::string> string_list(const gchar* const* list) {
    std::vector<std::string> out;
    for (; list != nullptr && *list != nullptr; ++list) out.push_back(*list);
    return out;
}

GtkAboutDialog* open_about_dialog() {
    GList* windows = gtk_window_list_toplevels();
    GtkAboutDialog* about = nullptr;
    for (GList* w = windows; w != nullptr; w = w->next) {
        if (GTK_IS_ABOUT_DIALOG(w->data) && GTK_WIDGET_VISIBLE(w->data))
            about = GTK_ABOUT_DIALOG(w->data);
    }
    g_list_free(windows);
    return about;
}

// Reads the dialog and closes it; fails the test if it never appeared.
gboolean read_and_close_about(gpointer data) {
    auto* seen = static_cast<about_seen*>(data);
    GtkAboutDialog* about = open_about_dialog();
    if (about == nullptr) {
        ADD_FAILURE() << "no About dialog open";
        return FALSE;
    }
    ++seen->times;
    seen->name = gtk_about_dialog_get_program_name(about);
    seen->version = gtk_about_dialog_get_version(about);
    seen->comments = gtk_about_dialog_get_comments(about);
    seen->copyright = gtk_about_dialog_get_copyright(about);
    seen->website = gtk_about_dialog_get_website(about);
    seen->website_label = gtk_about_dialog_get_website_label(about);
    seen->license = gtk_about_dialog_get_license(about);
    seen->wrap = gtk_about_dialog_get_wrap_license(about);
    seen->authors = string_list(gtk_about_dialog_get_authors(about));
    seen->documenters = string_list(gtk_about_dialog_get_documenters(about));
    seen->over_main_window =
        gtk_window_get_transient_for(GTK_WINDOW(about)) == GTK_WINDOW(the_app.main.window);
    gtk_dialog_response(GTK_DIALOG(about), GTK_RESPONSE_CANCEL);
    return FALSE;
}

// Edit > Copy answer as: the answer in the key fields, in each language, on
// the clipboard; nothing while the key fields are empty.
TEST_F(MainWindow, CopyAnswerAsPutsTheKeyFieldsAnswerOnTheClipboard) {
    GtkItemFactory* factory = gtk_item_factory_from_path("<main>");
    ASSERT_NE(factory, nullptr);
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    gtk_clipboard_set_text(clipboard, "before", -1);
    auto copy = [&](const char* path) {
        gtk_menu_item_activate(GTK_MENU_ITEM(gtk_item_factory_get_item(factory, path)));
        gchar* text = gtk_clipboard_wait_for_text(clipboard);
        const std::string copied = text != nullptr ? text : "";
        g_free(text);
        return copied;
    };
    EXPECT_EQ(copy("/Edit/Copy answer as/Verilog"), "before") << "no answer yet";
    set_map("0110/0110/0000/0000");
    click("   Show   ");
    EXPECT_EQ(copy("/Edit/Copy answer as/Verilog"), "assign F = B & ~C;");
    EXPECT_EQ(copy("/Edit/Copy answer as/VHDL"), "F <= B and not C;");
    EXPECT_EQ(copy("/Edit/Copy answer as/C"), "B && !C");
    EXPECT_EQ(copy("/Edit/Copy answer as/Python"), "B and not C");
    EXPECT_EQ(copy("/Edit/Copy answer as/LaTeX"), "B\\overline{C}");
}

// Answers the "Choose an output" dialog with the row `choice` (-1: Cancel).
int choice = 0;
bool output_asked = false;
gboolean choose_output_row(gpointer) {
    GList* windows = gtk_window_list_toplevels();
    GtkWidget* dialog = nullptr;
    for (GList* w = windows; w != nullptr; w = w->next)
        if (GTK_IS_DIALOG(w->data) && GTK_WIDGET_VISIBLE(w->data) &&
            std::string(gtk_window_get_title(GTK_WINDOW(w->data))) == "Choose an output")
            dialog = GTK_WIDGET(w->data);
    g_list_free(windows);
    if (dialog == nullptr) return TRUE;
    output_asked = true;
    if (choice >= 0) {
        GtkWidget* list = find_widget(dialog, [](GtkWidget* w) { return GTK_IS_TREE_VIEW(w); });
        GtkTreePath* row = gtk_tree_path_new_from_indices(choice, -1);
        gtk_tree_view_set_cursor(GTK_TREE_VIEW(list), row, nullptr, FALSE);
        gtk_tree_path_free(row);
    }
    gtk_dialog_response(GTK_DIALOG(dialog), choice >= 0 ? GTK_RESPONSE_OK : GTK_RESPONSE_CANCEL);
    return FALSE;
}

// File > Open truth table...: a file of one output fills the map and shows
// its answer; of several, the window asks which (Cancel changes nothing); a
// bad file changes nothing and says where it is bad; and it reads as
// tessary-key --read does: a regular file, never a pipe or a device.
TEST_F(MainWindow, OpenTruthTableFillsTheMapFromTheOutputChosen) {
    char dir_template[] = "/tmp/tessary-open-test.XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    const std::string one = dir + "/one.pla", two = dir + "/two.pla", bad = dir + "/bad.csv",
                      pipe = dir + "/pipe.csv", zero = dir + "/zero.csv";
    g_file_set_contents(one.c_str(), ".i 4\n.o 1\n0--1 1\n.e\n", -1, nullptr);
    g_file_set_contents(two.c_str(), ".i 4\n.o 2\n1-0- 11\n0--1 10\n.e\n", -1, nullptr);
    g_file_set_contents(bad.c_str(), "A,B,C,Q,F\n", -1, nullptr);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
    std::string error;
    ASSERT_TRUE(open_truth_table(the_app, one, error)) << error;
    EXPECT_EQ(text_of(the_app.main.key), "A'D");
    struct output_case {
        int choice;
        const char* key;
    };
    for (const output_case& c :
         {output_case{1, "AC'"}, output_case{-1, "AC'"}, output_case{0, "AC'+A'D"}}) {
        SCOPED_TRACE(c.choice);
        choice = c.choice;
        output_asked = false;
        poll_dialog(50, choose_output_row);
        EXPECT_TRUE(open_truth_table(the_app, two, error)) << error;
        EXPECT_TRUE(output_asked);
        EXPECT_EQ(text_of(the_app.main.key), c.key);
    }
    const std::pair<std::string, std::string> refused[] = {
        {bad, bad + ": line 1: column 4: 'Q' is not an input A, B, C or D"},
        {pipe, pipe + ": not a regular file"},
        {zero, zero + ": not a regular file"},
        {dir + "/none.csv", dir + "/none.csv: No such file or directory"},
    };
    for (const auto& [path, message] : refused) {
        EXPECT_FALSE(open_truth_table(the_app, path, error));
        EXPECT_EQ(error, message);
        EXPECT_EQ(text_of(the_app.main.key), "AC'+A'D");
    }
    std::system(("rm -rf " + dir).c_str());
}

TEST_F(MainWindow, ControlAOpensTheAboutDialogEachTime) {
    about_seen seen;
    for (int opening = 0; opening < 2; ++opening) {
        const guint timer = g_timeout_add(100, read_and_close_about, &seen);
        EXPECT_TRUE(
            gtk_accel_groups_activate(G_OBJECT(the_app.main.window), GDK_a, GDK_CONTROL_MASK));
        g_source_remove_by_user_data(&seen);
        (void)timer;
        EXPECT_EQ(open_about_dialog(), nullptr); // destroyed once it answered
    }
    EXPECT_EQ(seen.times, 2);
    EXPECT_EQ(seen.name, "Tessary");
    EXPECT_EQ(seen.version, TESSARY_VERSION);
    EXPECT_FALSE(seen.comments.empty());
    EXPECT_NE(seen.copyright.find("Tessary"), std::string::npos);
    EXPECT_FALSE(seen.website.empty());
    EXPECT_EQ(seen.website_label, seen.website);
    EXPECT_NE(seen.license.find("either version 2 of the License, or (at your option) any "
                                "later version"),
              std::string::npos);
    EXPECT_TRUE(seen.wrap);
    EXPECT_TRUE(seen.over_main_window);
    EXPECT_EQ(seen.authors.size(), 2u);
    EXPECT_EQ(seen.documenters, seen.authors);
    for (const std::string& person : seen.authors)
        EXPECT_NE(person.find(" <"), std::string::npos) << person;
}

TEST_F(MainWindow, ControlQEndsTheMainLoopWithoutDestroyingTheWindow) {
    EXPECT_TRUE(main_loop_quits_after([](gpointer) -> gboolean {
        gtk_accel_groups_activate(G_OBJECT(the_app.main.window), GDK_q, GDK_CONTROL_MASK);
        return FALSE;
    }));
    EXPECT_TRUE(GTK_IS_WINDOW(the_app.main.window));
}

} // namespace
} // namespace tessary::testing
