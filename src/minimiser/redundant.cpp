// Redundant-term elimination: a term is left out of the answer when each of
// its 1-cells is listed by another term that is itself kept.
//
// Terms are examined in table order. Only kept terms vouch for a cell: terms
// already examined carry their final flag and later ones still carry the 0
// they were made with. Two terms that list each other's 1-cells are therefore
// never both dropped, so every 1-cell stays covered by the shown sum.
#include "show.h"

#include <cstring>

namespace tessary {

namespace {

bool listed_by_kept_other(char id, int self) {
    for (int k = 0; k <= last_term; ++k) {
        if (k != self && terms[k].redundant == 0 && std::strchr(terms[k].cell_ids, id) != nullptr)
            return true;
    }
    return false;
}

bool all_ids_listed_elsewhere(int i) {
    for (const char* id = terms[i].cell_ids; *id != '\0'; ++id) {
        if (!listed_by_kept_other(*id, i)) return false;
    }
    return true;
}

} // namespace

void flag_redundant() {
    for (int i = 0; i <= last_term; ++i) terms[i].redundant = all_ids_listed_elsewhere(i) ? 1 : 0;
}

} // namespace tessary
