#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/Mode.h"

class GUIParticles;
class XmlDocument;
struct Progress;

// One part of the castle as "castle_parts" describes it (root PartTable, `part` elements in
// building order): the sprite, its top-left corner on a 1280 x 768 canvas whose y grows
// downwards, its size (0: the sprite's), where its effect stands relative to its centre (y up)
// and the effect's name (empty: "castle_part").
struct CastlePart {
  std::string name;
  float x = 0, y = 0, w = 0, h = 0;
  float offsetX = 0, offsetY = 0;
  std::string effect;
};

// The castle: one part for every level won with three stars, the newest flickering into view
// with its particle effect once the screen has faded in. The first visit that has a part
// explains the castle once (a progress option bit, saved at once).
class ModeCastle : public Mode {
 public:
  static constexpr int kMaxParts = 45;
  static constexpr float kRevealSeconds = 2.5f;

  ModeCastle();
  ~ModeCastle() override;

  bool Load() override;
  void Update() override;
  void Release() override;
  void OnFadeDone(Fade kind) override;
  void Enter() override;
  void Leave() override;
  int OnCommand(int id) override;
  int OnInput(InputEvent event) override;
  // Where leaving goes: `then` once when the request names it (the comic at the end of an
  // episode), else `back` (the map when it names nothing).
  void Accept(const ModeRequest& request) override;

  // Three-star records among levels 1-11 of episodes 1-4 and level 11 of episode 5 (0-45).
  static int ThreeStarLevels(const Progress& progress);
  // The first `count` parts of a parsed "castle_parts" (fewer when it has fewer). Numbers
  // that are not finite read as 0; an offset that is no pair of numbers as (0, 0).
  static std::vector<CastlePart> ReadParts(const XmlDocument& document, int count);
  // The reveal's easing: t × ((sin(4.5π t) + 1) / 2 + 0.15 t), alpha pulsing up twice and a
  // quarter; the caller clamps it to [0, 1].
  static float Flicker(float t);

  ModeId back() const { return back_; }
  const ModeRequest* then() const { return then_.get(); }
  const GUIParticles* PendingEffect() const { return partEffect.get(); }

  bool showNewPart = false;
  // Leaving goes on to the comic the level screen named instead of the map.
  bool toComics = false;
  // The newest part while it waits, transparent, for its reveal (owned by `controls`).
  GUIControl* newPart = nullptr;
  // The newest part's effect, held back from `controls` until the reveal.
  std::unique_ptr<GUIParticles> partEffect;
  float effectOffsetX = 0, effectOffsetY = 0;

 private:
  void Build();
  void Reveal();
  void ShowOkDialog(const std::u16string& text);

  ModeId back_ = ModeId::None;
  std::shared_ptr<const ModeRequest> then_;
};

ModeCastle& TheModeCastle();
