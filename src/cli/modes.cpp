// tessary-key's modes and what each admits (see modes.h).
#include "cli/modes.h"

#include "kit/kit.h"
#include "words/words.h"

#include <iterator>
#include <string>

namespace tessary {

namespace {

constexpr unsigned any_form = with_minimal | with_pos | with_all_minimal | with_hazard_free;
constexpr unsigned maps_given = with_read | with_option_map;

struct mode_rule {
    mode what;
    const char* option; // that chooses it; none for the answer
    const char* does;   // what it prints, for its usage errors
    unsigned admits;
};

// Translators: each says what tessary-key prints in one of its modes; a
// usage error goes on "--chart prints the chart: leave out --format".
const mode_rule rules[] = {
    {mode::answer, nullptr, nullptr,
     any_form | with_format | with_draw | with_numbers | maps_given | with_shared},
    {mode::check, "--check", N_("prints a verdict, not an answer"), maps_given},
    {mode::explain, "--explain", N_("explains a minimal sum, or with --pos a minimal product"),
     with_pos | maps_given},
    {mode::chart, "--chart", N_("prints the chart of a sum, or with --pos of a product"),
     with_pos | with_draw | with_option_map},
    {mode::judge, "--judge", N_("judges the groups of a sum, or with --pos of a product"),
     with_pos | maps_given},
    {mode::hazards, "--hazards", N_("prints the hazard pairs an answer leaves"),
     with_minimal | with_pos | with_hazard_free | with_draw | with_numbers | maps_given},
    {mode::grade, "--grade", N_("grades a class's answers against a key"),
     with_minimal | with_pos | with_hazard_free | with_summary},
};

const mode_rule& rule_of(mode m) {
    for (const mode_rule& rule : rules)
        if (rule.what == m) return rule;
    return rules[0];
}

} // namespace

mode mode_of(const std::vector<std::string_view>& mode_options) {
    const mode_rule* chosen = &rule_of(mode::answer);
    for (const std::string_view option : mode_options)
        for (const mode_rule& rule : rules) {
            if (rule.option == nullptr || option != rule.option || chosen == &rule) continue;
            if (chosen->option != nullptr)
                usage_error(
                    printed(_("%s and %s are two modes: choose one"), chosen->option, rule.option));
            chosen = &rule;
        }
    return chosen->what;
}

void check_admitted(mode m, const std::vector<given_option>& given) {
    const mode_rule& rule = rule_of(m);
    for (const given_option& option : given) {
        if (rule.admits & option.bit) continue;
        if (rule.option != nullptr)
            // Translators: a mode's option, what it prints, and the option
            // to leave out, as "--chart prints the chart: leave out --format".
            usage_error(printed(_("%s %s: leave out %s"), rule.option, _(rule.does), option.name));
        std::string modes;
        for (const mode_rule& other : rules)
            if (other.option != nullptr && (other.admits & option.bit))
                modes.append(modes.empty() ? "" : ", ").append(other.option);
        usage_error(printed(_("%s goes with %s"), option.name, modes.c_str()));
    }
}

} // namespace tessary
