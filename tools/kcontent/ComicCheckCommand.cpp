#include "kcontent/ComicCheckCommand.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>

#include "data/ComicDescription.h"
#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "sound/OggDecoder.h"

namespace {

constexpr const char* kLanguages[] = {"en", "de", "ru", "pl"};
// The picture files the texture manager looks for, each also as the packed "_NAME_comp".
constexpr const char* kImageExtensions[] = {".zif", ".webp", ".jpa", ".jpg", ".png", ".tga"};

std::string Printed(const char* pattern, int a, int b = 0) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, a, b);
  return text;
}

bool HasPicture(const FileSystem& files, const std::string& tex) {
  if (tex.empty()) return false;
  for (const char* ext : kImageExtensions) {
    if (files.Find(tex + ext) || files.Find("_" + tex + "_comp" + ext)) return true;
  }
  return false;
}

// The content as the game mounts it in English, and each language's own string files.
struct Mounted {
  explicit Mounted(const std::string& folder) {
    for (const char* sub : {"content", "music", "content_hd", "locale/en"}) {
      files.Mount(folder + "/" + sub);
    }
    for (const char* language : kLanguages) {
      auto fs = std::make_unique<FileSystem>();
      fs->Mount(folder + "/locale/" + language);
      auto table = std::make_unique<StringTable>(*fs);
      table->Load("strings");
      table->Load("comics_text");
      languageFiles.push_back(std::move(fs));
      strings.push_back(std::move(table));
    }
  }
  FileSystem files;
  std::vector<std::unique_ptr<FileSystem>> languageFiles;
  std::vector<std::unique_ptr<StringTable>> strings;
};

// Seconds of sound in the file; negative when it cannot be decoded.
double Seconds(FileSystem& files, const std::string& file) {
  OggDecoder decoder;
  if (!decoder.Open(files, file) || decoder.Rate() <= 0) return -1.0;
  const int64_t samples = decoder.TotalSamples();
  return samples < 0 ? -1.0 : double(samples) / decoder.Rate();
}

}  // namespace

std::vector<std::string> ComicProblems(const std::string& gameFolder, int number) {
  std::vector<std::string> problems;
  Mounted m(gameFolder);
  ComicDescription comic;
  const std::string file = ComicDescription::FileName(number) + ".xml";
  if (!m.files.Find(file)) return {"no file " + file};
  if (!comic.Load(m.files, number)) return {file + " is not a comic description (root ComicsDesc)"};

  for (const ComicLayer& layer : comic.layers) {
    if (!HasPicture(m.files, layer.tex)) {
      problems.push_back("layer " + (layer.tex.empty() ? "(no tex)" : layer.tex) +
                         ": no picture of that name");
    }
  }
  for (const ComicTag& tag : comic.tags) {
    for (const std::string& tex : tag.layers) {
      if (!comic.HasLayer(tex)) problems.push_back("tag " + tag.name + ": no layer " + tex);
    }
  }
  int texts = 0, voices = 0;
  bool finish = false;
  // (time, voice number) of each voice event, and the finish's time.
  std::vector<std::pair<float, int>> voiceTimes;
  float finishTime = -1.0f;
  for (const ComicEvent& e : comic.events) {
    char at[64];
    std::snprintf(at, sizeof at, "event at %.0f ms", double(e.time));
    if (e.type == ComicEventType::Unknown) {
      problems.push_back(std::string(at) + ": unknown type \"" + e.typeWord + "\"");
    }
    if (!e.easeWord.empty() && e.easeWord != "sqr" && e.easeWord != "sqrt" &&
        e.easeWord != "linear") {
      problems.push_back(std::string(at) + ": unknown ease \"" + e.easeWord + "\" (runs linearly)");
    }
    switch (e.type) {
      case ComicEventType::Pos:
      case ComicEventType::Scale:
      case ComicEventType::Alpha:
        if (!comic.FindTag(e.layer) && !comic.HasLayer(e.layer)) {
          problems.push_back(std::string(at) + ": " + e.typeWord + " names no layer or tag \"" + e.layer +
                             "\"");
        }
        break;
      case ComicEventType::Text:
        ++texts;
        break;
      case ComicEventType::Voice:
        voiceTimes.emplace_back(e.time, ++voices);
        break;
      case ComicEventType::Finish:
        if (!finish || e.time < finishTime) finishTime = e.time;
        finish = true;
        break;
      case ComicEventType::Shake:
      case ComicEventType::Unknown:
        break;
    }
  }
  if (!finish) problems.push_back("no finish: the comic runs until it is skipped");

  for (size_t l = 0; l < m.strings.size(); ++l) {
    const StringTable& table = *m.strings[l];
    const std::string language = kLanguages[l];
    const std::string title = Printed("comics_name_%02d", number);
    if (!table.Has(std::u16string(title.begin(), title.end()))) {
      problems.push_back(language + ": no title " + title);
    }
    for (int k = 1; k <= texts; ++k) {
      const std::string key = Printed("comics_subtitle_%02d_%d", number, k);
      if (!table.Has(std::u16string(key.begin(), key.end()))) {
        problems.push_back(language + ": no subtitle " + key);
      }
    }
  }

  // Voice events in the order they fire.
  std::stable_sort(voiceTimes.begin(), voiceTimes.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < voiceTimes.size(); ++i) {
    const auto [time, k] = voiceTimes[i];
    const std::string name = Printed("comics_%02d_%d", number, k) + ".ogg";
    if (!m.files.Find(name)) {
      problems.push_back("voice " + std::to_string(k) + ": no file " + name);
      continue;
    }
    const double seconds = Seconds(m.files, name);
    if (seconds < 0) {
      problems.push_back("voice " + std::to_string(k) + ": " + name + " does not decode");
      continue;
    }
    float next = finish && finishTime >= time ? finishTime : -1.0f;
    if (i + 1 < voiceTimes.size()) {
      next = next < 0 ? voiceTimes[i + 1].first : std::min(next, voiceTimes[i + 1].first);
    }
    if (next >= 0 && seconds * 1000.0 > double(next - time)) {
      char text[160];
      std::snprintf(text, sizeof text, "voice %d: %s lasts %.0f ms, %.0f ms until the next voice or the finish",
                    k, name.c_str(), seconds * 1000.0, double(next - time));
      problems.push_back(text);
    }
  }
  return problems;
}

std::vector<int> ComicNumbers(const std::string& gameFolder) {
  Mounted m(gameFolder);
  std::vector<int> numbers;
  for (const FileInfo& info : m.files.List("", "com_")) {
    const std::string& key = info.key;
    if (!key.starts_with("com_") || !key.ends_with("_desc.xml")) continue;
    const std::string digits = key.substr(4, key.size() - 4 - 9);
    int n = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (error == std::errc() && end == digits.data() + digits.size() && n > 0) {
      numbers.push_back(n);
    }
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

int RunComicCommand(const std::vector<std::string>& args) {
  auto usage = [] {
    std::fprintf(stderr, "usage: kcontent comic check N|all [--game G]\n");
    return 2;
  };
  if (args.size() != 2 && args.size() != 4) return usage();
  if (args[0] != "check") return usage();
  std::string gameFolder = ".";
  if (args.size() == 4) {
    if (args[2] != "--game") return usage();
    gameFolder = args[3];
  }
  std::vector<int> numbers;
  if (args[1] == "all") {
    numbers = ComicNumbers(gameFolder);
    if (numbers.empty()) {
      std::fprintf(stderr, "kcontent comic check: no comics in %s\n", gameFolder.c_str());
      return 1;
    }
  } else {
    int n = 0;
    const std::string& text = args[1];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size() || n < 1) return usage();
    numbers.push_back(n);
  }
  int failed = 0;
  for (const int n : numbers) {
    const std::vector<std::string> problems = ComicProblems(gameFolder, n);
    for (const std::string& p : problems) std::printf("comic %d: %s\n", n, p.c_str());
    if (problems.empty()) std::printf("comic %d: fine\n", n);
    failed += problems.empty() ? 0 : 1;
  }
  return failed ? 1 : 0;
}
