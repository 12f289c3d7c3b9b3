#pragma once
#include <string>
#include <vector>

// level speech FILE [--lang en|de|ru|pl] [--game G]: prints the script.
int RunLevelSpeech(const std::vector<std::string>& args);
