#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "progress/OwnLevelRecords.h"
#include "progress/PlayerFiles.h"
#include "progress/Progress.h"
#include "progress/RecordTables.h"
#include "progress/Settings.h"

class FileSystem;

// Everything the game remembers about its players: up to four named players in slots 0..3,
// the settings they share, the current player's progress and saved level, and the record
// tables they share. Created first by the Application and destroyed last.
//
// Every change is written at once by the code that makes it (through the Save operations);
// destruction writes the player list, the settings and the progress once more. Files are
// replaced atomically and write failures are silent. Every file written is also written as
// its last good copy, which loading falls back to when the file itself cannot be used
// (see ReadKept); nothing that could not be read is ever overwritten. While no player
// exists (the last one was deleted) the current slot stays 0 with zeroed progress, and
// neither the progress nor a saved level is written.
class PlayerProfiles {
 public:
  static constexpr int kSlots = PlayerList::kSlots;

  PlayerProfiles() = default;
  ~PlayerProfiles();
  PlayerProfiles(const PlayerProfiles&) = delete;
  PlayerProfiles& operator=(const PlayerProfiles&) = delete;

  // Reads the player list (making a default player named after the user, or "Player", when
  // it holds none), the settings, the current player's progress and the record tables, and
  // resolves an automatic language from the system language ("ru", "de", "pl", else
  // English). The user name comes from the system.
  void Load(std::string_view systemLanguage);
  void Load(std::string_view systemLanguage, std::u16string_view userName);
  bool Loaded() const { return loaded_; }

  // Part of the game-data load: when "HiScores" was not taken, builds the record tables
  // from the content's "records_total" and "records_level" (dated now) and writes them.
  void SeedRecords(FileSystem& fs, int64_t now);
  // The record tables came from "HiScores" or have been seeded.
  bool RecordsReady() const { return recordsReady_; }

  bool SaveSettings();
  bool SaveProgress();
  bool SaveProfiles();
  bool SaveRecords();
  // The current player's results on their own levels ("OwnLevels" of the slot).
  bool SaveOwnLevels();
  // Zeroes the current player's progress, deletes the saved level and saves. True when the
  // slot is clean: no earlier progress or saved level of it is left to be read back.
  bool ResetProgress();

  // The current player's saved level: the level writer's text, stored as it is.
  bool SaveGame(std::string_view text);
  // The stored text, or none when there is none or it cannot be unpacked.
  std::optional<std::string> LoadGame() const;
  bool HasGame() const { return LoadGame().has_value(); }
  void DeleteGame();
  // A saved level the game cannot play is moved aside, so that it is not offered again.
  void SetGameAside();

  int PlayerCount() const;
  // The k-th player with a name (from 0), or "" when there is none.
  std::u16string PlayerName(int k) const;
  std::u16string CurrentName() const { return list_.names[size_t(list_.current)]; }
  int CurrentSlot() const { return list_.current; }
  bool HasCurrentPlayer() const { return !CurrentName().empty(); }
  const std::array<std::u16string, kSlots>& names() const { return list_.names; }

  // Makes the k-th player current; k outside the players is ignored.
  void SelectPlayer(int k);
  // A new player in the first free slot whose old files can be replaced becomes current
  // with zeroed progress. False (and nothing changes) when no slot is free and clean, or the
  // name is empty.
  bool AddPlayer(std::u16string_view name);
  // Empties the k-th player's slot; the player's files stay until the slot is used again.
  void DeletePlayer(int k);

  Settings settings;
  Progress progress;
  RecordTables records;
  // Read with the progress, for the current player.
  OwnLevelRecords ownLevels;

 private:
  // The slot of the k-th player, or -1.
  int SlotOf(int k) const;
  int FirstPlayerSlot() const;
  // Takes "Settings" when it is usable and resolves the language; otherwise keeps settings.
  void ReadSettings();
  // The current player's "Progress" when usable, otherwise zeroed progress.
  void ReadProgress();
  std::string SlotFile(std::string_view file) const {
    return player_files::SlotFile(list_.current, file);
  }

  PlayerList list_;
  std::string systemLanguage_;
  bool loaded_ = false;
  bool recordsReady_ = false;
};
