// Grading a class (see grade.h): the key's maps, the table of answers, and
// a verdict on each answer from the answers library.
#include "cli/grade.h"

#include "cli/streams.h"

#include "input/characters.h"
#include "input/file_reader.h"
#include "input/map_text.h"
#include "input/table.h"
#include "tessary_config.h"
#include "words/words.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unordered_map>

namespace tessary {

namespace {

// A message on a line of a file.
std::string at_line(const char* path, std::size_t line, const std::string& message) {
    // Translators: a message on a line of a file, as "answers.csv: line 3:
    // a quote is not closed".
    return printed(_("%s: line %zu: %s"), name_of(path).c_str(), line, message.c_str());
}

// A row whose cells are all blank: an empty line, or a spreadsheet's
// commas with nothing between them.
bool blank_row(const table_row& row) {
    return std::all_of(row.cells.begin(), row.cells.end(),
                       [](const std::string& cell) { return is_blank(cell); });
}

// The first column of each line of the key, a map: exercise N on line N.
// Blank lines at the end are no exercises.
bool read_key(const char* path, std::vector<boolean_map>& maps, std::string& error) {
    std::string text;
    if (!read_whole_file(path, text, error)) return false;
    std::vector<table_row> rows;
    std::size_t bad_line = 0;
    read_table(text, table_format::tsv, rows, bad_line);
    while (!rows.empty() && blank_row(rows.back())) rows.pop_back();
    for (const table_row& row : rows) {
        boolean_map map;
        std::string why;
        if (!parse_map(row.cells.front(), map, why)) {
            error = at_line(path, row.line, row.cells.front().empty() ? _("no map") : why);
            return false;
        }
        maps.push_back(map);
    }
    if (maps.empty()) error = printed(_("%s: no exercise in the key"), name_of(path).c_str());
    return !maps.empty();
}

table_format format_of_table(const char* path) {
    if (is_standard_input(path)) return table_format::tsv;
    const std::string_view name(path);
    const bool csv = name.size() >= 4 && (name.ends_with(".csv") || name.ends_with(".CSV"));
    return csv ? table_format::csv : table_format::tsv;
}

// Cells past the exercises must be empty: a spreadsheet pads its rows.
bool too_many_answers(const table_row& row, std::size_t exercises) {
    return std::any_of(row.cells.begin() + std::min(row.cells.size(), exercises + 1),
                       row.cells.end(), [](const std::string& cell) { return !cell.empty(); });
}

// The students met so far, by name: where each one's tally is.
using tally_index = std::unordered_map<std::string, std::size_t>;

// Exercise n's answer in a row; none past its last cell.
std::string_view answer_of(const table_row& row, std::size_t n) {
    return n + 1 < row.cells.size() ? std::string_view(row.cells[n + 1]) : std::string_view();
}

student_tally& tally_of(std::vector<student_tally>& students, tally_index& index,
                        const std::string& name) {
    const auto [at, added] = index.try_emplace(name, students.size());
    if (added) students.push_back({name, {}, 0});
    return students[at->second];
}

// A row's lines, one an answer: the student's name on each.
bool write_row(const table_row& row, const class_answers& loaded,
               const std::function<bool(std::string_view)>& write) {
    const std::string& name = row.cells.front();
    std::string line;
    for (std::size_t n = 0; n < loaded.maps.size(); ++n) {
        const graded_answer g = grade_answer(loaded.maps[n], answer_of(row, n), loaded.form);
        line.assign(name).append("\t").append(std::to_string(n + 1)).append("\t");
        line.append(grade_word(g.verdict)).append("\t").append(g.text).append("\n");
        if (!write(line)) return false;
    }
    return true;
}

} // namespace

bool read_class(const grade_request& request, class_answers& loaded, std::string& error) {
    loaded.form = request.form;
    if (!read_key(request.key, loaded.maps, error)) return false;
    std::string text;
    if (!read_whole_file(request.answers, text, error)) return false;
    std::vector<table_row> rows;
    std::size_t bad_line = 0;
    if (!read_table(text, format_of_table(request.answers), rows, bad_line)) {
        error = at_line(request.answers, bad_line, _("a quote is not closed"));
        return false;
    }
    text = std::string(); // the rows hold it now
    const std::size_t exercises = loaded.maps.size();
    bool header_read = false;
    for (table_row& row : rows) {
        if (blank_row(row)) continue;
        // The first row that is not blank names the columns; it may name
        // more than the key has, if no row has answers under them.
        if (!header_read) {
            header_read = true;
            continue;
        }
        if (too_many_answers(row, exercises)) {
            error =
                at_line(request.answers, row.line,
                        printed(P_("more answer columns than the key's %zu exercise",
                                   "more answer columns than the key's %zu exercises", exercises),
                                exercises));
            return false;
        }
        if (row.cells.front().find_first_of("\t\r\n") != std::string::npos) {
            error = at_line(request.answers, row.line,
                            _("the student's name holds a tab or a line break"));
            return false;
        }
        if (!is_utf8(row.cells.front())) {
            error = at_line(request.answers, row.line, _("the student's name is not UTF-8"));
            return false;
        }
        loaded.rows.push_back(std::move(row));
    }
    return true;
}

std::vector<student_tally> tally_class(const class_answers& loaded) {
    std::vector<student_tally> students;
    tally_index index;
    index.reserve(loaded.rows.size());
    for (const table_row& row : loaded.rows) {
        student_tally& tally = tally_of(students, index, row.cells.front());
        for (std::size_t n = 0; n < loaded.maps.size(); ++n) {
            const graded_answer g = grade_answer(loaded.maps[n], answer_of(row, n), loaded.form);
            ++tally.counts[static_cast<std::size_t>(g.verdict)];
            ++tally.answers;
        }
    }
    return students;
}

bool write_graded_lines(const class_answers& loaded,
                        const std::function<bool(std::string_view)>& write) {
    for (const table_row& row : loaded.rows)
        if (!write_row(row, loaded, write)) return false;
    return true;
}

} // namespace tessary
