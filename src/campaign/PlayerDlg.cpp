#include "campaign/PlayerDlg.h"

#include "graphics/FontManager.h"
#include "gui/GUIListbox.h"
#include "progress/PlayerProfiles.h"

void PlayerDlg::Fill(const PlayerProfiles& profiles) {
  const int count = profiles.PlayerCount();
  if (auto* list = dynamic_cast<GUIListbox*>(Children().Find(kList))) {
    list->items.clear();
    list->selected = 0;
    for (int slot = 0; slot < PlayerProfiles::kSlots; ++slot) {
      const std::u16string& name = profiles.names()[size_t(slot)];
      if (name.empty()) continue;
      if (slot == profiles.CurrentSlot()) list->selected = int(list->items.size());
      list->items.push_back(FontManager::Literal(name));
    }
  }
  if (GUIControl* add = Children().Find(kNew)) add->active = count < PlayerProfiles::kSlots;
  if (GUIControl* remove = Children().Find(kDelete)) remove->active = count >= 1;
}

int PlayerDlg::Selected() const {
  const auto* list = dynamic_cast<const GUIListbox*>(Children().Find(kList));
  if (!list || list->items.empty()) return -1;
  return list->selected >= 0 && size_t(list->selected) < list->items.size() ? list->selected : -1;
}
