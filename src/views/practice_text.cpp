// Practice's words (see pictures.h): each a whole sentence of the catalogue.
#include "views/pictures.h"

#include <bit>

namespace tessary {

std::string selection_refusal(selection_fault fault, minterm_set cells) {
    const int n = std::popcount(static_cast<unsigned>(cells));
    switch (fault) {
    case selection_fault::empty: return _("Not a group: no cell is selected.");
    case selection_fault::size:
        return printed(P_("Not a group: %d cell is selected, and a group has 1, 2, 4, 8 or 16.",
                          "Not a group: %d cells are selected, and a group has 1, 2, 4, 8 or 16.",
                          static_cast<unsigned long>(n)),
                       n);
    case selection_fault::shape:
        return printed(
            _("Not a group: the %d cells selected do not make a rectangle, even with the "
              "map's edges wrapping round."),
            n);
    case selection_fault::none: break;
    }
    return "";
}

std::string ring_caption(cover_kind kind, bool wrong_ringed, bool missed_ringed) {
    const bool sums = kind == cover_kind::product_of_sums;
    if (wrong_ringed && missed_ringed)
        return sums ? _("Ringed in red: a 1 that a loop takes. Ringed with a broken line: a 0 "
                        "that no right loop takes.")
                    : _("Ringed in red: a 0 that a loop takes. Ringed with a broken line: a 1 "
                        "that no right loop takes.");
    if (wrong_ringed)
        return sums ? _("Ringed in red: a 1 that a loop takes.")
                    : _("Ringed in red: a 0 that a loop takes.");
    if (missed_ringed)
        return sums ? _("Ringed with a broken line: a 0 that no right loop takes.")
                    : _("Ringed with a broken line: a 1 that no right loop takes.");
    return "";
}

namespace {

// "0, 1, 5": cells as a reader hears them.
std::string cells_text(minterm_set cells) {
    std::string list = minterm_list(cells);
    for (std::size_t at = 0; (at = list.find(' ', at)) != std::string::npos; at += 2)
        list.replace(at, 1, ", ");
    return list;
}

} // namespace

std::string cursor_description(int cursor, char value, minterm_set selected) {
    const std::string cell = minterm_text(cursor);
    if (selected == 0)
        // Translators: read out by a screen reader, as "Cursor on cell 5
        // (A'BC'D), 1; no cell selected".
        return printed(_("Cursor on cell %d (%s), %c; no cell selected"), cursor, cell.c_str(),
                       value);
    // Translators: read out by a screen reader, as "Cursor on cell 5
    // (A'BC'D), 1; selected: 4, 5".
    return printed(_("Cursor on cell %d (%s), %c; selected: %s"), cursor, cell.c_str(), value,
                   cells_text(selected).c_str());
}

std::string cell_description(int minterm) {
    const auto m = static_cast<std::uint8_t>(minterm);
    const std::string row = product_text({0x3, static_cast<std::uint8_t>(m & 0x3)});
    const std::string column = product_text({0xC, static_cast<std::uint8_t>(m & 0xC)});
    // Translators: a map cell as a screen reader names it, as "minterm 4:
    // row C'D', column A'B".
    return printed(_("minterm %d: row %s, column %s"), minterm, row.c_str(), column.c_str());
}

std::string picture_description(const map_picture& picture) {
    std::string text = loops_description(picture);
    auto add = [&text](const char* pattern, const std::string& what) {
        text.append("\n").append(printed(pattern, what.c_str()));
    };
    // Translators: the pairs of a picture's hazard marks, for a screen
    // reader, as "Hazard pairs: 1-9, 5-13".
    if (!picture.hazards.empty()) add(_("Hazard pairs: %s"), pairs_text(picture.hazards, ", "));
    // Translators: the cells a picture picks out, for a screen reader, as
    // "Marked cells: 4, 5".
    if (picture.marked != 0) add(_("Marked cells: %s"), cells_text(picture.marked));
    // Translators: the cells ringed in red after Check, for a screen reader.
    if (picture.wrong_cells != 0)
        add(_("Ringed, taken by a loop that must not take them: %s"),
            cells_text(picture.wrong_cells));
    // Translators: the cells ringed with a broken line after Check, for a
    // screen reader.
    if (picture.missed_cells != 0)
        add(_("Ringed, taken by no loop: %s"), cells_text(picture.missed_cells));
    return text;
}

std::string loops_description(const map_picture& picture) {
    if (picture.groups.empty()) return _("No loops");
    std::string text;
    for (std::size_t k = 0; k < picture.groups.size(); ++k) {
        const minterm_set cells = minterms_of(picture.groups[k].cells);
        const auto n = static_cast<unsigned long>(std::popcount(unsigned{cells}));
        const std::string list = cells_text(cells);
        // Translators: a loop of a picture as a screen reader reads it, as
        // "Loop 1: A'B'C', cells 0, 1"; the loops follow one another.
        const std::string loop = printed(P_("Loop %zu: %s, cell %s", "Loop %zu: %s, cells %s", n),
                                         k + 1, picture.groups[k].label.c_str(), list.c_str());
        text.append(text.empty() ? "" : "\n").append(loop);
    }
    return text;
}

std::string kind_switch_note(cover_kind now, std::size_t cleared) {
    const auto n = static_cast<unsigned long>(cleared);
    return now == cover_kind::product_of_sums
               ? printed(P_("Loops of 0s now: the group of 1s was cleared.",
                            "Loops of 0s now: the %lu groups of 1s were cleared.", n),
                         n)
               : printed(P_("Loops of 1s now: the group of 0s was cleared.",
                            "Loops of 1s now: the %lu groups of 0s were cleared.", n),
                         n);
}

} // namespace tessary
