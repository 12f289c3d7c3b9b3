#include "campaign/PlayerProfiles.h"

#include <algorithm>

#include "data/Language.h"
#include "platform/DataFiles.h"
#include "platform/System.h"

namespace {

using platform::Bytes;

// The payload of a packed per-user file, none when it is missing or damaged.
std::optional<Bytes> ReadPacked(const std::string& name, uint32_t maxLength) {
  return platform::LoadDataPacked(name, false, maxLength);
}

bool WritePacked(const std::string& name, const Bytes& payload) {
  return platform::SaveDataPacked(name, payload, false);
}

// A player name as it is stored: up to the first zero unit, at most kMaxName units.
std::u16string StoredName(std::u16string_view name) {
  name = name.substr(0, std::min(name.find(u'\0'), PlayerList::kMaxName));
  return std::u16string(name);
}

}  // namespace

PlayerProfiles::~PlayerProfiles() {
  if (!loaded_) return;
  SaveProfiles();
  SaveSettings();
  SaveProgress();
}

void PlayerProfiles::Load(std::string_view systemLanguage) {
  std::u16string user;
  if (!platform::UserName(user)) user.clear();
  Load(systemLanguage, user);
}

void PlayerProfiles::Load(std::string_view systemLanguage, std::u16string_view userName) {
  loaded_ = true;
  systemLanguage_ = std::string(systemLanguage);

  // 1. The player list.
  list_ = PlayerList();
  if (auto payload = ReadPacked(player_files::kProfiles, player_files::kMaxProfiles)) {
    if (auto list = DecodePlayerList(*payload)) list_ = std::move(*list);
  }
  // 2. No player at all (a first start): one named after the user, with fresh progress.
  if (FirstPlayerSlot() < 0) {
    std::u16string name = StoredName(userName);
    list_.names[0] = name.empty() ? u"Player" : std::move(name);
    list_.current = 0;
    ResetProgress();
    SaveProfiles();
  }
  // 3. The current slot names a player.
  if (list_.current < 0 || list_.current >= kSlots) list_.current = 0;
  if (list_.names[size_t(list_.current)].empty()) list_.current = FirstPlayerSlot();
  // 4. and 6. The settings and the language.
  settings = Settings();
  ReadSettings();
  // 5. The current player's progress.
  ReadProgress();

  records = RecordTables();
  recordsReady_ = false;
  if (auto payload = ReadPacked(player_files::kRecords, RecordTables::kSize)) {
    if (auto tables = DecodeRecordTables(*payload)) {
      records = *tables;
      recordsReady_ = true;
    }
  }
}

void PlayerProfiles::SeedRecords(FileSystem& fs, int64_t now) {
  if (recordsReady_) return;
  records = RecordTables();
  records.LoadDefaults(fs, now);
  recordsReady_ = true;
  SaveRecords();
}

void PlayerProfiles::ReadSettings() {
  if (auto payload = ReadPacked(player_files::kSettings, Settings::kSize)) {
    if (auto read = DecodeSettings(*payload)) settings = *read;
  }
  settings.language = LanguageFromSetting(settings.language, systemLanguage_);
}

void PlayerProfiles::ReadProgress() {
  progress = Progress();
  if (!HasCurrentPlayer()) return;
  if (auto payload = ReadPacked(SlotFile(player_files::kProgress), Progress::kSize)) {
    if (auto read = DecodeProgress(*payload)) progress = *read;
  }
}

bool PlayerProfiles::SaveSettings() {
  return WritePacked(player_files::kSettings, EncodeSettings(settings));
}

bool PlayerProfiles::SaveProgress() {
  if (!HasCurrentPlayer()) return false;
  return WritePacked(SlotFile(player_files::kProgress), EncodeProgress(progress));
}

bool PlayerProfiles::SaveProfiles() {
  return WritePacked(player_files::kProfiles, EncodePlayerList(list_));
}

bool PlayerProfiles::SaveRecords() {
  return WritePacked(player_files::kRecords, EncodeRecordTables(records));
}

void PlayerProfiles::ResetProgress() {
  progress = Progress();
  DeleteGame();
  SaveProgress();
}

bool PlayerProfiles::SaveGame(std::string_view text) {
  if (!HasCurrentPlayer() || text.size() > player_files::kMaxGame) return false;
  const Bytes payload(text.begin(), text.end());
  return WritePacked(SlotFile(player_files::kGame), payload);
}

std::optional<std::string> PlayerProfiles::LoadGame() const {
  if (!HasCurrentPlayer()) return std::nullopt;
  auto payload = ReadPacked(SlotFile(player_files::kGame), player_files::kMaxGame);
  if (!payload) return std::nullopt;
  return std::string(payload->begin(), payload->end());
}

void PlayerProfiles::DeleteGame() {
  if (HasCurrentPlayer()) platform::DeleteDataFile(SlotFile(player_files::kGame));
}

int PlayerProfiles::PlayerCount() const {
  return int(std::count_if(list_.names.begin(), list_.names.end(),
                           [](const std::u16string& n) { return !n.empty(); }));
}

int PlayerProfiles::SlotOf(int k) const {
  if (k < 0) return -1;
  for (int slot = 0; slot < kSlots; ++slot) {
    if (!list_.names[size_t(slot)].empty() && k-- == 0) return slot;
  }
  return -1;
}

int PlayerProfiles::FirstPlayerSlot() const { return SlotOf(0); }

std::u16string PlayerProfiles::PlayerName(int k) const {
  const int slot = SlotOf(k);
  return slot < 0 ? std::u16string() : list_.names[size_t(slot)];
}

void PlayerProfiles::SelectPlayer(int k) {
  const int slot = SlotOf(k);
  if (slot < 0) return;
  SaveSettings();
  SaveProgress();
  list_.current = slot;
  SaveProfiles();
  ReadSettings();
  ReadProgress();
}

bool PlayerProfiles::AddPlayer(std::u16string_view name) {
  std::u16string stored = StoredName(name);
  if (stored.empty()) return false;
  const auto free = std::find_if(list_.names.begin(), list_.names.end(),
                                 [](const std::u16string& n) { return n.empty(); });
  if (free == list_.names.end()) return false;
  SaveProgress();
  list_.current = int(free - list_.names.begin());
  *free = std::move(stored);
  // The slot's old files belong to a deleted player: they are replaced before the list
  // names the new one, so a crash in between leaves no player with someone else's progress.
  ResetProgress();
  SaveProfiles();
  return true;
}

void PlayerProfiles::DeletePlayer(int k) {
  const int slot = SlotOf(k);
  if (slot < 0) return;
  list_.names[size_t(slot)].clear();
  if (slot == list_.current) {
    const int first = FirstPlayerSlot();
    list_.current = first < 0 ? 0 : first;
    if (first >= 0) ReadSettings();
    ReadProgress();
  }
  SaveProfiles();
}
