// The real main window, built in this process and driven through its
// buttons: map input, Show, Reset, the window's own properties and the
// pictures.
#include "gui_fixture.h"

#include <glib/gstdio.h>

#include <string>
#include <vector>

namespace tessary::testing {
namespace {

std::vector<std::string> all_labels() {
    std::vector<std::string> labels;
    for (auto& row : the_app.main.cells)
        for (GtkWidget* button : row) labels.push_back(label_of(button));
    return labels;
}

TEST_F(MainWindow, StartsWithZerosAndOnlyTheFirstKeyField) {
    EXPECT_EQ(all_labels(), std::vector<std::string>(16, "0"));
    EXPECT_EQ(text_of(the_app.main.key), "");
    EXPECT_TRUE(is_visible(the_app.main.key));
    EXPECT_FALSE(is_visible(the_app.main.key_more));
}

TEST_F(MainWindow, TitleSizeAndPosition) {
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(the_app.main.window)), "Tessary");
    EXPECT_FALSE(gtk_window_get_resizable(GTK_WINDOW(the_app.main.window)));
    GtkWindowPosition position;
    g_object_get(the_app.main.window, "window-position", &position, nullptr);
    EXPECT_EQ(position, GTK_WIN_POS_CENTER);
}

TEST_F(MainWindow, KeyFieldsAreReadOnlyAndThirtySixCharactersWide) {
    for (GtkWidget* entry : {the_app.main.key, the_app.main.key_more}) {
        EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(entry)));
        EXPECT_EQ(gtk_entry_get_width_chars(GTK_ENTRY(entry)), 36);
    }
}

TEST_F(MainWindow, ClickCyclesOneCellOnly) {
    const char* expected[] = {"1", "X", "0", "1"};
    for (const char* label : expected) {
        gtk_button_clicked(GTK_BUTTON(the_app.main.cells[1][2]));
        SCOPED_TRACE(label);
        std::vector<std::string> labels(16, "0");
        labels[6] = label;
        EXPECT_EQ(all_labels(), labels);
        // The app keeps the map the labels show.
        EXPECT_EQ(std::string(the_app.cells.begin(), the_app.cells.end()),
                  std::string("000000") + label + "000000000");
    }
}

TEST_F(MainWindow, CornerAndHeadersDoNothing) {
    set_map("1X00/0000/0000/0001");
    click("   Show   ");
    const auto labels = all_labels();
    const std::string key = text_of(the_app.main.key);
    for (const char* header : {"A'B'  A'B  AB   AB'", "C'D'\n\nC'D\n\nCD\n\nCD'"}) {
        SCOPED_TRACE(header);
        GtkWidget* button = find_button(header);
        ASSERT_NE(button, nullptr);
        gtk_button_clicked(GTK_BUTTON(button));
    }
    GtkWidget* corner = find_widget(the_app.main.map_table, [](GtkWidget* w) {
        return GTK_IS_BUTTON(w) && GTK_IS_IMAGE(gtk_bin_get_child(GTK_BIN(w)));
    });
    ASSERT_NE(corner, nullptr);
    gtk_button_clicked(GTK_BUTTON(corner));
    EXPECT_EQ(all_labels(), labels);
    EXPECT_EQ(text_of(the_app.main.key), key);
}

// A screen reader and the keyboard: the key fields are named by "KEY :";
// the corner and the headers are out of the Tab order; Tab and the reader
// take the cells row by row, left to right, as they are drawn.
TEST_F(MainWindow, KeyboardAndScreenReaderTakeTheMapAsDrawn) {
    for (GtkWidget* field : {the_app.main.key, the_app.main.key_more}) {
        AtkObject* entry = gtk_widget_get_accessible(field);
        EXPECT_STREQ(atk_object_get_name(entry), "KEY");
        AtkRelationSet* relations = atk_object_ref_relation_set(entry);
        EXPECT_NE(atk_relation_set_get_relation_by_type(relations, ATK_RELATION_LABELLED_BY),
                  nullptr);
        g_object_unref(relations);
    }
    // A reader takes a table's children in the order the table lists them.
    GList* chain = nullptr;
    ASSERT_TRUE(gtk_container_get_focus_chain(GTK_CONTAINER(the_app.main.map_table), &chain));
    GList* children = gtk_container_get_children(GTK_CONTAINER(the_app.main.map_table));
    ASSERT_EQ(g_list_length(children), 19u);
    for (int cell = 0; cell < 16; ++cell) {
        SCOPED_TRACE(cell);
        GtkWidget* button = the_app.main.cells[cell / 4][cell % 4];
        EXPECT_EQ(g_list_nth_data(chain, static_cast<guint>(cell)), button) << "Tab order";
        EXPECT_EQ(g_list_nth_data(children, static_cast<guint>(3 + cell)), button)
            << "the reader's order";
    }
    for (guint child = 0; child < 3; ++child)
        EXPECT_FALSE(GTK_WIDGET_CAN_FOCUS(GTK_WIDGET(g_list_nth_data(children, child))))
            << "child " << child;
    g_list_free(children);
    g_list_free(chain);
}

TEST_F(MainWindow, TooltipsAreMintermNumbers) {
    const char* minterms[16] = {"0", "4", "12", "8",  "1", "5", "13", "9",
                                "3", "7", "15", "11", "2", "6", "14", "10"};
    for (int cell = 0; cell < 16; ++cell) {
        SCOPED_TRACE(cell);
        GtkTooltipsData* data = gtk_tooltips_data_get(the_app.main.cells[cell / 4][cell % 4]);
        ASSERT_NE(data, nullptr);
        EXPECT_STREQ(data->tip_text, minterms[cell]);
    }
    EXPECT_STREQ(gtk_tooltips_data_get(find_button("   Show   "))->tip_text,
                 "Display the output key");
    EXPECT_STREQ(gtk_tooltips_data_get(find_button("   Reset   "))->tip_text,
                 "Reset all kmap cells");
}

// Each cell button is attached in the map table one place right of and
// below its indices, under the headers, and each place holds one cell.
TEST_F(MainWindow, CellsAreAttachedWhereTheMapSays) {
    bool taken[5][5] = {};
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            SCOPED_TRACE("row " + std::to_string(row) + " col " + std::to_string(col));
            GtkWidget* button = the_app.main.cells[row][col];
            ASSERT_EQ(gtk_widget_get_parent(button), the_app.main.map_table);
            guint left, right, top, bottom;
            gtk_container_child_get(GTK_CONTAINER(the_app.main.map_table), button, "left-attach",
                                    &left, "right-attach", &right, "top-attach", &top,
                                    "bottom-attach", &bottom, nullptr);
            EXPECT_EQ(left, guint(col + 1));
            EXPECT_EQ(right, guint(col + 2));
            EXPECT_EQ(top, guint(row + 1));
            EXPECT_EQ(bottom, guint(row + 2));
            EXPECT_FALSE(taken[top][left]);
            taken[top][left] = true;
        }
    }
}

struct show_row {
    const char* map;
    const char* first;
    const char* second; // nullptr: the second field is hidden
};

const show_row show_rows[] = {
    {"0000/0000/0000/0000", "0", nullptr},
    {"XXXX/XXXX/XXXX/XXXX", "0", nullptr},
    {"1X1X/X1X1/1X1X/X1X1", "1", nullptr},
    {"1010/0101/1010/0101", "A'B'C'D'+ABC'D'+A'BC'D+AB'C'D", "+A'B'CD+ABCD+A'BCD'+AB'CD'"},
    {"1111/1111/1000/0001", "C'+A'B'D+AB'D'", nullptr},
    {"0101/1010/0101/1010", "A'BC'D'+AB'C'D'+A'B'C'D+ABC'D", "+A'BCD+AB'CD+A'B'CD'+ABCD'"},
    {"0000/0101/0111/1111", "AC+CD'+A'BD+AB'D", nullptr},
    {"X001/X00X/X000/X011", "B'D'+CD'A", nullptr},
    {"0110/0110/0000/0000", "BC'", nullptr},
};

// Each row follows the one before, so a short answer after a split one
// checks that the second field is hidden again.
TEST_F(MainWindow, ShowWritesTheMinimisersAnswer) {
    for (const show_row& row : show_rows) {
        SCOPED_TRACE(row.map);
        set_map(row.map);
        click("   Show   ");
        EXPECT_EQ(text_of(the_app.main.key), row.first);
        EXPECT_EQ(is_visible(the_app.main.key_more), row.second != nullptr);
        if (row.second != nullptr) {
            EXPECT_EQ(text_of(the_app.main.key_more), row.second);
        }
    }
}

TEST_F(MainWindow, ShowTwiceGivesTheSameAnswer) {
    set_map("1010/0101/1010/0101");
    click("   Show   ");
    const std::string first = text_of(the_app.main.key), second = text_of(the_app.main.key_more);
    click("   Show   ");
    EXPECT_EQ(text_of(the_app.main.key), first);
    EXPECT_EQ(text_of(the_app.main.key_more), second);
    EXPECT_TRUE(is_visible(the_app.main.key_more));
}

TEST_F(MainWindow, OldAnswerStaysWhileCellsChange) {
    set_map("1111/1111/1000/0001");
    click("   Show   ");
    set_map("0000/0000/0000/0001");
    EXPECT_EQ(text_of(the_app.main.key), "C'+A'B'D+AB'D'");
    click("   Show   ");
    EXPECT_EQ(text_of(the_app.main.key), "AB'CD'");
}

TEST_F(MainWindow, ResetClearsEverything) {
    set_map("1010/0101/1010/0101");
    click("   Show   ");
    ASSERT_TRUE(is_visible(the_app.main.key_more));
    click("   Reset   ");
    EXPECT_EQ(all_labels(), std::vector<std::string>(16, "0"));
    EXPECT_EQ(text_of(the_app.main.key), "");
    EXPECT_FALSE(is_visible(the_app.main.key_more));
    click("   Show   ");
    EXPECT_EQ(text_of(the_app.main.key), "0");
}

TEST_F(MainWindow, ClosingTheWindowEndsTheMainLoop) {
    EXPECT_FALSE(on_delete_event(the_app.main.window, nullptr, nullptr));
    EXPECT_TRUE(main_loop_quits_after([](gpointer) -> gboolean {
        gtk_widget_destroy(the_app.main.window);
        return FALSE;
    }));
    the_app.main.window = nullptr;
}

// The pictures: found where the program looks for them, or missing without
// a fuss.
class Pictures : public MainWindow {
  protected:
    void SetUp() override {}
    static void build_with(const char* dir) { build(dir); }
    static GtkImage* corner_image() {
        GtkWidget* image =
            find_widget(the_app.main.map_table, [](GtkWidget* w) { return GTK_IS_IMAGE(w); });
        return GTK_IMAGE(image);
    }
};

TEST_F(Pictures, LoadedFromThePixmapDirectory) {
    build_with(TESSARY_SOURCE_PIXMAPS);
    EXPECT_EQ(gtk_image_get_storage_type(corner_image()), GTK_IMAGE_PIXBUF);
    GdkPixbuf* icon = gtk_window_get_icon(GTK_WINDOW(the_app.main.window));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(gdk_pixbuf_get_width(icon), 48);
}

TEST_F(Pictures, MissingPicturesLeaveAPlaceholderAndNoIcon) {
    build_with("/nonexistent/tessary/pixmaps");
    EXPECT_NE(gtk_image_get_storage_type(corner_image()), GTK_IMAGE_PIXBUF);
    EXPECT_EQ(gtk_window_get_icon(GTK_WINDOW(the_app.main.window)), nullptr);
    set_map("0110/0110/0000/0000");
    click("   Show   ");
    EXPECT_EQ(text_of(the_app.main.key), "BC'");
}

TEST_F(Pictures, UnreadablePicturesLeaveAPlaceholderAndNoIcon) {
    gchar* dir = g_dir_make_tmp("tessary-pixmaps-XXXXXX", nullptr);
    ASSERT_NE(dir, nullptr);
    gchar* corner = g_build_filename(dir, "rc.png", nullptr);
    gchar* icon = g_build_filename(dir, "kmap.png", nullptr);
    ASSERT_TRUE(g_file_set_contents(corner, "not a picture", -1, nullptr));
    ASSERT_EQ(g_mkdir(icon, 0700), 0); // a directory where the icon should be
    build_with(dir);
    EXPECT_NE(gtk_image_get_storage_type(corner_image()), GTK_IMAGE_PIXBUF);
    EXPECT_EQ(gtk_window_get_icon(GTK_WINDOW(the_app.main.window)), nullptr);
    set_map("1010/0101/1010/0101");
    click("   Show   ");
    EXPECT_TRUE(is_visible(the_app.main.key_more));
    g_rmdir(icon);
    g_remove(corner);
    g_rmdir(dir);
    g_free(icon);
    g_free(corner);
    g_free(dir);
}

} // namespace
} // namespace tessary::testing
