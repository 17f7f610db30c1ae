// How an answer is shown in the window's two key fields: the first takes at
// most 32 characters; a longer answer is cut at a '+' and its tail, '+'
// included, goes into the second field. No GTK here: the window writes it.
#pragma once

#include <string>
#include <string_view>

namespace tessary {

inline constexpr std::size_t key_field_limit = 32;

struct key_fields {
    std::string first;
    std::string second;
    bool second_shown = false;
};

key_fields split_key(std::string_view answer);

} // namespace tessary
