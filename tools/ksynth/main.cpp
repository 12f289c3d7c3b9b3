// ksynth DESCRIPTION OUTPUT.ogg
//
// Synthesises the sound a description file gives (see ScoreParser.h for the format) and
// writes it as Ogg Vorbis. The output is written to a temporary file first and renamed, so
// an interrupted build never leaves a half-written sound behind.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ksynth/Synthesize.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: ksynth DESCRIPTION OUTPUT.ogg\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "ksynth: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<uint8_t> ogg;
  std::string error;
  if (!ksynth::Synthesize(text, ogg, error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  const std::filesystem::path target(argv[2]);
  std::error_code ec;
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
  const std::filesystem::path temporary = target.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(ogg.data()), std::streamsize(ogg.size()));
    if (!out.flush()) {
      std::fprintf(stderr, "ksynth: cannot write %s\n", temporary.c_str());
      return 1;
    }
  }
  std::filesystem::rename(temporary, target, ec);
  if (ec) {
    std::fprintf(stderr, "ksynth: cannot write %s: %s\n", argv[2], ec.message().c_str());
    std::filesystem::remove(temporary, ec);
    return 1;
  }
  return 0;
}
