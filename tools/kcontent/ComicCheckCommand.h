#pragma once
#include <string>
#include <vector>

// `kcontent comic check N|all [--game G]`: what keeps a comic from showing as written, in
// each of the four languages.
//
// The problems of comic `number` in the game folder, one line each: layers whose texture has
// no picture, events that name no layer or tag, unknown event types and eases, the title and
// subtitles missing in a language, voice events without a file, no "finish", and voice lines
// that last longer than the time to the next voice or the finish. A missing or malformed
// description is one problem.
std::vector<std::string> ComicProblems(const std::string& gameFolder, int number);
// The numbers of the comics the game folder describes (com_N_desc.xml), ascending.
std::vector<int> ComicNumbers(const std::string& gameFolder);
int RunComicCommand(const std::vector<std::string>& args);
