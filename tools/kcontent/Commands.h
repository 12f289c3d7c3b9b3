#pragma once
#include <string>
#include <vector>

// The commands of the content tool. Each lives in its own source file and is listed in the
// command table of main.cpp; it gets the arguments after its name and returns the exit code
// (0 done, 1 failed, 2 wrong arguments), printing its own messages.

// pak FOLDER OUT.pak
int RunPakCommand(const std::vector<std::string>& args);
