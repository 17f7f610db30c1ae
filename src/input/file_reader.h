// Reading files, the same for every face: the window's File > Open truth
// table and tessary-key's --read and --grade read the same bytes the same
// way, with the same limits and the same messages.
#pragma once

#include "logic/boolean_map.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tessary {

// Larger than any class's table or truth table; a file past it is not one.
inline constexpr std::size_t file_limit = 64u << 20;

// Whether `path` means standard input: none, or "-".
bool is_standard_input(const char* path);
// A file's name as messages give it; standard input by that name.
std::string name_of(const char* path);

// A whole file, or standard input for "-". A file must be a regular file
// (never a device, a pipe or a folder, even through a link: nothing waits
// and nothing reads without end) of at most file_limit bytes. False with
// the reason, naming the file, in `error`.
bool read_whole_file(const char* path, std::string& text, std::string& error);

// The maps of a PLA file (a name ending in .pla, in any case) or of a CSV
// truth table (any other name), one for each output, read whole by
// read_whole_file(); false with the reason, naming the file and the line,
// in `error`.
bool read_maps_file(const char* path, std::vector<boolean_map>& maps, std::string& error);
// The same with the names the file gives its inputs and outputs.
struct file_names;
bool read_maps_file(const char* path, std::vector<boolean_map>& maps, file_names& names,
                    std::string& error);

} // namespace tessary
