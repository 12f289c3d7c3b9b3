#include "level_screen/ObjectivePanel.h"

#include <algorithm>
#include <cstdio>

#include "level/Level.h"
#include "level/ObjectDesc.h"
#include "level/ObjectFlags.h"
#include "level/WorldObject.h"

namespace {

// The name of an object's descriptor, or of the first linked object that has one.
std::u16string NameOf(const WorldObject& o) {
  const WorldObject* p = &o;
  for (int hops = 0; p && hops < 16; ++hops, p = p->link) {
    if (p->desc && !p->desc->name.empty()) return p->desc->name;
  }
  return {};
}

std::u16string Ascii(const char* text) {
  std::u16string out;
  for (const char* c = text; *c; ++c) out += char16_t(*c);
  return out;
}

}  // namespace

std::vector<ObjectivePanel::Kind> ObjectivePanel::Kinds(const Level& level,
                                                        const std::vector<int>& ids) {
  std::vector<Kind> kinds;
  for (const int id : ids) {
    const WorldObject* o = level.FindObject(id);
    if (!o) continue;
    auto it = std::find_if(kinds.begin(), kinds.end(), [&](const Kind& k) {
      return k.cls == o->cls && k.subclass == o->subclass;
    });
    if (it == kinds.end()) {
      kinds.push_back(Kind{{}, o->cls, o->subclass, 0, 0, false, {}});
      it = kinds.end() - 1;
    }
    const bool pending = o->Has(ObjectFlags::kObjective);
    it->total += 1;
    it->done += pending ? 0 : 1;
    // A pending object represents its kind.
    if (pending) it->pendingIds.push_back(o->id);
    if (it->name.empty() || (pending && !it->pending)) {
      if (std::u16string n = NameOf(*o); !n.empty()) it->name = n;
    }
    it->pending = it->pending || pending;
  }
  kinds.erase(
      std::remove_if(kinds.begin(), kinds.end(), [](const Kind& k) { return k.name.empty(); }),
      kinds.end());
  return kinds;
}

ObjectivePanel::Line ObjectivePanel::Build(const std::array<int, 3>& goals,
                                           const std::array<int, 3>& progress,
                                           const std::array<std::u16string, 3>& names,
                                           const std::vector<Kind>& kinds, char16_t open,
                                           char16_t ticked) {
  Line line;
  const auto begin = [&line]() {
    if (!line.starts.empty()) line.text += u"   ";
    line.starts.push_back(line.text.size());
  };
  char numbers[64];
  for (size_t i = 0; i < 3; ++i) {
    if (goals[i] <= 0) continue;
    begin();
    line.text += progress[i] < goals[i] ? open : ticked;
    // The program's own pattern around the translated name.
    std::snprintf(numbers, sizeof numbers, " : %d / %d", progress[i], goals[i]);
    line.text += names[i] + Ascii(numbers);
    line.resourceEntries += 1;
  }
  for (const Kind& k : kinds) {
    begin();
    line.text += k.pending ? open : ticked;
    line.text += k.name;
    if (k.total > 1) {
      std::snprintf(numbers, sizeof numbers, " (%d / %d)", k.done, k.total);
      line.text += Ascii(numbers);
    }
  }
  return line;
}

int ObjectivePanel::EntryAt(const std::vector<float>& widths, float x) {
  int entry = -1;
  for (size_t k = 0; k < widths.size(); ++k) {
    if (widths[k] <= x) entry = int(k);
  }
  return entry;
}

std::vector<int> ObjectivePanel::StartIds(const Level& level) {
  std::vector<int> ids;
  for (const auto& o : level.objects) {
    if (o && o->Has(ObjectFlags::kObjective) && !NameOf(*o).empty()) ids.push_back(o->id);
  }
  return ids;
}
