#pragma once
#include <string>
#include <vector>

class DescriptorServices;
class GameDescriptors;

// The round trip behind the command for one level text: the differences between the world
// read from the text and the world read back from its written form (empty when nothing was
// lost), or one line saying why a read failed. episode and level are the campaign position a
// fresh level file belongs to.
std::vector<std::string> CheckLevelRoundTrip(const std::string& text, int episode, int level,
                                             const GameDescriptors& descriptors,
                                             DescriptorServices* textures);

// The episode and level of a file named "level_EE_LL.xml" (any folder in front); false for
// other names.
bool ParseLevelFileName(const std::string& path, int& episode, int& level);
