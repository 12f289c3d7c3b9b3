#pragma once
#include <string>
#include <vector>

// lint GAMEFOLDER [--no-media]: loads a game folder's content through the game's own loaders
// and lists what a content author must fix. Exit code 0 only when nothing was found.
int RunLintCommand(const std::vector<std::string>& args);
