// View > Groups: the companion's page with the picture of the shown
// map and the groups of an answer (the shown one, the minimal sum or the
// minimal product), the terms as text for screen readers, the minimum sum
// of products, and Save...; and File > Save picture..., which saves the
// same picture. The picture is drawn by render/picture.h.
#include "window.h"

#include "render/picture_files.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tessary {

namespace {

// The forms' labels, in the order of shown_state's forms.
constexpr const char* form_labels[] = {N_("Shown _answer"), N_("_Minimal sum"),
                                       N_("Minimal _product"), N_("Hazard-_free sum"),
                                       N_("Hazard-free pr_oduct")};
static_assert(std::size(form_labels) == std::size(groups_tool{}.form_buttons));

// "Groups: A'B, CD'" or "No groups"; the terms in the legend's order.
std::string terms_text(const map_picture& picture) {
    if (picture.groups.empty()) return _("No groups");
    std::string terms;
    for (const map_group& g : picture.groups) terms += (terms.empty() ? "" : ", ") + g.label;
    // Translators: the groups the picture draws, as "Groups: A'B, CD'".
    return printed(_("Groups: %s"), terms.c_str());
}

map_picture picture_of_form(const app& a, std::size_t form);
picture_size groups_room(const app& a);

// The picture at the largest scale that fits the area, centred in it; the
// map keeps its size and place whichever form is drawn.
gboolean on_groups_area_expose(GtkWidget* widget, GdkEventExpose*, gpointer data) {
    const app& a = app_of(data);
    draw_fitted(widget, current_picture(a), groups_room(a));
    return TRUE;
}

void update_groups_page(app& a);

void on_groups_form_toggled(GtkToggleButton* button, gpointer data) {
    if (gtk_toggle_button_get_active(button)) update_groups_page(app_of(data));
}

void on_groups_save_clicked(GtkButton*, gpointer data) {
    app& a = app_of(data);
    save_picture_dialog(a, GTK_WINDOW(a.companion.window));
}

void on_groups_hazards_toggled(GtkToggleButton*, gpointer data) {
    update_groups_page(app_of(data));
}

// One group of radio buttons in two columns, so that the page stays narrow
// in every language: the shown answer beside Hazards, then the minimal sum
// and product, then the hazard-free ones.
GtkWidget* build_form_buttons(app& a) {
    groups_tool& g = a.groups;
    GtkWidget* table = gtk_table_new(3, 2, FALSE);
    gtk_table_set_col_spacings(GTK_TABLE(table), 12);
    gtk_table_set_row_spacings(GTK_TABLE(table), 2);
    for (std::size_t i = 0; i < std::size(form_labels); ++i) {
        g.form_buttons[i] = i == 0 ? gtk_radio_button_new_with_mnemonic(nullptr, _(form_labels[i]))
                                   : gtk_radio_button_new_with_mnemonic_from_widget(
                                         GTK_RADIO_BUTTON(g.form_buttons[0]), _(form_labels[i]));
        g_signal_connect(g.form_buttons[i], "toggled", G_CALLBACK(on_groups_form_toggled), &a);
        const auto row = static_cast<guint>((i + 1) / 2),
                   col = static_cast<guint>(i > 0 && i % 2 == 0);
        gtk_table_attach(GTK_TABLE(table), g.form_buttons[i], col, col + 1, row, row + 1, GTK_FILL,
                         GtkAttachOptions(0), 0, 0);
    }
    g.hazards_check = gtk_check_button_new_with_mnemonic(_("_Hazards"));
    g_signal_connect(g.hazards_check, "toggled", G_CALLBACK(on_groups_hazards_toggled), &a);
    gtk_table_attach(GTK_TABLE(table), g.hazards_check, 1, 2, 0, 1, GTK_FILL, GtkAttachOptions(0),
                     0, 0);
    return table;
}

// "Hazard pairs: 1-9, 5-13" or "No hazard pairs" while Hazards is on.
std::string hazards_line(const app& a, std::size_t form) {
    const std::vector<cell_pair>& pairs = a.shown.hazards[form];
    if (pairs.empty()) return _("No hazard pairs");
    // Translators: the Groups window's list of the pairs the form drawn
    // leaves, as "Hazard pairs: 1-9, 5-13".
    return printed(_("Hazard pairs: %s"), pairs_text(pairs, ", ").c_str());
}

GtkWidget* build_groups_page(app& a) {
    groups_tool& g = a.groups;
    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    gtk_container_set_border_width(GTK_CONTAINER(box), 6);
    g.area = picture_area(a, G_CALLBACK(on_groups_area_expose));
    gtk_box_pack_start(GTK_BOX(box), g.area, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(box), build_form_buttons(a), FALSE, FALSE, 0);
    g.terms_label = wrapped_label(320);
    gtk_box_pack_start(GTK_BOX(box), g.terms_label, FALSE, FALSE, 0);
    g.minimal_label = wrapped_label(320);
    gtk_box_pack_start(GTK_BOX(box), g.minimal_label, FALSE, FALSE, 0);
    g.hazards_label = wrapped_label(320);
    gtk_box_pack_start(GTK_BOX(box), g.hazards_label, FALSE, FALSE, 0);
    GtkWidget* save = app_button(a, _("_Save\u2026"), G_CALLBACK(on_groups_save_clicked));
    gtk_box_pack_start(GTK_BOX(box), button_row(a, {save}, _("_Close")), FALSE, FALSE, 0);
    return box;
}

} // namespace

namespace {

// The place of the form chosen among shown_state's forms.
std::size_t chosen_form(const app& a) {
    for (std::size_t i = 0; a.companion.open() && i < std::size(form_labels); ++i)
        if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(a.groups.form_buttons[i]))) return i;
    return 0;
}

bool hazards_on(const app& a) {
    return a.companion.open() &&
           gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(a.groups.hazards_check));
}

} // namespace

answer_form groups_form(const app& a) {
    return a.shown.forms[chosen_form(a)];
}

namespace {

map_picture picture_of_form(const app& a, std::size_t form) {
    map_picture picture = a.shown.pictures[form];
    if (hazards_on(a)) mark_hazards(picture, a.shown.hazards[form]);
    return picture;
}

// The room of the largest picture of the shown map's forms.
picture_size groups_room(const app& a) {
    std::vector<map_picture> pictures;
    for (std::size_t form = 0; form < a.shown.forms.size(); ++form)
        pictures.push_back(picture_of_form(a, form));
    return room_for(pictures);
}

// The picture keeps the page's size and the map its scale: each label is
// as tall as its text for the longest form. The labels break between terms.
void update_groups_page(app& a) {
    const groups_tool& g = a.groups;
    if (!a.companion.open()) return;
    gtk_widget_queue_draw(g.area);
    std::vector<std::string> hazards, terms, notes;
    for (std::size_t form = 0; form < a.shown.forms.size(); ++form) {
        hazards.push_back(hazards_on(a) ? hazards_line(a, form) : "");
        terms.push_back(terms_text(picture_of_form(a, form)));
        notes.push_back(break_between_terms(a.shown.notes[form]));
    }
    const std::size_t form = chosen_form(a);
    show_one_of(g.hazards_label, hazards, form);
    show_one_of(g.terms_label, terms, form);
    show_one_of(g.minimal_label, notes, form);
    const map_picture picture = current_picture(a);
    describe_picture(g.area, picture.caption, picture_description(picture));
}

} // namespace

map_picture current_picture(const app& a) {
    return picture_of_form(a, chosen_form(a));
}

picture_fit groups_fit(const app& a) {
    return fit_in(a.groups.area, current_picture(a), groups_room(a));
}

const page_parts groups_page = {
    N_("Groups"),
    N_("Tessary: Groups"),
    build_groups_page,
    update_groups_page,
    update_groups_page,
    [](const app& a) { return a.groups.area; },
    [](const app& a) { return a.groups.area; },
    groups_room,
};

void on_view_groups(gpointer data, guint, GtkWidget*) {
    present_page(app_of(data), page::groups);
}

void on_save_picture(gpointer data, guint, GtkWidget*) {
    app& a = app_of(data);
    save_picture_dialog(a, GTK_WINDOW(a.main.window));
}

namespace {

// The kinds of picture file, in the order the dialog offers them.
struct picture_type {
    const char* label;
    const char* extension;
};
constexpr picture_type picture_types[] = {{N_("PNG picture (.png)"), ".png"},
                                          {N_("SVG drawing (.svg)"), ".svg"},
                                          {N_("PDF document (.pdf)"), ".pdf"},
                                          {N_("LaTeX with TikZ (.tex)"), ".tex"},
                                          {N_("TikZ picture (.tikz)"), ".tikz"}};

std::string with_extension(const std::string& name, const char* extension) {
    const std::size_t dot = name.rfind('.');
    const bool known = format_of(name).has_value();
    return (known && dot != std::string::npos ? name.substr(0, dot) : name) + extension;
}

std::string base_name(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// The type chosen sets the extension of the name typed so far.
void on_picture_type_changed(GtkComboBox* types, gpointer chooser) {
    const gint chosen = gtk_combo_box_get_active(types);
    if (chosen < 0) return;
    gchar* path = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
    const auto* last =
        static_cast<const save_memory*>(g_object_get_data(G_OBJECT(chooser), "tessary-last"));
    const std::string name = path != nullptr ? base_name(path) : last->name;
    g_free(path);
    gtk_file_chooser_set_current_name(
        GTK_FILE_CHOOSER(chooser),
        with_extension(name, picture_types[static_cast<std::size_t>(chosen)].extension).c_str());
}

// What is saved, and the type of file: under the chooser.
GtkWidget* build_save_options(const app& a, GtkWidget* chooser) {
    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    GtkWidget* what = gtk_label_new(
        a.companion.open()
            ? _("Saves the picture the Groups window shows.")
            : _("Saves the picture of the shown answer; View > Groups chooses another."));
    gtk_misc_set_alignment(GTK_MISC(what), 0, 0.5);
    gtk_box_pack_start(GTK_BOX(box), what, FALSE, FALSE, 0);
    GtkWidget* row = gtk_hbox_new(FALSE, 6);
    GtkWidget* types = gtk_combo_box_text_new();
    for (const picture_type& type : picture_types)
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(types), _(type.label));
    gint active = 0;
    for (std::size_t i = 0; i < std::size(picture_types); ++i)
        if (a.last_save.name.ends_with(picture_types[i].extension)) active = static_cast<gint>(i);
    gtk_combo_box_set_active(GTK_COMBO_BOX(types), active);
    g_signal_connect(types, "changed", G_CALLBACK(on_picture_type_changed), chooser);
    GtkWidget* label = gtk_label_new_with_mnemonic(_("_Type:"));
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), types);
    gtk_box_pack_start(GTK_BOX(row), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(row), types, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);
    g_object_set_data(G_OBJECT(chooser), "tessary-types", types);
    g_object_set_data(G_OBJECT(chooser), "tessary-last", const_cast<save_memory*>(&a.last_save));
    gtk_widget_show_all(box);
    return box;
}

// A name without a picture's extension takes the chosen type's.
std::string path_to_save(GtkWidget* chooser, const gchar* path) {
    if (format_of(path)) return path;
    auto* types = GTK_COMBO_BOX(g_object_get_data(G_OBJECT(chooser), "tessary-types"));
    const gint chosen = std::max(0, gtk_combo_box_get_active(types));
    return std::string(path) + picture_types[static_cast<std::size_t>(chosen)].extension;
}

// Asks before a file is replaced: the file that will be written, its
// extension added, not the name as typed.
bool may_replace(GtkWidget* parent, const std::string& path) {
    if (!g_file_test(path.c_str(), G_FILE_TEST_EXISTS)) return true;
    GtkWidget* question = gtk_message_dialog_new(
        GTK_WINDOW(parent), GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE,
        _("A file named \"%s\" already exists. Do you want to replace it?"),
        base_name(path).c_str());
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(question),
                                             _("Replacing it will overwrite its contents."));
    gtk_dialog_add_buttons(GTK_DIALOG(question), GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL,
                           _("_Replace"), GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(question), GTK_RESPONSE_CANCEL);
    const bool replace = gtk_dialog_run(GTK_DIALOG(question)) == GTK_RESPONSE_ACCEPT;
    gtk_widget_destroy(question);
    return replace;
}

void tell_failure(GtkWidget* parent, const std::string& path, const std::string& error) {
    GtkWidget* message = gtk_message_dialog_new(
        GTK_WINDOW(parent), GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_CLOSE,
        _("The picture could not be saved as %s"), path.c_str());
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(message), "%s.", error.c_str());
    gtk_dialog_run(GTK_DIALOG(message));
    gtk_widget_destroy(message);
}

} // namespace

// Opens on a real folder (the last one used, else the current directory)
// with the last name, never on "Recently Used". A name that is there
// already is asked about once its extension is added; not replacing it goes
// back to the chooser.
void save_picture_dialog(app& a, GtkWindow* parent) {
    save_memory& last_save = a.last_save;
    GtkWidget* chooser = gtk_file_chooser_dialog_new(
        _("Save picture"), parent, GTK_FILE_CHOOSER_ACTION_SAVE, GTK_STOCK_CANCEL,
        GTK_RESPONSE_CANCEL, GTK_STOCK_SAVE, GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
    gchar* here = g_get_current_dir();
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser),
                                        last_save.folder.empty() ? here : last_save.folder.c_str());
    g_free(here);
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), last_save.name.c_str());
    gtk_file_chooser_set_extra_widget(GTK_FILE_CHOOSER(chooser), build_save_options(a, chooser));
    while (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
        const std::string path = chosen != nullptr ? path_to_save(chooser, chosen) : "";
        g_free(chosen);
        if (path.empty()) break;
        if (!may_replace(chooser, path)) continue;
        last_save = {path.substr(0, path.rfind('/')), base_name(path)};
        std::string error;
        if (!save_picture(path, current_picture(a), error)) tell_failure(chooser, path, error);
        break;
    }
    gtk_widget_destroy(chooser);
}

} // namespace tessary
