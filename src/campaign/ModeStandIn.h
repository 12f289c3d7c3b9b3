#pragma once
#include <string>

#include "app/Mode.h"

// The screens the map leads to that are not built yet stand in as one plain screen each: it
// shows its name and goes back to the screen it came from (the map) on a click or Escape.
class ModeStandIn : public Mode {
 public:
  explicit ModeStandIn(std::u16string name) : name_(std::move(name)) {}
  void Enter() override;
  void OnFadeDone(Fade kind) override;
  int OnInput(InputEvent event) override;

  // Where a click or Escape leads (none: nowhere).
  Mode* backMode = nullptr;
  // Where the next click or Escape leads instead, once (none: backMode).
  Mode* thenMode = nullptr;
  const std::u16string& Name() const { return name_; }

 private:
  std::u16string name_;
};

// The credits.
class ModeCredits : public ModeStandIn {
 public:
  ModeCredits() : ModeStandIn(u"Credits") {}
};

// A puzzle board: `number` from 1.
class ModePuzzle : public ModeStandIn {
 public:
  ModePuzzle() : ModeStandIn(u"Puzzle") {}
  int number = 1;
};

// The castle with its wonders.
class ModeCastle : public ModeStandIn {
 public:
  ModeCastle() : ModeStandIn(u"Castle") {}
};

// The record tables, opened at a level ((0, 0): none).
class ModeRatings : public ModeStandIn {
 public:
  ModeRatings() : ModeStandIn(u"Ratings") {}
  int episode = 0;
  int level = 0;
};

// A comic: `number` from 1. Until comics are drawn it goes on to `nextMode` at once.
class ModeComics : public ModeStandIn {
 public:
  ModeComics() : ModeStandIn(u"Comics") {}
  void Update() override;
  int number = 1;
  Mode* nextMode = nullptr;
};

ModeCredits& TheModeCredits();
ModePuzzle& TheModePuzzle();
ModeCastle& TheModeCastle();
ModeRatings& TheModeRatings();
ModeComics& TheModeComics();
