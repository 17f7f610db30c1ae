// The reader's language (see words.h).
#include "words/words.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <libintl.h>

namespace tessary {

const char* say(words w, const char* text) {
    return w == words::reader ? dgettext(text_domain, text) : text;
}

const char* say_in(words w, const char* context, const char* text) {
    if (w == words::fixed) return text;
    // The catalogue keys a text with a context as "context\004text".
    const std::string key = std::string(context) + '\004' + text;
    const char* found = dgettext(text_domain, key.c_str());
    return found == key.c_str() ? text : found;
}

const char* say_n(words w, const char* one, const char* many, unsigned long n) {
    if (w == words::reader) return dngettext(text_domain, one, many, n);
    return n == 1 ? one : many;
}

std::string printed(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, pattern, again);
    }
    va_end(again);
    return text;
}

void use_user_language(const char* locale_dir) {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    const char* from_environment = std::getenv("TESSARY_LOCALEDIR");
    if (from_environment != nullptr && *from_environment != '\0') locale_dir = from_environment;
    bindtextdomain(text_domain, locale_dir);
    bind_textdomain_codeset(text_domain, "UTF-8");
    textdomain(text_domain);
}

} // namespace tessary
