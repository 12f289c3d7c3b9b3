#include "kcontent/SaveCommand.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

#include "base/DataFiles.h"
#include "base/PackedData.h"
#include "base/SingleInstance.h"
#include "base/Text.h"
#include "data/XmlDocument.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "progress/OwnLevelRecords.h"
#include "progress/PlayerFiles.h"
#include "progress/PlayerProfiles.h"
#include "progress/Progress.h"
#include "progress/RecordTables.h"
#include "progress/Settings.h"

namespace {

using base::Bytes;

std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* pattern, ...) {
  char text[512];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(text, sizeof text, pattern, args);
  va_end(args);
  return text;
}

// A name in quotes, control characters shown as \xNN so that every item stays on its line.
std::string Quoted(std::u16string_view name) {
  std::string out = "\"";
  for (char c : base::Utf16ToUtf8(name)) {
    if (static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\') {
      out += Format("\\x%02X", static_cast<unsigned char>(c));
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// One stored file: missing, present but not unpackable, or its payload.
struct StoredFile {
  bool exists = false;
  std::optional<Bytes> payload;
};

StoredFile ReadStored(const std::string& path, uint32_t maxLength) {
  StoredFile file;
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return file;
  file.exists = true;
  // A file larger than any packed payload of its kind is refused by its size, unread.
  if (!S_ISREG(st.st_mode) || uint64_t(st.st_size) > base::PackedSizeBound(maxLength, false)) {
    return file;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return file;
  const Bytes raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  file.payload = base::UnpackData(raw, false, maxLength);
  return file;
}

const char* DifficultyName(Difficulty d) {
  switch (d) {
    case Difficulty::Relax:
      return "relax";
    case Difficulty::Casual:
      return "casual";
    case Difficulty::Expert:
      return "expert";
  }
  return "?";
}

std::string OptionNames(uint32_t options) {
  std::string names;
  const auto add = [&](uint32_t bit, const char* name) {
    if (options & bit) names += std::string(names.empty() ? "" : ", ") + name;
  };
  add(Progress::kNewGameStarted, "new game started");
  for (int p = 1; p <= Progress::kPuzzles; ++p) {
    if (options >> (Progress::kFirstPuzzleBit + p - 1) & 1u) {
      names += std::string(names.empty() ? "" : ", ") + "puzzle " + std::to_string(p) + " done";
    }
  }
  add(Progress::kWonderExplained, "wonder explained");
  add(Progress::kCompletionShown, "completion shown");
  add(Progress::kNoTutorialSpeech, "no tutorial speech");
  add(Progress::kSuperBonusShown, "super bonus shown");
  return names.empty() ? "none" : names;
}

class Inspector {
 public:
  explicit Inspector(std::string folder) : folder_(std::move(folder)) {}

  SaveReport Run() {
    Line("save folder " + folder_);
    const std::vector<int> players = ShowPlayers();
    ShowSettings();
    for (int slot : players) Player(slot);
    LeftOverSlots(players);
    ShowRecords();
    return std::move(report_);
  }

 private:
  std::string Path(const std::string& stored) const {
    std::string rel = stored;
    for (char& c : rel) {
      if (c == '\\') c = '/';
    }
    return folder_ + "/" + rel + ".sav";
  }
  void Line(const std::string& text) { report_.text += text + "\n"; }
  // A stored name as the folder shows it: "1/Progress".
  static std::string Shown(std::string stored) {
    for (char& c : stored) {
      if (c == '\\') c = '/';
    }
    return stored;
  }
  void Ignored(const std::string& file, const std::string& why) {
    Line("  ignored on load: " + why);
    report_.ignored.push_back(Shown(file) + ": " + why);
  }
  void Repairs(const SaveNotes& notes) {
    for (const std::string& n : notes) Line("  repaired on load: " + n);
  }
  // The header line of a file and its payload when the game would unpack it.
  std::optional<Bytes> Open(const std::string& stored, const char* missing) {
    const StoredFile file = ReadStored(Path(stored), base::kMaxUnpackedSize);
    if (!file.exists) {
      Line(Shown(stored) + ": missing (" + missing + ")");
      return std::nullopt;
    }
    Line(Shown(stored) + ":");
    if (!file.payload) {
      Ignored(Shown(stored),
              "not a packed file (too short, damaged, or a length that does not match)");
    }
    return file.payload;
  }

  // The player list; the slots the game would load players from.
  std::vector<int> ShowPlayers() {
    const auto payload = Open(player_files::kProfiles, "a default player is made on start");
    PlayerList list;
    bool usable = false;
    if (payload) {
      SaveNotes notes;
      if (auto decoded = DecodePlayerList(*payload, &notes)) {
        list = *decoded;
        usable = true;
      } else {
        Ignored(player_files::kProfiles, notes.empty() ? "unreadable" : notes.front());
      }
      if (usable) Repairs(notes);
    }
    listUsable_ = usable;
    if (usable) {
      names_ = list.names;
      for (int slot = 0; slot < PlayerList::kSlots; ++slot) {
        const std::u16string& name = list.names[size_t(slot)];
        Line(Format("  slot %d: ", slot + 1) + (name.empty() ? "free" : Quoted(name)) +
             (slot == list.current ? "  (current)" : ""));
      }
    }
    std::vector<int> players;
    for (int slot = 0; slot < PlayerList::kSlots; ++slot) {
      if (!list.names[size_t(slot)].empty()) players.push_back(slot);
    }
    if (players.empty()) {
      if (usable) {
        Line("  no player: a default player is made on start, with fresh progress in slot 1");
      }
      return players;
    }
    int current = list.current;
    if (current < 0 || current >= PlayerList::kSlots) {
      Line(Format("  repaired on load: current slot %d read as 1", current + 1));
      current = 0;
    }
    if (list.names[size_t(current)].empty()) {
      Line(Format("  repaired on load: current slot %d is free; slot %d becomes current",
                  current + 1, players.front() + 1));
    }
    return players;
  }

  void ShowSettings() {
    const auto payload = Open(player_files::kSettings, "the defaults are used");
    if (!payload) return;
    SaveNotes notes;
    const auto s = DecodeSettings(*payload, &notes);
    if (!s) {
      Ignored(player_files::kSettings, notes.front() + "; the defaults are used");
      return;
    }
    Repairs(notes);
    std::string flags;
    if (s->fullscreen()) flags += "fullscreen";
    if (s->drawnCursor()) flags += flags.empty() ? "drawn cursor" : ", drawn cursor";
    const char* language[] = {"automatic", "en", "de", "ru", "pl"};
    Line(
        Format("  reserved %d, music volume %d, effects volume %d, flags %d (%s), language %d "
               "(%s)",
               s->reserved, s->musicVolume, s->effectsVolume, s->flags,
               flags.empty() ? "windowed, system cursor" : flags.c_str(), s->language,
               language[std::min(s->language, 4)]));
    std::string calm;
    if (s->Has(Settings::kNoShake)) calm += "no shake";
    if (s->Has(Settings::kSteadyMarks)) calm += calm.empty() ? "steady marks" : ", steady marks";
    if (s->Has(Settings::kCalmMotion)) calm += calm.empty() ? "calm motion" : ", calm motion";
    Line(Format("  comfort %d (%s), text %d %%, pointer %d %%", s->comfort,
                calm.empty() ? "none" : calm.c_str(), s->textPercent, s->pointerPercent));
  }

  void Player(int slot) {
    Line(Format("player slot %d ", slot + 1) + Quoted(names_[size_t(slot)]));
    ProgressOf(slot);
    GameOf(slot);
    OwnLevelsOf(slot);
  }

  void ProgressOf(int slot) {
    const std::string stored = player_files::SlotFile(slot, player_files::kProgress);
    const auto payload = Open(stored, "the player starts from zero");
    if (!payload) return;
    SaveNotes notes;
    const auto p = DecodeProgress(*payload, &notes);
    if (!p) {
      Ignored(stored, notes.front() + "; the player starts from zero");
      return;
    }
    Repairs(notes);
    Line(Format("  last level %d-%d, total score %d, difficulty %d (%s)", p->lastEpisode + 1,
                p->lastLevel + 1, p->totalScore, int(p->difficulty),
                DifficultyName(p->difficulty)));
    Line(Format("  options 0x%08X: ", p->options) + OptionNames(p->options));
    std::string earned;
    int count = 0;
    for (int n = 0; n < 32; ++n) {
      if (p->achievements >> n & 1u) {
        earned += (count++ ? ", " : "") + std::to_string(n);
      }
    }
    Line(Format("  achievements: %d of %d", count, Progress::kAchievements) +
         (count ? " (" + earned + ")" : ""));
    for (int e = 1; e <= Progress::kEpisodeSlots; ++e) {
      for (int l = 1; l <= Progress::kLevelSlots; ++l) {
        const LevelRecord& r = p->Record(e, l);
        if (!r.Played()) continue;
        std::string flags;
        if (r.flags & LevelRecord::kFinished) flags += ", finished";
        if (r.flags & LevelRecord::kPuzzlePiece) flags += ", puzzle piece";
        if (r.flags & LevelRecord::kDeveloperBeaten) flags += ", developers beaten";
        Line(Format("  level %d-%d: %d stars, best score %d, time %d s", e, l, r.stars, r.bestScore,
                    r.time) +
             flags);
      }
    }
    for (int b = 1; b <= Progress::kPuzzles; ++b) {
      int placed = 0;
      for (const PuzzleSlot& s : p->puzzles[size_t(b - 1)]) placed += s.flags & 1;
      if (placed) Line(Format("  puzzle %d: %d pieces on the board", b, placed));
    }
  }

  void GameOf(int slot) {
    const std::string stored = player_files::SlotFile(slot, player_files::kGame);
    const StoredFile file = ReadStored(Path(stored), player_files::kMaxGame);
    if (!file.exists) {
      Line(Shown(stored) + ": none");
      return;
    }
    Line(Shown(stored) + ":");
    if (!file.payload) {
      Ignored(stored, "not a packed file of at most 16 MiB; continue is not offered");
      return;
    }
    const std::string text(file.payload->begin(), file.payload->end());
    GameDescriptors descriptors;
    Level level(descriptors);
    if (!level.ReadLevel(text)) {
      Ignored(stored, "the saved level cannot be read (" + level.readError + ")");
      return;
    }
    XmlDocument doc;
    doc.Parse(text);
    const XmlElement root = doc.FirstChild(XmlElement(), "level");
    int objects = 0, workers = 0;
    for (XmlElement e = root.FirstChild(); e; e = e.NextSibling()) {
      objects += e.Name() == "object";
      workers += e.Name() == "worker";
    }
    Line(Format(
        "  saved level %d-%d, mode %d, state %d, play time %d s, %d objects, %d workers, "
        "%zu bytes",
        root.Int("episode", 0), root.Int("level", 0), root.Int("mode", 0), root.Int("state", 0),
        root.Int("game_time", 0) / 1000, objects, workers, text.size()));
    Line("  resources " + root.Text("resources") + ", collected " + root.Text("collected") +
         (root.Has("commands") ? ", commands " + root.Text("commands") : ""));
  }

  void OwnLevelsOf(int slot) {
    const std::string stored = player_files::SlotFile(slot, player_files::kOwnLevels);
    const StoredFile file = ReadStored(Path(stored), OwnLevelRecords::kMaxPayload);
    if (!file.exists) return;
    Line(Shown(stored) + ":");
    const auto records = file.payload ? OwnLevelRecords::Decode(*file.payload) : std::nullopt;
    if (!records) {
      Ignored(stored, "not a packed file of the own levels' results; its last good copy is used");
      return;
    }
    for (const auto& [name, r] : records->All()) {
      Line(r.won ? Format("  %s: won, %d stars, medal %d, %d s, score %d, %d plays", name.c_str(),
                          r.stars, r.medal, r.seconds, r.score, r.plays)
                 : Format("  %s: not won, score %d, %d plays", name.c_str(), r.score, r.plays));
    }
  }

  // Slot folders holding files without a player: left by deleted players.
  void LeftOverSlots(const std::vector<int>& players) {
    for (int slot = 0; slot < PlayerList::kSlots; ++slot) {
      if (std::find(players.begin(), players.end(), slot) != players.end()) continue;
      std::string files;
      for (const char* name : {player_files::kProgress, player_files::kGame}) {
        struct stat st {};
        if (stat(Path(player_files::SlotFile(slot, name)).c_str(), &st) == 0) {
          files += std::string(files.empty() ? "" : ", ") + name;
        }
      }
      if (files.empty()) continue;
      if (listUsable_) {
        Line(Format("slot %d: no player; %s left by a deleted player", slot + 1, files.c_str()));
      } else {
        Line(Format("slot %d: no player list; %s in place%s", slot + 1, files.c_str(),
                    slot == 0 ? " (reset for the default player on start)" : ""));
      }
    }
  }

  void Table(const RecordTable& t, const char* indent) {
    for (size_t i = 0; i < t.entries.size(); ++i) {
      const RecordEntry& e = t.entries[i];
      if (e.score == 0 && e.Name().empty()) continue;
      std::string date = FormatRecordDate(e.date);
      if (date.empty()) date = "(no date)";
      Line(Format("%s%zu. %d  %d s  ", indent, i + 1, e.score, e.seconds) + Quoted(e.Name()) +
           "  " + date);
    }
  }

  void ShowRecords() {
    const auto payload = Open(player_files::kRecords, "built from the content on start");
    if (!payload) return;
    SaveNotes notes;
    const auto tables = DecodeRecordTables(*payload, &notes);
    if (!tables) {
      Ignored(player_files::kRecords, notes.front() + "; rebuilt from the content on start");
      return;
    }
    Repairs(notes);
    Line("  overall:");
    Table(tables->total, "    ");
    // The level tables mostly hold the content's defaults: the commonest table is shown once.
    const auto& levels = tables->levels;
    size_t commonest = 0;
    long most = 0;
    for (size_t i = 0; i < levels.size(); ++i) {
      const long alike = std::count(levels.begin(), levels.end(), levels[i]);
      if (alike > most) {
        most = alike;
        commonest = i;
      }
    }
    Line(Format("  %ld level tables alike, as level %zu-%zu:", most,
                commonest / RecordTables::kLevelSlots + 1,
                commonest % RecordTables::kLevelSlots + 1));
    Table(levels[commonest], "    ");
    for (size_t i = 0; i < levels.size(); ++i) {
      if (levels[i] == levels[commonest]) continue;
      Line(Format("  level %zu-%zu:", i / RecordTables::kLevelSlots + 1,
                  i % RecordTables::kLevelSlots + 1));
      Table(levels[i], "    ");
    }
  }

  std::string folder_;
  std::array<std::u16string, PlayerList::kSlots> names_;
  bool listUsable_ = false;
  SaveReport report_;
};

}  // namespace

SaveReport InspectSaveFolder(const std::string& folder) { return Inspector(folder).Run(); }

namespace {

// A whole decimal number within [low, high].
std::optional<int> Number(std::string_view text, int low, int high) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

// "E:L" with E in 1..5 and L in 1..11.
bool LevelPair(std::string_view text, int& episode, int& level) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  const auto e = Number(text.substr(0, colon), 1, Progress::kCampaignEpisodes);
  const auto l = Number(text.substr(colon + 1), 1, Progress::kCampaignLevels);
  if (!e || !l) return false;
  episode = *e, level = *l;
  return true;
}

bool ApplyRecord(Progress& progress, std::string_view entry) {
  const size_t eq = entry.find('=');
  int e = 0, l = 0;
  if (!LevelPair(entry.substr(0, eq), e, l)) return false;
  LevelRecord r;
  std::string_view rest = eq == std::string_view::npos ? "" : entry.substr(eq + 1);
  while (!rest.empty()) {
    const size_t comma = rest.find(',');
    const std::string_view word = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? "" : rest.substr(comma + 1);
    if (word.starts_with("stars") && word.size() == 6 && Number(word.substr(5), 0, 3)) {
      r.stars = uint8_t(*Number(word.substr(5), 0, 3));
    } else if (word == "finished") {
      r.flags |= LevelRecord::kFinished;
    } else if (word == "piece") {
      r.flags |= LevelRecord::kPuzzlePiece;
    } else if (word == "dev") {
      r.flags |= LevelRecord::kDeveloperBeaten;
    } else if (word.starts_with("score=") && Number(word.substr(6), 0, 99999999)) {
      r.bestScore = *Number(word.substr(6), 0, 99999999);
    } else if (word.starts_with("time=") && Number(word.substr(5), 0, 99999999)) {
      r.time = *Number(word.substr(5), 0, 99999999);
    } else {
      return false;
    }
  }
  progress.Record(e, l) = r;
  return true;
}

}  // namespace

bool ApplySaveItem(Progress& progress, std::string_view item) {
  const size_t colon = item.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view kind = item.substr(0, colon), value = item.substr(colon + 1);
  if (kind == "record") return ApplyRecord(progress, value);
  if (kind == "option" || kind == "achievement") {
    const auto bit = Number(value, 0, kind == "option" ? 31 : Progress::kAchievements - 1);
    if (!bit) return false;
    (kind == "option" ? progress.options : progress.achievements) |= 1u << *bit;
    return true;
  }
  if (kind == "last") {
    int e = 0, l = 0;
    if (!LevelPair(value, e, l)) return false;
    progress.lastEpisode = e - 1;
    progress.lastLevel = l - 1;
    return true;
  }
  if (kind == "difficulty") {
    const auto d = Number(value, 0, 2);
    if (!d) return false;
    progress.difficulty = Difficulty(*d);
    return true;
  }
  return false;
}

bool ApplySettingsItem(Settings& settings, std::string_view item) {
  const size_t colon = item.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view kind = item.substr(0, colon), value = item.substr(colon + 1);
  if (kind == "text" || kind == "pointer") {
    const auto percent = Number(value, 1, 1000);
    if (!percent) return false;
    if (kind == "text") {
      settings.textPercent = NearestOffered(*percent, Settings::kTextPercents);
    } else {
      settings.pointerPercent = NearestOffered(*percent, Settings::kPointerPercents);
    }
    return true;
  }
  if (kind != "comfort") return false;
  Settings changed = settings;
  std::string_view words = value;
  while (!words.empty()) {
    const size_t comma = words.find(',');
    const std::string_view word = words.substr(0, comma);
    words = comma == std::string_view::npos ? std::string_view() : words.substr(comma + 1);
    if (word == "noshake") {
      changed.SetComfort(Settings::kNoShake, true);
    } else if (word == "steady") {
      changed.SetComfort(Settings::kSteadyMarks, true);
    } else if (word == "calm") {
      changed.SetComfort(Settings::kCalmMotion, true);
    } else {
      return false;
    }
  }
  settings = changed;
  return true;
}

namespace {

int RunSaveSet(const std::vector<std::string>& args) {
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: kcontent save set DIR ITEM...\n");
    return 2;
  }
  const std::string& folder = args[1];
  struct stat st {};
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    std::fprintf(stderr, "kcontent save set: no folder %s\n", folder.c_str());
    return 1;
  }
  // The game keeps its progress in memory and writes it at exit: a change made while it
  // runs would be overwritten, so the folder is taken only while no game holds it (and held
  // meanwhile, so that no game starts on it).
  base::SingleInstance lock;
  if (!lock.Acquire(folder)) {
    std::fprintf(stderr, "kcontent save set: the game is running on %s; close it first\n",
                 folder.c_str());
    return 1;
  }
  base::SetDataFolder(folder);
  int status = 0;
  {
    PlayerProfiles profiles;
    profiles.Load("en");
    Progress progress = profiles.progress;
    Settings settings = profiles.settings;
    for (size_t i = 2; i < args.size(); ++i) {
      if (!ApplySaveItem(progress, args[i]) && !ApplySettingsItem(settings, args[i])) {
        std::fprintf(stderr, "kcontent save set: not an item: %s\n", args[i].c_str());
        status = 2;
      }
    }
    if (status == 0) {
      progress.totalScore = 0;
      for (int e = 1; e <= Progress::kCampaignEpisodes; ++e) {
        for (int l = 1; l <= Progress::kCampaignLevels; ++l) {
          progress.totalScore += progress.Record(e, l).bestScore;
        }
      }
      profiles.progress = progress;
      profiles.SaveProgress();
      profiles.settings = settings;
      profiles.SaveSettings();
    }
  }
  base::SetDataFolder("");
  return status;
}

}  // namespace

int RunSaveCommand(const std::vector<std::string>& args) {
  const auto usage = [] {
    std::fprintf(stderr, "usage: kcontent save show [DIR] [--check]\n");
    return 2;
  };
  if (!args.empty() && args[0] == "set") return RunSaveSet(args);
  if (args.empty() || args[0] != "show") return usage();
  bool check = false;
  std::string folder;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--check") {
      check = true;
    } else if (folder.empty() && !args[i].starts_with("--")) {
      folder = args[i];
    } else {
      return usage();
    }
  }
  if (folder.empty()) folder = base::ResolveDataFolder();
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  struct stat st {};
  if (folder.empty() || stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    std::fprintf(stderr, "kcontent save show: no folder %s\n",
                 folder.empty() ? "(no data folder)" : folder.c_str());
    return 1;
  }
  const SaveReport report = InspectSaveFolder(folder);
  std::fputs(report.text.c_str(), stdout);
  if (!check) return 0;
  if (report.ignored.empty()) {
    std::printf("check: every file would be used\n");
    return 0;
  }
  std::printf("check: %zu file(s) would be ignored on load\n", report.ignored.size());
  return 1;
}
