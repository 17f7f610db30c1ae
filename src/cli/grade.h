// tessary-key --grade: a class's answers marked against a worksheet's key.
// The files are read and every answer graded before anything is written,
// so that a bad file leaves no half-written marks.
#pragma once

#include "answers/grading.h"

#include <string>

namespace tessary {

struct grade_request {
    const char* key = nullptr;     // the key TSV tessary-sheet --key wrote
    const char* answers = nullptr; // a CSV or TSV table; standard input when nullptr or "-"
    points p;
};

struct graded_class {
    std::string lines;                   // "STUDENT\tN\tVERDICT\tTEXT\n" an answer
    std::vector<student_tally> students; // in the order first met
};

// False on a file that cannot be read or is not as it should be, with the
// message, naming the file and the line, in `error`.
bool grade_class(const grade_request& request, graded_class& graded, std::string& error);

} // namespace tessary
