#include "progress/RecordTables.h"

#include <algorithm>
#include <ctime>

#include "base/Check.h"
#include "base/ContentLog.h"
#include "base/Text.h"
#include "data/XmlDocument.h"
#include "progress/LittleEndian.h"

namespace {

std::u16string_view Cut(std::u16string_view name) {
  return name.substr(0, std::min(name.size(), RecordEntry::kMaxName));
}

void WriteTable(ByteWriter& w, const RecordTable& table) {
  for (const RecordEntry& e : table.entries) {
    w.I32(e.score);
    w.I32(e.seconds);
    w.I64(e.date);
    for (char16_t c : e.name) w.U16(c);
  }
}

void ReadTable(ByteReader& r, RecordTable& table, bool& cut) {
  for (RecordEntry& e : table.entries) {
    e.score = r.I32();
    e.seconds = r.I32();
    e.date = r.I64();
    for (char16_t& c : e.name) c = char16_t(r.U16());
    if (e.name.back() != 0) cut = true;
    e.name.back() = 0;
  }
}

// Reads up to five Record elements of a Records document into entries; false when the
// document is missing or has no Records root.
bool ReadRecords(FileSystem& fs, const char* file, bool withTime, int64_t now, RecordTable& table) {
  XmlDocument doc(fs);
  if (!doc.Load(file)) return false;
  const XmlElement root = doc.FirstChild(XmlElement(), "Records");
  if (!root) {
    content_log::BadFile(std::string(file) + ".xml", "no Records root element");
    return false;
  }
  table = RecordTable();
  size_t n = 0;
  for (XmlElement e = root.FirstChild("Record"); e && n < RecordTable::kEntries;
       e = e.NextSibling("Record"), ++n) {
    RecordEntry& entry = table.entries[n];
    entry.score = e.Int("score", 0);
    entry.seconds = withTime ? e.Int("time", 0) : 0;
    entry.date = now;
    entry.SetName(base::Utf8ToUtf16(e.Text("name")));
  }
  // The table's order is best first whatever order the author wrote.
  std::stable_sort(table.entries.begin(), table.entries.begin() + long(n),
                   [](const RecordEntry& a, const RecordEntry& b) { return a.score > b.score; });
  return true;
}

size_t TableIndex(int episode, int level) {
  KALODRUS_EXPECT(episode >= 1 && episode <= RecordTables::kEpisodeSlots && level >= 1 &&
                      level <= RecordTables::kLevelSlots,
                  "record table outside episodes 1-8, 1-16");
  episode = std::clamp(episode, 1, RecordTables::kEpisodeSlots);
  level = std::clamp(level, 1, RecordTables::kLevelSlots);
  return size_t((episode - 1) * RecordTables::kLevelSlots + (level - 1));
}

}  // namespace

std::u16string_view RecordEntry::Name() const {
  const std::u16string_view all(name.data(), name.size());
  return all.substr(0, std::min(all.find(u'\0'), kMaxName));
}

void RecordEntry::SetName(std::u16string_view text) {
  name.fill(0);
  const std::u16string_view cut = Cut(text);
  std::copy(cut.begin(), cut.end(), name.begin());
}

bool RecordTable::Qualifies(std::u16string_view player, int32_t score) const {
  const std::u16string_view key = Cut(player);
  size_t b = kEntries - 1;
  for (size_t i = 0; i < kEntries; ++i) {
    if (entries[i].Name() == key) {
      b = i;
      break;
    }
  }
  return score >= entries[b].score;
}

void RecordTable::Insert(std::u16string_view player, int32_t score, int32_t seconds, int64_t date) {
  const std::u16string_view key = Cut(player);
  for (size_t i = 0; i < kEntries; ++i) {
    if (entries[i].Name() == key) {
      std::move(entries.begin() + long(i) + 1, entries.end(), entries.begin() + long(i));
      entries.back() = RecordEntry();
      break;
    }
  }
  for (size_t i = 0; i < kEntries; ++i) {
    if (score >= entries[i].score) {
      std::move_backward(entries.begin() + long(i), entries.end() - 1, entries.end());
      RecordEntry& e = entries[i];
      e = RecordEntry();
      e.score = score;
      e.seconds = seconds;
      e.date = date;
      e.SetName(key);
      return;
    }
  }
}

RecordTable& RecordTables::Level(int episode, int level) {
  return levels[TableIndex(episode, level)];
}

const RecordTable& RecordTables::Level(int episode, int level) const {
  return levels[TableIndex(episode, level)];
}

bool RecordTables::LoadDefaults(FileSystem& fs, int64_t now) {
  const bool totalRead = ReadRecords(fs, "records_total", false, now, total);
  RecordTable level;
  const bool levelRead = ReadRecords(fs, "records_level", true, now, level);
  if (levelRead) levels.fill(level);
  return totalRead && levelRead;
}

std::vector<uint8_t> EncodeRecordTables(const RecordTables& tables) {
  std::vector<uint8_t> out;
  out.reserve(RecordTables::kSize);
  ByteWriter w(out);
  for (const RecordTable& t : tables.levels) WriteTable(w, t);
  WriteTable(w, tables.total);
  return out;
}

std::optional<RecordTables> DecodeRecordTables(std::span<const uint8_t> payload, SaveNotes* notes) {
  if (payload.size() != RecordTables::kSize) {
    Note(notes, "holds " + std::to_string(payload.size()) + " bytes, not " +
                    std::to_string(RecordTables::kSize));
    return std::nullopt;
  }
  ByteReader r(payload);
  RecordTables tables;
  bool cut = false;
  for (RecordTable& t : tables.levels) ReadTable(r, t, cut);
  ReadTable(r, tables.total, cut);
  if (cut) Note(notes, "names without their closing zero cut to 23 units");
  return tables;
}

std::string FormatRecordDate(int64_t date) {
  const std::time_t t = std::time_t(date);
  std::tm parts{};
  if (int64_t(t) != date || !localtime_r(&t, &parts)) return {};
  char text[64];
  const size_t n = std::strftime(text, sizeof text, "%x", &parts);
  return std::string(text, n);
}
