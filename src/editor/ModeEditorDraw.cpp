// The editor screen's drawing and its panels' layout: the world through the level drawer,
// the path graph and the selection over it, the top bar, the palette, the fields and
// problems panel, the status line and the question before leaving.
#include <algorithm>
#include <cmath>

#include "app/Application.h"
#include "base/Text.h"
#include "editor/AttributeLine.h"
#include "editor/EditorColours.h"
#include "editor/ModeEditor.h"
#include "graphics/FontManager.h"
#include "level/Level.h"

namespace {

using namespace editor_colours;
constexpr float kTab = 22, kCellHeight = 96, kRow = 18, kTextSize = 17, kSmall = 15;
// The fields take the panel above this share of its height, the problems the rest.
constexpr float kSplit = 0.36f;
// The string key of a picture's name is this and the picture's name.
constexpr const char* kPictureNamePrefix =
    "editor_tex"
    "_";

}  // namespace

void ModeEditor::Box(float x0, float y0, float x1, float y1, uint32_t colour) {
  Renderer& r = *App().renderer();
  r.BindTexture(nullptr);
  r.AddQuad(Rect{x0, y0, x1, y1}, kFullTexRect, colour);
}

void ModeEditor::Frame(float x0, float y0, float x1, float y1, float w, uint32_t colour) {
  Box(x0, y0, x1, y0 - w, colour);
  Box(x0, y1 + w, x1, y1, colour);
  Box(x0, y0, x0 + w, y1, colour);
  Box(x1 - w, y0, x1, y1, colour);
}

void ModeEditor::Line(Vec2 a, Vec2 b, float width, uint32_t colour) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float length = std::hypot(dx, dy);
  if (length < 0.01f) return;
  const float nx = -dy / length * width * 0.5f, ny = dx / length * width * 0.5f;
  Renderer& r = *App().renderer();
  r.BindTexture(nullptr);
  r.AddQuadCorners(Corner{a.x + nx, a.y + ny, 0}, Corner{b.x + nx, b.y + ny, 0},
                   Corner{b.x - nx, b.y - ny, 0}, Corner{a.x - nx, a.y - ny, 0}, kFullTexRect,
                   colour);
}

void ModeEditor::Print(float x, float y, float size, const std::u16string& text, uint32_t colour,
                       int font) {
  Application& app = App();
  FontManager* fonts = app.fonts();
  if (!fonts || text.empty()) return;
  app.renderer()->Flush();
  fonts->SelectFont(font);
  fonts->BeginText();
  fonts->DrawText(x, y, size, text, colour);
  fonts->EndText();
}

float ModeEditor::TextWidth(const std::u16string& text, float size, int font) const {
  FontManager* fonts = App().fonts();
  if (!fonts) return float(text.size()) * size * 0.5f;
  fonts->SelectFont(font);
  return fonts->MeasureText(text, size, false);
}

std::vector<ModeEditor::Button> ModeEditor::Buttons() const {
  std::vector<Button> buttons;
  const Renderer* r = App().renderer();
  if (!r) return buttons;
  const float top = r->HalfHeight() - 6, bottom = r->HalfHeight() - kBarHeight + 6;
  static const struct {
    const char* key;
    void (ModeEditor::*action)();
  } kBar[] = {{"editor_button_save", &ModeEditor::Save},
              {"editor_button_undo", &ModeEditor::Undo},
              {"editor_button_redo", &ModeEditor::Redo},
              {"editor_button_duplicate", &ModeEditor::DuplicateSelected},
              {"editor_button_delete", &ModeEditor::DeleteSelected},
              {"editor_button_grid", &ModeEditor::ToggleGrid},
              {"editor_button_play", &ModeEditor::Play},
              {"editor_button_prove", &ModeEditor::Prove},
              {"editor_button_take_times", &ModeEditor::TakeTimes},
              {"editor_button_settings", &ModeEditor::OpenSettings},
              {"editor_button_fit", &ModeEditor::FitView},
              {"editor_button_leave", &ModeEditor::Escape}};
  // Right-aligned along the top bar, their labels smaller where they would take more than
  // two thirds of it (narrow screens, long words).
  float natural = 0;
  for (const auto& entry : kBar) natural += TextWidth(Text(entry.key), kSmall, 1) + 24;
  const float labelSize = std::max(10.0f, kSmall * std::min(1.0f, r->Width() * 0.66f / natural));
  const float pad = labelSize * 1.2f;
  float x = r->HalfWidth() - 8;
  for (auto it = std::rbegin(kBar); it != std::rend(kBar); ++it) {
    Button b;
    b.label = Text(it->key);
    b.size = labelSize;
    const float w = TextWidth(b.label, labelSize, 1) + pad;
    b.x0 = x - w;
    b.x1 = x;
    b.y0 = top;
    b.y1 = bottom;
    b.action = it->action;
    b.on = it->action == &ModeEditor::ToggleGrid && grid_;
    x -= w + 4;
    buttons.insert(buttons.begin(), b);
  }
  if (asking_) {
    static const struct {
      const char* key;
      void (ModeEditor::*action)();
    } kQuestion[] = {{"editor_button_save_leave", &ModeEditor::SaveAndLeave},
                     {"editor_button_discard", &ModeEditor::LeaveEditor},
                     {"editor_button_stay", &ModeEditor::Stay}};
    float total = 0;
    std::vector<float> widths;
    for (const auto& q : kQuestion) {
      widths.push_back(TextWidth(Text(q.key), kTextSize, 1) + 24);
      total += widths.back() + 12;
    }
    float qx = -total * 0.5f;
    for (size_t i = 0; i < std::size(kQuestion); ++i) {
      Button b;
      b.label = Text(kQuestion[i].key);
      b.x0 = qx;
      b.x1 = qx + widths[i];
      b.y0 = -20;
      b.y1 = -52;
      b.action = kQuestion[i].action;
      b.question = true;
      qx += widths[i] + 12;
      buttons.push_back(b);
    }
  }
  return buttons;
}

bool ModeEditor::PointerOnPanel(float x, float y) const {
  const Renderer* r = App().renderer();
  if (!r) return false;
  return y > r->HalfHeight() - kBarHeight || y < -r->HalfHeight() + kStatusHeight ||
         x < -r->HalfWidth() + kPaletteWidth || x > r->HalfWidth() - kFieldsWidth;
}

bool ModeEditor::PanelClick(float x, float y) {
  const Renderer* r = App().renderer();
  if (!r) return false;
  for (const Button& b : Buttons()) {
    if (!b.question && b.Hit(x, y)) {
      (this->*b.action)();
      return true;
    }
  }
  const float left = -r->HalfWidth(), top = r->HalfHeight() - kBarHeight;
  if (x < left + kPaletteWidth && y < top) {
    // The kinds, then the entries in two columns.
    const int tab = int((top - 6 - y) / kTab);
    if (tab >= 0 && tab < PaletteEntry::kKinds) {
      kind_ = tab;
      paletteFirst_ = 0;
      armed_ = -1;
      return true;
    }
    const float gridTop = top - 12 - PaletteEntry::kKinds * kTab;
    const int row = int((gridTop - y) / kCellHeight),
              column = x < left + kPaletteWidth * 0.5f ? 0 : 1;
    const int index = (paletteFirst_ + row) * 2 + column;
    if (y < gridTop && index >= 0 && index < int(paletteShown_.size())) {
      armed_ = index;
      drag_ = Drag::Palette;
      SayKey("editor_place_hint");
    }
    return true;
  }
  if (x > r->HalfWidth() - kFieldsWidth && y < top) {
    const int row = int((top - 36 - y) / kRow);
    if (row >= 0 && row < int(rows_.size())) {
      StartEditingField(size_t(row));
      return true;
    }
  }
  if (x > r->HalfWidth() - kFieldsWidth && y < top) {
    // The problems list fills the lower half of the panel.
    const float bottom = -r->HalfHeight() + kStatusHeight;
    const float listTop = bottom + (top - bottom) * kSplit - 30;
    const int line = int((listTop - y) / kRow);
    if (y < listTop && line >= 0 && line < int(problems_.size()) &&
        problems_[size_t(line)].objectId) {
      Select(problems_[size_t(line)].objectId);
      return true;
    }
  }
  return true;
}

void ModeEditor::BuildPalettePreview() {
  Application& app = App();
  const Renderer* r = app.renderer();
  if (!r || !app.descriptors()) return;
  if (builtKind_ == kind_ && builtFirst_ == paletteFirst_ && paletteView_) return;
  builtKind_ = kind_;
  builtFirst_ = paletteFirst_;
  paletteShown_ = palette_.OfKind(PaletteEntry::Kind(kind_));
  std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<level mode=\"2\">\n";
  const float left = -r->HalfWidth(), top = r->HalfHeight() - kBarHeight;
  const float gridTop = top - 12 - PaletteEntry::kKinds * kTab;
  const float cellWidth = kPaletteWidth * 0.5f;
  for (size_t i = size_t(paletteFirst_) * 2; i < paletteShown_.size(); ++i) {
    const int row = int(i / 2) - paletteFirst_, column = int(i % 2);
    const float cy = gridTop - row * kCellHeight - 36;
    if (cy < -r->HalfHeight() + kStatusHeight + 40) break;
    const PaletteEntry& e = *paletteShown_[i];
    for (const std::string& l : e.lines) {
      std::optional<AttributeLine> line = AttributeLine::Parse(l);
      if (!line || line->Value("class") == "3") continue;
      const std::string size = line->Value("size").value_or("20,20");
      const float w = std::max(1.0f, float(std::atof(size.c_str())));
      const float h = std::max(1.0f, float(std::atof(size.substr(size.find(',') + 1).c_str())));
      const float k = std::min({40.0f / w, 30.0f / h, 1.0f});
      const float cx = left + cellWidth * (column + 0.5f);
      line->SetValue("id", std::to_string(i + 1));
      line->SetValue("pos", std::to_string(int(cx)) + "," + std::to_string(int(cy)));
      line->SetValue("size", std::to_string(w * k) + "," + std::to_string(h * k));
      line->SetValue("flags", "");
      line->SetValue("obj_link", "");
      line->SetValue("rot", "");
      text += line->Format() + "\n";
      break;
    }
  }
  text += "</level>\n";
  paletteView_ = std::make_unique<Level>(*app.descriptors(), app.gameServices());
  paletteView_->ReadLevel(text);
  paletteView_->PrepareObjects();
}

void ModeEditor::DrawWorld() {
  Application& app = App();
  Renderer& r = *app.renderer();
  if (!drawer_ && app.textures() && app.gameSettings())
    drawer_ = std::make_unique<LevelDrawer>(r, *app.textures(), *app.gameSettings());
  if (app.CommonShader()) r.SetShader(app.CommonShader());
  Box(-r.HalfWidth(), r.HalfHeight(true), r.HalfWidth(), -r.HalfHeight(true), kBackdrop);
  r.Flush();
  if (drawer_ && view_) {
    LevelDrawOptions options;
    options.camera = camera_;
    // Keep a zoom of exactly 0 away from the renderer's own transform: the view moves.
    if (options.camera.AtRest()) options.camera.offset.x = 0.001f;
    drawer_->Draw(*view_, options);
    r.Flush();
  }
  r.SetupTransforms();
}

void ModeEditor::DrawGraph() {
  if (!document_) return;
  const Level& level = document_->level();
  // The level's edge and the grid.
  const Vec2 a = ToScreen(Vec2{-640, 384}), b = ToScreen(Vec2{640, -384});
  if (grid_) {
    for (float gx = -640; gx <= 640; gx += 80)
      Line(ToScreen(Vec2{gx, -384}), ToScreen(Vec2{gx, 384}), 1, 0x30FFFFFFu);
    for (float gy = -384; gy <= 384; gy += 64)
      Line(ToScreen(Vec2{-640, gy}), ToScreen(Vec2{640, gy}), 1, 0x30FFFFFFu);
  }
  Frame(a.x, a.y, b.x, b.y, 1.5f, 0x90FFFFFFu);
  // The selection: its picture's frame, its serving waypoints' click areas.
  if (const WorldObject* s = selected_ && view_ ? view_->FindObject(selected_) : nullptr) {
    for (const int w : document_->ServingWaypoints(selected_)) {
      if (const WorldObject* wp = view_->FindObject(w)) {
        const Vec2 p = ToScreen(Vec2{wp->position.x - wp->size.x, wp->position.y + wp->size.y});
        const Vec2 q = ToScreen(Vec2{wp->position.x + wp->size.x, wp->position.y - wp->size.y});
        Frame(p.x, p.y, q.x, q.y, 1.5f, 0xC060D0FFu);
      }
    }
    const Vec2 p = ToScreen(Vec2{s->position.x - s->size.x, s->position.y + s->size.y});
    const Vec2 q = ToScreen(Vec2{s->position.x + s->size.x, s->position.y - s->size.y});
    Frame(p.x - 2, p.y + 2, q.x + 2, q.y - 2, 2.5f, kAccent);
  }
  // The path graph: links with a mark towards their end, and the waypoints' rings.
  for (const auto& o : level.objects) {
    if (o->cls != WorldObject::kWaypoint) continue;
    const WorldObject* at = view_ ? view_->FindObject(o->id) : nullptr;
    const Vec2 from = ToScreen(at ? at->position : o->position);
    for (const int link : o->links) {
      const WorldObject* to = link && view_ ? view_->FindObject(link) : nullptr;
      if (!to) continue;
      const Vec2 end = ToScreen(to->position);
      Line(from, end, 3, 0xD0FFE070u);
      const Vec2 mark{from.x + (end.x - from.x) * 0.62f, from.y + (end.y - from.y) * 0.62f};
      Box(mark.x - 3, mark.y + 3, mark.x + 3, mark.y - 3, 0xFFFF9A3Cu);
    }
  }
  for (const auto& o : level.objects) {
    if (o->cls != WorldObject::kWaypoint) continue;
    const WorldObject* at = view_ ? view_->FindObject(o->id) : nullptr;
    const Vec2 p = ToScreen(at ? at->position : o->position);
    const uint32_t colour = o->subclass == 1 ? kGood : o->subclass == 13 ? kBad : 0xFFFFE070u;
    const float s = o->id == selected_ ? 8.0f : 6.0f;
    Box(p.x - s - 1.5f, p.y + s + 1.5f, p.x + s + 1.5f, p.y - s - 1.5f, 0xFF000000u);
    Box(p.x - s, p.y + s, p.x + s, p.y - s, colour);
  }
  if (drag_ == Drag::Link) {
    const WorldObject* from = level.FindObject(linkFrom_);
    if (from) Line(ToScreen(from->position), ToScreen(dragLast_), 2, 0xFFFFFFFFu);
  }
  App().renderer()->Flush();
}

void ModeEditor::DrawTopBar() {
  Renderer& r = *App().renderer();
  const float top = r.HalfHeight();
  Box(-r.HalfWidth(), top, r.HalfWidth(), top - kBarHeight, kPanel);
  Box(-r.HalfWidth(), top - kBarHeight + 1, r.HalfWidth(), top - kBarHeight, kPanelLine);
  for (const Button& b : Buttons()) {
    if (b.question) continue;
    Box(b.x0, b.y0, b.x1, b.y1, b.on ? 0xFF3D6B52u : 0xFF394252u);
    Frame(b.x0, b.y0, b.x1, b.y1, 1, kPanelLine);
  }
  r.Flush();
  const bool modified = document_ && document_->Modified();
  // The title in the room the buttons leave, its file name shortened from the front.
  const std::vector<Button> buttons = Buttons();
  const float room =
      (buttons.empty() ? r.HalfWidth() : buttons.front().x0) - (-r.HalfWidth() + 12) - 10;
  std::u16string title = Title();
  float size = 20;
  while (size > 14 && TextWidth(title, size, 2) > room) size -= 1;
  while (title.size() > 4 && TextWidth(title, size, 2) > room) title.erase(title.size() / 2, 1);
  Print(-r.HalfWidth() + 12, top - 10 - (20 - size) * 0.5f, size, title, modified ? kAccent : kText,
        2);
  for (const Button& b : buttons) {
    if (b.question) continue;
    const float w = TextWidth(b.label, b.size, 1);
    Print((b.x0 + b.x1 - w) * 0.5f, (b.y0 + b.y1) * 0.5f + b.size * 0.55f, b.size, b.label, kText,
          1);
  }
}

void ModeEditor::DrawPalette() {
  Renderer& r = *App().renderer();
  const float left = -r.HalfWidth(), top = r.HalfHeight() - kBarHeight;
  const float bottom = -r.HalfHeight() + kStatusHeight;
  Box(left, top, left + kPaletteWidth, bottom, kPanel);
  Box(left + kPaletteWidth - 1, top, left + kPaletteWidth, bottom, kPanelLine);
  for (int k = 0; k < PaletteEntry::kKinds; ++k) {
    const float y = top - 6 - k * kTab;
    if (k == kind_) Box(left + 4, y, left + kPaletteWidth - 5, y - kTab + 2, 0xFF3B4A60u);
  }
  BuildPalettePreview();
  const float gridTop = top - 12 - PaletteEntry::kKinds * kTab;
  const float cellWidth = kPaletteWidth * 0.5f;
  for (size_t i = size_t(paletteFirst_) * 2; i < paletteShown_.size(); ++i) {
    const int row = int(i / 2) - paletteFirst_, column = int(i % 2);
    const float y0 = gridTop - row * kCellHeight;
    if (y0 - kCellHeight < bottom) break;
    const float x0 = left + column * cellWidth;
    Box(x0 + 4, y0 - 2, x0 + cellWidth - 4, y0 - kCellHeight + 4,
        int(i) == armed_ ? 0xFF52607Au : 0xFF313846u);
    if (paletteShown_[i]->cls == WorldObject::kWaypoint) {
      const int sub = paletteShown_[i]->subclass;
      const uint32_t colour = sub == 1 ? kGood : sub == 13 ? kBad : 0xFFFFE070u;
      const float cx = x0 + cellWidth * 0.5f, cy = y0 - 36;
      Box(cx - 9, cy + 9, cx + 9, cy - 9, 0xFF000000u);
      Box(cx - 7, cy + 7, cx + 7, cy - 7, colour);
    }
  }
  r.Flush();
  if (drawer_ && paletteView_) {
    drawer_->Draw(*paletteView_, LevelDrawOptions{});
    r.Flush();
    r.SetupTransforms();
  }
  for (int k = 0; k < PaletteEntry::kKinds; ++k) {
    const float y = top - 6 - k * kTab;
    Print(left + 10, y - 2, kSmall, Text(EditorPalette::KindKey(PaletteEntry::Kind(k))),
          k == kind_ ? kAccent : kDim, 1);
  }
  const GameDescriptors* d = App().descriptors();
  for (size_t i = size_t(paletteFirst_) * 2; i < paletteShown_.size(); ++i) {
    const int row = int(i / 2) - paletteFirst_, column = int(i % 2);
    const float y0 = gridTop - row * kCellHeight;
    if (y0 - kCellHeight < bottom) break;
    const PaletteEntry& e = *paletteShown_[i];
    const ObjectDesc* desc = d ? d->ForClass(e.cls, e.subclass) : nullptr;
    std::u16string name = desc && !desc->name.empty() ? desc->name
                          : e.cls == WorldObject::kWaypoint
                              ? Text(e.subclass == 1    ? "editor_waypoint_camp"
                                     : e.subclass == 13 ? "editor_waypoint_exit"
                                                        : "editor_waypoint")
                              : PictureName(e.texture);
    while (name.size() > 3 && TextWidth(name, 13) > cellWidth - 12) name.pop_back();
    const float x = left + column * cellWidth + (cellWidth - TextWidth(name, 13)) * 0.5f;
    Print(x, y0 - kCellHeight + 24, 13, name, kText);
  }
}

std::u16string ModeEditor::PictureName(const std::string& texture) const {
  // Pictures without a descriptor are named by the editor's strings, else by their file name;
  // a land's dress of a picture by the name of the picture it dresses.
  const StringTable* strings = App().strings();
  const GameDescriptors* descriptors = App().descriptors();
  for (const std::string_view name :
       {std::string_view(texture), descriptors ? descriptors->Undressed(texture) : texture}) {
    const std::string key = kPictureNamePrefix + std::string(name);
    if (strings && !strings->Get(key).empty()) return strings->Get(key);
  }
  return base::Utf8ToUtf16(texture);
}

void ModeEditor::DrawFields() {
  Renderer& r = *App().renderer();
  const float right = r.HalfWidth(), left = right - kFieldsWidth;
  const float top = r.HalfHeight() - kBarHeight, bottom = -r.HalfHeight() + kStatusHeight;
  Box(left, top, right, bottom, kPanel);
  Box(left, top, left + 1, bottom, kPanelLine);
  const float middle = bottom + (top - bottom) * kSplit;
  Box(left, middle, right, middle - 1, kPanelLine);
  if (editingRow_ >= 0 && !settingsOpen_) {
    const float y = top - 36 - editingRow_ * kRow;
    Box(left + 4, y + 1, right - 4, y - kRow + 1, editVerdict_.taken ? 0xFF2F4A3Au : 0xFF5A2A2Au);
  }
  r.Flush();
  if (document_) {
    const WorldObject* o = document_->level().FindObject(selected_);
    std::u16string head = selected_ ? u"#" + base::Utf8ToUtf16(std::to_string(selected_))
                                    : Text("editor_level_settings");
    if (o && o->desc && !o->desc->name.empty()) head += u"  " + o->desc->name;
    Print(left + 10, top - 8, 18, head, kAccent, 2);
    // (The settings dialog borrows the rows while it is open.)
    for (size_t i = 0; i < rows_.size() && !settingsOpen_; ++i) {
      const float y = top - 36 - float(i) * kRow;
      if (y - kRow < middle) break;
      Print(left + 10, y - 2, kSmall, base::Utf8ToUtf16(rows_[i].name), kDim);
      const bool editing = int(i) == editingRow_;
      std::u16string value = editing ? editText_ + u"|" : base::Utf8ToUtf16(rows_[i].value);
      while (value.size() > 3 && TextWidth(value, kSmall) > kFieldsWidth - 120) value.erase(0, 1);
      Print(left + 112, y - 2, kSmall, value, editing && !editVerdict_.taken ? kBad : kText);
    }
    if (editingRow_ >= 0 && !editVerdict_.taken && !settingsOpen_) {
      std::u16string why = Explain(editVerdict_.key, editVerdict_.detail);
      const float y = top - 36 - float(rows_.size()) * kRow - 6;
      while (why.size() > 3 && TextWidth(why, 14) > kFieldsWidth - 16) why.pop_back();
      Print(left + 10, y, 14, why, kBad);
    }
  }
  // The level's problems; a click selects the object a problem names.
  const std::u16string header =
      Text("editor_problems") + u" (" + base::Utf8ToUtf16(std::to_string(problems_.size())) + u")";
  Print(left + 10, middle - 6, 17, header, problems_.empty() ? kGood : kAccent, 2);
  for (size_t i = 0; i < problems_.size(); ++i) {
    const float y = middle - 30 - float(i) * kRow;
    if (y - kRow < bottom) break;
    const EditorProblem& p = problems_[i];
    std::u16string line =
        (p.objectId ? u"#" + base::Utf8ToUtf16(std::to_string(p.objectId)) + u" " : u"") +
        Explain(p.key, p.detail);
    while (line.size() > 3 && TextWidth(line, 14) > kFieldsWidth - 16) line.pop_back();
    Print(left + 10, y, 14, line, p.objectId == selected_ && selected_ ? kAccent : kText);
  }
}

void ModeEditor::DrawQuestion() {
  Renderer& r = *App().renderer();
  Box(-r.HalfWidth(), r.HalfHeight(true), r.HalfWidth(), -r.HalfHeight(true), 0x90000000u);
  Box(-300, 80, 300, -70, 0xF8303846u);
  Frame(-300, 80, 300, -70, 2, kAccent);
  for (const Button& b : Buttons()) {
    if (!b.question) continue;
    Box(b.x0, b.y0, b.x1, b.y1, kButton);
  }
  r.Flush();
  const std::u16string q = Text("editor_leave_question");
  Print(-TextWidth(q, 20, 2) * 0.5f, 52, 20, q, kText, 2);
  for (const Button& b : Buttons())
    if (b.question) Print(b.x0 + 12, b.y0 - 7, kTextSize, b.label, kText, 1);
}

void ModeEditor::Draw() {
  Application& app = App();
  if (!app.renderer()) return;
  Renderer& r = *app.renderer();
  DrawWorld();
  if (app.CommonShader()) r.SetShader(app.CommonShader());
  DrawGraph();
  DrawPalette();
  DrawFields();
  DrawTopBar();
  // The status line: what was said last, the pointer's place in the level and the zoom.
  const float bottom = -r.HalfHeight();
  Box(-r.HalfWidth(), bottom + kStatusHeight, r.HalfWidth(), bottom, kPanel);
  Box(-r.HalfWidth(), bottom + kStatusHeight, r.HalfWidth(), bottom + kStatusHeight - 1,
      kPanelLine);
  r.Flush();
  Print(-r.HalfWidth() + 10, bottom + kStatusHeight - 6, kSmall, status_, kText);
  const Vec2 w = ToWorld(app.mouseX, app.mouseY);
  char where[96];
  std::snprintf(where, sizeof where, "%d, %d   %d%%", int(std::lround(w.x)), int(std::lround(w.y)),
                int(std::lround(100.0f / (camera_.zoom + 1))));
  const std::u16string place = base::Utf8ToUtf16(where);
  Print(r.HalfWidth() - 10 - TextWidth(place, kSmall), bottom + kStatusHeight - 6, kSmall, place,
        kDim);
  if (settingsOpen_) DrawSettings();
  if (asking_) DrawQuestion();
  Mode::Draw();
}
