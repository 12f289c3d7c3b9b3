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
  // Takes where "back" leads and what follows once.
  void Accept(const ModeRequest& request) override;

  // Where a click or Escape leads (none: nowhere).
  ModeId back() const { return back_; }
  // Where the next click or Escape leads instead, once (none: back).
  const ModeRequest* then() const { return then_.get(); }
  const std::u16string& Name() const { return name_; }

 protected:
  ModeId back_ = ModeId::None;
  std::shared_ptr<const ModeRequest> then_;

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
  void Accept(const ModeRequest& request) override;
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
  void Accept(const ModeRequest& request) override;
  int episode = 0;
  int level = 0;
};

ModeCredits& TheModeCredits();
ModePuzzle& TheModePuzzle();
ModeCastle& TheModeCastle();
ModeRatings& TheModeRatings();
