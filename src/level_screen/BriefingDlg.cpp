#include "level_screen/BriefingDlg.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <utility>

#include "data/StringTable.h"
#include "data/ValueTable.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteManager.h"
#include "gui/GUIButton.h"
#include "gui/GUIPic.h"
#include "gui/GUIText.h"
#include "gui/GuiContext.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/WorldObject.h"

namespace {

constexpr float kShowMs = 240;
constexpr int kResources = 3;

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string Lookup(const StringTable* strings, std::string_view key) {
  return strings ? strings->Get(key) : Ascii(key);
}

// The display name of an objective: its descriptor's, else that of the first object along
// its links that has one.
std::u16string DisplayName(const Level& level, const WorldObject& o) {
  if (o.desc && !o.desc->name.empty()) return o.desc->name;
  std::u16string name;
  level.ForLinkChain(o, [&name](const WorldObject& linked) {
    if (name.empty() && linked.desc && !linked.desc->name.empty()) name = linked.desc->name;
  });
  return name.empty() ? u"INVALID OBJECT" : name;
}

BriefingDlg::Row IconRow(const Level& level, const WorldObject* o) {
  BriefingDlg::Row row;
  if (!o) return row;
  row.icon = Gui().SpriteNamed(o->texture);
  row.iconW = 2 * o->size.x;
  row.iconH = 2 * o->size.y;
  if (const BriefingPlacement* p = level.Descriptors().Briefing(o->texture)) {
    // A land's site shows that land's dress of the briefing's picture.
    if (!p->subst.empty())
      row.icon = Gui().SpriteNamed(level.Descriptors().DressedLike(p->subst, o->texture));
    row.offsetX = p->x;
    row.offsetY = p->y;
    if (p->w > 0 && p->h > 0) row.iconW = p->w, row.iconH = p->h;
    row.extraHeight = std::clamp(std::fabs(p->y), 0.0f, BriefingDlg::kMaxIconHeight);
  }
  BriefingDlg::FitIcon(row.iconW, row.iconH);
  return row;
}

const WorldObject* FirstOf(const Level& level, int cls, int subclass) {
  for (const auto& o : level.objects) {
    if (o->cls == cls && (subclass < 0 || o->subclass == subclass)) return o.get();
  }
  return nullptr;
}

}  // namespace

void BriefingDlg::SetLevelName(std::u16string_view text) {
  if (GUIControl* name = Children().Find(kLevelName)) name->SetText(text);
}

void BriefingDlg::ShowDifficulty(int difficulty) {
  static const char* const kNames[] = {"diff_relaxed", "diff_casual", "diff_expert"};
  if (difficulty < 0 || difficulty > 2) difficulty = 1;
  Show(kShowMs);
  if (GUIControl* picture = Children().Find(kDifficulty)) {
    if (Sprite* medallion = Gui().SpriteNamed(kNames[difficulty])) {
      const Rect r = picture->rect;
      picture->SetSprite(medallion);
      picture->SetRect(r);
    }
  }
}

void BriefingDlg::FitIcon(float& w, float& h) {
  if (!(w > 0)) w = 0;
  if (!(h > 0)) h = 0;
  if (h > kMaxIconHeight) {
    w *= kMaxIconHeight / h;
    h = kMaxIconHeight;
  }
  w = std::min(w, kMaxIconWidth);
}

float BriefingDlg::RowHeight(const Row& row) {
  return std::max(row.iconH, kMinRowHeight) + row.extraHeight;
}

float BriefingDlg::ColumnWidth(const std::vector<Row>& rows) {
  float widest = kMinColumn;
  for (const Row& row : rows) widest = std::max(widest, row.iconW);
  return widest;
}

std::vector<BriefingDlg::Row> BriefingDlg::Goals(const Level& level, const StringTable* strings) {
  std::vector<Row> rows;
  // The resources to gather; the words come whole from the table and are never a format.
  for (int i = 0; i < kResources; ++i) {
    const int goal = level.questRes[size_t(i)];
    if (goal <= 0) continue;
    const WorldObject* icon = FirstOf(level, 1, i + 1);
    if (!icon) icon = FirstOf(level, WorldObject::kWaypoint, -1);
    Row row = IconRow(level, icon);
    if (!row.icon) {
      // A level without such objects shows the resource's own symbol.
      static const char* const kSymbols[kResources] = {"icon_food", "icon_wood", "icon_gold"};
      row.icon = Gui().SpriteNamed(kSymbols[i]);
      row.iconW = row.icon ? row.icon->width * 1.5f : 0;
      row.iconH = row.icon ? row.icon->height * 1.5f : 0;
      BriefingDlg::FitIcon(row.iconW, row.iconH);
    }
    row.text = Lookup(strings, "collect") + u" " + Lookup(strings, "res" + std::to_string(i)) +
               u": " + Ascii(std::to_string(goal));
    rows.push_back(std::move(row));
  }
  // One row per kind of objective object, in the order the kinds first appear; a pending
  // object (still to be done) stands for its kind.
  std::vector<std::pair<int, int>> order;
  std::map<std::pair<int, int>, std::pair<const WorldObject*, int>> kinds;
  for (const auto& o : level.objects) {
    if (!o->Has(ObjectFlags::kObjective)) continue;
    const std::pair<int, int> key{o->cls, o->subclass};
    auto [it, added] = kinds.emplace(key, std::make_pair(o.get(), 0));
    if (added) order.push_back(key);
    it->second.second += 1;
  }
  for (const auto& key : order) {
    const auto& [object, count] = kinds[key];
    Row row = IconRow(level, object);
    row.text = DisplayName(level, *object);
    if (count > 1) row.text += u" (x" + Ascii(std::to_string(count)) + u")";
    rows.push_back(std::move(row));
  }
  return rows;
}

void BriefingDlg::RemoveRows() {
  std::vector<GUIControl*> doomed;
  for (size_t i = 0; i < Children().Size(); ++i) {
    if (GUIControl* c = Children().At(i); c->tag == kRowTag) doomed.push_back(c);
  }
  // Removing forgets any hover, capture, focus or last hit on the row.
  for (GUIControl* c : doomed) Children().Remove(c);
}

void BriefingDlg::Fill(const Level& level, const StringTable* strings) {
  rows_ = Goals(level, strings);
  RemoveRows();
  LayOut();
}

void BriefingDlg::LayOut() {
  const GUIControl* panel = Children().Find(kRowPanel);
  if (!panel) return;
  const Rect area = panel->rect;
  const float left = std::min(area.x0, area.x1), right = std::max(area.x0, area.x1);
  const float bottom = std::min(area.y0, area.y1);
  const float column = ColumnWidth(rows_);
  float top = std::max(area.y0, area.y1);
  for (const Row& row : rows_) {
    const float height = RowHeight(row);
    // Rows that would reach below the panel are left out.
    if (top - height < bottom - 0.5f) break;
    const float cy = top - height / 2;
    if (row.icon) {
      auto icon = std::make_unique<GUIPic>();
      icon->tag = kRowTag;
      icon->SetSprite(row.icon);
      const float cx = left + column / 2 + row.offsetX;
      const float iy = cy - row.offsetY;
      icon->SetRect(
          Rect{cx - row.iconW / 2, iy + row.iconH / 2, cx + row.iconW / 2, iy - row.iconH / 2});
      Children().Add(std::move(icon));
    }
    auto text = std::make_unique<GUIText>();
    text->tag = kRowTag;
    text->fontId = 1;
    text->SetFontSize(20);
    const GuiContext& gui = Gui();
    if (gui.values) {
      text->fontId = gui.values->GetInt("ft_briefing_text", 1);
      text->SetFontSize(gui.values->GetFloat("fs_briefing_text", 20));
    }
    text->align = 0;
    text->wrap = true;
    text->rect = Rect{left + column + kTextGap, cy + height / 2, right, cy - height / 2};
    text->SetText(row.text);
    Children().Add(std::move(text));
    top -= height;
  }
}
