// Reading maps as text (see map_text.h). Every check names what is wrong and
// where in the text; nothing is accepted half-read.
#include "input/map_text.h"

#include "input/characters.h"
#include "input/concat.h"
#include "words/words.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace tessary {

namespace {

constexpr int group_count = 4;
constexpr int minterm_count = 16;

bool is_cell_char(char ch) {
    return ch == '0' || ch == '1' || ch == 'X' || ch == 'x';
}

std::string bad_character(std::string_view text, std::size_t at, std::size_t first_column) {
    return printed(_("bad character '%s' at column %zu (a cell is 0, 1 or X)"),
                   character_at(text, at).c_str(), column_of(text, at, first_column));
}

// The groups of a map written with '/': exactly four, of four cells each.
bool check_groups(std::string_view text, std::string& error) {
    const auto slashes = static_cast<std::size_t>(std::count(text.begin(), text.end(), '/'));
    if (slashes + 1 != group_count) {
        error =
            printed(say_n(words::reader,
                          NN_("has %zu group separated by '/' (a map has 4 groups of 4 cells)",
                              "has %zu groups separated by '/' (a map has 4 groups of 4 cells)"),
                          slashes + 1),
                    slashes + 1);
        return false;
    }
    int groups = 1;
    std::size_t group_length = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '/') {
            ++group_length;
            continue;
        }
        if (group_length != map_side) {
            error = printed(say_n(words::reader,
                                  NN_("group %d has %zu cell (each of the four groups has 4)",
                                      "group %d has %zu cells (each of the four groups has 4)"),
                                  group_length),
                            groups, group_length);
            return false;
        }
        group_length = 0;
        ++groups;
    }
    return true;
}

bool check_map_shape(std::string_view text, std::string& error) {
    if (text.find('/') != std::string_view::npos) return check_groups(text, error);
    if (text.size() != cell_count) {
        error =
            printed(say_n(words::reader,
                          NN_("has %zu cell (a map has 16, or 4 groups of 4 separated by '/')",
                              "has %zu cells (a map has 16, or 4 groups of 4 separated by '/')"),
                          text.size()),
                    text.size());
        return false;
    }
    return true;
}

std::string_view trim_blanks(std::string_view item) {
    while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
    while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
    return item;
}

// One number of a minterm list; -1 with `error` set when it is not 0 to 15.
int parse_minterm(std::string_view item, std::string& error) {
    if (item.empty()) {
        error = _("empty item (write numbers separated by commas)");
        return -1;
    }
    int value = 0;
    for (const char ch : item) {
        if (ch < '0' || ch > '9') {
            error = printed(_("'%s' is not a number"), printable(item).c_str());
            return -1;
        }
        if (value <= minterm_count) value = value * 10 + (ch - '0');
    }
    if (value >= minterm_count) {
        error = printed(_("minterm %s is out of range (0 to 15)"), printable(item).c_str());
        return -1;
    }
    return value;
}

// Where an item begins in its list, blanks before it skipped.
std::size_t item_column(std::string_view list, std::size_t start) {
    while (start < list.size() && (list[start] == ' ' || list[start] == '\t')) ++start;
    return column_of(list, start);
}

} // namespace

std::string printable(std::string_view text, std::size_t limit) {
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7f) {
            out += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    if (text.size() > limit) out += "...";
    return out;
}

bool parse_map(std::string_view text, boolean_map& map, std::string& error,
               std::size_t first_column) {
    if (text.empty()) {
        error = _("empty map (a map is 16 cells of 0, 1 or X)");
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!is_cell_char(text[i]) && text[i] != '/') {
            error = bad_character(text, i, first_column);
            return false;
        }
    }
    if (!check_map_shape(text, error)) return false;
    cell_values cells;
    std::size_t n = 0;
    for (const char ch : text) {
        if (ch != '/') cells[n++] = ch;
    }
    map = map_from_cells(cells);
    return true;
}

bool add_minterm_list(std::string_view list, const char* option, minterm_set& set,
                      std::string& error) {
    if (trim_blanks(list).empty()) return true;
    for (std::size_t start = 0;;) {
        const std::size_t comma = list.find(',', start);
        const std::string_view item = trim_blanks(
            list.substr(start, comma == std::string_view::npos ? comma : comma - start));
        const std::size_t column = item_column(list, start);
        // Translators: a message on a list of minterms, as "--minterms:
        // column 3: minterm 16 is out of range (0 to 15)".
        const auto located = [&](const std::string& message) {
            return printed(_("%s: column %zu: %s"), option, column, message.c_str());
        };
        const int minterm = parse_minterm(item, error);
        if (minterm < 0) {
            error = located(error);
            return false;
        }
        if ((set & minterm_bit(minterm)) != 0) {
            error = located(printed(_("minterm %d is listed twice"), minterm));
            return false;
        }
        set = static_cast<minterm_set>(set | minterm_bit(minterm));
        if (comma == std::string_view::npos) return true;
        start = comma + 1;
    }
}

bool parse_minterm_list(std::string_view list, const char* option, minterm_set& set,
                        std::string& error) {
    set = 0;
    return add_minterm_list(list, option, set, error);
}

bool map_from_minterms(minterm_set ones, minterm_set dont_cares, boolean_map& map,
                       std::string& error) {
    if (const minterm_set both = ones & dont_cares; both != 0) {
        error = printed(_("minterm %d is both in --minterms and --dont-cares"),
                        std::countr_zero(unsigned{both}));
        return false;
    }
    map = {ones, dont_cares};
    return true;
}

bool parse_minterms(std::string_view ones, std::string_view dont_cares, boolean_map& map,
                    std::string& error) {
    boolean_map read;
    return parse_minterm_list(ones, "--minterms", read.ones, error) &&
           parse_minterm_list(dont_cares, "--dont-cares", read.dont_cares, error) &&
           map_from_minterms(read.ones, read.dont_cares, map, error);
}

} // namespace tessary
