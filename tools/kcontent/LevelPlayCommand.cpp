#include "kcontent/LevelPlayCommand.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>

#include "base/Random.h"
#include "data/FileSystem.h"
#include "data/Language.h"
#include "data/StringTable.h"
#include "content_check/GameContent.h"
#include "content_check/LevelRoundTrip.h"
#include "level/DescriptorServices.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "level/HeadlessLevelScreen.h"
#include "level/Level.h"
#include "level/LevelBot.h"
#include "level/LevelSounds.h"

namespace {

// Sounds are printed with --trace (with the frame they were played in) and otherwise ignored.
class TracedSounds : public LevelSounds {
 public:
  bool trace = false;
  long long tick = 0;
  void Play(std::string_view name) override {
    if (trace) std::printf("%lld: sound %.*s\n", tick, int(name.size()), name.data());
  }
};

struct Options {
  std::string file, game, record, replay, write;
  bool bot = false, trace = false;
  long long seconds = 3600;
  int difficulty = 1;
  long long seed = 1;
  int step = 10;
};

bool Number(const std::string& text, long long& value, long long low, long long high) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

bool Parse(const std::vector<std::string>& args, Options& o) {
  if (args.size() < 2 || args[0] != "play") return false;
  o.file = args[1];
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    long long v = 0;
    if (a == "--bot") {
      o.bot = true;
    } else if (a == "--trace") {
      o.trace = true;
    } else if (a == "--seconds" && hasValue && Number(args[++i], v, 0, 1000000)) {
      o.seconds = v;
    } else if (a == "--difficulty" && hasValue && Number(args[++i], v, 0, 2)) {
      o.difficulty = int(v);
    } else if (a == "--seed" && hasValue && Number(args[++i], v, 0, 0xFFFFFFFFll)) {
      o.seed = v;
    } else if (a == "--step" && hasValue && Number(args[++i], v, 1, 100)) {
      o.step = int(v);
    } else if (a == "--record" && hasValue) {
      o.record = args[++i];
    } else if (a == "--replay" && hasValue) {
      o.replay = args[++i];
    } else if (a == "--write" && hasValue) {
      o.write = args[++i];
    } else if (a == "--game" && hasValue) {
      o.game = args[++i];
    } else {
      return false;
    }
  }
  return true;
}

// The game folder of a level file inside ".../content/levels/".
struct Click {
  long long tick = 0;
  Vec2 at;
};

bool ReadReplay(const std::string& path, std::vector<Click>& clicks) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    Click c;
    if (fields >> c.tick >> c.at.x >> c.at.y) clicks.push_back(c);
  }
  return true;
}

std::string Triple(const std::array<int, 3>& v) {
  return "[" + std::to_string(v[0]) + "," + std::to_string(v[1]) + "," + std::to_string(v[2]) + "]";
}

// Mini-game levels add whether they were lost, the hits the hero has left and the phases
// still to play.
std::string MiniGameJson(const GameController& game) {
  if (game.level.mode != LevelMode::MiniGame) return {};
  return std::string(",\"lost\":") + (game.end.lost ? "true" : "false") +
         ",\"hits_left\":" + std::to_string(game.miniGame.HitsLeft()) +
         ",\"phases_left\":" + std::to_string(game.miniGame.PhasesLeft());
}

std::string ResultJson(const GameController& game, const HeadlessLevelScreen& screen) {
  const Level& l = game.level;
  const LevelResult r = screen.result.value_or(LevelResult{});
  std::string trophies = "[";
  std::vector<int> seen;
  for (const int t : screen.achievements) {
    if (std::find(seen.begin(), seen.end(), t) != seen.end()) continue;
    trophies += (seen.empty() ? "" : ",") + std::to_string(t);
    seen.push_back(t);
  }
  trophies += "]";
  return std::string("{\"won\":") + (screen.result && r.won ? "true" : "false") +
         ",\"game_ms\":" + std::to_string(l.gameTime) +
         ",\"timer_ms\":" + std::to_string(screen.LevelTimerElapsed()) +
         ",\"medal\":" + std::to_string(screen.result ? r.medal : -1) +
         ",\"stars\":" + std::to_string(r.stars) + ",\"score\":" + std::to_string(r.score) +
         ",\"resources\":" + Triple(l.resources) + ",\"collected\":" + Triple(l.collected) +
         ",\"trophies\":" + trophies + MiniGameJson(game) + "}";
}

}  // namespace

std::string GameFolderOf(const std::string& file) {
  const size_t at = file.rfind("content/levels/");
  if (at == std::string::npos) return ".";
  return at == 0 ? "." : file.substr(0, at - 1);
}

int RunLevelPlay(const std::vector<std::string>& args) { return PlayLevel(args, nullptr, false); }

int PlayLevel(const std::vector<std::string>& args, LevelPlayStats* stats, bool quiet) {
  Options o;
  if (!Parse(args, o)) {
    std::fprintf(
        stderr,
        "usage: kcontent level play FILE [--bot] [--seconds N] [--difficulty 0-2] "
        "[--seed N] [--step MS] [--record F] [--replay F] [--trace] [--write F] [--game G]\n");
    return 2;
  }
  std::ifstream in(o.file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "kcontent level play: cannot open %s\n", o.file.c_str());
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<Click> replay;
  if (!o.replay.empty() && !ReadReplay(o.replay, replay)) {
    std::fprintf(stderr, "kcontent level play: cannot open %s\n", o.replay.c_str());
    return 1;
  }

  FileSystem fs;
  const std::string gameFolder = o.game.empty() ? GameFolderOf(o.file) : o.game;
  fs.Mount(gameFolder + "/content");
  MountLocale(fs, "en", false, gameFolder + "/");
  StringTable strings(fs);
  NoMedia media;
  GameDescriptors descriptors;
  if (!descriptors.LoadGameDescriptors(fs, strings, media)) {
    std::fprintf(stderr, "kcontent level play: the descriptor tables of %s do not load\n",
                 gameFolder.c_str());
    return 1;
  }
  const GameSettings settings = GameSettings::LoadGameSettings(fs);
  Level level(descriptors, &media);
  int episode = 0, number = 0;
  if (ParseLevelFileName(o.file, episode, number)) {
    level.episode = episode;
    level.levelNumber = number;
  }
  SeedRandom(uint32_t(o.seed));
  if (!level.ReadLevel(text)) {
    std::fprintf(stderr, "kcontent level play: %s cannot be read: %s\n", o.file.c_str(),
                 level.readError.c_str());
    return 1;
  }
  HeadlessLevelScreen screen;
  screen.difficulty = o.difficulty;
  screen.StartTimer(level.timeNorm, level.state == LevelState::Saved ? level.levelTime : 0);
  TracedSounds sounds;
  sounds.trace = o.trace;
  GameController game(level, settings, screen, &sounds);
  game.Begin();
  LevelBot bot(game);

  std::ofstream record;
  if (!o.record.empty()) record.open(o.record);
  const long long limitMs = o.seconds * 1000;
  size_t nextReplay = 0, logged = 0;
  long long tick = 0, elapsed = 0;
  for (; elapsed < limitMs && !screen.resultShown; ++tick, elapsed += o.step) {
    sounds.tick = tick;
    std::optional<Vec2> click;
    if (nextReplay < replay.size() && replay[nextReplay].tick == tick) {
      click = replay[nextReplay++].at;
    } else if (o.bot && o.replay.empty()) {
      click = bot.Decide(float(o.step));
    }
    if (click) {
      if (record) record << tick << ' ' << click->x << ' ' << click->y << '\n';
      if (o.trace) std::printf("%lld: click %.1f,%.1f\n", tick, click->x, click->y);
      LevelBot::ClickAt(game, *click);
      bot.AfterClick();
    }
    game.Frame(float(o.step));
    while (nextReplay < replay.size() && replay[nextReplay].tick <= tick) ++nextReplay;
    if (o.trace) {
      for (; logged < screen.log.size(); ++logged) {
        std::printf("%lld: %s\n", tick, screen.log[logged].c_str());
      }
    }
  }
  if (!o.write.empty()) {
    std::ofstream out(o.write, std::ios::binary);
    out << level.WriteLevel();
    if (!out) {
      std::fprintf(stderr, "kcontent level play: cannot write %s\n", o.write.c_str());
      return 1;
    }
  }
  if (stats) *stats = LevelPlayStats{level.gameTime, tick};
  if (!quiet) std::printf("%s\n", ResultJson(game, screen).c_str());
  return 0;
}
