#include "progress/OwnLevelRecords.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

// The fields after the name, in their order, with their ranges.
struct FieldRange {
  int low, high;
};
constexpr FieldRange kRanges[] = {{0, 1}, {0, 3}, {-1, 2}, {0, 24 * 3600}, {0, 100000000},
                                  {0, 1000000000}};
constexpr size_t kFields = std::size(kRanges);

bool ParseInt(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool OwnLevelRecords::NameAllowed(const std::string& file) {
  return !file.empty() && file.size() <= kMaxName &&
         file.find_first_of(std::string_view("\t\n\r\0", 4)) == std::string::npos;
}

const OwnLevelRecord* OwnLevelRecords::Find(const std::string& file) const {
  const auto it = records_.find(file);
  return it == records_.end() ? nullptr : &it->second;
}

bool OwnLevelRecords::Store(const std::string& file, bool won, int stars, int medal,
                            int seconds, int score) {
  if (!NameAllowed(file)) return false;
  if (!records_.count(file) && records_.size() >= kMaxLevels) return false;
  OwnLevelRecord& r = records_[file];
  r.plays = std::min(r.plays + 1, kRanges[5].high);
  r.score = std::max(r.score, std::clamp(score, 0, kRanges[4].high));
  if (!won) return true;
  seconds = std::clamp(seconds, 0, kRanges[3].high);
  r.seconds = r.won ? std::min(r.seconds, seconds) : seconds;
  r.won = true;
  r.stars = std::max(r.stars, std::clamp(stars, 0, 3));
  r.medal = std::max(r.medal, std::clamp(medal, -1, 2));
  return true;
}

std::vector<uint8_t> OwnLevelRecords::Encode() const {
  std::string text;
  for (const auto& [name, r] : records_) {
    text += name;
    for (const int v : {int(r.won), r.stars, r.medal, r.seconds, r.score, r.plays}) {
      text += '\t';
      text += std::to_string(v);
    }
    text += '\n';
  }
  return std::vector<uint8_t>(text.begin(), text.end());
}

std::optional<OwnLevelRecords> OwnLevelRecords::Decode(std::span<const uint8_t> payload) {
  OwnLevelRecords out;
  const std::string_view all(reinterpret_cast<const char*>(payload.data()), payload.size());
  size_t start = 0;
  while (start < all.size() && out.records_.size() < kMaxLevels) {
    size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view line = all.substr(start, end - start);
    start = end + 1;
    // The name, then exactly the fields.
    std::vector<std::string_view> parts;
    size_t from = 0;
    for (;;) {
      const size_t tab = line.find('\t', from);
      if (parts.size() == kFields + 1) {  // one too many: the line is no record
        parts.push_back({});
        break;
      }
      parts.push_back(line.substr(from, tab == std::string_view::npos ? line.size() - from
                                                                       : tab - from));
      if (tab == std::string_view::npos) break;
      from = tab + 1;
    }
    if (parts.size() != kFields + 1) continue;
    const std::string name(parts[0]);
    if (!NameAllowed(name)) continue;
    int v[kFields];
    bool ok = true;
    for (size_t i = 0; i < kFields && ok; ++i) {
      ok = ParseInt(parts[i + 1], v[i]);
      if (ok) v[i] = std::clamp(v[i], kRanges[i].low, kRanges[i].high);
    }
    if (!ok) continue;
    OwnLevelRecord r{v[0] == 1, v[1], v[2], v[3], v[4], v[5]};
    if (!r.won) r.stars = 0, r.medal = -1, r.seconds = 0;
    out.records_[name] = r;
  }
  return out;
}
