// Characters of the text people type or paste: UTF-8 sequences read whole,
// and the marks that stand for NOT after a letter. Shared by the readers of
// expressions and of a student's groups.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessary {

// The length in bytes of the character at `at`: a well-formed UTF-8 sequence
// counts whole, anything else one byte.
std::size_t character_length(std::string_view text, std::size_t at);

// The length of a NOT mark at `at`, or 0: the apostrophe ', and the
// right single quotation mark ’ and the prime ′ that documents put in its
// place.
std::size_t not_mark_length(std::string_view text, std::size_t at);

// The length of a blank at `at`, or 0: a space or a tab, the no-break,
// zero-width and joining spaces that copied text carries (U+00A0, U+200B,
// U+2060, U+FEFF), and Unicode's other spaces (U+1680, U+2000 to U+200A,
// U+202F, U+205F, U+3000).
std::size_t blank_length(std::string_view text, std::size_t at);

// Whether the text is blanks only, or nothing.
bool is_blank(std::string_view text);

// Whether the text is well-formed UTF-8 throughout.
bool is_utf8(std::string_view text);

// The character at `at` as a message shows it: itself when it is printable
// ASCII or well-formed UTF-8, its code as \uXXXX when it prints as nothing
// or a blank (a byte-order mark, a no-break space), else its bytes as \xNN.
std::string character_at(std::string_view text, std::size_t at);

// The column of byte `at`, counting characters from `first_column`.
std::size_t column_of(std::string_view text, std::size_t at, std::size_t first_column = 1);

} // namespace tessary
