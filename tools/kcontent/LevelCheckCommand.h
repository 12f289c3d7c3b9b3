#pragma once
#include <string>
#include <vector>

// level check FILE [--game GAMEFOLDER]: reads a level file, writes it, reads the result again
// and compares the two worlds. Exit code 0 when nothing was lost. With a game folder the
// folder's descriptor tables are loaded first, as the game would have them.
int RunLevelCommand(const std::vector<std::string>& args);
