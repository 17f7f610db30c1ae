// libFuzzer target over what tessary-key reads: the map parser, the
// minterm-list parser and the answer path behind them.
//
// The first byte chooses the parser: even for a map ("1111/1111/1000/0001"),
// odd for minterm lists, written as ONES, then '|', then DONT-CARES. Bad
// text must be refused with a message; a good map must give an answer that
// fits the key fields and is the function on the map.
#include "map_text.h"
#include "show.h"
#include "support/key_check.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void require(bool holds) {
    if (!holds) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    tessary::cell_values cells;
    std::string error;
    bool parsed;
    if ((data[0] & 1) == 0) {
        parsed = tessary::parse_map(text, cells, error);
    } else {
        const std::size_t bar = text.find('|');
        parsed = tessary::parse_minterms(text.substr(0, bar),
                                         bar == std::string_view::npos ? "" : text.substr(bar + 1),
                                         cells, error);
    }
    if (!parsed) {
        require(!error.empty() && error.size() < 200);
        return 0;
    }
    for (const char cell : cells) require(cell == '0' || cell == '1' || cell == 'X');
    const tessary::key_fields& key = tessary::show_map(cells);
    require(std::strlen(key.first) <= 32);
    require(tessary::testing::is_sound(cells, tessary::testing::answer_of(key)));
    return 0;
}
