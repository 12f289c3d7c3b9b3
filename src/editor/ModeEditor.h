#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Mode.h"
#include "editor/EditorDocument.h"
#include "editor/EditorLint.h"
#include "editor/EditorPalette.h"
#include "editor/LevelProof.h"
#include "level/LevelDrawer.h"

class Level;

// The level editor's screen: the level drawn as it plays, with the palette on the left, the
// selected object's fields and the level's problems (the editor's own checks, then the content
// lint's findings) on the right and the editor's buttons
// along the top instead of the HUD.
//
// The world: a left press selects the object under the pointer and drags it (in steps of the
// grid while the grid is on), a drag from a waypoint's ring to another waypoint links them
// and to open ground moves it (its quad fitted to what it serves), a click on a link removes it;
// the right button drags the view, the wheel zooms, the arrow keys pan. A palette entry is dragged
// onto the world, or clicked and then placed with a click. Delete removes the selection, D
// duplicates it, Z / Y undo and redo, S saves, G switches the grid, L plays the level in the level
// screen, P proves it with the bot and T takes the medal times it suggests (alone or with Ctrl). A
// field of the selection is edited by clicking it and typing: the value is checked as it is typed
// and taken with Enter. Escape leaves (asking first when something is not saved).
class ModeEditor : public Mode {
 public:
  // The panels' sizes in virtual units.
  static constexpr float kPaletteWidth = 220, kFieldsWidth = 270, kBarHeight = 40,
                         kStatusHeight = 30;

  ModeEditor();
  ~ModeEditor() override;

  void Accept(const ModeRequest& request) override;
  bool Load() override;
  void Enter() override;
  void Leave() override;
  // Lets go of the level drawer before the texture service it listens to goes away.
  void Release() override;
  void Update() override;
  void Draw() override;
  void OnFadeDone(Fade kind) override;
  int OnInput(InputEvent event) override;

  // The document being edited (none before the editor was first entered).
  EditorDocument* Document() { return document_.get(); }
  const EditorPalette& Palette() const { return palette_; }
  int Selected() const { return selected_; }
  void Select(int id);
  // Where a saved level goes: the file opened, else the data folder's levels/.
  const std::string& SavePath() const { return savePath_; }
  // The line at the bottom: the last thing said (a refusal, a save).
  const std::u16string& Status() const { return status_; }
  // The title as shown, with its unsaved-changes mark.
  std::u16string Title() const;
  // The question before leaving with unsaved changes is up.
  bool Asking() const { return asking_; }
  bool GridOn() const { return grid_; }

  // World and screen points (virtual units) under the current view.
  Vec2 ToWorld(float x, float y) const;
  Vec2 ToScreen(Vec2 world) const;

  // The editor's own actions, as the buttons and keys run them.
  void Save();
  // Escape: drops an armed palette entry, else leaves (asking first with unsaved changes).
  void Escape();
  void Undo();
  void Redo();
  void DeleteSelected();
  void DuplicateSelected();
  // Plays the level as it stands in the level screen; Escape or its end comes back here with
  // the document as it was.
  void Play();
  // Lets the bot play the level in casual and expert play, without a window; the result and
  // the medal times it suggests show in the status line.
  void Prove();
  // Takes the suggested medal times of the last proof into the level's settings.
  void TakeTimes();
  // The dialog of the level's own settings: its name and message in each language and the
  // level element's settings (ModeEditorSettings.cpp).
  void OpenSettings();
  void CloseSettings();
  bool SettingsOpen() const { return settingsOpen_; }
  // The string keys of the settings dialog's labels.
  static std::vector<std::string> SettingsLabelKeys();
  const std::optional<LevelProof>& Proof() const { return proof_; }
  // The problems panel's list: the document's own problems, then the content lint's findings.
  const std::vector<EditorProblem>& Problems() const { return problems_; }
  const EditorLint* Lint() const { return lint_.get(); }

 private:
  struct Button {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // top left, bottom right
    std::u16string label;
    void (ModeEditor::*action)() = nullptr;
    bool question = false;  // a button of the leaving question
    bool on = false;        // drawn pressed (a switch that is on)
    float size = 15;        // of the label
    bool Hit(float x, float y) const { return x >= x0 && x <= x1 && y <= y0 && y >= y1; }
  };
  struct FieldRow {
    std::string name;
    std::string value;
  };
  enum class Drag { None, Object, Link, Pan, Palette };
  struct RowBox {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // top left, bottom right
  };

  void OpenRequested();
  void RebuildView();
  void ListProblems();
  void Say(const std::u16string& text);
  void SayKey(const std::string& key, const std::string& detail = {});
  std::u16string Text(const char* key) const;
  std::u16string Explain(const std::string& key, const std::string& detail) const;
  void FitView();
  void LeaveEditor();
  void SaveAndLeave();
  void Stay();
  void ToggleGrid();

  // Input parts.
  bool PointerOnPanel(float x, float y) const;
  int ObjectAt(Vec2 world) const;
  int WaypointRingAt(Vec2 world) const;
  std::optional<std::pair<int, int>> LinkAt(Vec2 world) const;
  Vec2 Snapped(Vec2 world) const;
  void PressLeft(float x, float y);
  void ReleaseLeft(float x, float y);
  void MovePointer(float x, float y);
  bool PanelClick(float x, float y);
  void TypeCharacter(char16_t c);
  void KeyDown(int key);
  void StartEditingField(size_t row);
  void CommitField();
  // The check of the value being typed.
  FieldResult Verdict() const;

  // The settings dialog's parts (ModeEditorSettings.cpp). Its rows are named by the level
  // element's attribute, or "name:LANG" and "message:LANG" for the texts.
  void FillSettingsRows();
  FieldResult TrySettingsRow(const std::string& row, const std::string& value) const;
  FieldResult SetSettingsRow(const std::string& row, const std::string& value);
  RowBox SettingsRowBox(size_t row) const;
  RowBox SettingsCloseBox() const;
  void SettingsClick(float x, float y);
  std::u16string SettingsLabel(const std::string& row) const;
  void DrawSettings();

  // Drawing parts (ModeEditorDraw.cpp).
  void DrawWorld();
  void DrawGraph();
  void DrawTopBar();
  void DrawPalette();
  void DrawFields();
  void DrawQuestion();
  void Box(float x0, float y0, float x1, float y1, uint32_t colour);
  void Frame(float x0, float y0, float x1, float y1, float width, uint32_t colour);
  void Line(Vec2 a, Vec2 b, float width, uint32_t colour);
  void Print(float x, float y, float size, const std::u16string& text, uint32_t colour,
             int font = 0);
  float TextWidth(const std::u16string& text, float size, int font = 0) const;
  std::u16string PictureName(const std::string& texture) const;
  std::vector<Button> Buttons() const;
  void BuildPalettePreview();

  ModeRequest request_;
  std::unique_ptr<EditorDocument> document_;
  EditorPalette palette_;
  bool paletteLearnt_ = false;
  std::unique_ptr<Level> view_;         // the document as the game draws it
  std::unique_ptr<Level> paletteView_;  // the palette's pictures, as the game draws them
  std::vector<const PaletteEntry*> paletteShown_;
  int paletteFirst_ = 0;  // the first row of entries shown
  int builtKind_ = -1, builtFirst_ = -1;
  std::unique_ptr<LevelDrawer> drawer_;
  std::string savePath_;
  std::string name_;  // file name shown in the title
  int selected_ = 0;
  int kind_ = 1;    // the palette's kind shown
  int armed_ = -1;  // the palette entry a click on the world places (index into paletteShown_)
  LevelCamera camera_;
  bool grid_ = true;
  bool ctrl_ = false;
  bool asking_ = false;
  bool settingsOpen_ = false;
  Drag drag_ = Drag::None;
  Vec2 dragStart_, dragLast_;
  Vec2 grabOffset_;  // from the pointer to the dragged object's position
  int linkFrom_ = 0;
  std::u16string status_;
  std::vector<FieldRow> rows_;
  int editingRow_ = -1;
  std::u16string editText_;
  FieldResult editVerdict_;
  std::vector<EditorProblem> problems_;
  std::unique_ptr<EditorLint> lint_;
  std::optional<LevelProof> proof_;  // of the level as it was when proved
};

ModeEditor& TheModeEditor();
