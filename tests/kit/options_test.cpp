// The options every face reads alike.
#include "kit/options.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace tessary {
namespace {

// --rows reads the same in every face: CD or AB in either case, nothing else.
TEST(RowsNamed, CdOrAbInEitherCase) {
    const std::pair<const char*, std::optional<map_layout>> cases[] = {
        {"CD", map_layout::cd_rows}, {"cd", map_layout::cd_rows}, {"Cd", map_layout::cd_rows},
        {"AB", map_layout::ab_rows}, {"aB", map_layout::ab_rows}, {"", std::nullopt},
        {"C", std::nullopt},         {"CDX", std::nullopt},       {"BA", std::nullopt},
    };
    for (const auto& [text, rows] : cases) EXPECT_EQ(rows_named(text), rows) << text;
    EXPECT_EQ(rows_error("x"), "--rows: 'x' is not CD or AB");
}

} // namespace
} // namespace tessary
