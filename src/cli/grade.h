// tessary-key --grade: a class's answers marked against a worksheet's key.
// The files are read and checked whole before anything is written, so that
// a bad file leaves no half-written marks; then the lines are written as
// they are made.
#pragma once

#include "answers/grading.h"
#include "input/table.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

struct grade_request {
    const char* key = nullptr;     // the key TSV tessary-sheet --key wrote
    const char* answers = nullptr; // a CSV or TSV table; standard input when nullptr or "-"
    points p;
    answer_form form = answer_form::minimal; // the key's: see grade_answer()
};

// A class read and checked whole: the key's maps and the students' rows
// (the header and blank rows left out).
struct class_answers {
    std::vector<boolean_map> maps;
    std::vector<table_row> rows;
    answer_form form = answer_form::minimal;
};

// False on a file that cannot be read or is not as it should be, with the
// message, naming the file and the line, in `error`.
bool read_class(const grade_request& request, class_answers& loaded, std::string& error);

// Each student's answers counted, in the order first met.
std::vector<student_tally> tally_class(const class_answers& loaded);

// The graded lines, "STUDENT\tN\tVERDICT\tTEXT\n" an answer, each given to
// `write` as it is made, so that memory follows the class, not the output;
// false as soon as `write` is.
bool write_graded_lines(const class_answers& loaded,
                        const std::function<bool(std::string_view)>& write);

} // namespace tessary
