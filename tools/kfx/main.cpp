// kfx: compiles a readable effect description into a ".pyro" effect file.
//
//   kfx EFFECT.xml OUT.pyro
//
// Texture files named by the description are read relative to its folder.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "EffectCompiler.h"

namespace {

std::optional<std::vector<uint8_t>> ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kfx EFFECT.xml OUT.pyro\n");
    return 2;
  }
  const std::filesystem::path source = argv[1];
  const auto text = ReadAll(source);
  if (!text) {
    std::fprintf(stderr, "kfx: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::filesystem::path folder = source.parent_path();
  std::string error;
  const auto desc = kfx::CompileEffect(
      std::string_view(reinterpret_cast<const char*>(text->data()), text->size()),
      [&](const std::string& name) { return ReadAll(folder / name); }, error);
  if (!desc) {
    std::fprintf(stderr, "kfx: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  const std::vector<uint8_t> bytes = PyroParticles::WritePyro(*desc);
  const std::filesystem::path out = argv[2];
  if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path());
  const std::filesystem::path temp = out.string() + ".tmp";
  {
    std::ofstream file(temp, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file) {
      std::fprintf(stderr, "kfx: cannot write %s\n", argv[2]);
      return 1;
    }
  }
  std::filesystem::rename(temp, out);
  return 0;
}
