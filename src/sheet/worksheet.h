// Worksheets: maps drawn at random from a seed, to the teacher's terms, and
// the PDF of their exercises and answer key. The same options and seed give
// the same maps and the same bytes, on every machine.
#pragma once

#include "answers/answers.h"
#include "logic/boolean_map.h"
#include "render/picture_files.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessary {

enum class paper_size { a4, letter };

struct sheet_options {
    int count = 12; // exercises, 1 to 200
    std::uint64_t seed = 0;
    int dont_care_percent = 0;        // share of each map's cells that are X, 0 to 50
    int min_terms = 2, max_terms = 5; // of each map's minimum sum of products, 1 to 8
    key_choice answers = key_choice::minimal;
    paper_size paper = paper_size::a4;
    bool numbers = false;                    // each cell's minterm number in its corner
    map_layout layout = map_layout::cd_rows; // which variables head the rows
    // The cells an answer does not loop left empty on the exercise pages:
    // the 0-cells, or the 1-cells where the answers are products of sums.
    bool blank_zeros = false;
};

// A short code made from the options and the seed ("7KQ2-MX4P"), printed on
// the sheet and on its key so that a teacher matches them: the sheet does
// not print the seed, from which a student could make the key.
std::string sheet_code(const sheet_options& options);

// The number of don't-care cells of each map: the share, rounded.
int dont_care_cells(int percent);

// `count` different maps, each with a 1-cell and a 0-cell, its share of
// don't-cares and a minimum sum of products of min_terms to max_terms
// terms. False, with a message, when the terms asked for are too rare to
// find that many different maps.
bool make_maps(const sheet_options& options, std::vector<boolean_map>& maps, std::string& error);

// The key as text: for each map, the map as tessary-key reads it, a tab and
// the answer as tessary-key prints it in that form (for both: the shown
// answer, a tab, the minimum).
std::string key_lines(const std::vector<boolean_map>& maps, key_choice choice);

// The exercise pages, and after them the key pages `with_key`, as a PDF or
// a LaTeX document (each page one tikzpicture, the PDF's pages) into `file`
// (which the caller commits). The exercise pages have the class's heading,
// a Name and Date line and the instructions, and under each map ruled lines
// that hold the longest answer of the sheet; every page has the sheet's
// code and its number in the footer, counted within its part ("Page 1 of
// 2", "Key page 1 of 2"). The key pages also give the seed, the command
// that makes the sheet again and the one that grades a class's answers. The maps are drawn large
// enough to write in, the key's at the exercises' scale where their captions leave room (a little
// smaller where not), as many to a page as the exercises and in their columns.
bool write_sheet(pending_file& file, picture_format format, const std::vector<boolean_map>& maps,
                 const sheet_options& options, bool with_key, std::string& error);

// The exercises as a Moodle XML quiz into `file`, for --answers minimal or
// pos: the options of each map drawn from the seed.
bool write_quiz(pending_file& file, const std::vector<boolean_map>& maps,
                const sheet_options& options, std::string& error);

// The key pages alone, as a document of their own.
bool write_key_pages(pending_file& file, picture_format format,
                     const std::vector<boolean_map>& maps, const sheet_options& options,
                     std::string& error);

} // namespace tessary
