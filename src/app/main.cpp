// Tessary: start-up and shutdown. GTK takes its own command-line options;
// the program has none.
#include "files/files.h"
#include "tessary_config.h"
#include "window.h"
#include "words/words.h"

int main(int argc, char** argv) {
    gtk_set_locale();
    gtk_init(&argc, &argv);
    // After GTK's own setlocale(), so that numbers in saved files stay as
    // in C while the texts follow the user's language.
    tessary::use_user_language(TESSARY_LOCALE_DIR);
    tessary::fail_writes_past_the_size_limit();
    tessary::app app;
    tessary::build_main_window(app);
    gtk_main();
    return 0;
}
