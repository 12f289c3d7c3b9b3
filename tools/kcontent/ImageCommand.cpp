#include "kcontent/ImageCommand.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace kcontent {

namespace {

// How far transparent pixels take the colour of their visible neighbours: enough for
// filtering at any scale the game draws with.
constexpr int kBleedPasses = 8;

bool ParseInt(const std::string& text, int& value) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < -1000000 || v > 1000000) return false;
  value = int(v);
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: kcontent image IN.png OUT.{zif,jpa,jpg,png} [--format "
               "8888|4444|1555|565|888]\n"
               "                      [--quality N] [--pad pow2|none] [--half] [--wide] "
               "[--no-bleed]\n");
  return 2;
}

}  // namespace

bool TextureKindOf(const std::string& path, TextureKind& kind) {
  const std::string ext = std::filesystem::path(path).extension().string();
  if (ext == ".zif") {
    kind = TextureKind::Zif;
  } else if (ext == ".jpa") {
    kind = TextureKind::Jpa;
  } else if (ext == ".jpg" || ext == ".jpeg") {
    kind = TextureKind::Jpg;
  } else if (ext == ".png") {
    kind = TextureKind::Png;
  } else {
    return false;
  }
  return true;
}

bool EncodeTexture(RgbaImage image, const ImageJob& job, std::vector<uint8_t>& bytes,
                   std::string& error) {
  if (job.half) image = HalveImage(image);
  if (job.wide && WideScale(image.width, image.height) == 0) {
    error = "a wide background must be 1280x768 or 2560x1536, not " + std::to_string(image.width) +
            "x" + std::to_string(image.height);
    return false;
  }
  // Before the packing, so that unused texture space stays zero. A jpg keeps no alpha, so
  // what lies under transparent pixels does not matter there.
  if (job.bleed && job.kind != TextureKind::Jpg && image.HasTransparency()) {
    BleedTransparentColours(image, kBleedPasses);
  }
  if (job.wide) image = PackWide(image);
  switch (job.kind) {
    case TextureKind::Zif: {
      ZifOptions options;
      options.format = job.format;
      options.packedWide = job.wide;
      if (job.padPowerOfTwo) {
        options.textureWidth = NextPowerOfTwo(image.width);
        options.textureHeight = NextPowerOfTwo(image.height);
      }
      return EncodeZif(image, options, bytes, error);
    }
    case TextureKind::Jpa:
      return EncodeJpa(image, job.quality, bytes, error);
    case TextureKind::Jpg:
      return EncodeJpeg(image, job.quality, bytes, error);
    case TextureKind::Png:
      return EncodePng(image, !image.HasTransparency(), bytes, error);
  }
  return false;
}

int RunImageCommand(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  ImageJob job;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--format" && hasValue) {
      if (!ParseZifFormat(args[++i], job.format)) {
        std::fprintf(stderr, "kcontent image: unknown format '%s'\n", args[i].c_str());
        return 2;
      }
    } else if (a == "--quality" && hasValue) {
      if (!ParseInt(args[++i], job.quality) || job.quality < 1 || job.quality > 100) {
        std::fprintf(stderr, "kcontent image: quality must be 1..100\n");
        return 2;
      }
    } else if (a == "--pad" && hasValue) {
      const std::string& v = args[++i];
      if (v != "pow2" && v != "none") return Usage();
      job.padPowerOfTwo = v == "pow2";
    } else if (a == "--half") {
      job.half = true;
    } else if (a == "--wide") {
      job.wide = true;
    } else if (a == "--no-bleed") {
      job.bleed = false;
    } else if (a.starts_with("--")) {
      std::fprintf(stderr, "kcontent image: unknown option '%s'\n", a.c_str());
      return Usage();
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return Usage();
  if (!TextureKindOf(files[1], job.kind)) {
    std::fprintf(stderr, "kcontent image: '%s' is not a .zif, .jpa, .jpg or .png file\n",
                 files[1].c_str());
    return 2;
  }

  std::string error;
  RgbaImage image;
  if (!LoadPng(files[0], image, error)) {
    std::fprintf(stderr, "kcontent image: %s\n", error.c_str());
    return 1;
  }
  if (job.kind == TextureKind::Jpg && image.HasTransparency()) {
    std::fprintf(stderr, "kcontent image: warning: '%s' has transparency; a jpg drops it\n",
                 files[0].c_str());
  }
  std::vector<uint8_t> bytes;
  if (!EncodeTexture(std::move(image), job, bytes, error) ||
      !WriteFileAtomically(files[1], bytes, error)) {
    std::fprintf(stderr, "kcontent image: %s: %s\n", files[0].c_str(), error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace kcontent
