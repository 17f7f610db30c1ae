// One tester for every engine, as a regular-expression library runs each of
// its engines on each case against the simplest: check_engines(map) runs the
// greedy reduction and the exact minimiser on a map and compares what they
// say with each other, with their own texts read back by the tests' reader,
// and with the brute force; where the brute force runs, one output minimised
// as several outputs are must also be the minimal sum. The exact tests, the
// every-map sweep, the fuzz target and the click storm all call it.
#pragma once

#include "answers/answers.h"
#include "exact/exact.h"
#include "minimiser/greedy.h"
#include "support/brute_force.h"
#include "support/key_check.h"

#include <span>
#include <string>
#include <vector>

namespace tessary::testing {

// The minterms on which a product of sums such as "(A+B')(C'+D)" is 1; a
// one-letter sum may stand bare ("C'(A+B)"), and "0" and "1" are the constants.
inline std::uint16_t product_function_mask(std::string_view answer) {
    if (answer == "0") return 0;
    if (answer == "1") return 0xFFFF;
    std::uint16_t product = 0xFFFF;
    std::size_t i = 0;
    while (i < answer.size()) {
        // A sum in parentheses, or one letter bare.
        const bool bracketed = answer[i] == '(';
        const std::size_t end = bracketed ? answer.find(')', i)
                                : i + 1 < answer.size() && answer[i + 1] == '\'' ? i + 2
                                                                                 : i + 1;
        if (end == std::string_view::npos) return 0;
        std::string_view sum =
            answer.substr(i + (bracketed ? 1 : 0), end - i - (bracketed ? 1 : 0));
        std::uint16_t value = 0;
        for (std::size_t k = 0; k < sum.size(); ++k) {
            if (sum[k] == '+') continue;
            if (sum[k] < 'A' || sum[k] > 'D') return 0; // not our notation
            std::uint16_t literal = literal_mask(sum[k]);
            if (k + 1 < sum.size() && sum[k + 1] == '\'') {
                literal = static_cast<std::uint16_t>(~literal);
                ++k;
            }
            value = static_cast<std::uint16_t>(value | literal);
        }
        product = static_cast<std::uint16_t>(product & value);
        i = bracketed ? end + 1 : end;
    }
    return product;
}

enum class brute_force { every_map, skip };

// What is wrong with the engines' answers for the map, one clause per
// fault; empty when nothing is. Checks that every answer (shown, minimal sum,
// minimal product, every minimum) is the map's function and reads back as
// such, that the shown answer is never cheaper than the minimum, that the
// first of every minimum is the minimum, and (unless skipped) that both
// tie-breaks give what the brute force gives.
inline std::string check_engines(const boolean_map& map,
                                 brute_force brute = brute_force::every_map) {
    std::string faults;
    auto fault = [&faults](const std::string& what) {
        faults += (faults.empty() ? "" : "; ") + what;
    };
    const greedy_answer greedy = reduce_greedy(map);
    const std::string shown(write_greedy(greedy).view());
    const cover sop = minimum_sop(map), pos = minimum_pos(map);
    const std::vector<cover> all = all_minimum_sops(map);
    if (!agrees(map, function_mask(shown))) fault("shown answer " + shown + " is not the map's");
    if (!agrees(map, sop_value(greedy.kept_cover())))
        fault("shown answer's cubes are not the map's");
    if (cost_of(greedy.kept_cover()) < cost_of(sop))
        fault("shown answer " + shown + " beats the minimum");
    if (!agrees(map, function_mask(sop_text(sop))) || !agrees(map, sop_value(sop)))
        fault("minimal sum " + sop_text(sop) + " is not the map's");
    if (!agrees(map, product_function_mask(pos_text(pos))) || !agrees(map, pos_value(pos)))
        fault("minimal product " + pos_text(pos) + " is not the map's");
    if (all.empty() || !(all.front() == sop))
        fault("the first of every minimum is not the minimum");
    for (const cover& c : all)
        if (!agrees(map, function_mask(sop_text(c))) || !(cost_of(c) == cost_of(sop)))
            fault("minimum " + sop_text(c) + " is not the map's, or not minimal");
    if (brute == brute_force::skip) return faults;
    // One output minimised as several are: the minimal sum itself. Slower
    // than the rest, so left to the maps the brute force takes.
    const shared_cover alone = minimum_shared_sop(std::span(&map, 1));
    if (alone.outputs.size() != 1 || !(alone.outputs[0] == sop))
        fault("one output minimised together is not the minimal sum " + sop_text(sop));
    const std::vector<brute_cover> sops = brute_minimum(map.ones, map.zeros());
    std::string every, brute_every;
    for (const cover& c : all) every += sop_text(c) + " ";
    for (const brute_cover& c : sops) brute_every += sop_text_of(c) + " ";
    if (every != brute_every)
        fault("every minimum is " + every + "where the brute force has " + brute_every);
    if (sop_text(sop) != sop_text_of(sops.front()))
        fault("minimal sum " + sop_text(sop) + ", brute force " + sop_text_of(sops.front()));
    const std::string brute_pos = pos_text_of(brute_minimum(map.zeros(), map.ones, true).front());
    if (pos_text(pos) != brute_pos)
        fault("minimal product " + pos_text(pos) + ", brute force " + brute_pos);
    return faults;
}

} // namespace tessary::testing
