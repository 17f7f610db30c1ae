// main() of the in-process GUI tests: GTK must start on the display the
// wrapper gave us, and any GLib or GTK warning or critical fails the test
// that caused it.
#include "gui_fixture.h"
#include "words/words.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void fail_on_log(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
    if (level & (G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_ERROR)) {
        ADD_FAILURE() << (domain ? domain : "") << ": " << message;
    } else {
        g_log_default_handler(domain, level, message, nullptr);
    }
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS(); // no display needed
    g_log_set_default_handler(fail_on_log, nullptr);
    // GTK keeps its list of recent files under the data directory: a fresh
    // one of the test's, not the user's, which may not even exist.
    char data_home[] = "/tmp/tessary-gui-test.XXXXXX";
    if (mkdtemp(data_home) != nullptr) setenv("XDG_DATA_HOME", data_home, 1);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "cannot open the X display (run under tests/gui/with-xvfb)\n");
        return 1;
    }
    // English, whatever the user's locale, unless a test points to the
    // build's catalogues (TESSARY_LOCALEDIR) and names a language
    // (LANGUAGE), as the layout tests in Spanish do.
    const char* catalogues = std::getenv("TESSARY_LOCALEDIR");
    if (catalogues != nullptr && *catalogues != '\0') tessary::use_user_language(catalogues);
    const int status = RUN_ALL_TESTS();
    std::system(("rm -rf '" + std::string(data_home) + "'").c_str());
    return status;
}
