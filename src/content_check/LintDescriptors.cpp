// The lint checks of the descriptor tables: every table file is there with its root, every
// descriptor names what exists (sounds, effects, textures, worker animations), the level
// indicators are complete, and every descriptor is named in every language.
#include <set>
#include <string>

#include "data/XmlDocument.h"
#include "content_check/LintRun.h"
#include "level/ObjectDesc.h"

namespace {

// Every table file the descriptor loader reads, with its root element.
struct TableFile {
  const char* name;
  const char* root;
};
constexpr TableFile kTables[] = {
    {"objects_params", "DescTable"},
    {"obj_textures", "Objects"},
    {"anim_params", "DescTable"},
    {"symbols", "SymbolTable"},
    {"dialog_pictures", "DialogPictures"},
    {"sounds_table", "SoundsTable"},
    {"bonus_params", "BonusDesc"},
    {"objects_particles", "Particles"},
    {"particles_info", "Particles"},
    {"selector_info", "Selectors"},
    {"briefing_info", "BriefInfo"},
    {"shake_info", "ShakeInfo"},
    {"dev_records", "Records"},
    {"records_total", "Records"},
    {"records_level", "Records"},
    {"helpers_desc", "Helpers"},
    {"game_settings", "GameSettings"},
    {"land_dress", "LandDress"},
};

}  // namespace

void LintRun::CheckTableFiles() {
  for (const TableFile& t : kTables) {
    const std::string file = std::string(t.name) + ".xml";
    if (!fs_.Find(file)) {
      Problem(file, "missing");
      continue;
    }
    XmlDocument doc(fs_);
    if (!doc.Load(file)) {
      Problem(file, "not a well-formed XML document");
    } else if (!doc.FirstChild(XmlElement(), t.root)) {
      Problem(file, std::string("has no root element ") + t.root);
    }
  }
}

void LintRun::CheckObjectDesc(const char* table, const ObjectDesc& d) {
  const std::string where = std::string("objects_params.xml: ") + table + " " + Str(d.id);
  if (d.WorkerType() < 0) Problem(where, "work names no worker type: " + Str(d.work));
  if (d.type < 0 || d.type > ObjectDesc::kAntiFlying) Problem(where, "unknown type " + Str(d.type));
  if (d.type == ObjectDesc::kWorkerLodge && d.LodgeType() < 0) {
    Problem(where, "a lodge whose value names no special worker type: " + Str(d.value));
  }
  if (d.snd != 0) {
    if (!descriptors_.Sound(d.snd)) Problem(where, "snd " + Str(d.snd) + " is not in sounds_table");
  }
  if (d.coll != 0) Effect(where, Format("collect%02d", d.coll));
  if (d.name.empty()) Problem(where, "has no name in objects_names");
  const int worker = d.WorkerType();
  if (worker >= 0 && !d.Indestructible() && d.time > 0 &&
      !descriptors_.HasWorkerAnimation(worker, d.ani + 3)) {
    Problem(where, "worker type " + Str(worker) + " has no work animation " + Str(d.ani + 3));
  }
}

void LintRun::CheckDescriptors() {
  for (const ObjectDesc& d : descriptors_.Obstacles()) CheckObjectDesc("obstacle", d);
  for (const ObjectDesc& d : descriptors_.Landmarks()) CheckObjectDesc("landmark", d);
  for (const ObjectDesc& d : descriptors_.Buildings()) {
    CheckObjectDesc("building", d);
    const int product = d.income[0];
    if (product > 0) {
      const std::string where = "objects_params.xml: building " + Str(d.id);
      if (!descriptors_.Obstacle(product)) {
        Problem(where, "its product " + Str(product) + " is no obstacle descriptor");
      }
      if (!descriptors_.Texture(product)) {
        Problem(where, "its product " + Str(product) + " has no texture in obj_textures");
      }
    }
  }
  for (const TextureRef& t : descriptors_.Textures()) LevelTexture("obj_textures.xml", t.tex);

  // Worker animations: every type that works or is a lodge's has its walk animation.
  std::set<int> types{0};
  for (const auto* table : {&descriptors_.Obstacles(), &descriptors_.Buildings()}) {
    for (const ObjectDesc& d : *table) {
      if (d.WorkerType() > 0) types.insert(d.WorkerType());
      if (d.LodgeType() > 0) types.insert(d.LodgeType());
    }
  }
  for (const int type : types) {
    if (!descriptors_.HasWorkerAnimation(type, 0)) {
      Problem("anim_params.xml", "worker type " + Str(type) + " has no animation 0");
    }
  }
  for (int type = 0; type < GameDescriptors::kWorkerTypes; ++type) {
    for (int index = 0; index < GameDescriptors::kWorkerAnims; ++index) {
      if (!descriptors_.HasWorkerAnimation(type, index)) continue;
      const WorkerAnim& a = descriptors_.WorkerAnimation(type, index);
      LevelTexture("anim_params.xml", a.name);
      if (a.t <= 0) {
        Problem("anim_params.xml",
                "worker " + Str(type) + " animation " + Str(index) + " has no frame time");
      }
    }
  }
  for (const AnimDesc& a : descriptors_.TextureAnimations()) {
    LevelTexture("anim_params.xml", a.name);
    // Zero keeps what the object has; below zero no sheet can play.
    if (a.t < 0 || (a.l > 0 && a.x > 0 && a.y > 0 && a.l > a.x * a.y)) {
      Problem("anim_params.xml",
              "animation \"" + a.name + "\" cannot play: " +
                  (a.t < 0 ? "its frame time is below zero" : "it has more frames than its sheet"));
    }
  }
  for (const AnimDesc& a : descriptors_.Birds()) LevelTexture("anim_params.xml", a.name);
  for (const FlyingDesc& f : descriptors_.FlyingList()) {
    LevelTexture("anim_params.xml", f.anim.name);
    for (const FlyingDesc::Cue* cue : {&f.spawn, &f.hit, &f.die}) {
      if (!cue->sound.empty()) Sound("anim_params.xml", cue->sound);
      if (!cue->effect.empty()) Effect("anim_params.xml", cue->effect);
    }
  }
  if (descriptors_.Symbols().size() > size_t(GameDescriptors::kMaxSymbols)) {
    Problem("symbols.xml", "more than " + Str(GameDescriptors::kMaxSymbols) +
                               " symbols; the rest cannot be shown");
  }
  // The picture of a symbol is the sprite "icon_" + its name.
  for (const std::string& s : descriptors_.Symbols()) Texture("symbols.xml", "icon_" + s);
  for (const DialogPicture& p : descriptors_.DialogPictures()) {
    Texture("dialog_pictures.xml", p.name + "_figure");
    Texture("dialog_pictures.xml", p.name + "_head");
  }
  for (const SoundRef& s : descriptors_.Sounds()) {
    Sound("sounds_table.xml", s.name);
    if (s.loop < 0 || s.loop > 2) {
      Problem("sounds_table.xml", "sound " + Str(s.id) + " has unknown loop " + Str(s.loop));
    }
  }
  for (int id = 0; id < GameDescriptors::kBonusCount; ++id) {
    const BonusInfo& b = *descriptors_.Bonus(id);
    if (b.pic.empty()) {
      Problem("bonus_params.xml", "bonus " + Str(id) + " has no picture");
    } else {
      Texture("bonus_params.xml", b.pic);
    }
    if (!b.sound.empty()) Sound("bonus_params.xml", b.sound);
  }
  for (const ObjectParticle& p : descriptors_.ObjectParticleList()) {
    Texture("objects_particles.xml", p.spr);
    Effect("objects_particles.xml", p.par);
  }
  for (const EffectParticle& p : descriptors_.EffectParticleList()) {
    Effect("particles_info.xml", p.effect);
  }
  for (const SelectorPlacement& s : descriptors_.Selectors()) Texture("selector_info.xml", s.spr);
  // A dress and the picture it dresses are both level textures of one size: the level's
  // waypoints, selectors and animation frames were measured on the meadow's picture.
  for (const auto& [dress, of] : descriptors_.Dresses()) {
    LevelTexture("land_dress.xml", dress);
    LevelTexture("land_dress.xml", of);
    SameSize("land_dress.xml", dress, of);
  }
  for (const BriefingPlacement& b : descriptors_.Briefings()) {
    Texture("briefing_info.xml", b.spr);
    if (!b.subst.empty()) Texture("briefing_info.xml", b.subst);
  }
}

void LintRun::CheckIndicators() {
  const IndicatorSprites& ind = descriptors_.Indicators();
  const std::pair<const std::optional<WorldObject>*, const char*> slots[] = {
      {&ind.respawnLinked, "respawn clock of linked objects (\"respawn..._sec\")"},
      {&ind.respawn, "respawn clock (\"respawn\")"},
      {&ind.queue, "command-queue marker (\"queue\")"},
      {&ind.defaultSelector, "default selector (\"selector\")"},
      {&ind.selectors[0], "building selector (\"selector_bld\")"},
      {&ind.objective, "objective marker (\"objective\")"},
  };
  for (const auto& [slot, what] : slots) {
    if (!*slot) {
      Problem("helpers_desc.xml", std::string("no ") + what);
    } else {
      LevelTexture("helpers_desc.xml", (*slot)->texture);
    }
  }
  for (const auto& s : ind.selectors) {
    if (s) LevelTexture("helpers_desc.xml", s->texture);
  }
}

void LintRun::CheckNames() {
  for (const char* language : kLanguages) {
    FileSystem fs;
    fs.Mount(lint_.folder_ + "/locale/" + language);
    const std::string file = std::string("locale/") + language + "/objects_names.xml";
    if (!fs.Find("objects_names.xml")) {
      Problem(file, "missing");
      continue;
    }
    StringTable names(fs);
    if (!names.Load("objects_names")) {
      Problem(file, "not a string table");
      continue;
    }
    size_t missing = 0;
    for (const auto* table :
         {&descriptors_.Obstacles(), &descriptors_.Buildings(), &descriptors_.Landmarks()}) {
      for (const ObjectDesc& d : *table) {
        const std::string key = Format("obj_name_%03d", d.id);
        const std::string desc = Format("obj_desc_%03d", d.id);
        if (names.Get(key).empty() && names.Get(desc).empty()) {
          if (++missing <= 20) Problem(file, "no " + key + " or " + desc);
        }
      }
    }
    if (missing > 20) Problem(file, Str(int(missing - 20)) + " more descriptors without a name");
  }
}
