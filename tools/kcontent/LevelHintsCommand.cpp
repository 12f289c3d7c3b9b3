#include "kcontent/LevelHintsCommand.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "content_check/LevelHints.h"
#include "kcontent/LevelPlayCommand.h"

int ReadLevelTextRequest(const std::vector<std::string>& args, const std::string& command,
                         LevelTextRequest& request) {
  bool ok = args.size() >= 2 && args[0] == command;
  if (ok) request.file = args[1];
  for (size_t i = 2; ok && i < args.size(); i += 2) {
    if (i + 1 >= args.size()) {
      ok = false;
    } else if (args[i] == "--lang") {
      request.language = args[i + 1];
      ok = request.language == "en" || request.language == "de" || request.language == "ru" ||
           request.language == "pl";
    } else if (args[i] == "--game") {
      request.gameFolder = args[i + 1];
    } else {
      ok = false;
    }
  }
  if (!ok) {
    std::fprintf(stderr, "usage: kcontent level %s FILE [--lang en|de|ru|pl] [--game G]\n",
                 command.c_str());
    return 2;
  }
  std::ifstream in(request.file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "kcontent level %s: cannot open %s\n", command.c_str(),
                 request.file.c_str());
    return 1;
  }
  request.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (request.gameFolder.empty()) request.gameFolder = GameFolderOf(request.file);
  return 0;
}

int RunLevelHints(const std::vector<std::string>& args) {
  LevelTextRequest request;
  if (const int status = ReadLevelTextRequest(args, "hints", request); status != 0) return status;
  std::vector<LevelHint> hints;
  std::string error;
  if (!CollectLevelHints(request.gameFolder, request.text, request.language, false, hints,
                         error)) {
    std::fprintf(stderr, "kcontent level hints: %s: %s\n", request.file.c_str(), error.c_str());
    return 1;
  }
  for (const LevelHint& h : hints) std::printf("%d: %s\n", h.id, h.text.c_str());
  return 0;
}
