#include "editor/ModeEditor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "app/Application.h"
#include "base/DataFiles.h"
#include "base/GameKeys.h"
#include "base/Text.h"
#include "level/Level.h"

namespace {

// Letter keys by their place on the keyboard's rows (Q W E R T Y ..., A S D F G ...).
constexpr int kKeyY = kGameKeyQ + 5, kKeyS = kGameKeyA + 1, kKeyD = kGameKeyA + 2,
              kKeyG = kGameKeyA + 4, kKeyP = kGameKeyQ + 9, kKeyT = kGameKeyQ + 4,
              kKeyL = kGameKeyA + 8;

// The grid the world snaps to, in level units.
constexpr float kGrid = 10.0f;
// Screen units within which a press takes a waypoint's ring or a link.
constexpr float kRingRadius = 12.0f;
constexpr float kLinkReach = 6.0f;
constexpr float kZoomMin = -0.6f, kZoomMax = 3.0f;

std::string FileText(FileSystem& fs, const std::string& name) {
  FileData data = fs.Read(name);
  if (!data) return {};
  std::string text(data.Text());
  fs.Release(data.data);
  return text;
}

std::string LevelsFolder() {
  const std::string& data = base::DataFolder();
  return data.empty() ? std::string() : data + "/levels";
}

// The campaign position a level is tried and checked at: its own, or the first level's for a
// level outside the campaign (what the level screen and the lint look up by it is there).
std::pair<int, int> TrialPosition(const Level& level) {
  const bool campaign = level.episode >= 1 && level.episode <= Level::kEpisodes &&
                        level.levelNumber >= 1 && level.levelNumber <= Level::kLevelsPerEpisode;
  return campaign ? std::pair{level.episode, level.levelNumber} : std::pair{1, 1};
}

float DistanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float length2 = dx * dx + dy * dy;
  float t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0f, 1.0f);
  const float x = a.x + t * dx - p.x, y = a.y + t * dy - p.y;
  return std::sqrt(x * x + y * y);
}

}  // namespace

ModeEditor::ModeEditor() = default;
ModeEditor::~ModeEditor() = default;

void ModeEditor::Accept(const ModeRequest& request) { request_ = request; }

bool ModeEditor::Load() {
  if (!Mode::Load()) return true;
  if (StringTable* strings = App().strings()) strings->Load("editor");
  return true;
}

void ModeEditor::Enter() {
  requested = nullptr;
  Mode::Enter();
  // The editor's own strings (a language change reloads the shared ones).
  if (StringTable* strings = App().strings()) strings->Load("editor");
  // Coming back from playing the level keeps the document as it was.
  const bool fromGame = request_.back == ModeId::Game;
  if (!document_ || (request_.mode == ModeId::Editor && !fromGame)) OpenRequested();
  request_ = ModeRequest{};
}

void ModeEditor::Leave() {
  drag_ = Drag::None;
  ctrl_ = false;
  asking_ = false;
  Mode::Leave();
}

void ModeEditor::Release() {
  drawer_.reset();
  Mode::Release();
}

void ModeEditor::OpenRequested() {
  Application& app = App();
  if (!app.descriptors()) return;
  document_ = std::make_unique<EditorDocument>(*app.descriptors(), app.gameServices());
  // The game runs in its game folder (the entry point changes to it before mounting
  // "content"), so the lint reads the very folder the game plays from.
  lint_ = std::make_unique<EditorLint>(".");
  FileSystem* fs = app.files();
  if (!paletteLearnt_ && fs) {
    std::vector<std::string> texts;
    for (int e = 1; e <= Level::kEpisodes; ++e)
      for (int l = 1; l <= Level::kLevelsPerEpisode; ++l) {
        // Levels not made yet are skipped without asking for them (the content log).
        if (!fs->Find(Level::LevelFileName(e, l))) continue;
        std::string text = FileText(*fs, Level::LevelFileName(e, l));
        if (!text.empty()) texts.push_back(std::move(text));
      }
    palette_.Learn(*app.descriptors(), texts);
    paletteLearnt_ = true;
  }
  selected_ = 0;
  editingRow_ = -1;
  armed_ = -1;
  status_.clear();
  const std::string levels = LevelsFolder();
  if (!request_.file.empty()) {
    document_->OpenFile(request_.file);
    savePath_ = request_.file;
  } else if (request_.episode > 0 && fs) {
    const std::string name = Level::LevelFileName(request_.episode, request_.level);
    const std::string text = FileText(*fs, name);
    if (text.empty()) {
      document_->New("");
      SayKey("editor_problem_no_file", name);
    } else {
      document_->Open(text);
    }
    // A shipped level is saved as the player's own copy, never into the game's content.
    savePath_ = levels.empty() ? std::string() : levels + "/" + name;
  } else {
    // A land by its number is the ground of its episode's first level.
    std::string ground = request_.ground;
    const bool number =
        !ground.empty() && ground.size() < 3 &&
        std::all_of(ground.begin(), ground.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (number && fs) {
      Level first(*app.descriptors());
      const std::string text = FileText(*fs, Level::LevelFileName(std::atoi(ground.c_str()), 1));
      ground.clear();
      if (first.ReadLevel(text) && !first.objects.empty()) ground = first.objects.front()->texture;
    }
    document_->New(ground);
    savePath_.clear();
    for (int n = 1; !levels.empty() && n < 1000; ++n) {
      char name[32];
      std::snprintf(name, sizeof name, "/my_level_%02d.xml", n);
      if (!std::filesystem::exists(levels + name)) {
        savePath_ = levels + name;
        break;
      }
    }
  }
  name_ =
      savePath_.empty() ? std::string("-") : std::filesystem::path(savePath_).filename().string();
  const auto& problems = document_->OpenProblems();
  if (!problems.empty()) SayKey(problems.front().key, problems.front().detail);
  RebuildView();
  FitView();
}

void ModeEditor::RebuildView() {
  Application& app = App();
  if (!document_ || !app.descriptors()) return;
  view_ = std::make_unique<Level>(*app.descriptors(), app.gameServices());
  view_->ReadLevel(document_->Text());
  view_->PrepareObjects();
  ListProblems();
  if (selected_ && !document_->level().FindObject(selected_)) selected_ = 0;
  Select(selected_);
  if (settingsOpen_) FillSettingsRows();
}

void ModeEditor::ListProblems() {
  if (!document_) return;
  problems_ = document_->Check();
  if (document_->Partial()) {
    for (const EditorProblem& p : document_->OpenProblems())
      if (p.key == "editor_problem_unreadable") problems_.insert(problems_.begin(), p);
  }
  // The lint's findings follow, as of its last run (a run follows once an edit settles).
  if (lint_) {
    const std::vector<EditorProblem> found = lint_->Problems();
    problems_.insert(problems_.end(), found.begin(), found.end());
  }
}

void ModeEditor::Select(int id) {
  selected_ = document_ && document_->level().FindObject(id) ? id : 0;
  editingRow_ = -1;
  rows_.clear();
  if (!document_) return;
  // Without a selection the panel holds the level's own settings.
  for (const auto& [name, value] : selected_ ? document_->Fields(selected_) : document_->Settings())
    rows_.push_back(FieldRow{name, value});
}

void ModeEditor::FitView() {
  const Renderer* r = App().renderer();
  if (!r) return;
  // The level between the panels.
  const float left = -r->HalfWidth() + kPaletteWidth;
  const float right = r->HalfWidth() - kFieldsWidth;
  const float top = r->HalfHeight() - kBarHeight;
  const float bottom = -r->HalfHeight() + kStatusHeight;
  const float scale = std::min((right - left) / 1280.0f, (top - bottom) / 768.0f);
  camera_.zoom = std::clamp(1.0f / scale - 1.0f, kZoomMin, kZoomMax);
  camera_.offset =
      Vec2{(left + right) * 0.5f * (camera_.zoom + 1), (top + bottom) * 0.5f * (camera_.zoom + 1)};
}

Vec2 ModeEditor::ToWorld(float x, float y) const {
  const float k = camera_.zoom + 1;
  return Vec2{x * k - camera_.offset.x, y * k - camera_.offset.y};
}

Vec2 ModeEditor::ToScreen(Vec2 world) const {
  const float k = camera_.zoom + 1;
  return Vec2{(world.x + camera_.offset.x) / k, (world.y + camera_.offset.y) / k};
}

Vec2 ModeEditor::Snapped(Vec2 world) const {
  if (!grid_) return Vec2{std::round(world.x), std::round(world.y)};
  return Vec2{std::round(world.x / kGrid) * kGrid, std::round(world.y / kGrid) * kGrid};
}

std::u16string ModeEditor::Text(const char* key) const {
  const StringTable* strings = App().strings();
  if (!strings) return base::Utf8ToUtf16(key);
  const std::u16string& text = strings->Get(key);
  return text.empty() ? base::Utf8ToUtf16(key) : text;
}

std::u16string ModeEditor::Explain(const std::string& key, const std::string& detail) const {
  // The content lint's findings have no key: their text is the lint's own, in English, as
  // `kcontent lint` prints it. That is fine for authors, who read the same lines from the
  // tool; the panel's header and the editor's own problems stay in the player's language.
  if (key.empty()) return base::Utf8ToUtf16(detail);
  std::u16string text = Text(key.c_str());
  const size_t at = text.find(u"%s");
  if (at != std::u16string::npos) text.replace(at, 2, base::Utf8ToUtf16(detail));
  return text;
}

void ModeEditor::Say(const std::u16string& text) { status_ = text; }
void ModeEditor::SayKey(const std::string& key, const std::string& detail) {
  Say(Explain(key, detail));
}

std::u16string ModeEditor::Title() const {
  std::u16string title = Text("editor_title") + u": " + base::Utf8ToUtf16(name_);
  if (document_ && document_->Modified()) title += u" *";
  return title;
}

void ModeEditor::Update() {
  Mode::Update();
  if (view_) view_->animationClock += App().frameTime;
  if (document_ && lint_) {
    const auto [episode, number] = TrialPosition(document_->level());
    if (lint_->Update(document_->Text(), episode, number, App().frameTime)) ListProblems();
  }
}

void ModeEditor::OnFadeDone(Fade kind) {
  if (kind == Fade::Out && requested) App().SetMode(requested, false);
}

// --- Actions

void ModeEditor::Save() {
  if (!document_) return;
  if (savePath_.empty()) return SayKey("editor_save_no_path");
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(savePath_).parent_path(), error);
  const FieldResult r = document_->Save(savePath_);
  if (r.taken) {
    SayKey("editor_saved", savePath_);
  } else {
    SayKey(r.key, r.detail);
  }
}

void ModeEditor::Undo() {
  if (!document_) return;
  if (document_->Undo()) {
    RebuildView();
  } else {
    SayKey("editor_nothing_to_undo");
  }
}

void ModeEditor::Redo() {
  if (!document_) return;
  if (document_->Redo()) {
    RebuildView();
  } else {
    SayKey("editor_nothing_to_redo");
  }
}

void ModeEditor::DeleteSelected() {
  if (!document_ || !selected_) return;
  if (document_->Delete(selected_)) {
    selected_ = 0;
    RebuildView();
  }
}

void ModeEditor::DuplicateSelected() {
  if (!document_ || !selected_) return;
  const int copy = document_->Duplicate(selected_, Vec2{40, -40});
  if (copy) {
    selected_ = copy;
    RebuildView();
  }
}

void ModeEditor::Play() {
  if (!document_ || requested) return;
  // What the level screen looks up by the campaign position (names, tutorial texts).
  const auto [episode, number] = TrialPosition(document_->level());
  RequestMode(PlayTrial(document_->Text(), episode, number, ModeId::Editor));
}

void ModeEditor::Prove() {
  Application& app = App();
  if (!document_ || !app.descriptors() || !app.gameSettings()) return;
  proof_ = LevelProof::Prove(*app.descriptors(), *app.gameSettings(), document_->Text(), 3600,
                             document_->level().episode, document_->level().levelNumber);
  const auto run = [&](const char* key, const LevelProof::Run& r) {
    char time[16];
    std::snprintf(time, sizeof time, "%d:%02d", r.seconds / 60, r.seconds % 60);
    return Text(key) + u": " +
           (r.won ? Explain("editor_proof_won", time) : Text("editor_proof_lost"));
  };
  std::u16string text = run("editor_proof_casual", proof_->casual) + u"   |   " +
                        run("editor_proof_expert", proof_->expert);
  if (proof_->HasSuggestion()) {
    text += u"   |   " + Explain("editor_proof_times", std::to_string(proof_->gold) + ", " +
                                                           std::to_string(proof_->silver) + ", " +
                                                           std::to_string(proof_->reference));
  }
  Say(text);
}

void ModeEditor::TakeTimes() {
  if (!document_ || !proof_ || !proof_->HasSuggestion()) return SayKey("editor_proof_none");
  document_->SetSettings({{"time_hard", std::to_string(proof_->gold)},
                          {"time_norm", std::to_string(proof_->silver)},
                          {"time_easy", std::to_string(proof_->reference)}},
                         "times");
  RebuildView();
}

void ModeEditor::SaveAndLeave() {
  Save();
  if (document_ && !document_->Modified()) LeaveEditor();
  asking_ = document_ && document_->Modified();
}

void ModeEditor::Escape() {
  if (armed_ >= 0) {
    armed_ = -1;
  } else if (document_ && document_->Modified()) {
    asking_ = true;
  } else {
    LeaveEditor();
  }
}

void ModeEditor::Stay() { asking_ = false; }

void ModeEditor::ToggleGrid() { grid_ = !grid_; }

void ModeEditor::LeaveEditor() {
  asking_ = false;
  if (Mode* menu = App().ModeOf(ModeId::Menu)) {
    RequestMode(menu);
  } else {
    App().quit = true;
  }
}

// --- Input

int ModeEditor::ObjectAt(Vec2 world) const {
  if (!view_ || !document_) return 0;
  int ground = 0;
  for (auto it = view_->objects.rbegin(); it != view_->objects.rend(); ++it) {
    const WorldObject& o = **it;
    if (o.Hidden() || o.cls == WorldObject::kWaypoint || o.cls == WorldObject::kEffectSpot)
      continue;
    if (!document_->level().FindObject(o.id) || !o.Contains(world)) continue;
    // The ground is taken only when nothing stands there.
    if (o.size.x >= 600 && o.size.y >= 350) {
      if (!ground) ground = o.id;
      continue;
    }
    return o.id;
  }
  return ground;
}

int ModeEditor::WaypointRingAt(Vec2 world) const {
  if (!document_) return 0;
  const float reach = kRingRadius * (camera_.zoom + 1);
  int best = 0;
  float bestDistance = reach;
  for (const auto& o : document_->level().objects) {
    if (o->cls != WorldObject::kWaypoint) continue;
    const float d = std::hypot(o->position.x - world.x, o->position.y - world.y);
    if (d <= bestDistance) {
      bestDistance = d;
      best = o->id;
    }
  }
  return best;
}

std::optional<std::pair<int, int>> ModeEditor::LinkAt(Vec2 world) const {
  if (!document_) return std::nullopt;
  const Level& level = document_->level();
  const float reach = kLinkReach * (camera_.zoom + 1);
  for (const auto& o : level.objects) {
    if (o->cls != WorldObject::kWaypoint) continue;
    for (const int link : o->links) {
      const WorldObject* to = link ? level.FindObject(link) : nullptr;
      if (to && DistanceToSegment(world, o->position, to->position) <= reach)
        return std::pair{int(o->id), link};
    }
  }
  return std::nullopt;
}

int ModeEditor::OnInput(InputEvent event) {
  const float x = App().mouseX, y = App().mouseY;
  switch (event.type) {
    case InputType::LeftDown:
      PressLeft(x, y);
      break;
    case InputType::LeftUp:
      ReleaseLeft(x, y);
      break;
    case InputType::RightDown:
      if (!asking_ && !PointerOnPanel(x, y)) {
        drag_ = Drag::Pan;
        dragLast_ = Vec2{x, y};
      }
      break;
    case InputType::RightUp:
      if (drag_ == Drag::Pan) drag_ = Drag::None;
      break;
    case InputType::PointerMove:
      MovePointer(x, y);
      break;
    case InputType::Wheel: {
      if (asking_ || settingsOpen_) break;
      const float steps = float(event.value) / 120.0f;
      if (x < -App().renderer()->HalfWidth() + kPaletteWidth) {
        const int rows = (int(palette_.OfKind(PaletteEntry::Kind(kind_)).size()) + 1) / 2;
        paletteFirst_ = std::clamp(paletteFirst_ - int(steps), 0, std::max(0, rows - 1));
        break;
      }
      if (PointerOnPanel(x, y)) break;
      const Vec2 fixed = ToWorld(x, y);
      camera_.zoom = std::clamp(camera_.zoom - steps * 0.15f, kZoomMin, kZoomMax);
      const float k = camera_.zoom + 1;
      camera_.offset = Vec2{x * k - fixed.x, y * k - fixed.y};
      break;
    }
    case InputType::KeyDown:
      KeyDown(event.value);
      break;
    case InputType::KeyUp:
      if (event.value == kGameKeyCtrl) ctrl_ = false;
      break;
    case InputType::Character:
      if (!ctrl_) TypeCharacter(char16_t(event.value));
      break;
    default:
      break;
  }
  return 0;
}

void ModeEditor::KeyDown(int key) {
  if (key == kGameKeyCtrl) {
    ctrl_ = true;
    return;
  }
  if (asking_) {
    if (key == kGameKeyEscape) asking_ = false;
    return;
  }
  if (editingRow_ >= 0) {
    if (key == kGameKeyEnter) {
      CommitField();
    } else if (key == kGameKeyEscape) {
      editingRow_ = -1;
    } else if (key == kGameKeyBackspace && !editText_.empty()) {
      editText_.pop_back();
      editVerdict_ = Verdict();
    }
    return;
  }
  if (settingsOpen_) {
    if (key == kGameKeyEscape) CloseSettings();
    return;
  }
  // The letters work with Ctrl or alone (no field is being typed into here).
  if (key == kGameKeyZ) return Undo();
  if (key == kKeyY) return Redo();
  if (key == kKeyS) return Save();
  if (key == kKeyD) return DuplicateSelected();
  if (key == kKeyP) return Prove();
  if (key == kKeyL) return Play();
  if (key == kKeyT) return TakeTimes();
  const float step = 40 * (camera_.zoom + 1);
  switch (key) {
    case kGameKeyEscape:
      Escape();
      break;
    case kGameKeyDelete:
      DeleteSelected();
      break;
    case kGameKeyLeft:
      camera_.offset.x += step;
      break;
    case kGameKeyRight:
      camera_.offset.x -= step;
      break;
    case kGameKeyUp:
      camera_.offset.y -= step;
      break;
    case kGameKeyDown:
      camera_.offset.y += step;
      break;
    case kKeyG:
      grid_ = !grid_;
      break;
    default:
      break;
  }
}

void ModeEditor::TypeCharacter(char16_t c) {
  if (editingRow_ < 0 || size_t(editingRow_) >= rows_.size() || c < 32 || c == 127) return;
  // A message may be long; every other field is short.
  const bool message = rows_[size_t(editingRow_)].name.starts_with("message:");
  if (editText_.size() >= (message ? LevelText::kMaxMessageBytes : 200)) return;
  editText_ += c;
  editVerdict_ = Verdict();
}

void ModeEditor::StartEditingField(size_t row) {
  if (row >= rows_.size()) return;
  editingRow_ = int(row);
  editText_ = base::Utf8ToUtf16(rows_[row].value);
  editVerdict_ = FieldResult{true, {}, {}};
}

FieldResult ModeEditor::Verdict() const {
  const std::string& name = rows_[size_t(editingRow_)].name;
  const std::string value = base::Utf16ToUtf8(editText_);
  if (settingsOpen_) return TrySettingsRow(name, value);
  return selected_ ? document_->TryField(selected_, name, value)
                   : document_->TrySetting(name, value);
}

void ModeEditor::CommitField() {
  if (editingRow_ < 0 || !document_) return;
  const std::string name = rows_[size_t(editingRow_)].name;
  const std::string value = base::Utf16ToUtf8(editText_);
  const FieldResult r = settingsOpen_ ? SetSettingsRow(name, value)
                       : selected_    ? document_->SetField(selected_, name, value)
                                      : document_->SetSetting(name, value);
  if (!r.taken) {
    // The typed value stays in the field, marked, with the reason below.
    editVerdict_ = r;
    SayKey(r.key, r.detail);
    return;
  }
  if (name == "id" && !settingsOpen_) selected_ = std::atoi(base::Utf16ToUtf8(editText_).c_str());
  editingRow_ = -1;
  RebuildView();
}

void ModeEditor::PressLeft(float x, float y) {
  if (asking_) {
    for (const Button& b : Buttons())
      if (b.question && b.Hit(x, y)) (this->*b.action)();
    return;
  }
  if (settingsOpen_) {
    SettingsClick(x, y);
    return;
  }
  if (PointerOnPanel(x, y)) {
    PanelClick(x, y);
    return;
  }
  if (!document_) return;
  const Vec2 w = ToWorld(x, y);
  if (armed_ >= 0 && armed_ < int(paletteShown_.size())) {
    const PaletteEntry& e = *paletteShown_[size_t(armed_)];
    const int id = document_->Place(e.lines, Snapped(w), "place");
    armed_ = -1;
    status_.clear();
    if (id) {
      selected_ = id;
      RebuildView();
    }
    return;
  }
  if (const int ring = WaypointRingAt(w)) {
    Select(ring);
    drag_ = Drag::Link;
    linkFrom_ = ring;
    dragStart_ = dragLast_ = w;
    return;
  }
  if (const auto link = LinkAt(w)) {
    if (document_->Unlink(link->first, link->second)) {
      SayKey("editor_unlinked", std::to_string(link->first) + "-" + std::to_string(link->second));
      RebuildView();
    }
    return;
  }
  const int id = ObjectAt(w);
  Select(id);
  if (id) {
    const WorldObject* o = document_->level().FindObject(id);
    grabOffset_ = Vec2{o->position.x - w.x, o->position.y - w.y};
    drag_ = Drag::Object;
    dragStart_ = dragLast_ = w;
  }
}

void ModeEditor::MovePointer(float x, float y) {
  const Vec2 w = ToWorld(x, y);
  switch (drag_) {
    case Drag::Pan: {
      const float k = camera_.zoom + 1;
      camera_.offset.x += (x - dragLast_.x) * k;
      camera_.offset.y += (y - dragLast_.y) * k;
      dragLast_ = Vec2{x, y};
      break;
    }
    case Drag::Object: {
      // The group follows the pointer in the drawn level; the document changes on release.
      if (!view_ || !document_) break;
      const WorldObject* head = document_->level().FindObject(selected_);
      if (!head) break;
      const Vec2 to = Snapped(Vec2{w.x + grabOffset_.x, w.y + grabOffset_.y});
      const float dx = to.x - head->position.x, dy = to.y - head->position.y;
      for (const int member : document_->Group(selected_)) {
        const WorldObject* from = document_->level().FindObject(member);
        for (auto& o : view_->objects)
          if (from && o->id == member)
            o->position = Vec2{from->position.x + dx, from->position.y + dy};
      }
      dragLast_ = w;
      break;
    }
    case Drag::Link:
    case Drag::Palette:
      dragLast_ = w;
      break;
    default:
      break;
  }
}

void ModeEditor::ReleaseLeft(float x, float y) {
  const Drag drag = drag_;
  drag_ = Drag::None;
  if (!document_) return;
  const Vec2 w = ToWorld(x, y);
  if (drag == Drag::Object) {
    const Vec2 to = Snapped(Vec2{w.x + grabOffset_.x, w.y + grabOffset_.y});
    const bool moved = std::hypot(w.x - dragStart_.x, w.y - dragStart_.y) > 2 * (camera_.zoom + 1);
    if (moved) document_->Move(selected_, to);
    RebuildView();
  } else if (drag == Drag::Link) {
    const int to = WaypointRingAt(w);
    const bool moved =
        std::hypot(w.x - dragStart_.x, w.y - dragStart_.y) > kRingRadius * (camera_.zoom + 1);
    if (!to && moved) {
      // Dropped on open ground: the waypoint moves there.
      if (document_->MoveWaypoint(linkFrom_, Snapped(w))) RebuildView();
    } else if (to && to != linkFrom_) {
      const FieldResult r = document_->Link(linkFrom_, to);
      if (r.taken) {
        SayKey("editor_linked", std::to_string(linkFrom_) + "-" + std::to_string(to));
      } else {
        SayKey(r.key, r.detail);
      }
      RebuildView();
    }
  } else if (drag == Drag::Palette && !PointerOnPanel(x, y) && armed_ >= 0 &&
             armed_ < int(paletteShown_.size())) {
    const int id = document_->Place(paletteShown_[size_t(armed_)]->lines, Snapped(w), "place");
    armed_ = -1;
    status_.clear();
    if (id) {
      selected_ = id;
      RebuildView();
    }
  }
}

ModeEditor& TheModeEditor() {
  static ModeEditor mode;
  return mode;
}
