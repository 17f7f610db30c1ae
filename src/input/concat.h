// Joining the pieces of a message. Written out rather than with operator+,
// which trips a false -Wrestrict and -Wstringop-overflow in GCC 12 at -O3.
#pragma once

#include <string>
#include <string_view>

namespace tessary {

template <typename... Pieces> std::string concat(const Pieces&... pieces) {
    std::string text;
    (text.append(std::string_view(pieces)), ...);
    return text;
}

} // namespace tessary
