#pragma once
#include <string>
#include <string_view>
#include <vector>

// The lines of "precache.txt": every line ends with LF or CR LF; an empty line is an empty
// entry; text after the last line end is ignored.
std::vector<std::string> ParsePrecacheList(std::string_view text);
