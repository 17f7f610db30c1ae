// Tessary: start-up and shutdown. GTK takes its own command-line options;
// the program has none.
#include "window.h"

int main(int argc, char** argv) {
    gtk_set_locale();
    gtk_init(&argc, &argv);
    tessary::build_main_window();
    gtk_main();
    return 0;
}
