// A worksheet's exercises as a Moodle XML quiz, which Moodle imports into
// its question bank: for each map, a multiple choice of four expressions,
// three numerical questions (the primes, the essential ones, the literals of
// a minimum) and, where a prime is essential, a multiple choice with several
// right answers; each shows the map as an embedded picture, and its general
// feedback the key's picture and the answer. The words are the reader's.
#pragma once

#include "teach/quiz.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessary {

struct quiz_exercise {
    std::size_t number; // from 1, as on the sheet
    map_quiz quiz;
    std::string map_png, key_png; // the two pictures, as the bytes of PNG files
};

// The whole file, its questions in one category that names the seed. Kept
// to Moodle's importer: the XML declaration on line 1, root <quiz>, each
// picture a <file> beside the <text> that shows it, every fraction one of
// Moodle's grades. The same exercises give the same bytes.
std::string moodle_quiz(const std::vector<quiz_exercise>& exercises, std::uint64_t seed);

// Moodle's grade for `right` right answers of a multiple choice, each the
// same share of 100 ("33.33333"), and the penalty each of `wrong` wrong
// ones carries so that ticking every option scores 0 or less ("-50").
std::string share_of(int right);
std::string penalty_for(int right, int wrong);

} // namespace tessary
