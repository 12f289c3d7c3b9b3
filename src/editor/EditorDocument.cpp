#include "editor/EditorDocument.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <span>

#include "data/Language.h"
#include "data/XmlDocument.h"
#include "editor/AttributeLine.h"
#include "level/DescriptorServices.h"
#include "level/GameDescriptors.h"
#include "level/LevelDiff.h"
#include "level/LevelWriter.h"
#include "level/ObjectFlags.h"
#include "level/WaypointArea.h"

namespace {

// The first two lines of an authored level text are the declaration and the `level` element;
// the objects follow one per line.
constexpr size_t kFirstObjectLine = 2;
// Level files larger than this are not opened (the biggest shipped level is a few KB).
constexpr std::uintmax_t kMaxFileSize = 16u << 20;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::vector<std::string> Split(std::string_view text, char by) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(by, start);
    parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::optional<double> Number(std::string_view text) {
  const std::string s(text);
  if (s.empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<long> WholeNumber(std::string_view text) {
  const std::optional<double> v = Number(text);
  if (!v || *v != std::floor(*v) || std::fabs(*v) > 1e9) return std::nullopt;
  return long(*v);
}

// Whether a typed value reads back as the written one: lists of the same length whose
// numbers agree to the two decimals the file keeps, other words exactly.
bool SameValue(std::string_view attr, std::string_view typed, std::string_view written) {
  if (attr == "flags") return ObjectFlags::Parse(typed) == ObjectFlags::Parse(written);
  // Values the reader fills in for what was left out are zeros.
  std::vector<std::string> a = Split(typed, ','), b = Split(written, ',');
  if (a.size() > b.size()) return false;
  a.resize(b.size(), "0");
  for (size_t i = 0; i < a.size(); ++i) {
    const std::optional<double> x = Number(a[i]), y = Number(b[i]);
    if (x && y) {
      if (std::fabs(*x - *y) > 0.005) return false;
    } else if (a[i] != b[i]) {
      return false;
    }
  }
  return true;
}

std::string FormatPosition(float x, float y) {
  return std::to_string(long(std::lround(x))) + "," + std::to_string(long(std::lround(y)));
}

// Reads the campaign position a level element names (the reader keeps it only for saves).
void TakePosition(std::string_view text, Level& level) {
  XmlDocument doc;
  doc.Parse(text);
  const XmlElement root = doc.FirstChild(XmlElement(), "level");
  if (!root) return;
  level.episode = std::clamp(root.Int("episode", 0), 0, 99);
  level.levelNumber = std::clamp(root.Int("level", 0), 0, 99);
}

// A file that cannot be written, or that is marked read-only for everyone (which the
// administrator could write, but the mark says not to).
bool ReadOnly(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  return access(path.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0;
}

FieldResult Refuse(std::string key, std::string detail = {}) {
  return FieldResult{false, std::move(key), std::move(detail)};
}

const FieldResult kTaken{true, {}, {}};

}  // namespace

EditorDocument::EditorDocument(const GameDescriptors& descriptors, DescriptorServices* media,
                               size_t undoLimit)
    : descriptors_(descriptors),
      media_(media),
      level_(std::make_unique<Level>(descriptors)),
      history_(undoLimit) {
  New("");
}

std::optional<std::string> EditorDocument::Normalise(const std::string& text, Level& into) const {
  if (!into.ReadLevel(text)) return std::nullopt;
  TakePosition(text, into);
  return LevelWriter(into, LevelWriter::Form::Authored).Write();
}

void EditorDocument::Rebuild() {
  auto level = std::make_unique<Level>(descriptors_);
  if (Normalise(history_.Current(), *level)) level_ = std::move(level);
}

bool EditorDocument::Open(std::string_view text) {
  openProblems_.clear();
  partial_ = false;
  original_ = std::string(text);
  auto level = std::make_unique<Level>(descriptors_);
  const bool whole = level->ReadLevel(text);
  TakePosition(text, *level);
  if (!whole) {
    if (level->readError == "no level element") {
      openProblems_.push_back({0, "editor_problem_not_level", {}});
      return false;
    }
    partial_ = true;
    openProblems_.push_back({0, "editor_problem_unreadable", level->readError});
  }
  // What was read, written as an authored level and read again: the model is that text.
  std::string canonical = LevelWriter(*level, LevelWriter::Form::Authored).Write();
  auto model = std::make_unique<Level>(descriptors_);
  if (!Normalise(canonical, *model)) return false;
  // The bytes opened are written back unchanged only when they read as exactly this level
  // (values finer than the two decimals the writer keeps would not).
  faithful_ = whole && LevelDiff::Compare(*level, *model, 1).empty();
  level_ = std::move(model);
  history_.Reset(canonical);
  openedAs_ = canonical;
  for (EditorProblem& p : Check()) openProblems_.push_back(std::move(p));
  return true;
}

bool EditorDocument::OpenFile(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  std::ifstream in(path, std::ios::binary);
  if (error || !in || size > kMaxFileSize) {
    New("");
    path_ = path;
    openProblems_.assign(1, {0, "editor_problem_no_file", path});
    return false;
  }
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const bool opened = Open(text);
  path_ = path;
  readOnly_ = ReadOnly(path);
  if (readOnly_) openProblems_.insert(openProblems_.begin(), {0, "editor_problem_read_only", path});
  return opened;
}

void EditorDocument::New(const std::string& ground) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<level episode=\"0\" level=\"0\" mode=\"0\" music=\"1\" time_easy=\"600\" "
      "time_norm=\"420\" time_hard=\"300\" run_speed=\"15\" storage=\"20\" thief_per=\"0\" "
      "resp_speed=\"100\" resources=\"10,10,0\" quest_res=\"0,0,0\" bonus_speed=\"100\" "
      "bonus_cost=\"20,30,40,50,60,70\" state=\"0\" workers_free=\"0\" worker_types=\"1\" "
      "build_speed=\"100\">\n";
  if (!ground.empty()) {
    text += "<object id=\"1\" tex=\"" + LevelWriter::Escape(ground) +
            "\" class=\"0\" subclass=\"0\" pos=\"0,0\" size=\"640.00,384.00\"/>\n";
  }
  text += "</level>\n";
  Open(text);
  original_ = history_.Current();
  faithful_ = true;
  openedAs_ = history_.Current();
  path_.clear();
  readOnly_ = false;
  history_.MarkUnsaved();
}

std::vector<std::string> EditorDocument::Lines() const { return SplitLines(history_.Current()); }

bool EditorDocument::Commit(const std::vector<std::string>& lines, std::string_view label) {
  auto level = std::make_unique<Level>(descriptors_);
  std::optional<std::string> text = Normalise(JoinLines(lines), *level);
  if (!text || *text == history_.Current()) return false;
  history_.Push(std::string(label), std::move(*text));
  level_ = std::move(level);
  return true;
}

bool EditorDocument::Undo() {
  if (!history_.Undo()) return false;
  Rebuild();
  return true;
}

bool EditorDocument::Redo() {
  if (!history_.Redo()) return false;
  Rebuild();
  return true;
}

int EditorDocument::IndexOf(int id) const {
  for (size_t i = 0; i < level_->objects.size(); ++i)
    if (level_->objects[i]->id == id) return int(i);
  return -1;
}

std::vector<int> EditorDocument::ServingWaypoints(int id) const {
  std::vector<int> ids;
  // A camp waypoint names its workers' house in its respawn value.
  for (const auto& o : level_->objects) {
    const bool camp = o->subclass == 1 && o->respawnMin == id;
    if (o->cls == WorldObject::kWaypoint && (o->linkId == id || camp) && o->id != id)
      ids.push_back(o->id);
  }
  return ids;
}

std::vector<int> EditorDocument::Group(int id) const {
  const int index = IndexOf(id);
  if (index < 0) return {};
  const WorldObject& head = *level_->objects[size_t(index)];
  std::set<int> members{id};
  if (head.cls != WorldObject::kWaypoint) {
    for (const int w : ServingWaypoints(id)) members.insert(w);
    for (const WorldObject* o = head.link;
         o && o->Hidden() && o->cls != WorldObject::kWaypoint && !members.count(o->id);
         o = o->link) {
      members.insert(o->id);
    }
  }
  std::vector<int> ordered;
  for (const auto& o : level_->objects)
    if (members.count(o->id) &&
        std::find(ordered.begin(), ordered.end(), int(o->id)) == ordered.end())
      ordered.push_back(o->id);
  return ordered;
}

bool EditorDocument::Move(int id, Vec2 to) {
  const int index = IndexOf(id);
  if (index < 0) return false;
  const WorldObject& head = *level_->objects[size_t(index)];
  const float dx = std::round(to.x) - std::round(head.position.x);
  const float dy = std::round(to.y) - std::round(head.position.y);
  if (dx == 0 && dy == 0) return false;
  std::vector<std::string> lines = Lines();
  for (const int member : Group(id)) {
    const size_t at = kFirstObjectLine + size_t(IndexOf(member));
    std::optional<AttributeLine> line = AttributeLine::Parse(lines[at]);
    if (!line) return false;
    const WorldObject& o = *level_->objects[size_t(IndexOf(member))];
    line->SetValue("pos", FormatPosition(o.position.x + dx, o.position.y + dy));
    lines[at] = line->Format();
  }
  return Commit(lines, "move");
}

bool EditorDocument::MoveWaypoint(int id, Vec2 to) {
  const int index = IndexOf(id);
  if (index < 0 || level_->objects[size_t(index)]->cls != WorldObject::kWaypoint) return false;
  const size_t at = kFirstObjectLine + size_t(index);
  std::vector<std::string> lines = Lines();
  std::optional<AttributeLine> line = AttributeLine::Parse(lines[at]);
  if (!line) return false;
  line->SetValue("pos", FormatPosition(to.x, to.y));
  lines[at] = line->Format();
  Level moved(descriptors_);
  if (!Normalise(JoinLines(lines), moved)) return false;
  const WorldObject& waypoint = *moved.objects[size_t(index)];
  if (!waypoint_area::Served(waypoint).empty()) {
    const Vec2 half = waypoint_area::FittedHalfSize(waypoint);
    char size[64];
    std::snprintf(size, sizeof size, "%.2f,%.2f", half.x, half.y);
    line->SetValue("size", size);
    lines[at] = line->Format();
  }
  return Commit(lines, "move");
}

bool EditorDocument::Delete(int id) {
  if (IndexOf(id) < 0) return false;
  const std::vector<int> group = Group(id);
  const std::set<int> gone(group.begin(), group.end());
  const std::vector<std::string> lines = Lines();
  std::vector<std::string> kept;
  const size_t objectEnd = kFirstObjectLine + level_->objects.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i < kFirstObjectLine || i >= objectEnd) {
      kept.push_back(lines[i]);
      continue;
    }
    const WorldObject& o = *level_->objects[i - kFirstObjectLine];
    if (gone.count(o.id)) continue;
    std::optional<AttributeLine> line = AttributeLine::Parse(lines[i]);
    if (!line) return false;
    // Nothing keeps naming what is gone.
    if (gone.count(o.linkId)) line->SetValue("obj_link", "");
    if (o.cls == WorldObject::kWaypoint) {
      std::string links;
      for (const int l : o.links) {
        if (l == 0 || gone.count(l)) continue;
        links += (links.empty() ? "" : ",") + std::to_string(l);
      }
      line->SetValue("links", links);
    }
    kept.push_back(line->Format());
  }
  return Commit(kept, "delete");
}

int EditorDocument::FreshId(const std::vector<std::string>& lines) const {
  int next = level_->nextId;
  for (const std::string& l : lines) {
    std::optional<AttributeLine> line = AttributeLine::Parse(l);
    if (!line || line->Element() != "object") continue;
    if (const std::optional<std::string> id = line->Value("id"))
      next = std::max(next, std::atoi(id->c_str()) + 1);
  }
  return next;
}

int EditorDocument::Place(const std::vector<std::string>& templateLines, Vec2 at,
                          std::string_view label) {
  std::vector<std::string> lines = Lines();
  std::vector<AttributeLine> added;
  for (const std::string& text : templateLines) {
    std::optional<AttributeLine> line = AttributeLine::Parse(text);
    if (!line || line->Element() != "object") return 0;
    added.push_back(std::move(*line));
  }
  if (added.empty()) return 0;
  // Fresh ids, in order; links within the group follow them, links out of it are dropped.
  int next = FreshId(lines);
  if (next + int(added.size()) > 0xFFFF) return 0;
  std::map<int, int> renamed;
  for (const AttributeLine& line : added)
    renamed[std::atoi(line.Value("id").value_or("0").c_str())] = next++;
  const auto rename = [&](const std::string& value) -> std::string {
    const auto it = renamed.find(std::atoi(value.c_str()));
    return it == renamed.end() ? std::string() : std::to_string(it->second);
  };
  int head = 0, first = 0;
  std::vector<std::string> formatted;
  for (AttributeLine& line : added) {
    const std::string newId = rename(line.Value("id").value_or("0"));
    line.SetValue("id", newId);
    if (const auto link = line.Value("obj_link")) line.SetValue("obj_link", rename(*link));
    // A camp waypoint's house.
    if (line.Value("class") == "3" && line.Value("subclass") == "1") {
      if (const auto respawn = line.Value("respawn")) {
        std::vector<std::string> parts = Split(*respawn, ',');
        parts[0] = rename(parts[0]);
        line.SetValue("respawn", parts[0].empty() ? std::string() : parts[0] + ",0");
      }
    }
    if (const auto links = line.Value("links")) {
      std::string kept;
      for (const std::string& l : Split(*links, ',')) {
        const std::string r = rename(l);
        if (!r.empty()) kept += (kept.empty() ? "" : ",") + r;
      }
      line.SetValue("links", kept);
    }
    float xy[2] = {0, 0};
    const std::vector<std::string> pos = Split(line.Value("pos").value_or("0,0"), ',');
    for (size_t i = 0; i < 2 && i < pos.size(); ++i) xy[i] = float(std::atof(pos[i].c_str()));
    line.SetValue("pos", FormatPosition(xy[0] + at.x, xy[1] + at.y));
    const int id = std::atoi(newId.c_str());
    if (!first) first = id;
    if (!head && line.Value("class").value_or("0") != "3") head = id;
    formatted.push_back(line.Format());
  }
  const size_t objectEnd = kFirstObjectLine + level_->objects.size();
  lines.insert(lines.begin() + std::ptrdiff_t(objectEnd), formatted.begin(), formatted.end());
  if (!Commit(lines, label)) return 0;
  return head ? head : first;
}

int EditorDocument::Duplicate(int id, Vec2 offset) {
  const std::vector<int> group = Group(id);
  if (group.empty()) return 0;
  const std::vector<std::string> lines = Lines();
  std::vector<std::string> copied;
  for (const int member : group)
    copied.push_back(lines[kFirstObjectLine + size_t(IndexOf(member))]);
  // Place names the copy by its first object that is not a waypoint; the group's head is
  // that one unless the group is a lone waypoint.
  return Place(copied, offset, "duplicate");
}

std::vector<std::pair<std::string, std::string>> EditorDocument::Fields(int id) const {
  const int index = IndexOf(id);
  if (index < 0) return {};
  const std::vector<std::string> lines = Lines();
  std::optional<AttributeLine> line = AttributeLine::Parse(lines[kFirstObjectLine + size_t(index)]);
  std::vector<std::pair<std::string, std::string>> out;
  if (!line) return out;
  for (const auto& [name, value] : line->Attributes())
    out.emplace_back(name, AttributeLine::Unescape(value));
  return out;
}

std::vector<std::pair<std::string, std::string>> EditorDocument::Settings() const {
  const std::vector<std::string> lines = Lines();
  std::vector<std::pair<std::string, std::string>> out;
  if (lines.size() < kFirstObjectLine) return out;
  std::optional<AttributeLine> line = AttributeLine::Parse(lines[1]);
  if (!line) return out;
  for (const auto& [name, value] : line->Attributes())
    out.emplace_back(name, AttributeLine::Unescape(value));
  return out;
}

FieldResult EditorDocument::Trial(size_t lineIndex, std::string_view attr, std::string_view value,
                                  std::vector<std::string>& lines) const {
  lines = Lines();
  if (lineIndex >= lines.size()) return Refuse("editor_field_unreadable");
  std::optional<AttributeLine> line = AttributeLine::Parse(lines[lineIndex]);
  if (!line) return Refuse("editor_field_unreadable");
  line->SetValue(attr, value);
  lines[lineIndex] = line->Format();
  Level scratch(descriptors_);
  const std::optional<std::string> text = Normalise(JoinLines(lines), scratch);
  if (!text) return Refuse("editor_field_unreadable");
  if (!value.empty()) {
    // The value has to come back from the file as it was typed: nothing is dropped quietly.
    const std::vector<std::string> written = SplitLines(*text);
    std::optional<AttributeLine> back =
        lineIndex < written.size() ? AttributeLine::Parse(written[lineIndex]) : std::nullopt;
    const std::optional<std::string> kept = back ? back->Value(attr) : std::nullopt;
    if (!kept) return Refuse("editor_field_not_kept", std::string(attr));
    if (!SameValue(attr, value, *kept)) return Refuse("editor_field_stored_as", *kept);
  }
  return kTaken;
}

FieldResult EditorDocument::SetAttribute(size_t lineIndex, std::string_view attr,
                                         std::string_view value, std::string_view label) {
  std::vector<std::string> lines;
  const FieldResult result = Trial(lineIndex, attr, value, lines);
  if (result.taken) Commit(lines, label);
  return result;
}

FieldResult EditorDocument::TryField(int id, std::string_view attr, std::string_view value) const {
  const int index = IndexOf(id);
  if (index < 0) return Refuse("editor_field_no_object", std::to_string(id));
  const FieldResult check = CheckObjectValue(id, attr, value);
  if (!check.taken || attr == "id") return check;
  std::vector<std::string> lines;
  return Trial(kFirstObjectLine + size_t(index), attr, value, lines);
}

FieldResult EditorDocument::CheckObjectValue(int id, std::string_view attr,
                                             std::string_view value) const {
  const WorldObject& o = *level_->objects[size_t(IndexOf(id))];
  const std::vector<std::string> parts = Split(value, ',');
  const auto wholeAt = [&](size_t i) {
    return i < parts.size() ? WholeNumber(parts[i]) : std::nullopt;
  };
  const auto exists = [&](long other) { return other > 0 && IndexOf(int(other)) >= 0; };
  if (attr == "id") {
    const std::optional<long> v = wholeAt(0);
    if (!v || parts.size() != 1 || *v < 1 || *v > 0xFFFF)
      return Refuse("editor_field_whole", "1-65535");
    if (*v != id && exists(*v)) return Refuse("editor_field_id_taken", std::string(value));
    return kTaken;
  }
  if (attr == "class") {
    const std::optional<long> v = wholeAt(0);
    if (!v || parts.size() != 1 || *v < 0 || *v > WorldObject::kBird)
      return Refuse("editor_field_whole", "0-11");
    return kTaken;
  }
  if (attr == "subclass") {
    const std::optional<long> v = wholeAt(0);
    if (!v || parts.size() != 1 || *v < 0 || *v > 0xFFFF)
      return Refuse("editor_field_whole", "0-65535");
    const bool described = o.cls == WorldObject::kObstacle || o.cls == WorldObject::kBuilding ||
                           o.cls == WorldObject::kLandmark;
    if (described && !descriptors_.ForClass(o.cls, int(*v)))
      return Refuse("editor_field_no_descriptor", std::string(value));
    return kTaken;
  }
  if (attr == "tex") {
    if (value.empty() && o.cls != WorldObject::kWaypoint && o.cls != WorldObject::kEffectSpot)
      return Refuse("editor_field_no_texture", "");
    if (media_ && !value.empty() && !media_->HasTexture(value))
      return Refuse("editor_field_no_texture", std::string(value));
    return kTaken;
  }
  if (attr == "obj_link") {
    if (value.empty()) return kTaken;
    const std::optional<long> v = wholeAt(0);
    if (!v || parts.size() != 1 || *v == id || !exists(*v))
      return Refuse("editor_field_no_object", std::string(value));
    return kTaken;
  }
  if (attr == "links") {
    if (value.empty()) return kTaken;
    if (o.cls != WorldObject::kWaypoint) return Refuse("editor_field_not_kept", "links");
    if (parts.size() > 3) return Refuse("editor_field_too_many_links");
    for (size_t i = 0; i < parts.size(); ++i) {
      const std::optional<long> v = wholeAt(i);
      if (!v || *v == id || !exists(*v) ||
          level_->objects[size_t(IndexOf(int(*v)))]->cls != WorldObject::kWaypoint)
        return Refuse("editor_field_not_waypoint", parts[i]);
    }
    return kTaken;
  }
  if (attr == "size") {
    for (size_t i = 0; i < 2; ++i) {
      const std::optional<double> v = i < parts.size() ? Number(parts[i]) : std::nullopt;
      if (!v || *v <= 0 || parts.size() != 2) return Refuse("editor_field_size");
    }
    return kTaken;
  }
  if (attr == "respawn" && !value.empty()) {
    const std::optional<long> lo = wholeAt(0), hi = wholeAt(1);
    if (!lo || !hi || parts.size() != 2 || *lo < 0 || *lo > *hi)
      return Refuse("editor_field_range");
    return kTaken;
  }
  if (attr == "flags") {
    for (const char c : value)
      if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'F'))) return Refuse("editor_field_flags");
    return kTaken;
  }
  if (attr == "pos" || attr == "tex_speed") {
    if (value.empty() && attr == "pos") return Refuse("editor_field_numbers", "2");
    for (const std::string& p : value.empty() ? std::vector<std::string>{} : parts)
      if (!Number(p) || parts.size() != 2) return Refuse("editor_field_numbers", "2");
    return kTaken;
  }
  return kTaken;
}

FieldResult EditorDocument::SetField(int id, std::string_view attr, std::string_view value) {
  const int index = IndexOf(id);
  if (index < 0) return Refuse("editor_field_no_object", std::to_string(id));
  const FieldResult check = CheckObjectValue(id, attr, value);
  if (!check.taken) return check;
  if (attr == "id" && std::atoi(std::string(value).c_str()) != id)
    return Rename(id, std::atoi(std::string(value).c_str()));
  return SetAttribute(kFirstObjectLine + size_t(index), attr, value, attr);
}

FieldResult EditorDocument::Rename(int id, int to) {
  std::vector<std::string> lines = Lines();
  const std::string from = std::to_string(id), renamed = std::to_string(to);
  for (size_t i = 0; i < level_->objects.size(); ++i) {
    std::optional<AttributeLine> line = AttributeLine::Parse(lines[kFirstObjectLine + i]);
    if (!line) return Refuse("editor_field_unreadable");
    if (line->Value("id") == from) line->SetValue("id", renamed);
    if (line->Value("obj_link") == from) line->SetValue("obj_link", renamed);
    const bool camp = line->Value("class") == "3" && line->Value("subclass") == "1";
    if (const auto respawn = line->Value("respawn"); camp && respawn) {
      std::vector<std::string> parts = Split(*respawn, ',');
      if (parts[0] == from)
        line->SetValue("respawn", renamed + (parts.size() > 1 ? "," + parts[1] : ""));
    }
    if (const auto links = line->Value("links")) {
      std::string out;
      for (const std::string& l : Split(*links, ','))
        out += (out.empty() ? "" : ",") + (l == from ? renamed : l);
      line->SetValue("links", out);
    }
    lines[kFirstObjectLine + i] = line->Format();
  }
  if (!Commit(lines, "id")) return Refuse("editor_field_unreadable");
  return kTaken;
}

FieldResult EditorDocument::CheckSettingValue(std::string_view attr, std::string_view value) const {
  const std::vector<std::string> parts = Split(value, ',');
  static const std::set<std::string, std::less<>> kCounts = {
      "time_easy", "time_norm",  "time_hard",    "storage",   "resources",
      "quest_res", "bonus_cost", "workers_free", "thief_per", "fly_time",
      "music",     "run_speed",  "build_speed",  "resp_speed"};
  if (kCounts.count(attr)) {
    for (const std::string& p : parts) {
      const std::optional<long> v = WholeNumber(p);
      if (!v || *v < 0) return Refuse("editor_field_negative");
    }
  }
  if (attr == "mode") {
    const std::optional<long> v = WholeNumber(value);
    if (!v || *v < 0 || *v > 3) return Refuse("editor_field_whole", "0-3");
  }
  if (attr == "state" && value != "0") return Refuse("editor_field_not_kept", "state");
  return kTaken;
}

FieldResult EditorDocument::SetSetting(std::string_view attr, std::string_view value) {
  const FieldResult check = CheckSettingValue(attr, value);
  if (!check.taken) return check;
  return SetAttribute(1, attr, value, attr);
}

FieldResult EditorDocument::TrySetting(std::string_view attr, std::string_view value) const {
  const FieldResult check = CheckSettingValue(attr, value);
  if (!check.taken) return check;
  std::vector<std::string> lines;
  return Trial(1, attr, value, lines);
}

FieldResult EditorDocument::SetSettings(
    const std::vector<std::pair<std::string, std::string>>& values, std::string_view label) {
  std::vector<std::string> lines = Lines();
  std::optional<AttributeLine> line =
      lines.size() > 1 ? AttributeLine::Parse(lines[1]) : std::nullopt;
  if (!line) return Refuse("editor_field_unreadable");
  for (const auto& [attr, value] : values) {
    const FieldResult check = CheckSettingValue(attr, value);
    if (!check.taken) return check;
    line->SetValue(attr, value);
  }
  lines[1] = line->Format();
  Level scratch(descriptors_);
  if (!Normalise(JoinLines(lines), scratch)) return Refuse("editor_field_unreadable");
  Commit(lines, label);
  return kTaken;
}

FieldResult EditorDocument::TextTrial(std::string_view language, std::string_view field,
                                      std::string_view value,
                                      std::vector<std::string>& lines) const {
  if (LanguageNumber(language) == 0) return Refuse("editor_field_language", std::string(language));
  const size_t limit = field == "name"      ? LevelText::kMaxNameBytes
                       : field == "message" ? LevelText::kMaxMessageBytes
                                            : 0;
  if (limit == 0) return Refuse("editor_field_not_kept", std::string(field));
  if (value.size() > limit) return Refuse("editor_field_too_long", std::to_string(limit));
  if (std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }))
    return Refuse("editor_field_control");
  lines = Lines();
  // The language's element, else a new one before the level's end.
  size_t at = 0;
  std::optional<AttributeLine> line;
  for (size_t i = kFirstObjectLine; i < lines.size() && !line; ++i) {
    std::optional<AttributeLine> candidate = AttributeLine::Parse(lines[i]);
    if (candidate && candidate->Element() == "text" && candidate->Value("lang") == language) {
      line = std::move(candidate);
      at = i;
    }
  }
  if (!line) {
    if (value.empty()) return kTaken;
    size_t end = lines.size();
    while (end > kFirstObjectLine && lines[end - 1].find("</level>") == std::string::npos) --end;
    if (end <= kFirstObjectLine) return Refuse("editor_field_unreadable");
    at = end - 1;
    lines.insert(lines.begin() + std::ptrdiff_t(at),
                 "<text lang=\"" + std::string(language) + "\" name=\"\" message=\"\" />");
    line = AttributeLine::Parse(lines[at]);
  }
  // The writer gives the element both fields again; an element left with no text goes.
  line->SetValue(field, value);
  if (line->Value("name").value_or("").empty() && line->Value("message").value_or("").empty()) {
    lines.erase(lines.begin() + std::ptrdiff_t(at));
  } else {
    lines[at] = line->Format();
  }
  Level scratch(descriptors_);
  if (!Normalise(JoinLines(lines), scratch)) return Refuse("editor_field_unreadable");
  return kTaken;
}

FieldResult EditorDocument::TryText(std::string_view language, std::string_view field,
                                    std::string_view value) const {
  std::vector<std::string> lines;
  return TextTrial(language, field, value, lines);
}

FieldResult EditorDocument::SetText(std::string_view language, std::string_view field,
                                    std::string_view value) {
  std::vector<std::string> lines;
  const FieldResult result = TextTrial(language, field, value, lines);
  if (result.taken) Commit(lines, "text");
  return result;
}

std::string EditorDocument::TextOf(std::string_view language, std::string_view field) const {
  for (const LevelText& t : level_->texts) {
    if (t.language != language) continue;
    return field == "name" ? t.name : field == "message" ? t.message : std::string();
  }
  return {};
}

FieldResult EditorDocument::Link(int a, int b) {
  const int ia = IndexOf(a), ib = IndexOf(b);
  if (ia < 0 || ib < 0 || a == b) return Refuse("editor_field_not_waypoint", std::to_string(b));
  const WorldObject& from = *level_->objects[size_t(ia)];
  const WorldObject& to = *level_->objects[size_t(ib)];
  if (from.cls != WorldObject::kWaypoint || to.cls != WorldObject::kWaypoint)
    return Refuse("editor_field_not_waypoint", std::to_string(b));
  std::string links;
  int used = 0;
  for (const int l : from.links) {
    if (l == 0) continue;
    if (l == b) return Refuse("editor_link_exists");
    links += (links.empty() ? "" : ",") + std::to_string(l);
    ++used;
  }
  for (const int l : to.links)
    if (l == a) return Refuse("editor_link_exists");
  if (used >= 3) return Refuse("editor_field_too_many_links");
  links += (links.empty() ? "" : ",") + std::to_string(b);
  return SetAttribute(kFirstObjectLine + size_t(ia), "links", links, "link");
}

bool EditorDocument::Unlink(int a, int b) {
  std::vector<std::string> lines = Lines();
  bool changed = false;
  for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
    const int index = IndexOf(from);
    if (index < 0) continue;
    const WorldObject& o = *level_->objects[size_t(index)];
    if (o.cls != WorldObject::kWaypoint) continue;
    std::string links;
    for (const int l : o.links) {
      if (l == 0) continue;
      if (l == to) {
        changed = true;
        continue;
      }
      links += (links.empty() ? "" : ",") + std::to_string(l);
    }
    std::optional<AttributeLine> line =
        AttributeLine::Parse(lines[kFirstObjectLine + size_t(index)]);
    if (!line) return false;
    line->SetValue("links", links);
    lines[kFirstObjectLine + size_t(index)] = line->Format();
  }
  return changed && Commit(lines, "unlink");
}

std::vector<EditorProblem> EditorDocument::Check() const {
  std::vector<EditorProblem> problems;
  const Level& l = *level_;
  std::set<int> ids;
  bool camp = false;
  std::set<int> served;
  for (const auto& o : l.objects)
    if (o->cls == WorldObject::kWaypoint && o->linkId) served.insert(o->linkId);
  for (const auto& owned : l.objects) {
    const WorldObject& o = *owned;
    const int id = o.id;
    if (!ids.insert(id).second)
      problems.push_back({id, "editor_problem_duplicate_id", std::to_string(id)});
    const bool described = o.cls == WorldObject::kObstacle || o.cls == WorldObject::kBuilding ||
                           o.cls == WorldObject::kLandmark;
    if (described && !o.desc)
      problems.push_back({id, "editor_problem_no_descriptor", std::to_string(o.subclass)});
    const bool pictured = o.cls != WorldObject::kWaypoint && o.cls != WorldObject::kEffectSpot;
    if (pictured && media_ && !o.HasAny(ObjectFlags::kMask) && !media_->HasTexture(o.texture))
      problems.push_back({id, "editor_problem_no_texture", o.texture});
    if (o.linkId != 0 && !o.link)
      problems.push_back({id, "editor_problem_broken_link", std::to_string(o.linkId)});
    if (o.cls == WorldObject::kWaypoint) {
      if (o.subclass == 1) camp = true;
      for (const int link : o.links) {
        if (link == 0) continue;
        const WorldObject* to = l.FindObject(link);
        if (!to || to->cls != WorldObject::kWaypoint)
          problems.push_back({id, "editor_problem_broken_waypoint_link", std::to_string(link)});
      }
    }
    if (o.cls == WorldObject::kWaypoint && o.subclass == 1 && IsOrdinary(l.mode)) {
      const WorldObject* house = l.FindObject(o.respawnMin);
      if (!house || house->cls != WorldObject::kBuilding)
        problems.push_back({id, "editor_problem_camp_no_house", std::to_string(o.respawnMin)});
    }
    const bool outside =
        std::fabs(o.position.x) > kHalfWidth || std::fabs(o.position.y) > kHalfHeight;
    if (IsOrdinary(l.mode) && outside)
      problems.push_back(
          {id, "editor_problem_outside", FormatPosition(o.position.x, o.position.y)});
    if (IsOrdinary(l.mode) && o.cls == WorldObject::kObstacle && !o.Hidden() && !served.count(id) &&
        o.desc && !o.desc->Indestructible())
      problems.push_back({id, "editor_problem_not_served", o.texture});
  }
  // Clicks on a picture are taken by its waypoint's quad: most of the picture must lie in it.
  for (const auto& owned : l.objects) {
    if (owned->cls != WorldObject::kWaypoint || !IsOrdinary(l.mode)) continue;
    for (const WorldObject* picture : waypoint_area::Served(*owned)) {
      if (picture->Hidden() || waypoint_area::Share(*owned, *picture) >= waypoint_area::kLeastShare)
        continue;
      problems.push_back({owned->id, "editor_problem_click_area", std::to_string(picture->id)});
      break;
    }
  }
  if (IsOrdinary(l.mode) && !camp) problems.push_back({0, "editor_problem_no_camp", {}});
  // Every waypoint that serves something is reached along the links (either way) from a
  // waypoint where workers live (the camp and the special workers' bases), obstacles cleared.
  if (IsOrdinary(l.mode) && camp) {
    std::set<int> reached;
    std::vector<const WorldObject*> open;
    for (const auto& o : l.objects) {
      if (o->cls == WorldObject::kWaypoint && o->subclass >= 1 && o->subclass <= 9 &&
          reached.insert(o->id).second)
        open.push_back(o.get());
    }
    while (!open.empty()) {
      const WorldObject* at = open.back();
      open.pop_back();
      for (const auto& neighbours : {at->links, at->backLinks}) {
        for (const int next : neighbours) {
          const WorldObject* to = next ? l.FindObject(next) : nullptr;
          if (to && to->cls == WorldObject::kWaypoint && reached.insert(next).second)
            open.push_back(to);
        }
      }
    }
    for (const auto& o : l.objects) {
      if (o->cls == WorldObject::kWaypoint && o->link && !o->link->Hidden() &&
          !reached.count(o->id))
        problems.push_back({o->id, "editor_problem_unreachable", std::to_string(o->linkId)});
    }
  }
  if (l.timeHard > l.timeNorm || l.timeNorm > l.timeEasy)
    problems.push_back({0, "editor_problem_times",
                        std::to_string(l.timeEasy) + "," + std::to_string(l.timeNorm) + "," +
                            std::to_string(l.timeHard)});
  return problems;
}

std::string EditorDocument::SaveText() const {
  // What was opened whole goes back as it was; a partial document only in the editor's form.
  return faithful_ && history_.Current() == openedAs_ ? original_ : history_.Current();
}

FieldResult EditorDocument::Save(const std::string& path, base::WriteStep failAt) {
  if (path.empty()) return Refuse("editor_save_no_path");
  const bool samePlace =
      !path_.empty() && std::filesystem::path(path) == std::filesystem::path(path_);
  if (samePlace && partial_) return Refuse("editor_save_partial", path);
  if ((samePlace && readOnly_) || ReadOnly(path)) return Refuse("editor_save_read_only", path);
  const std::string text = SaveText();
  // Never a file that would not read back as this level.
  Level check(descriptors_);
  if (!check.ReadLevel(text)) return Refuse("editor_save_not_readable", check.readError);
  TakePosition(text, check);
  if (!LevelDiff::Compare(check, *level_, 1).empty())
    return Refuse("editor_save_not_readable", LevelDiff::Compare(check, *level_, 1).front());
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  if (!base::WriteFileAtomically(path, std::span<const uint8_t>(bytes, text.size()), failAt))
    return Refuse("editor_save_failed", path);
  path_ = path;
  original_ = text;
  openedAs_ = history_.Current();
  faithful_ = true;
  partial_ = false;
  readOnly_ = false;
  history_.MarkSaved();
  return kTaken;
}
