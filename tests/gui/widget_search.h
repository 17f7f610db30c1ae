// Finding widgets of the real window from outside it: by a test predicate,
// or a button by its label. Shared by the GUI tests and window_layout.
#pragma once

#include <gtk/gtk.h>

namespace tessary::testing {

// The first widget under `root`, depth first, for which `match` holds.
template <typename Match> GtkWidget* find_widget(GtkWidget* root, Match match) {
    if (match(root)) return root;
    if (!GTK_IS_CONTAINER(root)) return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(root));
    GtkWidget* found = nullptr;
    for (GList* child = children; child != nullptr && found == nullptr; child = child->next)
        found = find_widget(GTK_WIDGET(child->data), match);
    g_list_free(children);
    return found;
}

// The button under `root` whose label is exactly `label`.
inline GtkWidget* find_button(GtkWidget* root, const char* label) {
    return find_widget(root, [label](GtkWidget* widget) {
        if (!GTK_IS_BUTTON(widget)) return false;
        const gchar* text = gtk_button_get_label(GTK_BUTTON(widget));
        return text != nullptr && g_strcmp0(text, label) == 0;
    });
}

// The label under `root` whose text begins with `start`.
inline GtkWidget* find_label(GtkWidget* root, const char* start) {
    return find_widget(root, [start](GtkWidget* widget) {
        return GTK_IS_LABEL(widget) &&
               g_str_has_prefix(gtk_label_get_text(GTK_LABEL(widget)), start);
    });
}

} // namespace tessary::testing
