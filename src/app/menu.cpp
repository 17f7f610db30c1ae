// The menu bar (File, Edit, View and Help, with their accelerators) and the
// About dialog.
#include "window.h"

#include "answers/formats.h"
#include "tessary_config.h"

namespace tessary {

namespace {

// Each entry's path is the catalogue's text for its label: a translation
// changes only the last part, and the menus keep the English paths inside
// (gtk_item_factory_get_widget() takes them in every language).
GtkItemFactoryEntry menu_entries[] = {
    // Translators: a menu's path; translate only the part after the last
    // '/', and keep the underlined letters (after '_') different within a menu.
    {const_cast<gchar*>(N_("/_File")), nullptr, nullptr, 0, const_cast<gchar*>("<Branch>"),
     nullptr},
    {const_cast<gchar*>(N_("/File/_Save picture\u2026")), const_cast<gchar*>("<control>S"),
     reinterpret_cast<GtkItemFactoryCallback>(on_save_picture), 0,
     const_cast<gchar*>("<StockItem>"), GTK_STOCK_SAVE_AS},
    {const_cast<gchar*>(N_("/File/_Open truth table\u2026")), const_cast<gchar*>("<control>O"),
     reinterpret_cast<GtkItemFactoryCallback>(on_open_truth_table), 0,
     const_cast<gchar*>("<StockItem>"), GTK_STOCK_OPEN},
    {const_cast<gchar*>(N_("/File/_Close")), const_cast<gchar*>("<control>Q"),
     reinterpret_cast<GtkItemFactoryCallback>(on_quit), 0, const_cast<gchar*>("<StockItem>"),
     GTK_STOCK_QUIT},
    {const_cast<gchar*>(N_("/_Edit")), nullptr, nullptr, 0, const_cast<gchar*>("<Branch>"),
     nullptr},
    {const_cast<gchar*>(N_("/Edit/_Enter function\u2026")), const_cast<gchar*>("<control>E"),
     reinterpret_cast<GtkItemFactoryCallback>(on_enter_function), 0, nullptr, nullptr},
    {const_cast<gchar*>(N_("/Edit/_Copy answer as")), nullptr, nullptr, 0,
     const_cast<gchar*>("<Branch>"), nullptr},
    {const_cast<gchar*>(N_("/Edit/Copy answer as/_Verilog")), nullptr,
     reinterpret_cast<GtkItemFactoryCallback>(on_copy_answer_as),
     static_cast<guint>(answer_format::verilog), nullptr, nullptr},
    {const_cast<gchar*>(N_("/Edit/Copy answer as/V_HDL")), nullptr,
     reinterpret_cast<GtkItemFactoryCallback>(on_copy_answer_as),
     static_cast<guint>(answer_format::vhdl), nullptr, nullptr},
    {const_cast<gchar*>(N_("/Edit/Copy answer as/_C")), nullptr,
     reinterpret_cast<GtkItemFactoryCallback>(on_copy_answer_as),
     static_cast<guint>(answer_format::c), nullptr, nullptr},
    {const_cast<gchar*>(N_("/Edit/Copy answer as/_Python")), nullptr,
     reinterpret_cast<GtkItemFactoryCallback>(on_copy_answer_as),
     static_cast<guint>(answer_format::python), nullptr, nullptr},
    {const_cast<gchar*>(N_("/Edit/Copy answer as/_LaTeX")), nullptr,
     reinterpret_cast<GtkItemFactoryCallback>(on_copy_answer_as),
     static_cast<guint>(answer_format::latex), nullptr, nullptr},
    {const_cast<gchar*>(N_("/_View")), nullptr, nullptr, 0, const_cast<gchar*>("<Branch>"),
     nullptr},
    {const_cast<gchar*>(N_("/View/_Groups")), const_cast<gchar*>("<control>G"),
     reinterpret_cast<GtkItemFactoryCallback>(on_view_groups), 0, nullptr, nullptr},
    {const_cast<gchar*>(N_("/View/_Steps")), const_cast<gchar*>("<control>T"),
     reinterpret_cast<GtkItemFactoryCallback>(on_view_steps), 0, nullptr, nullptr},
    {const_cast<gchar*>(N_("/View/_Practice")), const_cast<gchar*>("<control>P"),
     reinterpret_cast<GtkItemFactoryCallback>(on_view_practice), 0, nullptr, nullptr},
    {const_cast<gchar*>("/View/sep"), nullptr, nullptr, 0, const_cast<gchar*>("<Separator>"),
     nullptr},
    {const_cast<gchar*>(N_("/View/Minterm _numbers")), nullptr,
     reinterpret_cast<GtkItemFactoryCallback>(on_view_numbers), 0,
     const_cast<gchar*>("<CheckItem>"), nullptr},
    {const_cast<gchar*>(N_("/_Help")), nullptr, nullptr, 0, const_cast<gchar*>("<Branch>"),
     nullptr},
    {const_cast<gchar*>(N_("/Help/_About")), const_cast<gchar*>("<control>A"),
     reinterpret_cast<GtkItemFactoryCallback>(on_about), 0, const_cast<gchar*>("<StockItem>"),
     GTK_STOCK_ABOUT},
};

const gchar* const people[] = {
    "Tessary maintainers <maintainers@tessary.example.org>",
    "Tessary translators and testers <testers@tessary.example.org>",
    nullptr,
};

const char website[] = "https://tessary.example.org/";

const char* const license_notice =
    N_("Tessary is free software; you can redistribute it and/or modify it under the terms of the "
       "GNU General Public License as published by the Free Software Foundation; either version 2 "
       "of the License, or (at your option) any later version.\n\n"
       "Tessary is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; "
       "without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. "
       "See the GNU General Public License for more details.\n\n"
       "You should have received a copy of the GNU General Public License along with Tessary; if "
       "not, write to the Free Software Foundation, Inc., 51 Franklin Street, Fifth Floor, Boston, "
       "MA 02110-1301 USA.");

// GTK takes the translation as a gchar* but never writes to it.
gchar* translate_path(const gchar* path, gpointer) {
    return const_cast<gchar*>(say(words::reader, path));
}

} // namespace

GtkWidget* build_menu_bar(app& a) {
    GtkAccelGroup* accel_group = gtk_accel_group_new();
    gtk_window_add_accel_group(GTK_WINDOW(a.main.window), accel_group);
    g_object_unref(accel_group);
    GtkItemFactory* factory = gtk_item_factory_new(gtk_menu_bar_get_type(), "<main>", accel_group);
    // The window keeps the factory's one reference, so the two go together;
    // a factory that nothing holds would leak each time a window is built.
    g_object_set_data_full(G_OBJECT(a.main.window), "tessary-item-factory", factory,
                           g_object_unref);
    gtk_item_factory_set_translate_func(factory, translate_path, nullptr, nullptr);
    gtk_item_factory_create_items(factory, G_N_ELEMENTS(menu_entries), menu_entries, &a);
    return gtk_item_factory_get_widget(factory, "<main>");
}

void on_about(gpointer data, guint, GtkWidget*) {
    const app& a = app_of(data);
    GtkAboutDialog* about = GTK_ABOUT_DIALOG(gtk_about_dialog_new());
    // Over the main window, not wherever the window manager puts it.
    gtk_window_set_transient_for(GTK_WINDOW(about), GTK_WINDOW(a.main.window));
    gtk_window_set_position(GTK_WINDOW(about), GTK_WIN_POS_CENTER_ON_PARENT);
    gtk_about_dialog_set_name(about, "Tessary");
    gtk_about_dialog_set_version(about, TESSARY_VERSION);
    gtk_about_dialog_set_comments(about,
                                  _("Simplifies four-variable Karnaugh maps to sums of products"));
    gtk_about_dialog_set_copyright(about, _("Copyright \xc2\xa9 2026 Tessary maintainers"));
    // Translators: your names and addresses, one a line, for the About
    // dialog's credits.
    const char* translators = _("translator-credits");
    if (g_strcmp0(translators, "translator-credits") != 0)
        gtk_about_dialog_set_translator_credits(about, translators);
    gtk_about_dialog_set_website(about, website);
    gtk_about_dialog_set_website_label(about, website);
    gtk_about_dialog_set_license(about, _(license_notice));
    gtk_about_dialog_set_wrap_license(about, TRUE);
    gtk_about_dialog_set_documenters(about, const_cast<const gchar**>(people));
    gtk_about_dialog_set_authors(about, const_cast<const gchar**>(people));
    gtk_dialog_run(GTK_DIALOG(about));
    gtk_widget_destroy(GTK_WIDGET(about));
}

} // namespace tessary
