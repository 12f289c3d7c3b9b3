#pragma once
#include <string>

#include "app/Mode.h"

class GUIPuzzle;

// A jigsaw of ten pieces, one per episode. The pieces the player found in the episode's levels
// are dealt at random onto the board, turned by quarter turns; the player drags them, turns
// one (with its group) by a click, and a piece dropped close to where it fits a neighbour of
// the same turn snaps there and joins the neighbour's group. When all ten form one group the
// picture glides home and the episode's bonus level opens (a progress option bit).
//
// The board is built again on every entry, on F5 and with the "unlock" cheat: the layouts
// "puzzle_gui" and "puzzle_ovr", the pieces of "puzzle_set_N" (controls 11–20 at their places
// in the finished picture) with their outlines and neighbours from "puzzle_poly_N", and the
// deal into the player's puzzle slots.
class ModePuzzle : public Mode {
 public:
  static constexpr int kFirstPieceId = 11;
  static constexpr int kPieces = 10;
  static constexpr int kNameId = 6;       // the puzzle's name
  static constexpr int kNamePlateId = 5;  // the picture behind the name
  static constexpr float kDragStart = 5;  // units the pointer moves before a press is a drag
  static constexpr float kSnapDistance = 20;
  static constexpr float kTurnSeconds = 0.15f;
  static constexpr float kSnapSeconds = 0.1f;
  // Dealt centres lie within these bounds.
  static constexpr float kDealX0 = -270, kDealWidth = 490;
  static constexpr float kDealY0 = -170, kDealHeight = 450;

  // Every piece counts as found (the "unlock" cheat); one switch for the whole program.
  static bool showAllPieces;

  void Enter() override;
  void Leave() override;
  void Update() override;
  void OnFadeDone(Fade kind) override;
  int OnCommand(int id) override;
  int OnInput(InputEvent event) override;
  // Takes the puzzle number and where "back" leads.
  void Accept(const ModeRequest& request) override;

  // Builds the board afresh (see the class comment).
  void Build();
  // Piece 1–10, or none.
  GUIPuzzle* Piece(int number) const;
  // Whether every piece 1–10 exists and all share one non-zero group.
  bool AllJoined() const;
  // How many pieces count as found: ten with showAllPieces, otherwise the levels 1–10 of
  // the episode whose record holds the piece.
  int FoundPieces() const;
  ModeId Back() const { return back_; }

  int puzzleNumber = 1;
  bool complete = false;
  bool holding = false;
  bool dragging = false;
  GUIPuzzle* held = nullptr;
  GuiPoint pressPoint;
  GuiPoint grabOffset;

 private:
  // Whether the puzzle number names a board of the progress (1–8).
  bool ValidNumber() const;
  void ReadPieces();
  void FitNamePlate();
  void Deal(int found);
  void Press(GuiPoint at);
  void Drag(GuiPoint at);
  void Turn();
  void Drop();
  // The snap of `held` onto neighbour at the fitting centre e, and the join of their groups.
  void Snap(GUIPuzzle& neighbour, GuiPoint e);
  void Complete();
  void ShowOkDialog(const std::u16string& text);
  void TypeCheat(int value);
  void PlaySound(const char* name);

  ModeId back_ = ModeId::Map;
  std::u16string typed_;
};

ModePuzzle& TheModePuzzle();
