// Characters of typed text (see characters.h).
#include "input/characters.h"

#include "input/map_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace tessary {

namespace {

bool is_continuation(std::string_view text, std::size_t at) {
    return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
}

// A well-formed sequence of two to four bytes.
std::uint32_t code_point(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    std::uint32_t point = lead & (0x7Fu >> sequence.size());
    for (std::size_t i = 1; i < sequence.size(); ++i)
        point = point << 6 | (static_cast<unsigned char>(sequence[i]) & 0x3Fu);
    return point;
}

// Characters that print as nothing or as a blank: a message shows their code.
bool is_invisible(std::uint32_t point) {
    return point < 0xA1 || point == 0xAD || (point >= 0x2000 && point <= 0x200F) ||
           (point >= 0x2028 && point <= 0x202F) || (point >= 0x205F && point <= 0x206F) ||
           point == 0x3000 || point == 0xFEFF;
}

} // namespace

std::size_t character_length(std::string_view text, std::size_t at) {
    if (at >= text.size()) return 0;
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    for (std::size_t i = 1; i < length; ++i)
        if (!is_continuation(text, at + i)) return 1;
    // No overlong forms, surrogates or code points beyond U+10FFFF.
    if (length > 2) {
        const auto second = static_cast<unsigned char>(text[at + 1]);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
            return 1;
    }
    return length;
}

std::size_t not_mark_length(std::string_view text, std::size_t at) {
    if (at < text.size() && text[at] == '\'') return 1;
    const std::string_view rest = text.substr(at < text.size() ? at : text.size());
    for (std::string_view mark : {std::string_view("\u2019"), std::string_view("\u2032")})
        if (rest.starts_with(mark)) return mark.size();
    return 0;
}

std::size_t blank_length(std::string_view text, std::size_t at) {
    if (at >= text.size()) return 0;
    if (text[at] == ' ' || text[at] == '\t') return 1;
    const std::string_view rest = text.substr(at);
    for (std::string_view blank : {std::string_view("\u00A0"), std::string_view("\u200B"),
                                   std::string_view("\u2060"), std::string_view("\uFEFF")})
        if (rest.starts_with(blank)) return blank.size();
    return 0;
}

namespace {

// The length of one of Unicode's other spaces at `at`, or 0.
std::size_t wide_space_length(std::string_view text, std::size_t at) {
    const std::size_t length = character_length(text, at);
    if (length == 1) return 0;
    const std::uint32_t point = code_point(text.substr(at, length));
    const bool space = point == 0x1680 || (point >= 0x2000 && point <= 0x200A) || point == 0x202F ||
                       point == 0x205F || point == 0x3000;
    return space ? length : 0;
}

} // namespace

bool is_blank(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = std::max(blank_length(text, at), wide_space_length(text, at));
        if (length == 0) return false;
        at += length;
    }
    return true;
}

bool is_utf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); at += character_length(text, at))
        if (static_cast<unsigned char>(text[at]) >= 0x80 && character_length(text, at) == 1)
            return false;
    return true;
}

std::string character_at(std::string_view text, std::size_t at) {
    const std::size_t length = character_length(text, at);
    if (length == 1) return printable(text.substr(at, 1), 1);
    const std::uint32_t point = code_point(text.substr(at, length));
    if (!is_invisible(point)) return std::string(text.substr(at, length));
    char escaped[12];
    std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(point));
    return escaped;
}

std::size_t column_of(std::string_view text, std::size_t at, std::size_t first_column) {
    std::size_t column = first_column;
    for (std::size_t i = 0; i < at && i < text.size(); ++i) column += !is_continuation(text, i);
    return column;
}

} // namespace tessary
