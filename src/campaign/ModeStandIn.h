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

// A comic: `number` from 1. Until comics are drawn it goes on at once to what the request
// names next (the map when it names nothing).
class ModeComics : public ModeStandIn {
 public:
  ModeComics() : ModeStandIn(u"Comics") {}
  void Update() override;
  void Accept(const ModeRequest& request) override;
  int number = 1;
  // Where the comic goes on to.
  const ModeRequest& next() const { return next_; }

 private:
  ModeRequest next_ = ShowScreen(ModeId::Map);
};

ModeComics& TheModeComics();
