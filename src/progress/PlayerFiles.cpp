#include "progress/PlayerFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "progress/LittleEndian.h"
#include "progress/Settings.h"

namespace player_files {

std::string SlotFile(int slot, std::string_view file) {
  char number[16];
  std::snprintf(number, sizeof number, "%d", slot + 1);
  return std::string(number) + '\\' + std::string(file);
}

}  // namespace player_files

std::vector<uint8_t> EncodeSettings(const Settings& s) {
  std::vector<uint8_t> out;
  out.reserve(Settings::kComfortSize);
  ByteWriter w(out);
  w.I32(s.reserved);
  w.I32(s.musicVolume);
  w.I32(s.effectsVolume);
  w.I32(s.flags);
  w.I32(s.language);
  if (s.HasComfort()) {
    w.I32(s.comfort);
    w.I32(s.textPercent);
    w.I32(s.pointerPercent);
  }
  return out;
}

int32_t NearestOffered(int64_t v, std::span<const int32_t> offered) {
  int32_t nearest = offered.front();
  for (int32_t o : offered) {
    if (std::abs(o - v) < std::abs(nearest - v)) nearest = o;
  }
  return nearest;
}

std::optional<Settings> DecodeSettings(std::span<const uint8_t> payload, SaveNotes* notes) {
  if (payload.size() != Settings::kSize && payload.size() != Settings::kComfortSize) {
    Note(notes, "holds " + std::to_string(payload.size()) + " bytes, not " +
                    std::to_string(Settings::kSize) + " or " +
                    std::to_string(Settings::kComfortSize));
    return std::nullopt;
  }
  ByteReader r(payload);
  Settings s;
  s.reserved = r.I32();
  s.musicVolume = r.I32();
  s.effectsVolume = r.I32();
  s.flags = r.I32();
  s.language = r.I32();
  if (payload.size() == Settings::kComfortSize) {
    s.comfort = r.I32();
    s.textPercent = r.I32();
    s.pointerPercent = r.I32();
  }
  const auto offered = [&](const char* name, int32_t& v, std::span<const int32_t> values) {
    const int32_t nearest = NearestOffered(v, values);
    if (nearest == v) return;
    Note(notes, std::string(name) + " " + std::to_string(v) + " read as " +
                    std::to_string(nearest));
    v = nearest;
  };
  offered("textPercent", s.textPercent, Settings::kTextPercents);
  offered("pointerPercent", s.pointerPercent, Settings::kPointerPercents);
  const auto volume = [&](const char* name, int32_t& v) {
    if (v >= 0 && v <= 100) return;
    const int32_t repaired = std::clamp(v, 0, 100);
    Note(notes,
         std::string(name) + " " + std::to_string(v) + " read as " + std::to_string(repaired));
    v = repaired;
  };
  volume("musicVolume", s.musicVolume);
  volume("effectsVolume", s.effectsVolume);
  if (s.language < 0) {
    Note(notes, "language " + std::to_string(s.language) + " read as 0 (automatic)");
    s.language = 0;
  }
  return s;
}

std::vector<uint8_t> EncodePlayerList(const PlayerList& list) {
  std::vector<uint8_t> out;
  ByteWriter w(out);
  w.U16(uint16_t(list.current));
  for (const std::u16string& name : list.names) {
    const size_t n = std::min(name.size(), PlayerList::kMaxName);
    w.U16(uint16_t(n));
    for (size_t i = 0; i < n; ++i) w.U16(name[i]);
  }
  return out;
}

std::optional<PlayerList> DecodePlayerList(std::span<const uint8_t> payload, SaveNotes* notes) {
  if (payload.size() <= 4) {
    Note(notes, "holds " + std::to_string(payload.size()) + " bytes, too few for a player");
    return std::nullopt;
  }
  ByteReader r(payload);
  PlayerList list;
  list.current = r.U16();
  for (int slot = 0; slot < PlayerList::kSlots; ++slot) {
    if (r.Left() < 2) {
      Note(notes, "ends before slot " + std::to_string(slot + 1));
      break;
    }
    const size_t n = r.U16();
    if (r.Left() < n * 2) {
      Note(notes, "slot " + std::to_string(slot + 1) + ": name of " + std::to_string(n) +
                      " units runs past the end; the list ends here");
      break;
    }
    std::u16string name;
    name.reserve(std::min(n, PlayerList::kMaxName));
    bool ended = false;
    for (size_t i = 0; i < n; ++i) {
      const char16_t c = char16_t(r.U16());
      if (c == 0) ended = true;
      if (!ended && name.size() < PlayerList::kMaxName) name.push_back(c);
    }
    if (ended) Note(notes, "slot " + std::to_string(slot + 1) + ": name cut at a zero unit");
    if (!ended && n > PlayerList::kMaxName) {
      Note(notes, "slot " + std::to_string(slot + 1) + ": name of " + std::to_string(n) +
                      " units cut to " + std::to_string(PlayerList::kMaxName));
    }
    list.names[size_t(slot)] = std::move(name);
  }
  return list;
}
