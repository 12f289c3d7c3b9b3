#include "kcontent/CampaignCommand.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "base/DataFiles.h"
#include "data/Utf8.h"
#include "content_check/GameContent.h"
#include "content_check/LevelRoundTrip.h"
#include "kcontent/LevelPlayCommand.h"
#include "level/BotRun.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "level/Level.h"
#include "level/MedalRule.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLimitSeconds = 3600;
constexpr int kMaxClicks = 250;
constexpr double kBand = 0.01;  // how far below its target a level's share may lie
constexpr const char* kBegin = "<!-- campaign-table:begin -->";
constexpr const char* kEnd = "<!-- campaign-table:end -->";

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool WriteFile(const std::string& path, const std::string& text) {
  return base::WriteFileAtomically(
      path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

// The game's tables and strings, as the level player loads them, and its settings.
struct Content {
  GameContent game;
  GameSettings settings;
  bool loaded = false;

  explicit Content(const std::string& folder) {
    std::string error;
    loaded = game.Load(folder, "en", false, error);
    settings = GameSettings::LoadGameSettings(game.fs);
  }
};

// One level measured.
struct Measured {
  int episode = 0, level = 0;
  bool miniGame = false;
  BotRun casual, expert;
  MedalTimes rule;          // what the rule gives for the expert run
  MedalTimes file;          // what the file holds
  std::string name, introduces;
};

// The value of an attribute of the level element (the first "<level " of the text).
std::optional<std::string> RootAttribute(const std::string& text, const std::string& name) {
  const size_t root = text.find("<level ");
  if (root == std::string::npos) return std::nullopt;
  const size_t close = text.find('>', root);
  const std::string key = " " + name + "=\"";
  const size_t at = text.find(key, root);
  if (at == std::string::npos || at > close) return std::nullopt;
  const size_t from = at + key.size(), to = text.find('"', from);
  if (to == std::string::npos) return std::nullopt;
  return text.substr(from, to - from);
}

// The text with an attribute of the level element set (added when missing).
std::string WithRootAttribute(std::string text, const std::string& name, const std::string& v) {
  const size_t root = text.find("<level ");
  if (root == std::string::npos) return text;
  const size_t close = text.find('>', root);
  const std::string key = " " + name + "=\"";
  const size_t at = text.find(key, root);
  if (at != std::string::npos && at < close) {
    const size_t from = at + key.size(), to = text.find('"', from);
    return text.replace(from, to - from, v);
  }
  return text.insert(root + 6, key + v + "\"");
}

// What the level introduces: its "<!-- new: ... -->" line.
std::string Introduces(const std::string& text) {
  const size_t at = text.find("<!-- new:");
  if (at == std::string::npos) return {};
  const size_t end = text.find("-->", at);
  if (end == std::string::npos) return {};
  std::string s = text.substr(at + 9, end - at - 9);
  while (!s.empty() && s.front() == ' ') s.erase(s.begin());
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

int AttributeInt(const std::string& text, const std::string& name) {
  const auto v = RootAttribute(text, name);
  return v ? std::atoi(v->c_str()) : 0;
}

std::optional<Measured> Measure(Content& content, const std::string& path) {
  const auto text = ReadFile(path);
  Measured m;
  if (!text || !ParseLevelFileName(path, m.episode, m.level)) return std::nullopt;
  m.miniGame = AttributeInt(*text, "mode") == 3;
  m.casual = PlayWithBot(content.game.descriptors, content.settings, *text, 1, kLimitSeconds,
                         m.episode, m.level);
  m.expert = PlayWithBot(content.game.descriptors, content.settings, *text, 2, kLimitSeconds,
                         m.episode, m.level);
  if (!m.miniGame && m.expert.won) m.rule = medal_rule::Times(m.episode, m.level, m.expert.gameMs);
  m.file = MedalTimes{AttributeInt(*text, "time_hard"), AttributeInt(*text, "time_norm"),
                      AttributeInt(*text, "time_easy")};
  char key[32];
  std::snprintf(key, sizeof key, "level_name_%02d_%02d", m.episode, m.level);
  m.name = EncodeUtf8(content.game.strings.Get(key));
  m.introduces = Introduces(*text);
  return m;
}

std::string Seconds(long long ms) {
  const long long s = (ms + 500) / 1000;
  char out[48];
  std::snprintf(out, sizeof out, "%lld:%02lld", s / 60, s % 60);
  return out;
}

double Share(const Measured& m) {
  return m.file.silver > 0 ? double(m.expert.gameMs) / 1000.0 / m.file.silver : 0.0;
}

std::string Table(const std::vector<Measured>& levels) {
  std::string t =
      "| Level | Name | Bot, casual | Bot, expert | Silver | Expert / silver | Target | Clicks "
      "| Introduces |\n|---|---|---|---|---|---|---|---|---|\n";
  for (const Measured& m : levels) {
    char row[512];
    const int clicks = std::max(m.casual.clicks, m.expert.clicks);
    if (m.miniGame) {
      std::snprintf(row, sizeof row, "| %d:%d | %s | %s | %s | mini-game | | | %d | %s |\n",
                    m.episode, m.level, m.name.c_str(), Seconds(m.casual.gameMs).c_str(),
                    Seconds(m.expert.gameMs).c_str(), clicks, m.introduces.c_str());
    } else {
      std::snprintf(row, sizeof row, "| %d:%d | %s | %s | %s | %s | %.3f | %.3f | %d | %s |\n",
                    m.episode, m.level, m.name.c_str(), Seconds(m.casual.gameMs).c_str(),
                    Seconds(m.expert.gameMs).c_str(), Seconds(m.file.silver * 1000LL).c_str(),
                    Share(m), medal_rule::TargetRatio(m.episode, m.level), clicks,
                    m.introduces.c_str());
    }
    t += row;
  }
  return t;
}

// Every rule a campaign level keeps; a line per break.
std::vector<std::string> Problems(const std::vector<Measured>& levels) {
  std::vector<std::string> out;
  const auto say = [&](const Measured& m, const std::string& what) {
    out.push_back(std::to_string(m.episode) + ":" + std::to_string(m.level) + ": " + what);
  };
  double lastShare = 0;
  int lastEpisode = 0;
  std::vector<double> episodeMean(6, 0.0);
  std::vector<int> episodeCount(6, 0);
  for (const Measured& m : levels) {
    if (!m.casual.won) say(m, "the bot does not win it in casual play");
    if (!m.expert.won) say(m, "the bot does not win it in expert play");
    if (std::max(m.casual.clicks, m.expert.clicks) > kMaxClicks) {
      say(m, "the bot needs more than " + std::to_string(kMaxClicks) + " clicks");
    }
    if (m.introduces.empty()) say(m, "no <!-- new: --> line says what it introduces");
    if (m.miniGame || !m.expert.won) continue;
    if (m.file.gold != m.rule.gold || m.file.silver != m.rule.silver ||
        m.file.easy != m.rule.easy) {
      char what[160];
      std::snprintf(what, sizeof what,
                    "times %d/%d/%d (gold/silver/easy), the rule gives %d/%d/%d", m.file.gold,
                    m.file.silver, m.file.easy, m.rule.gold, m.rule.silver, m.rule.easy);
      say(m, what);
    }
    const double share = Share(m), target = medal_rule::TargetRatio(m.episode, m.level);
    if (share < 0.5) say(m, "won in under half its silver time");
    if (share > target + 1e-9 || share < target - kBand) {
      char what[96];
      std::snprintf(what, sizeof what, "share %.3f outside its band %.3f..%.3f", share,
                    target - kBand, target);
      say(m, what);
    }
    if (m.episode == lastEpisode && share <= lastShare) say(m, "the share does not rise");
    lastEpisode = m.episode;
    lastShare = share;
    if (m.episode >= 1 && m.episode <= 5) {
      episodeMean[size_t(m.episode)] += share;
      ++episodeCount[size_t(m.episode)];
    }
  }
  double lastMean = 0;
  for (int e = 1; e <= 5; ++e) {
    if (episodeCount[size_t(e)] == 0) continue;
    const double mean = episodeMean[size_t(e)] / episodeCount[size_t(e)];
    if (mean <= lastMean) out.push_back("episode " + std::to_string(e) + ": its mean share does not rise");
    lastMean = mean;
  }
  return out;
}

std::vector<Measured> MeasureCampaign(Content& content, const std::string& game) {
  std::vector<Measured> levels;
  for (int e = 1; e <= medal_rule::kEpisodes; ++e) {
    for (int l = 1; l <= medal_rule::kLevels; ++l) {
      char name[64];
      std::snprintf(name, sizeof name, "/content/levels/level_%02d_%02d.xml", e, l);
      if (!fs::exists(game + name)) continue;
      if (auto m = Measure(content, game + name)) levels.push_back(std::move(*m));
    }
  }
  return levels;
}

// The text with the table between the markers; none when the markers are missing.
std::optional<std::string> WithTable(const std::string& text, const std::string& table) {
  const size_t begin = text.find(kBegin);
  const size_t end = text.find(kEnd);
  if (begin == std::string::npos || end == std::string::npos || end < begin) return std::nullopt;
  const size_t from = begin + std::string(kBegin).size();
  return text.substr(0, from) + "\n" + table + text.substr(end);
}

int RunTable(const std::vector<std::string>& args) {
  if (args.size() < 2) return 2;
  const std::string game = args[1];
  std::string readme, check;
  for (size_t i = 2; i < args.size(); ++i) {
    if (args[i] == "--readme" && i + 1 < args.size()) {
      readme = args[++i];
    } else if (args[i] == "--check" && i + 1 < args.size()) {
      check = args[++i];
    } else {
      return 2;
    }
  }
  Content content(game);
  if (!content.loaded) {
    std::fprintf(stderr, "kcontent campaign: the tables of %s do not load\n", game.c_str());
    return 1;
  }
  const std::vector<Measured> levels = MeasureCampaign(content, game);
  const std::string table = Table(levels);
  if (!readme.empty()) {
    const auto text = ReadFile(readme);
    const auto updated = text ? WithTable(*text, table) : std::nullopt;
    if (!updated || !WriteFile(readme, *updated)) {
      std::fprintf(stderr, "kcontent campaign: %s has no campaign-table markers\n",
                   readme.c_str());
      return 1;
    }
  }
  if (check.empty()) {
    if (readme.empty()) std::printf("%s", table.c_str());
    return 0;
  }
  std::vector<std::string> problems = Problems(levels);
  const auto text = ReadFile(check);
  const auto expected = text ? WithTable(*text, table) : std::nullopt;
  if (!expected || *expected != *text) {
    problems.push_back(check + ": its campaign table is not the one measured (renew it with "
                               "kcontent campaign table GAME --readme " + check + ")");
  }
  for (const std::string& p : problems) std::printf("%s\n", p.c_str());
  std::printf("%zu levels, %zu problems\n", levels.size(), problems.size());
  return problems.empty() ? 0 : 1;
}

// The developers' record of a level set in the records file's text (added before its end).
std::string WithDeveloperScore(std::string text, int episode, int level, int score) {
  const std::string id = std::to_string(episode * 100 + level);
  const std::string key = "<Record level=\"" + id + "\" score=\"";
  const std::string row = key + std::to_string(score) + "\"/>";
  const size_t at = text.find(key);
  if (at != std::string::npos) {
    const size_t end = text.find("/>", at);
    return text.replace(at, end + 2 - at, row);
  }
  const size_t close = text.rfind("</Records>");
  if (close == std::string::npos) return text;
  return text.insert(close, "  " + row + "\n");
}

int RunTune(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  bool write = false;
  std::string records;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--write") {
      write = true;
    } else if (args[i] == "--dev-records" && i + 1 < args.size()) {
      records = args[++i];
    } else if (args[i].starts_with("--")) {
      return 2;
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.empty()) return 2;
  int status = 0;
  for (const std::string& file : files) {
    const std::string game = GameFolderOf(file);
    Content content(game);
    const auto m = content.loaded ? Measure(content, file) : std::nullopt;
    if (!m) {
      std::fprintf(stderr, "kcontent campaign tune: %s is no campaign level that loads\n",
                   file.c_str());
      status = 1;
      continue;
    }
    std::printf(
        "{\"level\":\"%d:%d\",\"casual_won\":%s,\"casual_ms\":%lld,\"expert_won\":%s,"
        "\"expert_ms\":%lld,\"clicks\":%d,\"gold\":%d,\"silver\":%d,\"easy\":%d,\"target\":%.3f}\n",
        m->episode, m->level, m->casual.won ? "true" : "false", m->casual.gameMs,
        m->expert.won ? "true" : "false", m->expert.gameMs,
        std::max(m->casual.clicks, m->expert.clicks), m->rule.gold, m->rule.silver, m->rule.easy,
        medal_rule::TargetRatio(m->episode, m->level));
    if (!write || m->miniGame) continue;
    if (!m->expert.won) {
      std::fprintf(stderr, "kcontent campaign tune: the bot does not win %s in expert play\n",
                   file.c_str());
      status = 1;
      continue;
    }
    std::string text = *ReadFile(file);
    text = WithRootAttribute(text, "time_easy", std::to_string(m->rule.easy));
    text = WithRootAttribute(text, "time_norm", std::to_string(m->rule.silver));
    text = WithRootAttribute(text, "time_hard", std::to_string(m->rule.gold));
    const std::string recordsFile =
        records.empty() ? game + "/content/tables/dev_records.xml" : records;
    const auto recordsText = ReadFile(recordsFile);
    const int score = medal_rule::DeveloperScore(std::max(m->casual.score, m->expert.score));
    if (!WriteFile(file, text) || !recordsText ||
        !WriteFile(recordsFile, WithDeveloperScore(*recordsText, m->episode, m->level, score))) {
      std::fprintf(stderr, "kcontent campaign tune: cannot write %s or %s\n", file.c_str(),
                   recordsFile.c_str());
      status = 1;
    }
  }
  return status;
}

}  // namespace

int RunCampaignCommand(const std::vector<std::string>& args) {
  int status = 2;
  if (!args.empty() && args[0] == "table") status = RunTable(args);
  if (!args.empty() && args[0] == "tune") status = RunTune(args);
  if (status == 2) {
    std::fprintf(stderr,
                 "usage: kcontent campaign table GAMEFOLDER [--readme FILE] [--check FILE]\n"
                 "       kcontent campaign tune FILE... [--write] [--dev-records PATH]\n");
  }
  return status;
}
