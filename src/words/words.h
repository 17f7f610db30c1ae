// The reader's language. Texts a person reads come from the "tessary"
// catalogue of the user's locale; texts scripts and other programs read
// (tessary-key's standard output, the key TSV, the grading columns) stay as
// written. A text meant for both is marked N_() where it is written and
// handed to say() with the words of the place it goes to.
#pragma once

#include <string>

// Tessary's translation macros, for the libraries and the faces alike,
// on Tessary's own catalogue:
//   _("text")                   the text in the reader's words
//   C_("context", "text")       the same, told apart from the same text
//                               elsewhere by its context
//   P_("one", "many", n)        the text for a count, by the language's plural rule
//   N_("text")                  marked for the catalogue, translated later by
//                               say() in the words of the place it goes to
//   NN_("one", "many")          the two texts of say_n(), marked as one message
//   NC_("context", "text")      marked with a context, translated later by
//                               say_in() (or a function that calls it)
#define _(String) ::tessary::say(::tessary::words::reader, String)
#define C_(Context, String) ::tessary::say_in(::tessary::words::reader, Context, String)
#define P_(One, Many, Count) ::tessary::say_n(::tessary::words::reader, One, Many, Count)
#define N_(String) (String)
#define NN_(One, Many) (One), (Many)
#define NC_(Context, String) (Context), (String)

namespace tessary {

// Whose words a text is in: `fixed` for what a script reads, the same in
// every locale; `reader` for what a person reads, in the user's language.
enum class words { fixed, reader };

// The catalogue's name, and the folder under a prefix's locale directory
// that holds each language's compiled catalogue.
inline constexpr char text_domain[] = "tessary";

// `text` (marked N_) in the words of `w`.
const char* say(words w, const char* text) __attribute__((format_arg(2)));

// `text` (marked C_) in its context, in the words of `w`.
const char* say_in(words w, const char* context, const char* text) __attribute__((format_arg(3)));

// One of two texts by a count (marked NN_), as ngettext chooses: the plural
// rule is the language's.
const char* say_n(words w, const char* one, const char* many, unsigned long n)
    __attribute__((format_arg(2))) __attribute__((format_arg(3)));

// A text made from a printf pattern. Translators may reorder the arguments
// with %1$s, %2$d; integers are written without grouping in every locale.
std::string printed(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// Sets the program's locale from the environment, with numbers written as in
// the C locale so that files read the same everywhere, and binds the
// catalogue to `locale_dir` (TESSARY_LOCALEDIR in the environment, where
// set, instead: a build tree's catalogues for its tests).
void use_user_language(const char* locale_dir);

} // namespace tessary
