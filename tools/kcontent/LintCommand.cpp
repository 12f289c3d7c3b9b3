// The lint command: the game folder mounted as the game mounts it, the checks run in their
// order, and the problems and warnings printed. The checks themselves live in the Lint*.cpp
// files named in LintRun.h.
#include "kcontent/LintCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "data/Language.h"
#include "data/StringTable.h"
#include "kcontent/LintRun.h"

std::string LintRun::Format(const char* pattern, int value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

void LintRun::Run() {
  fs_.Mount(lint_.folder_ + "/content");
  fs_.Mount(lint_.folder_ + "/music");
  MountLocale(fs_, "en", false, lint_.folder_ + "/");
  folderMedia_ = std::make_unique<FolderMedia>(fs_);

  CheckTableFiles();
  StringTable strings(fs_);
  if (!descriptors_.LoadGameDescriptors(fs_, strings, *folderMedia_)) {
    Problem("content", "the descriptor tables do not load (see the files named above)");
  }
  CheckDescriptors();
  CheckIndicators();
  CheckNames();
  CheckLevels();
  CheckLayouts();
  CheckCastle();
  CheckPuzzles();
}

ContentLint::ContentLint(std::string gameFolder, Options options)
    : folder_(std::move(gameFolder)), options_(options) {}

size_t ContentLint::Run() {
  problems_.clear();
  warnings_.clear();
  notes_.clear();
  media_.clear();
  LintRun(*this).Run();
  return problems_.size();
}

int RunLintCommand(const std::vector<std::string>& args) {
  ContentLint::Options options;
  std::string folder;
  for (const std::string& arg : args) {
    if (arg == "--no-media") {
      options.media = false;
    } else if (folder.empty() && !arg.starts_with("--")) {
      folder = arg;
    } else {
      folder.clear();
      break;
    }
  }
  if (folder.empty()) {
    std::fprintf(stderr, "usage: kcontent lint GAMEFOLDER [--no-media]\n");
    return 2;
  }
  ContentLint lint(folder, options);
  const size_t count = lint.Run();
  for (const std::string& n : lint.Notes()) std::printf("note: %s\n", n.c_str());
  for (const std::string& w : lint.Warnings()) std::printf("warning: %s\n", w.c_str());
  for (const std::string& p : lint.Problems()) std::printf("%s\n", p.c_str());
  if (count == 0) {
    std::printf("%s: clean\n", folder.c_str());
    return 0;
  }
  std::printf("%zu problem%s", count, count == 1 ? "" : "s");
  if (!lint.MissingMedia().empty()) {
    std::printf(" (%zu of them missing textures, sounds, effects or music)",
                lint.MissingMedia().size());
  }
  std::printf("\n");
  return 1;
}
