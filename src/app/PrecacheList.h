#pragma once
#include <string>
#include <string_view>
#include <vector>

// The lines of "precache.txt": every line ends with CR LF; an empty line is an empty entry;
// text after the last CR LF is ignored.
std::vector<std::string> ParsePrecacheList(std::string_view text);
