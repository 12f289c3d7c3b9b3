// The lint command: the checks of content_check/ContentLint.h run over a game folder, and
// their notes, warnings and problems printed.
#include "kcontent/LintCommand.h"

#include <cstdio>

#include "content_check/ContentLint.h"

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
