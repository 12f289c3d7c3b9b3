// A level's speech script: its lines read with a game folder's content and one language's
// strings, the objects each line wakes, and the faults of the script.
#include "content_check/LevelSpeech.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>

#include "content_check/GameContent.h"
#include "data/StringTable.h"
#include "data/Utf8.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/WorldObject.h"

namespace {

std::string Key(int text) {
  char key[32];
  std::snprintf(key, sizeof key, "dialog_%04d", text);
  return key;
}

// The objects a line wakes one after another: its notify object's trigger-4 line, that
// line's notify and so on; a repeat ends the chain.
std::vector<int> Chain(const SpeechLine& first, const std::map<int, SpeechLine>& wakeable) {
  std::vector<int> chain;
  std::set<int> seen;
  int next = first.notify;
  while (next != 0 && seen.insert(next).second) {
    chain.push_back(next);
    const auto it = wakeable.find(next);
    if (it == wakeable.end()) break;
    next = it->second.notify;
  }
  return chain;
}

}  // namespace

bool CollectLevelSpeech(const std::string& gameFolder, const std::string& levelText,
                        const std::string& language, bool strict, std::vector<ScriptLine>& lines,
                        std::string& error) {
  GameContent content;
  if (!content.Load(gameFolder, language, strict, error)) return false;
  StringTable& strings = content.strings;
  NoMedia& media = content.media;
  GameDescriptors& descriptors = content.descriptors;
  Level level(descriptors, &media);
  if (!level.ReadLevel(levelText)) {
    error = "cannot be read: " + level.readError;
    return false;
  }
  std::vector<std::pair<int, SpeechLine>> found;
  if (level.dialog.text > 0) found.emplace_back(0, level.dialog);
  std::map<int, SpeechLine> wakeable;
  for (const auto& o : level.objects) {
    if (!o->dialog || !o->Has(ObjectFlags::kDialog)) continue;
    found.emplace_back(o->id, *o->dialog);
    if (o->dialog->trigger == 4) wakeable.emplace(o->id, *o->dialog);
  }
  for (const auto& [owner, line] : found) {
    ScriptLine s;
    s.owner = owner;
    s.line = line;
    s.key = Key(line.text);
    if (line.text > 0 && strings.Has(WidenBytes(s.key))) s.text = EncodeUtf8(strings.Get(s.key));
    if (const std::string* name = descriptors.DialogPictureName(line.speaker)) s.speaker = *name;
    s.chain = Chain(line, wakeable);
    lines.push_back(std::move(s));
  }
  return true;
}

std::vector<std::string> SpeechProblems(const std::vector<ScriptLine>& lines,
                                        const std::vector<int>& objectIds,
                                        const std::vector<int>& hudIds,
                                        std::vector<int>* owners) {
  std::vector<std::string> problems;
  const auto has = [](const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
  };
  std::set<int> notified;
  for (const ScriptLine& s : lines) notified.insert(s.line.notify);
  for (const ScriptLine& s : lines) {
    const std::string who =
        s.owner == 0 ? "the level's line" : "the line of object " + std::to_string(s.owner);
    if (s.line.notify != 0 && !has(objectIds, s.line.notify)) {
      problems.push_back(who + ": notify " + std::to_string(s.line.notify) + " names nothing");
    }
    const int t = s.line.target;
    if ((t > 0 && !has(objectIds, t)) || (t < 0 && (t == INT32_MIN || !has(hudIds, -t)))) {
      problems.push_back(who + ": target " + std::to_string(t) + " names nothing");
    }
    const bool woken = s.owner == 0 || (s.line.trigger >= 0 && s.line.trigger <= 3) ||
                       (s.line.trigger == 4 && notified.count(s.owner) != 0);
    if (!woken) problems.push_back(who + ": nothing can wake it");
    if (owners) owners->resize(problems.size(), s.owner);
  }
  return problems;
}
