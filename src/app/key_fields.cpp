// Splitting a long answer over the two key fields (see key_fields.h).
#include "key_fields.h"

namespace tessary {

namespace {

// Where a long answer is cut: at index 31 when a '+' stands there, else at
// the last '+' before it.
std::size_t split_index(std::string_view answer) {
    if (answer[key_field_limit - 1] == '+') return key_field_limit - 1;
    std::size_t s = key_field_limit - 2;
    while (s > 0 && answer[s] != '+') --s;
    return s;
}

} // namespace

key_fields split_key(std::string_view answer) {
    if (answer.size() <= key_field_limit) return {std::string(answer), "", false};
    const std::size_t s = split_index(answer);
    return {std::string(answer.substr(0, s)), std::string(answer.substr(s)), true};
}

} // namespace tessary
