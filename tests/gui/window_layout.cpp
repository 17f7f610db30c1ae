// Prints where the main window's buttons and key fields are, in pixels from
// the window's top-left corner, so that the end-to-end test can click the
// real program with the pointer. The layout comes from the same code and the
// same fonts as the program's, so the points are the program's own.
//   window_layout   ->   "cell ROW COL X Y", "show X Y", "reset X Y", "key X Y",
//                        "under-headers ROW COL X Y"
// The last are where the headers say each cell is: the middle of the
// column's quarter of the A,B header and of the row's quarter of the C,D
// header. They do not come from the cell buttons, so a cell attached in the
// wrong place is found by clicking there.
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
    static tessary::app app;
    tessary::build_main_window(app);
    for (int i = 0; i < 1000 && !GTK_WIDGET_MAPPED(app.main.window); ++i) gtk_main_iteration();
    while (gtk_events_pending()) gtk_main_iteration();
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            char name[32];
            std::snprintf(name, sizeof name, "cell %d %d", row, col);
            print_centre(name, app.main.cells[row][col]);
        }
    }
    GtkWidget* columns = tessary::testing::find_button(app.main.window, "A'B'  A'B  AB   AB'");
    GtkWidget* rows = tessary::testing::find_button(app.main.window, "C'D'\n\nC'D\n\nCD\n\nCD'");
    if (columns == nullptr || rows == nullptr) return 1;
    const GtkAllocation& across = columns->allocation;
    const GtkAllocation& down = rows->allocation;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col)
            std::printf("under-headers %d %d %d %d\n", row, col,
                        across.x + (2 * col + 1) * across.width / 8,
                        down.y + (2 * row + 1) * down.height / 8);
    }
    print_centre("show", tessary::testing::find_button(app.main.window, "   Show   "));
    print_centre("reset", tessary::testing::find_button(app.main.window, "   Reset   "));
    print_centre("key", app.main.key);
    return 0;
}
