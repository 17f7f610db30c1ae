// The words of each form in the reader's language: where the textbooks name
// a sum's primes (prime implicants) apart from a product's (prime
// implicates), the steps and the judgement say the form's own word.
#include "answers/answers.h"
#include "answers/explanation.h"
#include "views/steps.h"

#include "support/brute_force.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace tessary {
namespace {

// Speaks `language` through the build tree's catalogues for the test's
// length, and English again after it.
class InLanguage : public ::testing::Test {
  protected:
    void speak(const char* language) {
        setenv("LC_ALL", "C.UTF-8", 1);
        setenv("LANGUAGE", language, 1);
        use_user_language(TESSARY_BUILD_LOCALE_DIR);
    }
    void TearDown() override {
        unsetenv("LANGUAGE");
        setenv("LC_ALL", "C", 1);
        std::setlocale(LC_ALL, "C");
    }
};

struct form_words_case {
    const char* language;
    cover_kind kind;
    const char* primes_title;    // step 1
    const char* essential_title; // step 2
    const char* judged_line;     // of the essential group
};

constexpr cover_kind sop = cover_kind::sum_of_products, pos = cover_kind::product_of_sums;

// The corners' map: B'D' is an essential prime implicant, (B') and (D')
// essential prime implicates.
const form_words_case form_words_cases[] = {
    {"es", sop, "los implicantes primos", "los implicantes primos esenciales",
     "B'D': implicante primo, esencial"},
    {"es", pos, "los implicados primos", "los implicados primos esenciales",
     "B': implicado primo, esencial"},
    {"de", sop, "die Primimplikanten", "die wesentlichen Primimplikanten",
     "B'D': Primimplikant, wesentlich"},
    {"de", pos, "die Primimplikate", "die wesentlichen Primimplikate",
     "B': Primimplikat, wesentlich"},
};

TEST_F(InLanguage, EachFormSaysItsOwnPrimes) {
    const boolean_map map = testing::map_of("1001/0000/0000/1001");
    for (const form_words_case& c : form_words_cases) {
        SCOPED_TRACE(std::string(c.language) + (c.kind == pos ? " product" : " sum"));
        speak(c.language);
        const std::vector<step_view> steps = steps_of(map, c.kind);
        EXPECT_EQ(steps[0].title, c.primes_title);
        EXPECT_EQ(steps[1].title, c.essential_title);
        const cube group = c.kind == sop ? cube{0x5, 0x0} : cube{0x4, 0x4};
        const std::vector<std::string> lines =
            judgement_lines(judge(map, c.kind, {group}), words::reader);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], c.judged_line);
        // What scripts read stays English.
        EXPECT_EQ(judgement_lines(judge(map, c.kind, {group}), words::fixed)[0],
                  std::string(c.kind == sop ? "B'D'" : "B'") + ": prime, essential");
    }
}

} // namespace
} // namespace tessary
