#include "progress/PlayerProfiles.h"

#include <algorithm>

#include "base/DataFiles.h"
#include "base/System.h"
#include "data/Language.h"

namespace {

using base::Bytes;

// Packs a payload once and writes it to the file and to the file's last good copy.
bool WritePacked(const std::string& name, const Bytes& payload) {
  const Bytes packed = base::PackData(payload, false);
  if (packed.empty() || !base::WriteDataFile(name, packed)) return false;
  base::WriteDataFile(base::LastGoodName(name), packed);
  return true;
}

void DeleteWithCopy(const std::string& name) {
  base::DeleteDataFile(name);
  base::DeleteDataFile(base::LastGoodName(name));
}

bool ExistsWithCopy(const std::string& name) {
  return base::DataFileExists(name) || base::DataFileExists(base::LastGoodName(name));
}

// Copies a stored file's bytes to another name; false when it cannot be read or written.
bool CopyDataFile(const std::string& from, const std::string& to, uint32_t maxLength) {
  const auto raw = base::ReadDataFile(from, base::PackedSizeBound(maxLength, false));
  return raw && base::WriteDataFile(to, *raw);
}

// What reading a per-user file found: nothing, a usable file, a damaged file whose last good
// copy was used, or a file that could not be used and had no usable copy.
enum class KeptFile { Missing, Read, Recovered, Lost };

// Reads a packed per-user file through `decode` (payload → value or none). A file that is
// there but cannot be used is moved aside as "<name>.damaged" (never overwritten) and its
// last good copy is tried, and put back in its place when it is usable. A usable file gets a
// last good copy when it has none.
template <class T, class Decode>
std::optional<T> ReadKept(const std::string& name, uint32_t maxLength, Decode decode,
                          KeptFile* state = nullptr) {
  const auto use = [&](const std::string& stored) -> std::optional<T> {
    auto payload = base::LoadDataPacked(stored, false, maxLength);
    if (!payload) return std::nullopt;
    return decode(*payload);
  };
  const std::string good = base::LastGoodName(name);
  const auto report = [state](KeptFile s) {
    if (state) *state = s;
  };
  const bool there = base::DataFileExists(name);
  if (there) {
    if (auto value = use(name)) {
      if (!base::DataFileExists(good)) CopyDataFile(name, good, maxLength);
      report(KeptFile::Read);
      return value;
    }
    base::KeepDataFileAside(name, "damaged");
  }
  if (base::DataFileExists(good)) {
    if (auto value = use(good)) {
      CopyDataFile(good, name, maxLength);
      report(KeptFile::Recovered);
      return value;
    }
    base::KeepDataFileAside(good, "damaged");
    report(KeptFile::Lost);
    return std::nullopt;
  }
  report(there ? KeptFile::Lost : KeptFile::Missing);
  return std::nullopt;
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
  if (!base::UserName(user)) user.clear();
  Load(systemLanguage, user);
}

void PlayerProfiles::Load(std::string_view systemLanguage, std::u16string_view userName) {
  loaded_ = true;
  systemLanguage_ = std::string(systemLanguage);

  // The player list.
  list_ = PlayerList();
  KeptFile listState = KeptFile::Missing;
  if (auto list = ReadKept<PlayerList>(
          player_files::kProfiles, player_files::kMaxProfiles,
          [](std::span<const uint8_t> payload) { return DecodePlayerList(payload); }, &listState)) {
    list_ = std::move(*list);
  }
  // No player at all (a first start): one named after the user, with fresh progress. When
  // the list was there but lost, the first slot's files may belong to a player the list
  // named: they are kept aside rather than reset.
  if (FirstPlayerSlot() < 0) {
    std::u16string name = StoredName(userName);
    list_.names[0] = name.empty() ? u"Player" : std::move(name);
    list_.current = 0;
    if (listState == KeptFile::Lost) {
      for (const char* file : {player_files::kProgress, player_files::kGame}) {
        base::KeepDataFileAside(SlotFile(file), "unlisted");
        base::KeepDataFileAside(base::LastGoodName(SlotFile(file)), "unlisted");
      }
    }
    ResetProgress();
    SaveProfiles();
  }
  // The current slot names a player.
  if (list_.current < 0 || list_.current >= kSlots) list_.current = 0;
  if (list_.names[size_t(list_.current)].empty()) list_.current = FirstPlayerSlot();
  // The settings and the language.
  settings = Settings();
  ReadSettings();
  // The current player's progress.
  ReadProgress();

  records = RecordTables();
  recordsReady_ = false;
  if (auto tables = ReadKept<RecordTables>(
          player_files::kRecords, RecordTables::kSize,
          [](std::span<const uint8_t> payload) { return DecodeRecordTables(payload); })) {
    records = *tables;
    recordsReady_ = true;
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
  if (auto read = ReadKept<Settings>(
          player_files::kSettings, Settings::kComfortSize,
          [](std::span<const uint8_t> payload) { return DecodeSettings(payload); })) {
    settings = *read;
  }
  settings.language = LanguageFromSetting(settings.language, systemLanguage_);
}

void PlayerProfiles::ReadProgress() {
  progress = Progress();
  ownLevels = OwnLevelRecords();
  if (!HasCurrentPlayer()) return;
  if (auto read = ReadKept<Progress>(
          SlotFile(player_files::kProgress), Progress::kSize,
          [](std::span<const uint8_t> payload) { return DecodeProgress(payload); })) {
    progress = *read;
  }
  if (auto read = ReadKept<OwnLevelRecords>(
          SlotFile(player_files::kOwnLevels), OwnLevelRecords::kMaxPayload,
          [](std::span<const uint8_t> payload) { return OwnLevelRecords::Decode(payload); })) {
    ownLevels = *read;
  }
}

bool PlayerProfiles::SaveOwnLevels() {
  if (!HasCurrentPlayer()) return false;
  return WritePacked(SlotFile(player_files::kOwnLevels), ownLevels.Encode());
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

bool PlayerProfiles::ResetProgress() {
  progress = Progress();
  DeleteGame();
  const bool written = SaveProgress();
  // Clean: nothing of an earlier player of this slot is left to be read back.
  return !ExistsWithCopy(SlotFile(player_files::kGame)) &&
         (written || !ExistsWithCopy(SlotFile(player_files::kProgress)));
}

bool PlayerProfiles::SaveGame(std::string_view text) {
  if (!HasCurrentPlayer() || text.size() > player_files::kMaxGame) return false;
  const Bytes payload(text.begin(), text.end());
  return WritePacked(SlotFile(player_files::kGame), payload);
}

std::optional<std::string> PlayerProfiles::LoadGame() const {
  if (!HasCurrentPlayer()) return std::nullopt;
  return ReadKept<std::string>(
      SlotFile(player_files::kGame), player_files::kMaxGame, [](std::span<const uint8_t> payload) {
        return std::optional<std::string>(std::in_place, payload.begin(), payload.end());
      });
}

void PlayerProfiles::DeleteGame() {
  if (HasCurrentPlayer()) DeleteWithCopy(SlotFile(player_files::kGame));
}

void PlayerProfiles::SetGameAside() {
  if (!HasCurrentPlayer()) return;
  const std::string game = SlotFile(player_files::kGame);
  base::KeepDataFileAside(game, "damaged");
  base::KeepDataFileAside(base::LastGoodName(game), "damaged");
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
  SaveProgress();
  const int previous = list_.current;
  const Progress kept = progress;
  const OwnLevelRecords keptOwn = ownLevels;
  // A free slot's old files belong to a deleted player: they are replaced before the list
  // names the new one, and a slot whose files cannot be replaced is passed over, so that no
  // player ever starts with someone else's progress.
  for (int slot = 0; slot < kSlots; ++slot) {
    if (!list_.names[size_t(slot)].empty()) continue;
    list_.current = slot;
    list_.names[size_t(slot)] = stored;
    if (ResetProgress()) {
      // Nor the results on someone else's own levels.
      ownLevels = OwnLevelRecords();
      DeleteWithCopy(SlotFile(player_files::kOwnLevels));
      SaveProfiles();
      return true;
    }
    list_.names[size_t(slot)].clear();
  }
  list_.current = previous;
  progress = kept;
  ownLevels = keptOwn;
  return false;
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
