// Refused options in words (see options.h).
#include "kit/options.h"

#include "input/map_text.h"
#include "words/words.h"

#include <algorithm>
#include <string_view>

namespace tessary {

namespace {

std::string quoted(std::string_view text) {
    return "'" + printable(text, 40) + "'";
}

// The long options whose names begin with `name`, as "--minterms, --minimal".
std::string candidates(std::string_view name, const option* long_options, int& count) {
    std::string list;
    count = 0;
    for (const option* o = long_options; o->name != nullptr; ++o) {
        if (!std::string_view(o->name).starts_with(name)) continue;
        if (count++ > 0) list += ", ";
        list += "--";
        list += o->name;
    }
    return list;
}

// The long option `text` ("--expr" or "--help=x") names, when its value
// is `val`: getopt_long() leaves optind past the argument only then.
bool names_long_option(std::string_view text, int val, const option* long_options) {
    if (!text.starts_with("--")) return false;
    const std::string_view name = text.substr(2, text.find('=') - 2);
    for (const option* o = long_options; o->name != nullptr; ++o)
        if (o->val == val && std::string_view(o->name).starts_with(name)) return true;
    return false;
}

std::string long_name(std::string_view text) {
    return quoted(text.substr(0, text.find('=')));
}

} // namespace

std::string option_error(int returned, char** argv, const option* long_options) {
    const std::string_view text = optind > 0 ? argv[optind - 1] : "";
    const std::string letter = quoted(std::string(1, static_cast<char>(optopt)));
    if (returned == ':') {
        if (names_long_option(text, optopt, long_options))
            return printed(_("option %s requires an argument"), long_name(text).c_str());
        return printed(_("option requires an argument -- %s"), letter.c_str());
    }
    if (optopt != 0) {
        if (names_long_option(text, optopt, long_options))
            return printed(_("option %s doesn't allow an argument"), long_name(text).c_str());
        return printed(_("invalid option -- %s"), letter.c_str());
    }
    // An unknown long option: getopt_long() sets no optopt for it.
    if (!text.starts_with("--")) return printed(_("invalid option %s"), quoted(text).c_str());
    const std::string_view name = text.substr(2, text.find('=') - 2);
    int count = 0;
    const std::string list = candidates(name, long_options, count);
    if (count > 1)
        return printed(_("option %s is ambiguous (%s)"), long_name(text).c_str(), list.c_str());
    return printed(_("unrecognized option %s"), long_name(text).c_str());
}

std::optional<map_layout> rows_named(std::string_view text) {
    const auto is = [text](std::string_view name) {
        return text.size() == name.size() &&
               std::equal(text.begin(), text.end(), name.begin(), [](char a, char b) {
                   return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
               });
    };
    if (is("CD")) return map_layout::cd_rows;
    if (is("AB")) return map_layout::ab_rows;
    return std::nullopt;
}

std::string rows_error(std::string_view text) {
    return printed(_("--rows: '%s' is not CD or AB"), std::string(text).c_str());
}

} // namespace tessary
