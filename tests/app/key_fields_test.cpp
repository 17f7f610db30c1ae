// How the window lays an answer out over its two key fields.
#include "key_fields.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

TEST(SplitKey, AfterThirtyTwoCharacters) {
    struct row {
        const char* answer;
        const char* first;
        const char* second; // nullptr: hidden
    };
    const row rows[] = {
        {"ABC'D'+A'BC'D+AB'C'D+A'B'CD+ABCD", "ABC'D'+A'BC'D+AB'C'D+A'B'CD+ABCD", nullptr}, // 32
        {"A'BC'D'+AB'C'D'+ABC'D+A'BCD+AB'CD", "A'BC'D'+AB'C'D'+ABC'D+A'BCD", "+AB'CD"},    // 33
        {"A'BC'D'+AB'C'D'+A'B'C'D+A'B'CD'+ABCD'", "A'BC'D'+AB'C'D'+A'B'C'D+A'B'CD'",
         "+ABCD'"}, // '+' at index 31
        {"A'B'C'D'", "A'B'C'D'", nullptr},
        {"0", "0", nullptr},
        {"", "", nullptr},
        {"A'B'C'D'+ABC'D'+A'BC'D+AB'C'D+A'B'CD+ABCD+A'BCD'+AB'CD'", "A'B'C'D'+ABC'D'+A'BC'D+AB'C'D",
         "+A'B'CD+ABCD+A'BCD'+AB'CD'"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.answer);
        const key_fields key = split_key(r.answer);
        EXPECT_EQ(key.first, r.first);
        EXPECT_EQ(key.second_shown, r.second != nullptr);
        EXPECT_EQ(key.second, r.second ? r.second : "");
    }
}

} // namespace
} // namespace tessary
