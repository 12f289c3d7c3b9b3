#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/Mode.h"

class XmlDocument;
struct Sprite;

// One entry of the credits: a line of text or a picture, `y` units below the start line.
struct CreditsItem {
  enum class Kind : int { Line = 0, Picture = 1 };
  Kind kind = Kind::Line;
  float y = 0;
  // The font size of a line, the height reserved for a picture.
  float size = 0;
  std::u16string text;
  Sprite* sprite = nullptr;
};

// The credits: lines and pictures from the file "credits" scrolling up from below the screen
// at 80 units a second. The player may drag them (after they have moved 20 units) and let
// them glide; when the second-to-last item has passed above the screen, the main menu
// returns. The overlay layout is drawn over them and asked first for input.
class ModeCredits : public Mode {
 public:
  static constexpr float kUnitsPerMs = 0.08f;
  static constexpr float kDragDamping = 0.85f;
  static constexpr float kDragStart = 20;  // scroll before a drag moves the credits
  static constexpr float kAboveMargin = 20;

  ModeCredits();
  ~ModeCredits() override;

  bool Load() override;
  void Update() override;
  void Release() override;
  void Draw() override;
  void OnFadeDone(Fade kind) override;
  void Enter() override;
  void Leave() override;
  int OnCommand(int id) override;
  int OnInput(InputEvent event) override;
  void Accept(const ModeRequest& request) override;

  // The items of a parsed credits file, the first start line at startY. Lines need no
  // sprite; a picture whose sprite is missing is left out. Sizes and offsets that are not
  // finite numbers read as their defaults; sizes are kept within 0..kMaxSize and offsets
  // within +-kMaxOffset.
  static std::vector<std::unique_ptr<CreditsItem>> ReadItems(const XmlDocument& document,
                                                             float startY);
  static constexpr float kMaxSize = 1024;
  static constexpr float kMaxOffset = 4096;
  // Whether the credits have run their course: at once without items; otherwise once the
  // second-to-last item (the only one, of one) has passed above the screen. `passed` is the
  // number of items found above the screen by the last drawing.
  static bool Finished(size_t itemCount, size_t passed);
  // Items found above the top edge by the last drawing.
  size_t Passed() const { return passed_; }

  ControlList overlayControls;
  std::vector<std::unique_ptr<CreditsItem>> items;
  float scroll = 0;
  float velocity = 0;
  bool dragging = false;
  float lastY = 0;
  int firstVisible = 0;

 private:
  ModeId back_ = ModeId::None;
  size_t passed_ = 0;
};

ModeCredits& TheModeCredits();
