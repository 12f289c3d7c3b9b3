#include "kcontent/LevelSpeechCommand.h"

#include <cstdio>
#include <string>

#include "content_check/LevelSpeech.h"
#include "kcontent/LevelHintsCommand.h"

namespace {

std::string Trigger(int trigger) {
  switch (trigger) {
    case 0:
      return "reachable";
    case 1:
      return "ready";
    case 2:
      return "work";
    case 3:
      return "done";
    case 4:
      return "continue";
    default:
      return "never";
  }
}

}  // namespace

int RunLevelSpeech(const std::vector<std::string>& args) {
  LevelTextRequest request;
  if (const int status = ReadLevelTextRequest(args, "speech", request); status != 0) return status;
  std::vector<ScriptLine> lines;
  std::string error;
  if (!CollectLevelSpeech(request.gameFolder, request.text, request.language, false, lines,
                          error)) {
    std::fprintf(stderr, "kcontent level speech: %s: %s\n", request.file.c_str(),
                 error.c_str());
    return 1;
  }
  for (const ScriptLine& s : lines) {
    const SpeechLine& l = s.line;
    std::string chain;
    for (const int id : s.chain) chain += (chain.empty() ? "" : " > ") + std::to_string(id);
    const std::string trigger =
        s.owner == 0 ? "load" : Trigger(l.trigger) + (" (" + std::to_string(l.trigger) + ")");
    std::printf("%s: on %s, %s, kind %d, delay %d s, arrow %d, wakes %s\n  %s: %s\n",
                s.owner == 0 ? "level" : std::to_string(s.owner).c_str(), trigger.c_str(),
                s.speaker.empty() ? "(no speaker)" : s.speaker.c_str(), l.kind, l.delay, l.target,
                chain.empty() ? "nobody" : chain.c_str(), s.key.c_str(),
                s.text.empty() ? "(missing)" : s.text.c_str());
  }
  return 0;
}
