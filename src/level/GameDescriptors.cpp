#include "level/GameDescriptors.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "data/StringTable.h"
#include "data/Utf8.h"
#include "data/XmlDocument.h"
#include "level/DescriptorServices.h"

namespace {

// Sheets wider or taller than this are content errors; the bound keeps frame arithmetic in
// range.
constexpr int kMaxSheetCells = 1024;
constexpr int kMaxFrames = 65536;
constexpr int kMaxFrameTime = 1000000;
constexpr float kMaxExtent = 100000.0f;
// Amounts (costs, incomes, effect values) are kept far from the int range so that sums of
// them cannot overflow.
constexpr int kMaxAmount = 1000000;

float Finite(float v, float fallback = 0) { return std::isfinite(v) ? v : fallback; }

float ClampExtent(float v) { return std::clamp(Finite(v), 0.0f, kMaxExtent); }

// Calls read(element) for every child of root with that name, up to the table limit.
template <class Fn>
void ForEach(const XmlElement& root, std::string_view name, Fn read) {
  size_t count = 0;
  for (XmlElement e = root.FirstChild(name); e && count < GameDescriptors::kMaxEntries;
       e = e.NextSibling(name), ++count) {
    read(e);
  }
}

// The root element of a descriptor file, or null when the file or the root is missing.
XmlElement LoadRoot(XmlDocument& doc, std::string_view file, std::string_view root) {
  if (!doc.Load(file)) return XmlElement();
  return doc.FirstChild(XmlElement(), root);
}

// The seven animation attributes. Worker sheets divide their size by columns and rows, so a
// zero there counts as one; elsewhere zero means "keep the current value".
AnimDesc ReadAnim(const XmlElement& e, bool worker) {
  AnimDesc a;
  a.name = e.Text("name");
  a.l = std::clamp(e.Int("l", 0), 0, kMaxFrames);
  const int minCells = worker ? 1 : 0;
  a.x = std::clamp(e.Int("x", 0), minCells, kMaxSheetCells);
  a.y = std::clamp(e.Int("y", 0), minCells, kMaxSheetCells);
  a.t = std::clamp(e.Int("t", 0), 0, kMaxFrameTime);
  a.w = ClampExtent(e.Float("w", 0));
  a.h = ClampExtent(e.Float("h", 0));
  return a;
}

std::array<int, 3> ReadAmounts(const XmlElement& e, std::string_view attr) {
  std::array<int, 3> v{};
  e.Ints(attr, v);
  for (int& x : v) x = std::clamp(x, 0, kMaxAmount);
  return v;
}

std::string Key(const char* pattern, int id) {
  char key[32];
  std::snprintf(key, sizeof key, pattern, id);
  return key;
}

// The name and description of a descriptor; when one of them is missing or empty the other
// serves for both.
void SetNames(ObjectDesc& d, const StringTable& strings) {
  d.name = strings.Get(Key("obj_name_%03d", d.id));
  d.desc = strings.Get(Key("obj_desc_%03d", d.id));
  if (d.name.empty()) d.name = d.desc;
  if (d.desc.empty()) d.desc = d.name;
}

template <class Index, class Key>
void AddIndex(Index& index, const Key& key, size_t position) {
  index.emplace(key, position);  // keeps the first position of a key
}

template <class T, class Index, class Key>
const T* Find(const std::vector<T>& table, const Index& index, const Key& key) {
  const auto it = index.find(key);
  return it == index.end() ? nullptr : &table[it->second];
}

}  // namespace

GameDescriptors::GameDescriptors() : bonuses_(DefaultBonuses()) {}

std::array<BonusInfo, GameDescriptors::kBonusCount> GameDescriptors::DefaultBonuses() {
  constexpr float kValues[kBonusCount] = {10.0f, 2.0f, 1.0f, 1.0f, 2.0f, 0.0f};
  std::array<BonusInfo, kBonusCount> bonuses{};
  for (int i = 0; i < kBonusCount; ++i) {
    bonuses[size_t(i)].time = 10;
    bonuses[size_t(i)].level = 0;
    bonuses[size_t(i)].value = kValues[i];
  }
  return bonuses;
}

void GameDescriptors::Clear() { *this = GameDescriptors(); }

bool GameDescriptors::LoadGameDescriptors(FileSystem& fs, StringTable& strings,
                                          DescriptorServices& services) {
  Clear();
  if (!strings.Load("objects_names")) return false;

  XmlDocument doc(fs);
  XmlElement root = LoadRoot(doc, "objects_params", "DescTable");
  if (!root) return false;
  ReadObjects(root, strings);

  if ((root = LoadRoot(doc, "obj_textures", "Objects"))) {
    ForEach(root, "Object", [&](const XmlElement& e) {
      textures_.push_back(TextureRef{e.Int("id", 0), e.Text("tex")});
      AddIndex(textureIndex_, textures_.back().id, textures_.size() - 1);
    });
  }

  root = LoadRoot(doc, "anim_params", "DescTable");
  if (!root) return false;
  ReadAnimations(root);

  if ((root = LoadRoot(doc, "symbols", "SymbolTable"))) {
    ForEach(root, "Symbol", [&](const XmlElement& e) {
      symbols_.push_back(e.Text("name"));
      const int code = int(symbols_.size());
      if (code <= kMaxSymbols) services.RegisterIcon(code, symbols_.back());
    });
  }

  if ((root = LoadRoot(doc, "dialog_pictures", "DialogPictures"))) {
    ForEach(root, "Pic", [&](const XmlElement& e) {
      pictures_.push_back(DialogPicture{e.Int("id", 0), e.Text("name")});
      AddIndex(pictureIndex_, pictures_.back().id, pictures_.size() - 1);
    });
  }

  root = LoadRoot(doc, "sounds_table", "SoundsTable");
  if (!root) return false;
  ForEach(root, "Sound", [&](const XmlElement& e) {
    sounds_.push_back(
        SoundRef{e.Int("id", 0), e.Text("name"), e.Int("loop", 0), e.Int("frame", 0)});
    AddIndex(soundIndex_, sounds_.back().id, sounds_.size() - 1);
  });

  bonuses_ = DefaultBonuses();
  root = LoadRoot(doc, "bonus_params", "BonusDesc");
  if (!root) return false;
  ForEach(root, "Bonus", [&](const XmlElement& e) {
    const int id = e.Int("id", 0);
    if (id < 0 || id >= kBonusCount) return;
    BonusInfo& b = bonuses_[size_t(id)];
    b.pic = e.Text("pic");
    b.sound = e.Text("sound");
    b.desc = DecodeUtf8(e.Text("desc"));
    b.time = std::max(0, e.Int("time", 0));
    b.level = e.Int("level", 0);
    b.value = Finite(e.Float("value", 0));
  });

  if ((root = LoadRoot(doc, "objects_particles", "Particles"))) {
    ForEach(root, "Object", [&](const XmlElement& e) {
      objectParticles_.push_back(ObjectParticle{e.Text("spr"), e.Text("par"),
                                                Finite(e.Float("x", 0)), Finite(e.Float("y", 0))});
      AddIndex(objectParticleIndex_, objectParticles_.back().spr, objectParticles_.size() - 1);
    });
  }
  if ((root = LoadRoot(doc, "particles_info", "Particles"))) {
    ForEach(root, "Particle", [&](const XmlElement& e) {
      effectParticles_.push_back(EffectParticle{e.Int("id", 0), e.Text("effect"),
                                                Finite(e.Float("x", 0)), Finite(e.Float("y", 0))});
      AddIndex(effectParticleIndex_, effectParticles_.back().id, effectParticles_.size() - 1);
    });
  }
  if ((root = LoadRoot(doc, "selector_info", "Selectors"))) {
    ForEach(root, "Object", [&](const XmlElement& e) {
      selectors_.push_back(SelectorPlacement{e.Text("spr"), Finite(e.Float("x", 0)),
                                             Finite(e.Float("y", 0)), Finite(e.Float("w", 0))});
      AddIndex(selectorIndex_, selectors_.back().spr, selectors_.size() - 1);
    });
  }
  if ((root = LoadRoot(doc, "briefing_info", "BriefInfo"))) {
    ForEach(root, "Object", [&](const XmlElement& e) {
      briefings_.push_back(BriefingPlacement{e.Text("spr"), Finite(e.Float("x", 0)),
                                             Finite(e.Float("y", 0)), Finite(e.Float("w", 0)),
                                             Finite(e.Float("h", 0)), e.Text("subst")});
      AddIndex(briefingIndex_, briefings_.back().spr, briefings_.size() - 1);
    });
  }
  if ((root = LoadRoot(doc, "shake_info", "ShakeInfo"))) {
    ForEach(root, "Object", [&](const XmlElement& e) {
      shakes_.emplace(e.Int("id", 0), Finite(e.Float("shake", 0)) * 0.01f);
    });
  }
  if ((root = LoadRoot(doc, "dev_records", "Records"))) {
    ForEach(root, "Record", [&](const XmlElement& e) {
      devRecords_.emplace(e.Int("level", 0), e.Int("score", 0));
    });
  }
  if ((root = LoadRoot(doc, "helpers_desc", "Helpers"))) ReadHelpers(root);
  if ((root = LoadRoot(doc, "mini_games", "MiniGames"))) miniGames_.Read(root);
  if ((root = LoadRoot(doc, "land_dress", "LandDress"))) {
    ForEach(root, "Dress", [&](const XmlElement& e) {
      std::string tex = e.Text("tex"), of = e.Text("of");
      // A dress is named PREFIX_NAME after the picture it dresses; anything else (an empty name,
      // a dress of itself or of another dress) would send lookups astray.
      const bool named = !of.empty() && tex.size() > of.size() + 1 &&
                         tex.compare(tex.size() - of.size(), of.size(), of) == 0 &&
                         tex[tex.size() - of.size() - 1] == '_';
      if (named) dressOf_.emplace(std::move(tex), std::move(of));
    });
    std::erase_if(dressOf_, [&](const auto& dress) { return dressOf_.contains(dress.second); });
  }
  return true;
}

void GameDescriptors::ReadObjects(const XmlElement& root, const StringTable& strings) {
  ForEach(root, "Object", [&](const XmlElement& e) {
    ObjectDesc d;
    d.id = e.Int("id", 0);
    d.offs = e.Int("offs", 0);
    d.time = float(e.Int("time", 0)) * 0.1f;
    d.respawn = std::clamp(e.Int("respawn", 0), 0, kMaxAmount);
    d.ani = e.Int("ani", 0);
    d.ret = e.Int("ret", 0);
    d.type = e.Int("type", 0);
    d.value = std::clamp(e.Int("value", 0), -kMaxAmount, kMaxAmount);
    d.coll = e.Int("coll", 0);
    // A negative fade would run the finishing transition backwards forever.
    d.fade = std::max(0, e.Int("fade", ObjectDesc::kDefaultFade));
    d.snd = e.Int("snd", 0);
    d.work = e.Int("work", 0);
    d.draw = e.Int("draw", 0);
    d.scaleTime = e.Int("scaleTime", 0);
    d.scalePercent = e.Int("scalePercent", 0);
    d.cost = ReadAmounts(e, "cost");
    d.income = ReadAmounts(e, "income");
    SetNames(d, strings);

    const int cls = e.Int("class", 0);
    std::vector<ObjectDesc>& table = cls == 1 ? buildings_ : cls == 2 ? landmarks_ : obstacles_;
    Index<int>& index = cls == 1 ? buildingIndex_ : cls == 2 ? landmarkIndex_ : obstacleIndex_;
    table.push_back(std::move(d));
    AddIndex(index, table.back().id, table.size() - 1);
  });
}

void GameDescriptors::ReadAnimations(const XmlElement& root) {
  ForEach(root, "Worker", [&](const XmlElement& e) {
    const int type = e.Int("wp", 0);
    const int index = e.Int("id", 0);
    if (type < 0 || type >= kWorkerTypes || index < 0 || index >= kWorkerAnims) return;
    workers_[size_t(type)][size_t(index)] = ReadAnim(e, true);
    workerPresent_[size_t(type)][size_t(index)] = true;
  });
  ForEach(root, "Anim", [&](const XmlElement& e) {
    anims_.push_back(ReadAnim(e, false));
    AddIndex(animIndex_, anims_.back().name, anims_.size() - 1);
  });
  ForEach(root, "Bird", [&](const XmlElement& e) { birds_.push_back(ReadAnim(e, false)); });
  ForEach(root, "Flying", [&](const XmlElement& e) {
    FlyingDesc f;
    f.anim = ReadAnim(e, false);
    f.health = e.Int("health", 0);
    f.speed = std::clamp(e.Int("speed", 0), -kMaxAmount, kMaxAmount);
    f.flags = e.Int("flags", 0);
    const auto cue = [&](std::string_view name) {
      const XmlElement c = e.FirstChild(name);
      return FlyingDesc::Cue{c.Text("sound"), c.Text("effect")};
    };
    f.spawn = cue("Spawn");
    f.hit = cue("Hit");
    f.die = cue("Die");
    flying_.push_back(std::move(f));
  });
}

void GameDescriptors::ReadHelpers(const XmlElement& root) {
  ForEach(root, "Helper", [&](const XmlElement& e) {
    std::optional<WorldObject>* slot = indicators_.SlotFor(e.Text("id"));
    if (!slot) return;
    WorldObject o;
    o.texture = e.Text("tex");
    if (e.Int("spr", 1) != 0) {
      SpriteAnim s;
      s.columns = std::clamp(e.Int("x", 3), 1, kMaxSheetCells);
      s.rows = std::clamp(e.Int("y", 3), 1, kMaxSheetCells);
      s.frameTime = std::clamp(e.Int("time", 100), 0, kMaxFrameTime);
      s.frameCount = s.columns * s.rows;
      s.step = 1;
      o.sprite = s;
      o.Set(ObjectFlags::kSprite);
    } else {
      o.animPause[0] = e.Int("speed", 100);
    }
    o.size = Vec2{ClampExtent(e.Float("w", 64.0f)), ClampExtent(e.Float("h", 64.0f))};
    if (e.Bool("scale", false)) o.Set(ObjectFlags::kNeedsQuest);
    o.UpdateQuad();
    *slot = std::move(o);
  });
}

const ObjectDesc* GameDescriptors::Obstacle(int id) const {
  return Find(obstacles_, obstacleIndex_, id);
}
const ObjectDesc* GameDescriptors::Building(int id) const {
  return Find(buildings_, buildingIndex_, id);
}
const ObjectDesc* GameDescriptors::Landmark(int id) const {
  return Find(landmarks_, landmarkIndex_, id);
}

const ObjectDesc* GameDescriptors::ForClass(int cls, int id) const {
  switch (cls) {
    case 1:
      return Obstacle(id);
    case 2:
      return Building(id);
    case 7:
      return Landmark(id);
    default:
      return nullptr;
  }
}

const TextureRef* GameDescriptors::Texture(int id) const {
  return Find(textures_, textureIndex_, id);
}

bool GameDescriptors::HasWorkerAnimation(int type, int index) const {
  return type >= 0 && type < kWorkerTypes && index >= 0 && index < kWorkerAnims &&
         workerPresent_[size_t(type)][size_t(index)];
}

const WorkerAnim& GameDescriptors::WorkerAnimation(int type, int index) const {
  static const WorkerAnim kEmpty;
  if (type < 0 || type >= kWorkerTypes || index < 0 || index >= kWorkerAnims) return kEmpty;
  const auto& row = workers_[size_t(type)];
  return row[size_t(index)].name.empty() ? row[0] : row[size_t(index)];
}

const AnimDesc* GameDescriptors::TextureAnimation(std::string_view name) const {
  const AnimDesc* a = Find(anims_, animIndex_, name);
  return a ? a : Find(anims_, animIndex_, Undressed(name));
}

std::string_view GameDescriptors::Undressed(std::string_view texture) const {
  const auto it = dressOf_.find(texture);
  return it == dressOf_.end() ? texture : std::string_view(it->second);
}

std::string GameDescriptors::DressedLike(std::string_view texture, std::string_view like) const {
  const auto it = dressOf_.find(like);
  if (it == dressOf_.end()) return std::string(texture);
  // like is PREFIX_ followed by the picture it dresses.
  std::string own(like.substr(0, like.size() - it->second.size()));
  own += texture;
  const auto dress = dressOf_.find(own);
  return dress != dressOf_.end() && dress->second == texture ? own : std::string(texture);
}

const FlyingDesc* GameDescriptors::Flying(int index) const {
  return index >= 0 && index < FlyingCount() ? &flying_[size_t(index)] : nullptr;
}

const std::string* GameDescriptors::DialogPictureName(int id) const {
  const DialogPicture* p = Find(pictures_, pictureIndex_, id);
  return p ? &p->name : nullptr;
}

const SoundRef* GameDescriptors::Sound(int id) const { return Find(sounds_, soundIndex_, id); }

const BonusInfo* GameDescriptors::Bonus(int id) const {
  return id >= 0 && id < kBonusCount ? &bonuses_[size_t(id)] : nullptr;
}

const ObjectParticle* GameDescriptors::ObjectParticles(std::string_view sprite) const {
  const ObjectParticle* p = Find(objectParticles_, objectParticleIndex_, sprite);
  return p ? p : Find(objectParticles_, objectParticleIndex_, Undressed(sprite));
}

const EffectParticle* GameDescriptors::EffectParticles(int id) const {
  return Find(effectParticles_, effectParticleIndex_, id);
}

const SelectorPlacement* GameDescriptors::Selector(std::string_view sprite) const {
  const SelectorPlacement* s = Find(selectors_, selectorIndex_, sprite);
  return s ? s : Find(selectors_, selectorIndex_, Undressed(sprite));
}

const BriefingPlacement* GameDescriptors::Briefing(std::string_view sprite) const {
  const BriefingPlacement* b = Find(briefings_, briefingIndex_, sprite);
  return b ? b : Find(briefings_, briefingIndex_, Undressed(sprite));
}

const std::string& GameDescriptors::BriefingSubstitute(std::string_view sprite) const {
  static const std::string kNone;
  const BriefingPlacement* b = Briefing(sprite);
  return b ? b->subst : kNone;
}

float GameDescriptors::Shake(int id) const {
  const auto it = shakes_.find(id);
  return it == shakes_.end() ? 0.0f : it->second;
}

int GameDescriptors::DevRecord(int episode, int level) const {
  const int64_t key = int64_t(episode) * 100 + level;
  if (key < INT32_MIN || key > INT32_MAX) return kDefaultDevRecord;
  const auto it = devRecords_.find(int(key));
  return it == devRecords_.end() ? kDefaultDevRecord : it->second;
}

void GameDescriptors::RefreshNames(const StringTable& strings) {
  for (auto* table : {&obstacles_, &buildings_, &landmarks_}) {
    for (ObjectDesc& d : *table) SetNames(d, strings);
  }
}
