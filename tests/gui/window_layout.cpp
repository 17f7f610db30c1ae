// Prints where the main window's buttons and key fields are, in pixels from
// the window's top-left corner, so that the end-to-end test can click the
// real program with the pointer. The layout comes from the same code and the
// same fonts as the program's, so the points are the program's own.
//   window_layout   ->   "cell ROW COL X Y", "show X Y", "reset X Y", "key X Y"
#include "widget_search.h"
#include "window.h"

#include <cstdio>

namespace {

void print_centre(const char* name, GtkWidget* widget) {
    const GtkAllocation& a = widget->allocation;
    std::printf("%s %d %d\n", name, a.x + a.width / 2, a.y + a.height / 2);
}

} // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    tessary::build_main_window();
    for (int i = 0; i < 1000 && !GTK_WIDGET_MAPPED(tessary::main_window); ++i) gtk_main_iteration();
    while (gtk_events_pending()) gtk_main_iteration();
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            char name[32];
            std::snprintf(name, sizeof name, "cell %d %d", row, col);
            print_centre(name, tessary::cell_buttons[row][col]);
        }
    }
    print_centre("show", tessary::testing::find_button(tessary::main_window, "   Show   "));
    print_centre("reset", tessary::testing::find_button(tessary::main_window, "   Reset   "));
    print_centre("key", tessary::key_entry);
    return 0;
}
