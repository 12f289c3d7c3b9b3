#include "campaign/OwnLevelsDlg.h"

#include <algorithm>

#include "base/Text.h"
#include "data/StringTable.h"
#include "graphics/FontManager.h"
#include "gui/GUIListbox.h"
#include "progress/IntegerFormat.h"
#include "progress/OwnLevelRecords.h"


std::u16string OwnLevelsDlg::RowText(const OwnLevelEntry& level, const OwnLevelRecords& records,
                                     const StringTable& strings) {
  std::u16string row = base::Utf8ToUtf16(level.name) + u"  \u00B7  ";
  row += strings.Get(level.land >= 1 && level.land <= 5
                          ? "own_levels_land_" + std::to_string(level.land)
                          : "own_levels_land_0");
  row += u"  \u00B7  ";
  const OwnLevelRecord* r = records.Find(level.file);
  if (!level.playable) {
    row += strings.Get("own_levels_broken");
  } else if (!r) {
    row += strings.Get("own_levels_new");
  } else if (!r->won) {
    row += strings.Get("own_levels_not_won");
  } else {
    row += FormatIntegers(strings.Get("own_levels_best"), {r->stars}) + u" " +
           IntegerText(r->seconds / 60) + u":" + IntegerText(r->seconds % 60, 2);
  }
  return row;
}

void OwnLevelsDlg::Fill(std::vector<OwnLevelEntry> levels, const OwnLevelRecords& records,
                        const StringTable& strings) {
  levels_ = std::move(levels);
  strings_ = &strings;
  rows_.clear();
  for (const OwnLevelEntry& level : levels_) {
    rows_.push_back(FontManager::Literal(RowText(level, records, strings)));
  }
  page_ = 0;
  ShowPage();
}

int OwnLevelsDlg::RowsPerPage() const {
  const auto* list = dynamic_cast<const GUIListbox*>(Children().Find(kList));
  if (!list) return 1;
  const float row = list->RowHeight();
  const float height = list->rect.y1 - list->rect.y0;
  return std::max(1, int((height < 0 ? -height : height) / std::max(row, 1.0f)) - 1);
}

int OwnLevelsDlg::Pages() const {
  const int rows = RowsPerPage();
  return std::max(1, (int(levels_.size()) + rows - 1) / rows);
}

void OwnLevelsDlg::Turn(int direction) {
  page_ = std::clamp(page_ + direction, 0, Pages() - 1);
  ShowPage();
}

void OwnLevelsDlg::ShowPage() {
  auto* list = dynamic_cast<GUIListbox*>(Children().Find(kList));
  if (list) {
    const size_t first = size_t(page_ * RowsPerPage());
    const size_t last = std::min(rows_.size(), first + size_t(RowsPerPage()));
    list->items.assign(rows_.begin() + long(std::min(first, rows_.size())),
                       rows_.begin() + long(last));
    list->selected = 0;
  }
  const bool paged = Pages() > 1;
  if (GUIControl* back = Children().Find(kBack)) {
    back->visible = paged;
    back->active = page_ > 0;
  }
  if (GUIControl* on = Children().Find(kOn)) {
    on->visible = paged;
    on->active = page_ + 1 < Pages();
  }
  shownSelection_ = -1;
  Refresh();
}

const OwnLevelEntry* OwnLevelsDlg::Selected() const {
  const auto* list = dynamic_cast<const GUIListbox*>(Children().Find(kList));
  if (!list || list->items.empty() || list->selected < 0 ||
      size_t(list->selected) >= list->items.size()) {
    return nullptr;
  }
  const size_t index = size_t(page_ * RowsPerPage() + list->selected);
  return index < levels_.size() ? &levels_[index] : nullptr;
}

void OwnLevelsDlg::Refresh() {
  const auto* list = dynamic_cast<const GUIListbox*>(Children().Find(kList));
  shownSelection_ = list ? list->selected : -1;
  const OwnLevelEntry* level = Selected();
  if (GUIControl* play = Children().Find(kPlay)) play->active = level && level->playable;
  GUIControl* note = Children().Find(kNote);
  if (!note || !strings_) return;
  if (levels_.empty()) {
    note->SetText(strings_->Get("own_levels_none"));
  } else if (level && !level->playable) {
    note->SetText(strings_->Get(level->problem));
  } else {
    note->SetText(u"");
  }
}

void OwnLevelsDlg::Update(float dt) {
  GUIDialog::Update(dt);
  const auto* list = dynamic_cast<const GUIListbox*>(Children().Find(kList));
  if (list && list->selected != shownSelection_) Refresh();
}
