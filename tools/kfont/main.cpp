// kfont: bakes a bitmap font (".fnt" XML and its page picture) from a TrueType face.
//
//   kfont DESCRIPTION.xml OUT_DIR [--face-dir DIR]
//
// The description is one FontBake element (see FontBaker.h). Characters the face lacks are
// listed on standard error; the font is written all the same.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "kfont/FontBaker.h"

int main(int argc, char** argv) {
  std::string description, outDir, faceDir = "/usr/share/fonts/truetype/dejavu";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--face-dir" && i + 1 < argc)
      faceDir = argv[++i];
    else if (description.empty())
      description = arg;
    else if (outDir.empty())
      outDir = arg;
    else
      description.clear(), i = argc;
  }
  if (description.empty() || outDir.empty()) {
    std::fprintf(stderr, "usage: kfont DESCRIPTION.xml OUT_DIR [--face-dir DIR]\n");
    return 2;
  }
  std::ifstream in(description, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  if (!in) {
    std::fprintf(stderr, "kfont: cannot read %s\n", description.c_str());
    return 1;
  }
  kfont::BakeSettings settings;
  std::string error;
  if (!kfont::ReadDescription(text.str(), faceDir, settings, error) ||
      !kfont::BakeToFolder(settings, outDir, error)) {
    std::fprintf(stderr, "kfont: %s: %s\n", description.c_str(), error.c_str());
    return 1;
  }
  return 0;
}
