#pragma once

// What type a control is, with the numbers layouts and screens have always used. Related
// classes share a code: a plain and an animated picture are both pictures.
enum class ControlKind : int {
  Bare = -1,          // a GUIControl of no particular type
  Picture = 0,        // GUIPic, GUIAniPic
  TiledPicture = 1,   // GUITilePic, GUITileXPic, GUITileYPic
  Text = 2,           // GUIText
  Hint = 3,           // GUIHint
  Button = 4,         // GUIButton
  CheckBox = 5,       // GUICheckBox
  ProgressBar = 6,    // GUIProgressBar
  RoundProgress = 7,  // GUIRoundProgress
  Slider = 8,         // GUISlider
  DrawingSwitch = 9,  // GUIScissor, GUIRotator: they change how what follows is drawn
  Particles = 11,     // GUIParticles
  ListBox = 12,       // GUIListbox
  InputLine = 13,     // GUIInputLine
  Dialog = 14,        // GUIDialog and its subclasses
  TabDialog = 15,     // a dialog whose owner reports the clicked child's id, not its own
  Puzzle = 21,        // GUIPuzzle: a jigsaw piece
};

// Dialogs take pointer input even with id 0, and keep their frame rectangle as base rect.
inline bool IsDialogKind(ControlKind kind) {
  return kind == ControlKind::Dialog || kind == ControlKind::TabDialog;
}
