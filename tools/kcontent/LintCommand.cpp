#include "kcontent/LintCommand.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string_view>

#include "data/FileSystem.h"
#include "data/Language.h"
#include "data/StringTable.h"
#include "data/Utf8.h"
#include "data/XmlDocument.h"
#include "gui/ControlFactory.h"
#include "kcontent/LevelCheckCommand.h"
#include "kcontent/LevelHintsCommand.h"
#include "kcontent/LevelSpeechCommand.h"
#include "level/DescriptorServices.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "level/Level.h"
#include "level/ObjectHint.h"
#include "level/PathFinder.h"
#include "level/WaypointArea.h"
#include "progress/Progress.h"

namespace {

std::string Format(const char* pattern, int value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::string Str(int value) { return std::to_string(value); }

// The media of a game folder, found the way the game's services find them: textures as
// atlas sprites or image files, sounds and music as ".ogg" files, effects as ".pyro" files.
class FolderMedia : public DescriptorServices {
 public:
  explicit FolderMedia(FileSystem& fs) : fs_(fs) {
    for (const FileInfo& atlas : fs.List("atlases/", ".xml")) {
      XmlDocument doc(fs);
      if (!doc.Load(atlas.key)) continue;
      const XmlElement root = doc.FirstChild(XmlElement(), "Atlas");
      for (XmlElement t = root.FirstChild("Tex"); t; t = t.NextSibling("Tex")) {
        sprites_.insert(t.Text("name"));
      }
    }
  }

  bool HasTexture(std::string_view name) const override { return IsSprite(name) || HasImage(name); }
  // A texture of its own (an image file), as the level draws them; atlas sprites do not
  // count.
  bool HasImage(std::string_view name) const {
    if (name.empty()) return false;
    for (const char* ext : {"zif", "webp", "jpa", "jpg", "png", "tga"}) {
      const std::string file = std::string(name) + "." + ext;
      if (fs_.Find(file) || fs_.Find("_" + std::string(name) + "_comp." + ext)) return true;
    }
    return false;
  }
  bool IsSprite(std::string_view name) const { return !name.empty() && sprites_.count(name) > 0; }
  // Masks are wide pictures: packed "_NAME_comp" files, or zif files marked wide.
  bool IsMaskTexture(std::string_view name) const override {
    if (name.empty()) return false;
    for (const char* ext : {"zif", "webp", "jpa", "jpg", "png", "tga"}) {
      if (fs_.Find("_" + std::string(name) + "_comp." + ext)) return true;
    }
    const FileData zif = fs_.Read(std::string(name) + ".zif");
    const bool wide = zif && zif.size > 6 && (zif.data[6] & 1) != 0;
    if (zif) fs_.Release(zif.data);
    return wide;
  }
  void RegisterIcon(int code, std::string_view texture) override {
    icons.emplace_back(code, std::string(texture));
  }
  bool HasSound(std::string_view name) const {
    return !name.empty() && fs_.Find(std::string(name) + ".ogg").has_value();
  }
  bool HasEffect(std::string_view name) const {
    return !name.empty() && fs_.Find(std::string(name) + ".pyro").has_value();
  }
  bool HasShader(std::string_view name) const {
    return !name.empty() && fs_.Find(std::string(name) + ".zsd").has_value();
  }

  std::vector<std::pair<int, std::string>> icons;

 private:
  FileSystem& fs_;
  std::set<std::string, std::less<>> sprites_;
};

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
};
constexpr const char* kLanguages[] = {"en", "de", "ru", "pl"};
// The layouts the program loads by name.
constexpr const char* kRequiredLayouts[] = {"splash_gui"};

// Half the level's plane.
constexpr float kWorldHalfW = 640.0f;
constexpr float kWorldHalfH = 384.0f;

}  // namespace

// One run of the checks over a mounted game folder.
class LintRun {
 public:
  explicit LintRun(ContentLint& lint) : lint_(lint) {}

  void Run() {
    fs_.Mount(lint_.folder_ + "/content");
    fs_.Mount(lint_.folder_ + "/music");
    MountLocale(fs_, "en", false, lint_.folder_ + "/");
    folderMedia_ = std::make_unique<FolderMedia>(fs_);

    CheckTableFiles();
    StringTable strings(fs_);
    if (!descriptors_.LoadGameDescriptors(fs_, strings, *folderMedia_)) {
      Problem("content", "the descriptor tables do not load (see the files named above)");
    }
    CheckDescriptors();
    CheckIndicators();
    CheckNames();
    CheckLevels();
    CheckLayouts();
  }

 private:
  void Problem(const std::string& where, const std::string& what) {
    lint_.problems_.push_back(where + ": " + what);
  }
  void Warning(const std::string& where, const std::string& what) {
    lint_.warnings_.push_back(where + ": " + what);
  }
  void Texture(const std::string& where, const std::string& name) {
    if (lint_.options_.media && !folderMedia_->HasTexture(name)) Missing(where, "texture", name);
  }
  // A texture the level draws: a picture of its own, since the level never looks up atlas
  // sprites.
  void LevelTexture(const std::string& where, const std::string& name) {
    if (!lint_.options_.media || folderMedia_->HasImage(name)) return;
    if (folderMedia_->IsSprite(name)) {
      if (lint_.media_.emplace("texture", name).second) {
        Problem(where, "\"" + name +
                           "\" is only an atlas sprite; the level draws textures of "
                           "their own");
      }
      return;
    }
    Missing(where, "texture", name);
  }
  void Sound(const std::string& where, const std::string& name) {
    if (lint_.options_.media && !folderMedia_->HasSound(name)) Missing(where, "sound", name);
  }
  void Effect(const std::string& where, const std::string& name) {
    if (lint_.options_.media && !folderMedia_->HasEffect(name)) Missing(where, "effect", name);
  }
  void ShaderName(const std::string& where, const std::string& name) {
    if (lint_.options_.media && !folderMedia_->HasShader(name)) Missing(where, "shader", name);
  }
  void Missing(const std::string& where, const char* kind, const std::string& name) {
    if (lint_.media_.emplace(kind, name).second) {
      Problem(where, std::string("no ") + kind + " \"" + name + "\"");
    }
  }

  // Every table exists and has the root the loader looks for.
  void CheckTableFiles() {
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

  void CheckObjectDesc(const char* table, const ObjectDesc& d) {
    const std::string where = std::string("objects_params.xml: ") + table + " " + Str(d.id);
    if (d.WorkerType() < 0) Problem(where, "work names no worker type: " + Str(d.work));
    if (d.type < 0 || d.type > ObjectDesc::kAntiFlying)
      Problem(where, "unknown type " + Str(d.type));
    if (d.type == ObjectDesc::kWorkerLodge && d.LodgeType() < 0) {
      Problem(where, "a lodge whose value names no special worker type: " + Str(d.value));
    }
    if (d.snd != 0) {
      if (!descriptors_.Sound(d.snd))
        Problem(where, "snd " + Str(d.snd) + " is not in sounds_table");
    }
    if (d.coll != 0) Effect(where, Format("collect%02d", d.coll));
    if (d.name.empty()) Problem(where, "has no name in objects_names");
    const int worker = d.WorkerType();
    if (worker >= 0 && !d.Indestructible() && d.time > 0 &&
        !descriptors_.HasWorkerAnimation(worker, d.ani + 3)) {
      Problem(where, "worker type " + Str(worker) + " has no work animation " + Str(d.ani + 3));
    }
  }

  void CheckDescriptors() {
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
        Problem("anim_params.xml", "animation \"" + a.name + "\" cannot play: " +
                                       (a.t < 0 ? "its frame time is below zero"
                                                : "it has more frames than its sheet"));
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
    for (const BriefingPlacement& b : descriptors_.Briefings()) {
      Texture("briefing_info.xml", b.spr);
      if (!b.subst.empty()) Texture("briefing_info.xml", b.subst);
    }
  }

  void CheckIndicators() {
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

  // Every descriptor is named in every language.
  void CheckNames() {
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

  void CheckLevels() {
    std::map<std::pair<int, int>, std::string> files;
    for (const FileInfo& info : fs_.List("", "level_")) {
      int episode = 0, level = 0;
      if (ParseLevelFileName(info.key, episode, level)) files[{episode, level}] = info.key;
    }
    if (!files.count({0, 0})) Problem("content", "no episode map (level_00_00.xml)");
    if (!files.count({1, 1})) Problem("content", "no first level (level_01_01.xml)");
    for (const auto& [position, file] : files)
      CheckLevel(file, position.first, position.second, files);
  }

  void CheckLevel(const std::string& file, int episode, int number,
                  const std::map<std::pair<int, int>, std::string>& files) {
    const FileData data = fs_.Read(file);
    const std::string text(data.Text());
    fs_.Release(data.data);

    Level level(descriptors_, folderMedia_.get());
    level.episode = episode;
    level.levelNumber = number;
    if (!level.ReadLevel(text)) {
      Problem(file, "cannot be read: " + level.readError);
      return;
    }
    for (const std::string& p :
         CheckLevelRoundTrip(text, episode, number, descriptors_, folderMedia_.get())) {
      Problem(file, p);
    }

    const bool map = episode == 0 && number == 0;
    const bool ordinary = IsOrdinary(level.mode);
    if (map && level.mode != LevelMode::Still) Problem(file, "the episode map should be of mode 2");
    if (!map && !ordinary && level.mode != LevelMode::MiniGame) {
      Problem(file, "unknown mode " + Str(int(level.mode)));
    }
    if (level.music != 0) {
      const std::string music = Format("level_music_%02d", level.music);
      if (lint_.options_.media && !folderMedia_->HasSound(music)) Missing(file, "music", music);
    }
    if (level.flyTime != 0 && descriptors_.FlyingCount() == 0) {
      Problem(file, "flying creatures are asked for but anim_params has no Flying entry");
    }
    if (!map && episode >= 1 && descriptors_.DevRecords().count(episode * 100 + number) == 0) {
      Problem(file, "no developer record in dev_records (key " + Str(episode * 100 + number) + ")");
    }
    CheckSpeech(file, "level dialog", level.dialog);

    std::map<int, const WorldObject*> byId;
    for (const auto& o : level.objects) {
      if (!byId.emplace(o->id, o.get()).second) {
        Problem(file, "id " + Str(o->id) + " is used twice");
      }
    }
    for (const auto& o : level.objects) CheckObject(file, level, *o);
    for (const auto& w : level.workers) CheckObject(file, level, *w);
    CheckLinkCycles(file, level);
    CheckSprites(file, text);
    if (map) {
      CheckMap(file, level, files);
    } else if (ordinary) {
      CheckPlayable(file, level);
      CheckClickAreas(file, level);
      CheckHints(file, text);
      CheckScript(file, text, level);
    }
  }

  // Every word of every hint at the level's start exists in every language, and so does
  // every entry a hint can use in some state of play.
  void CheckHints(const std::string& file, const std::string& text) {
    for (const char* language : kLanguages) {
      std::vector<LevelHint> hints;
      std::string error;
      if (!CollectLevelHints(lint_.folder_, text, language, true, hints, error)) {
        Problem(file, std::string("hints in ") + language + ": " + error);
        continue;
      }
      std::set<std::string> reported;
      for (const LevelHint& h : hints) {
        for (const std::string& key : h.missing) {
          if (!reported.insert(key).second) continue;
          Problem(file, "the hint of object " + Str(h.id) + " uses " + key +
                            ", missing in locale/" + language);
        }
      }
    }
    if (hintEntriesChecked_) return;
    hintEntriesChecked_ = true;
    for (const char* language : kLanguages) {
      FileSystem files;
      files.Mount(lint_.folder_ + "/locale/" + language);
      StringTable table(files);
      table.Load("strings");
      for (const char* key : ObjectHint::kEntries) {
        if (!table.Has(WidenBytes(key))) {
          Problem(std::string("locale/") + language + "/strings.xml",
                  std::string("no hint entry ") + key);
        }
      }
    }
  }

  // Every line of the level's speech script has its text in every language, names objects
  // and HUD controls that exist, and can be woken.
  void CheckScript(const std::string& file, const std::string& text, const Level& level) {
    std::vector<int> objectIds;
    for (const auto& o : level.objects) objectIds.push_back(o->id);
    for (const char* language : kLanguages) {
      std::vector<ScriptLine> lines;
      std::string error;
      if (!CollectLevelSpeech(lint_.folder_, text, language, true, lines, error)) {
        Problem(file, std::string("speech in ") + language + ": " + error);
        continue;
      }
      for (const ScriptLine& s : lines) {
        if (s.line.text > 0 && s.text.empty()) {
          Problem(file, s.key + " is missing in locale/" + language);
        }
      }
      if (std::string_view(language) != "en") continue;
      for (const std::string& p : SpeechProblems(lines, objectIds, HudIds())) Problem(file, p);
    }
  }

  // The ids of the HUD's layouts and of the controls the level screen makes.
  const std::vector<int>& HudIds() {
    if (!hudIds_.empty()) return hudIds_;
    hudIds_ = {9, 10, 11, 21, 80, 81, 82, 83, 84, 85};
    for (const char* name : {"game_gui.xml", "game_gui_ovr.xml"}) {
      const FileData data = fs_.Read(name);
      if (!data) continue;
      const std::string layout(data.Text());
      for (size_t at = layout.find(" id=\""); at != std::string::npos;
           at = layout.find(" id=\"", at + 1)) {
        hudIds_.push_back(std::atoi(layout.c_str() + at + 5));
      }
    }
    return hudIds_;
  }
  std::vector<int> hudIds_;

  void CheckSpeech(const std::string& file, const std::string& what, const SpeechLine& line) {
    if (line.text <= 0) return;
    if (!descriptors_.DialogPictureName(line.speaker)) {
      Problem(file, what + ": speaker " + Str(line.speaker) + " is not in dialog_pictures");
    }
    if (!speech_) {
      speech_ = std::make_unique<StringTable>(fs_);
      speech_->Load("strings");
      speech_->Load("story");
    }
    const std::string key = Format("dialog_%04d", line.text);
    if (speech_->Get(key).empty()) Problem(file, what + ": no string " + key);
  }

  void CheckObject(const std::string& file, const Level& level, const WorldObject& o) {
    const std::string where = file + ": object " + Str(o.id);
    const auto problem = [&](const std::string& what) {
      lint_.problems_.push_back(where + ": " + what);
    };
    if (o.cls > WorldObject::kBird) problem("unknown class " + Str(o.cls));
    if (o.cls == WorldObject::kObstacle || o.cls == WorldObject::kBuilding ||
        o.cls == WorldObject::kLandmark) {
      if (!o.desc) problem("class " + Str(o.cls) + " has no descriptor " + Str(o.subclass));
    }
    if (o.cls != WorldObject::kWaypoint && o.cls != WorldObject::kEffectSpot) {
      if (o.texture.empty()) {
        problem("has no texture");
      } else {
        LevelTexture(where, o.texture);
        if (o.cls == WorldObject::kFillable) LevelTexture(where, o.texture + "_fill");
      }
    }
    // The level is a plane of 1280 x 768 around the origin; the map scrolls over three.
    const bool map = level.mode == LevelMode::Still;
    if (!map && o.cls != WorldObject::kWorker &&
        (std::fabs(o.position.x) > kWorldHalfW || std::fabs(o.position.y) > kWorldHalfH)) {
      problem("stands outside the world at " + Str(int(o.position.x)) + "," +
              Str(int(o.position.y)));
    }
    if (o.Has(ObjectFlags::kStateSprite) && !o.sprite) {
      problem("shows its changes by playing its sprite (flag j) but has no sprite");
    }
    if (o.cls == WorldObject::kObstacle && o.Has(ObjectFlags::kPassable) &&
        !o.Has(ObjectFlags::kNoRespawn) && o.respawnMax == 0 && o.respawnMin == 0 &&
        o.respawnLeft == 0) {
      problem(
          "is passable without a respawn range or flag h: it would wait to grow back for "
          "ever");
    }
    if (o.cls == WorldObject::kWaypoint) {
      if (o.subclass > Level::kBaseLists)
        problem("waypoint subclass " + Str(o.subclass) + " is no base");
      for (const int id : o.links) {
        if (id == 0) continue;
        const WorldObject* target = level.FindObject(id);
        if (!target || target->cls != WorldObject::kWaypoint) {
          problem("links to " + Str(id) + ", which is no waypoint");
        }
      }
    }
    if (o.linkId != 0 && !level.FindObject(o.linkId)) {
      problem("obj_link names " + Str(o.linkId) + ", which does not exist");
    }
    if (const WorldObject* l = o.link) {
      const bool waypoint = o.cls == WorldObject::kWaypoint;
      const bool toWaypoint = l->cls == WorldObject::kWaypoint;
      if (l == &o) {
        problem("links to itself");
      } else if (waypoint && toWaypoint) {
        problem("is a waypoint whose object is waypoint " + Str(l->id));
      } else if (toWaypoint && o.cls != WorldObject::kBuilding) {
        problem("links to waypoint " + Str(l->id) +
                "; only buildings reach their product sites through waypoints");
      } else if (o.cls == WorldObject::kBuilding && !toWaypoint &&
                 l->cls != WorldObject::kScenery && l->cls != WorldObject::kObstacle &&
                 l->cls != WorldObject::kBuilding) {
        problem("is a building linked to object " + Str(l->id) + " of class " + Str(l->cls) +
                " (its product site's waypoint, its scaffold or a building expected)");
      }
    }
    if (o.cls == WorldObject::kEffectSpot && !descriptors_.EffectParticles(o.subclass)) {
      problem("effect spot " + Str(o.subclass) + " is not in particles_info");
    }
    if (o.cls == WorldObject::kFog && o.subclass != 0) Effect(where, Format("fog%02d", o.subclass));
    if (o.dialog) CheckSpeech(file, "object " + Str(o.id) + " dialog", *o.dialog);
  }

  // Obstacles and buildings are clicked through their waypoints: each waypoint's quad has to
  // hold most of the pictures it serves, and a click at a picture's centre has to reach it.
  void CheckClickAreas(const std::string& file, const Level& level) {
    for (const auto& owned : level.objects) {
      const WorldObject& w = *owned;
      for (const WorldObject* o : waypoint_area::Served(w)) {
        const std::string what =
            "waypoint " + Str(w.id) + " and the picture of object " + Str(o->id);
        const float share = waypoint_area::Share(w, *o);
        if (share < waypoint_area::kLeastShare) {
          Problem(file, what + ": the waypoint's quad holds only " + Str(int(share * 100)) +
                            "% of the picture (kcontent level fit sizes it)");
        }
        const WorldObject* top = waypoint_area::TopWaypointAt(level, o->position);
        if (top != &w) {
          Problem(file, what + ": a click at the picture's centre goes to " +
                            (top ? "waypoint " + Str(top->id) : std::string("no waypoint")));
        }
      }
    }
  }

  // Chains of obj_link that come back to themselves: the game follows them only so far.
  void CheckLinkCycles(const std::string& file, const Level& level) {
    std::set<const WorldObject*> reported;
    for (const auto& start : level.objects) {
      std::vector<const WorldObject*> chain;
      for (const WorldObject* o = start.get(); o && chain.size() <= level.objects.size();
           o = o->link) {
        const auto seen = std::find(chain.begin(), chain.end(), o);
        if (seen != chain.end()) {
          if (reported.insert(*std::min_element(seen, chain.end())).second) {
            std::string ids;
            for (auto it = seen; it != chain.end(); ++it) ids += Str((*it)->id) + " -> ";
            Problem(file, "the links go round in a circle: " + ids + Str((*seen)->id));
          }
          break;
        }
        chain.push_back(o);
      }
    }
  }

  // Sprites as the file gives them, before reading makes them safe: sheets that cannot
  // play, loop and start frames past the end.
  void CheckSprites(const std::string& file, const std::string& text) {
    XmlDocument doc;
    doc.Parse(text);
    const XmlElement root = doc.FirstChild(XmlElement(), "level");
    for (XmlElement e = root.FirstChild(); e; e = e.NextSibling()) {
      if (!e.Has("sprite")) continue;
      std::array<int, 6> v{};
      e.Ints("sprite", v);
      const auto [columns, rows, time, loop, count, start] = v;
      if (time == 0) continue;  // no animation
      const std::string where = file + ": object " + Str(e.Int("id", 0)) + ": sprite";
      if (time < 0) Problem(where, "cannot play: its frame time is below zero");
      if (columns < 1 || rows < 1) Problem(where, "has no columns or no rows");
      const int64_t cells = int64_t(std::max(columns, 1)) * std::max(rows, 1);
      const int64_t frames = count > 0 ? count : cells;
      if (count > cells) Problem(where, "has more frames than its sheet");
      if (loop < 0 || loop >= frames) Problem(where, "starts its loop past its last frame");
      if (start < 0 || start >= frames) Problem(where, "starts past its last frame");
    }
  }

  // The map: markers name levels and comics that exist.
  void CheckMap(const std::string& file, const Level& level,
                const std::map<std::pair<int, int>, std::string>& files) {
    for (const auto& o : level.objects) {
      if (o->cls != WorldObject::kObstacle) continue;
      const std::string where = file + ": marker " + Str(o->id);
      if (o->subclass > 4) Problem(where, "unknown marker kind " + Str(o->subclass));
      if (o->subclass == 0) {
        const int e = o->respawnMin, l = o->respawnMax;
        if (e < 1 || e > Level::kEpisodes || l < 1 || l > Level::kLevelsPerEpisode) {
          Problem(where, "level marker outside the campaign: " + Str(e) + "." + Str(l));
        } else {
          // The map shows the whole campaign before every level is made.
          if (!files.count({e, l})) {
            Warning(where, "opens " + Level::LevelFileName(e, l) + ", which does not exist yet");
          }
          char key[32];
          std::snprintf(key, sizeof key, "level_name_%02d_%02d", e, l);
          CheckTextKey(where, key);
        }
      } else if (o->subclass == 1 || o->subclass == 3) {
        const int k = o->respawnMax;
        const char* pattern = o->subclass == 1 ? "comics_name_%02d" : "puzzle_name_%02d";
        if (k < 1 || k > 9) {
          Problem(where, std::string(o->subclass == 1 ? "comic" : "puzzle") + " number " + Str(k) +
                             " names nothing");
        } else {
          CheckTextKey(where, Format(pattern, k));
        }
      } else if (o->subclass == 2) {
        const int n = o->respawnMin;
        if (n < 1 || n > Progress::kAchievements) {
          Problem(where, "achievement " + Str(n) + " names nothing");
        } else {
          for (const char* pattern : {"ach_%02d_name", "ach_%02d_desc", "ach_%02d_earn"}) {
            CheckTextKey(where, Format(pattern, n));
          }
        }
      } else if (o->subclass == 4) {
        const int e = o->respawnMin;
        if (e < 1 || e > Level::kEpisodes) {
          Problem(where, "wonder of episode " + Str(e) + " names nothing");
        } else {
          CheckTextKey(where, Format("wonder_%d", e));
        }
      }
    }
    // What every map tooltip and marker state uses.
    for (const char* key : {"level", "unfinished", "locked", "level_completed", "score", "time",
                            "map_comics", "map_achievement", "map_puzzle", "map_wonder",
                            "wonder_completed", "wonder_progress", "wonder_description"}) {
      CheckTextKey(file, key);
    }
    for (const char* picture :
         {"level_unfinished", "level_current", "level_bronze", "level_silver", "level_gold",
          "level_relax", "level_bonus", "map_trophy", "level_select"}) {
      LevelTexture(file, picture);
    }
  }

  // An ordinary level can be played: workers have a camp and a way to every workable object,
  // every object can be done by some worker, and the goal can be reached.
  // Every workable object must be reachable by its worker type: from a camp for ordinary
  // workers, from the first waypoint of its base list for a special type, by the route
  // search the workers use, with every obstacle on the way cleared.
  void CheckWorkersReach(const std::string& file, Level& level) {
    const PathFinder paths(level);
    for (const WaypointNode& node : level.waypoints) {
      const WorldObject& wp = *node.waypoint;
      const WorldObject* o = wp.link;
      if (!o || !o->desc || o->cls == WorldObject::kScenery || o->cls == WorldObject::kLandmark ||
          o->desc->Indestructible()) {
        continue;
      }
      const int type = o->desc->WorkerType();
      const std::string what = "object " + Str(o->id) + " at waypoint " + Str(wp.id);
      if (type < 0) {
        Problem(file, what + " names no worker type (work " + Str(o->desc->work) + ")");
        continue;
      }
      std::vector<int> starts;
      if (type == 0) {
        starts = level.bases[0];
      } else if (!level.bases[size_t(type)].empty()) {
        starts.push_back(level.bases[size_t(type)].front());
      }
      const bool reached = std::any_of(starts.begin(), starts.end(), [&](int start) {
        return paths.FindPath(start, &wp, true).has_value();
      });
      if (!reached) {
        Problem(file, what + " is reached by no base of worker type " + Str(type) +
                          ", even with every obstacle cleared");
      }
    }
  }

  void CheckPlayable(const std::string& file, Level& level) {
    if (level.bases[0].empty()) {
      Problem(file, "no camp waypoint (subclass 1): there are no ordinary workers");
      return;
    }
    for (const int node : level.bases[0]) {
      const WorldObject& camp = *level.waypoints[size_t(node)].waypoint;
      const WorldObject* house = level.FindObject(camp.respawnMin);
      if (!house || house->cls != WorldObject::kBuilding) {
        Problem(file, "camp waypoint " + Str(camp.id) + " names no house in its respawn value");
      }
    }
    if (level.timeNorm <= level.timeHard || level.timeHard <= 0) {
      Problem(file, "time_norm must be above time_hard and time_hard above 0");
    }

    // Waypoints reachable from a camp or a special worker's home, ignoring obstacles.
    std::vector<bool> reached(level.waypoints.size(), false);
    std::vector<int> open;
    for (int k = 0; k <= 8; ++k) {
      for (const int node : level.bases[size_t(k)]) open.push_back(node);
    }
    while (!open.empty()) {
      const int node = open.back();
      open.pop_back();
      if (reached[size_t(node)]) continue;
      reached[size_t(node)] = true;
      for (const int next : level.waypoints[size_t(node)].neighbours) {
        if (next >= 0 && !reached[size_t(next)]) open.push_back(next);
      }
    }

    CheckWorkersReach(file, level);

    std::set<int> linkedFromWaypoint, linkedFromObject;
    for (const WaypointNode& node : level.waypoints) {
      const WorldObject& wp = *node.waypoint;
      if (wp.linkId == 0) continue;
      linkedFromWaypoint.insert(wp.linkId);
      if (!reached[size_t(node.index)]) {
        Problem(file, "waypoint " + Str(wp.id) + " with object " + Str(wp.linkId) +
                          " cannot be reached from any camp");
      }
    }
    for (const auto& o : level.objects) {
      if (o->cls != WorldObject::kWaypoint && o->linkId != 0) linkedFromObject.insert(o->linkId);
    }

    int maxStorage = level.storage;
    std::array<bool, 3> sources{};
    for (const auto& o : level.objects) {
      if (o->desc && o->desc->type == ObjectDesc::kWarehouse) maxStorage += o->desc->value;
    }
    for (const auto& o : level.objects) {
      if (!o->desc || (o->cls != WorldObject::kObstacle && o->cls != WorldObject::kBuilding))
        continue;
      const ObjectDesc& d = *o->desc;
      const std::string where = file + ": object " + Str(o->id);
      for (int i = 0; i < 3; ++i) {
        if (d.ret && d.income[size_t(i)] > 0 && o->cls == WorldObject::kObstacle)
          sources[size_t(i)] = true;
        if (d.cost[size_t(i)] > maxStorage) {
          Problem(where, "costs more than the storage can ever hold");
        }
      }
      // Product sites of buildings take their descriptor from the building.
      if (o->cls == WorldObject::kBuilding && d.income[0] > 0) {
        if (const ObjectDesc* product = descriptors_.Obstacle(d.income[0])) {
          for (int i = 0; i < 3; ++i) {
            if (product->income[size_t(i)] > 0) sources[size_t(i)] = true;
          }
        }
      }
      if (o->cls == WorldObject::kObstacle && !d.Indestructible() &&
          !linkedFromWaypoint.count(o->id) && !linkedFromObject.count(o->id)) {
        Problem(where, "no waypoint leads to it");
      }
      const int worker = d.WorkerType();
      if (o->cls == WorldObject::kObstacle && worker > 0) {
        if (level.bases[size_t(worker)].empty()) {
          Problem(where, "worker type " + Str(worker) + " has no home waypoint (subclass " +
                             Str(worker + 1) + ")");
        }
        bool available = (level.workerTypes & (1 << worker)) != 0;
        for (const auto& b : level.objects) {
          if (b->desc && b->cls == WorldObject::kBuilding && b->desc->LodgeType() == worker) {
            available = true;
          }
        }
        if (!available) Problem(where, "no lodge makes worker type " + Str(worker) + " available");
      }
    }
    const bool questResources =
        level.questRes[0] > 0 || level.questRes[1] > 0 || level.questRes[2] > 0;
    if (!questResources && level.openObjectives <= 0) {
      Problem(file, "no quest resources and no objectives: the level is won at once");
    }
    static const char* kResource[3] = {"food", "wood", "gold"};
    for (int i = 0; i < 3; ++i) {
      if (level.questRes[size_t(i)] > 0 && !sources[size_t(i)]) {
        Problem(file, std::string("asks for ") + kResource[i] + " but nothing yields it");
      }
    }
  }

  // Layouts: the ones the program loads by name exist; every file in a "layouts" folder parses,
  // has `controls`, names only elements of the format, and names sprites, shaders and texts
  // that exist (texts in every language).
  void CheckLayouts() {
    for (const char* name : kRequiredLayouts) {
      if (!fs_.Find(std::string(name) + ".xml"))
        Problem("content", std::string("no layout ") + name);
    }
    for (const FileInfo& info : fs_.List("layouts/", ".xml")) CheckLayout(info.key);
  }

  void CheckLayout(const std::string& file) {
    XmlDocument doc(fs_);
    if (!doc.Load(file)) {
      Problem(file, "does not parse: " + doc.Error());
      return;
    }
    const XmlElement root = doc.FirstChild(XmlElement(), "controls");
    if (!root) {
      Problem(file, "has no controls element");
      return;
    }
    for (XmlElement e = root.FirstChild(); e; e = e.NextSibling()) {
      const std::string element(e.Name());
      const std::string where =
          file + ": <" + element + (e.Has("id") ? " id=\"" + e.Text("id") + "\"" : "") + ">";
      if (!ControlFactory::IsElementName(element)) {
        Problem(where, "unknown element (element names are case-sensitive)");
        continue;
      }
      for (const char* attr : {"spr", "ovr", "sel"}) {
        if (!e.Text(attr).empty()) Texture(where, e.Text(attr));
      }
      for (const char* attr : {"shader", "ovrShader"}) {
        if (!e.Text(attr).empty()) ShaderName(where, e.Text(attr));
      }
      // Texts are string keys, except where flags make them a value name or replace them.
      const std::string flags = e.Text("flags");
      const bool keyed = element == "text" || element == "button" || element == "hint";
      if (keyed && !e.Text("text").empty() && flags.find_first_of("lu") == std::string::npos) {
        CheckTextKey(where, e.Text("text"));
      }
    }
  }

  void CheckTextKey(const std::string& where, const std::string& key) {
    if (layoutStrings_.empty()) {
      for (const char* language : kLanguages) {
        auto files = std::make_unique<FileSystem>();
        files->Mount(lint_.folder_ + "/locale/" + language);
        auto table = std::make_unique<StringTable>(*files);
        table->Load("strings");
        layoutStrings_.push_back({language, std::move(files), std::move(table)});
      }
    }
    for (const LanguageStrings& l : layoutStrings_) {
      if (!l.table->Has(WidenBytes(key))) {
        Problem(where, "no string " + key + " in locale/" + l.language + "/strings.xml");
      }
    }
  }

  struct LanguageStrings {
    std::string language;
    std::unique_ptr<FileSystem> files;
    std::unique_ptr<StringTable> table;
  };

  ContentLint& lint_;
  FileSystem fs_;
  std::vector<LanguageStrings> layoutStrings_;
  bool hintEntriesChecked_ = false;
  std::unique_ptr<FolderMedia> folderMedia_;
  GameDescriptors descriptors_;
  std::unique_ptr<StringTable> speech_;
};

ContentLint::ContentLint(std::string gameFolder, Options options)
    : folder_(std::move(gameFolder)), options_(options) {}

size_t ContentLint::Run() {
  problems_.clear();
  warnings_.clear();
  media_.clear();
  LintRun(*this).Run();
  return problems_.size();
}

int RunLintCommand(const std::vector<std::string>& args) {
  ContentLint::Options options;
  std::string folder;
  for (const std::string& arg : args) {
    if (arg == "--no-media") {
      options.media = false;
    } else if (folder.empty() && !arg.starts_with("--")) {
      folder = arg;
    } else {
      folder.clear();
      break;
    }
  }
  if (folder.empty()) {
    std::fprintf(stderr, "usage: kcontent lint GAMEFOLDER [--no-media]\n");
    return 2;
  }
  ContentLint lint(folder, options);
  const size_t count = lint.Run();
  for (const std::string& w : lint.Warnings()) std::printf("warning: %s\n", w.c_str());
  for (const std::string& p : lint.Problems()) std::printf("%s\n", p.c_str());
  if (count == 0) {
    std::printf("%s: clean\n", folder.c_str());
    return 0;
  }
  std::printf("%zu problem%s", count, count == 1 ? "" : "s");
  if (!lint.MissingMedia().empty()) {
    std::printf(" (%zu of them missing textures, sounds, effects or music)",
                lint.MissingMedia().size());
  }
  std::printf("\n");
  return 1;
}
