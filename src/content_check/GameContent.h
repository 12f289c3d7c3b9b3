#pragma once
#include <string>
#include <string_view>

#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "level/DescriptorServices.h"
#include "level/GameDescriptors.h"

// What the content tools answer when the descriptor tables and levels ask for pictures: there
// are none (a run without a window needs no textures).
class NoMedia : public DescriptorServices {
 public:
  bool HasTexture(std::string_view) const override { return false; }
  bool IsMaskTexture(std::string_view) const override { return false; }
  void RegisterIcon(int, std::string_view) override {}
};

// A game folder's tables as the level text commands read them: the files, the strings of one
// language and the descriptor tables, without pictures.
struct GameContent {
  FileSystem fs;
  StringTable strings{fs};
  NoMedia media;
  GameDescriptors descriptors;

  // Mounts the folder's content and language (strict: only that language's folder, no English
  // beneath, so that missing entries show) and loads the descriptor tables and "strings".
  // False with error set when the descriptor tables do not load.
  bool Load(const std::string& gameFolder, const std::string& language, bool strict,
            std::string& error);
};
