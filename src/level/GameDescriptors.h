#pragma once
#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "level/AnimDesc.h"
#include "level/BonusInfo.h"
#include "level/BriefingPlacement.h"
#include "level/DialogPicture.h"
#include "level/EffectParticle.h"
#include "level/FlyingDesc.h"
#include "level/MiniGameTable.h"
#include "level/IndicatorSprites.h"
#include "level/ObjectDesc.h"
#include "level/ObjectParticle.h"
#include "level/SelectorPlacement.h"
#include "level/SoundRef.h"
#include "level/TextureRef.h"

class DescriptorServices;
class FileSystem;
class StringTable;
class XmlElement;

// The read-only tables that give every kind of world object, worker animation, flying
// creature, bonus and indicator sprite its numbers. Loaded once before the first level is
// played; pointers and references handed out stay valid until the next load.
//
// Keyed lookups find the first entry of a key in file order. Every table holds at most
// kMaxEntries entries; further elements are ignored.
class GameDescriptors {
 public:
  static constexpr int kWorkerTypes = 13;
  static constexpr int kWorkerAnims = 10;
  static constexpr int kBonusCount = 6;
  static constexpr int kDefaultDevRecord = 25000;
  static constexpr size_t kMaxEntries = 65536;
  // Inline symbols take the code units 1..31, below every printable character.
  static constexpr int kMaxSymbols = 31;

  GameDescriptors();

  // Loads the string table "objects_names", then "objects_params", "obj_textures",
  // "anim_params" (Worker, Anim, Bird, Flying), "symbols", "dialog_pictures",
  // "sounds_table", the bonus defaults and "bonus_params", "objects_particles",
  // "particles_info", "selector_info", "briefing_info", "shake_info", "dev_records",
  // "helpers_desc", "mini_games" and "land_dress", after clearing every table. Symbols are registered with the services as
  // inline icons 1, 2, ... in file order.
  //
  // False when "objects_names" cannot be loaded, or "objects_params" or "anim_params" has no
  // DescTable root, "sounds_table" no SoundsTable root or "bonus_params" no BonusDesc root;
  // the tables read before the failure stay loaded. Every other file is optional.
  bool LoadGameDescriptors(FileSystem& fs, StringTable& strings, DescriptorServices& services);
  // Takes the object names and descriptions again from the string table (after the language
  // changed and "objects_names" was reloaded).
  void RefreshNames(const StringTable& strings);

  // Object descriptors by id: the obstacle, building and landmark tables, and the table that
  // serves a world-object class (1 obstacles, 2 buildings, 7 landmarks, others none).
  const ObjectDesc* Obstacle(int id) const;
  const ObjectDesc* Building(int id) const;
  const ObjectDesc* Landmark(int id) const;
  const ObjectDesc* ForClass(int cls, int id) const;
  // The product texture of descriptor id, or null.
  const TextureRef* Texture(int id) const;
  // Worker animation (type 0..12, index 0..9). An entry without a texture falls back to
  // animation 0 of the type; a type or index outside the table gives the empty record.
  const WorkerAnim& WorkerAnimation(int type, int index) const;
  // The animation a texture of that name plays, or null.
  const AnimDesc* TextureAnimation(std::string_view name) const;
  const FlyingDesc* Flying(int index) const;
  int FlyingCount() const { return int(flying_.size()); }
  // The picture name of a dialog picture id, or null.
  const std::string* DialogPictureName(int id) const;
  const SoundRef* Sound(int id) const;
  // Bonus 0..5 (defaults when the file does not describe it); null outside 0..5.
  const BonusInfo* Bonus(int id) const;
  // Lookups by a texture's name (ObjectParticles, Selector, Briefing, BriefingSubstitute,
  // TextureAnimation) find a land's dress of a picture under the picture it dresses, unless the
  // table names the dress itself.
  const ObjectParticle* ObjectParticles(std::string_view sprite) const;
  const EffectParticle* EffectParticles(int id) const;
  const SelectorPlacement* Selector(std::string_view sprite) const;
  const BriefingPlacement* Briefing(std::string_view sprite) const;
  // The texture the briefing shows instead of sprite; empty when none.
  const std::string& BriefingSubstitute(std::string_view sprite) const;
  // The meadow's picture that texture is a land's dress of ("land_dress": Dress tex="coast_farm"
  // of="farm"); texture itself when it dresses nothing.
  std::string_view Undressed(std::string_view texture) const;
  // The dress of texture in the land whose dress `like` is (the coast's farm field for a farm
  // field that the coast's farm makes); texture itself when like is no dress or that land has
  // no dress of texture.
  std::string DressedLike(std::string_view texture, std::string_view like) const;
  // Every dress: the dressed texture and the picture it dresses.
  const std::map<std::string, std::string, std::less<>>& Dresses() const { return dressOf_; }
  // Screen shake of descriptor id when its work finishes; 0 when none.
  float Shake(int id) const;
  // The developers' score for a level; 25000 when no record names it.
  int DevRecord(int episode, int level) const;

  // Whole tables, in file order.
  const std::vector<ObjectDesc>& Obstacles() const { return obstacles_; }
  const std::vector<ObjectDesc>& Buildings() const { return buildings_; }
  const std::vector<ObjectDesc>& Landmarks() const { return landmarks_; }
  const std::vector<TextureRef>& Textures() const { return textures_; }
  const std::vector<AnimDesc>& TextureAnimations() const { return anims_; }
  const std::vector<AnimDesc>& Birds() const { return birds_; }
  const std::vector<FlyingDesc>& FlyingList() const { return flying_; }
  const std::vector<std::string>& Symbols() const { return symbols_; }
  const std::vector<DialogPicture>& DialogPictures() const { return pictures_; }
  const std::vector<SoundRef>& Sounds() const { return sounds_; }
  const std::array<BonusInfo, kBonusCount>& Bonuses() const { return bonuses_; }
  const std::vector<ObjectParticle>& ObjectParticleList() const { return objectParticles_; }
  const std::vector<EffectParticle>& EffectParticleList() const { return effectParticles_; }
  const std::vector<SelectorPlacement>& Selectors() const { return selectors_; }
  const std::vector<BriefingPlacement>& Briefings() const { return briefings_; }
  const std::map<int, float>& ShakeAmounts() const { return shakes_; }
  const std::map<int, int>& DevRecords() const { return devRecords_; }
  const IndicatorSprites& Indicators() const { return indicators_; }
  // The mini-game definitions ("mini_games", optional).
  const MiniGameTable& MiniGames() const { return miniGames_; }
  // Whether the animation table has a Worker element for (type, index).
  bool HasWorkerAnimation(int type, int index) const;

  // The bonus entries as they are before "bonus_params" is read.
  static std::array<BonusInfo, kBonusCount> DefaultBonuses();

 private:
  void Clear();
  void ReadObjects(const XmlElement& root, const StringTable& strings);
  void ReadAnimations(const XmlElement& root);
  void ReadHelpers(const XmlElement& root);

  std::vector<ObjectDesc> obstacles_, buildings_, landmarks_;
  std::vector<TextureRef> textures_;
  std::array<std::array<WorkerAnim, kWorkerAnims>, kWorkerTypes> workers_{};
  std::array<std::array<bool, kWorkerAnims>, kWorkerTypes> workerPresent_{};
  std::vector<AnimDesc> anims_, birds_;
  std::vector<FlyingDesc> flying_;
  std::vector<std::string> symbols_;
  std::vector<DialogPicture> pictures_;
  std::vector<SoundRef> sounds_;
  std::array<BonusInfo, kBonusCount> bonuses_;
  std::vector<ObjectParticle> objectParticles_;
  std::vector<EffectParticle> effectParticles_;
  std::vector<SelectorPlacement> selectors_;
  std::vector<BriefingPlacement> briefings_;
  std::map<int, float> shakes_;
  std::map<int, int> devRecords_;
  std::map<std::string, std::string, std::less<>> dressOf_;
  IndicatorSprites indicators_;
  MiniGameTable miniGames_;

  // First position of every key, so that lookups stay fast on large tables.
  template <class Key>
  using Index = std::map<Key, size_t, std::less<>>;
  Index<int> obstacleIndex_, buildingIndex_, landmarkIndex_, textureIndex_, pictureIndex_,
      soundIndex_, effectParticleIndex_;
  Index<std::string> animIndex_, objectParticleIndex_, selectorIndex_, briefingIndex_;
};
