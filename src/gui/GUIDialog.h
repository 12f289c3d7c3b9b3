#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/ControlList.h"
#include "gui/GUIControl.h"
#include "gui/GuiContext.h"

class XmlDocument;
class XmlElement;

// A window over a screen: a control that owns a list of children (its frame, texts and
// buttons), dims the screen behind it with a full-screen backdrop, swallows every input event
// while shown and remembers the first child that reported a click since it was shown.
//
// Its layout is a file with two top-level elements: `dialog` (size, position, frame layout,
// backdrop) and `controls` (its own children, loaded after those of the frame layout). The
// first child with a non-negative id becomes the anchor: it takes the dialog's rectangle, and
// the children loaded after it are placed relative to it. A shadowed dialog's rectangle is
// the whole screen, so nothing under it gets pointer events; its frame rectangle is its base
// rect. Dialog rectangles have y0 at the bottom.
class GUIDialog : public GUIControl {
 public:
  // A hidden, inactive dialog of rectangle r (its size is the default of the layout's `w` and
  // `h`), with the children of layout (".xml" appended without a dot; empty: none) and of its
  // frame layout.
  GUIDialog(int id, const Rect& r, std::string_view layout);

  // Shows the dialog with its result cleared and its children reset; with fadeMs > 0 the
  // dialog fades in over that time (the backdrop shows at once), ignoring input meanwhile.
  virtual void Show(float fadeMs);
  // Hides it, clears the result and resets the children.
  virtual void Hide();
  // Shows or hides it at once, without a fade.
  void SetShown(bool shown);

  // The id of the first child clicked since the dialog was shown (0: none).
  int Result() const { return result_; }
  void ClearResult() { result_ = 0; }
  // Gives the dialog an answer as if that child had been clicked (keyboard shortcuts).
  void SetResult(int result) { result_ = result; }
  ControlList& Children() { return children_; }
  const ControlList& Children() const { return children_; }
  // The dimming picture behind the dialog (none with `noshadow`).
  GUIControl* Backdrop() const { return backdrop_; }
  // The child the first non-negative id went to: the others are placed against it.
  GUIControl* Anchor() const { return anchor_; }
  // Sets the text of the message control (the child with id 10), when there is one.
  void SetMessage(std::u16string_view text);
  GUIControl* MessageControl() const { return children_.Find(kMessageId); }

  // Readable text: the dialog and everything in it drawn `zoom` times its size about its
  // centre, as far as the screen allows. The zoom is lowered until the dialog fits inside the
  // screen with a margin, and the dialog is shifted back inside when it would stand over an
  // edge; pointer input is mapped back, so what is drawn takes its clicks.
  struct Zoom {
    float scale = 1.0f;
    float cx = 0.0f, cy = 0.0f;  // the centre scaled about
    float dx = 0.0f, dy = 0.0f;  // the shift back inside the screen after scaling
    // Where a point of the dialog is drawn, and the point of the dialog drawn at a place.
    GuiPoint Drawn(float x, float y) const;
    GuiPoint Undrawn(float x, float y) const;
  };
  static constexpr float kZoomMargin = 8.0f;
  static Zoom FitZoom(const Rect& r, float zoom, float halfWidth, float halfHeight);
  void SetZoom(float zoom) { zoom_ = zoom; }
  float RequestedZoom() const { return zoom_; }
  // The zoom on the current screen, and the dialog's frame (its anchor's rectangle, or its
  // own without one) as it is drawn.
  Zoom CurrentZoom() const;
  const Rect& Frame() const;
  Rect DrawnRect() const;

  void Draw() override;
  void Update(float dt) override;
  void Reset() override;
  void Move(float dx, float dy) override;
  bool OnInput(InputEvent event) override;
  int TakeResult() override;

  static constexpr int kMessageId = 10;

  const std::string& FrameLayout() const { return frameLayout_; }
  bool Shadowed() const { return backdrop_ != nullptr; }
  int BackdropAlpha() const { return backdropAlpha_; }

 protected:
  // Loads the `controls` of a layout file into the children by the anchor rule.
  // The children's input, with the pointer mapped back through the zoom.
  int ChildrenInput(InputEvent event);
  float zoom_ = 1.0f;

  void LoadChildren(const std::string& file);
  void LoadChildren(const XmlDocument& document, std::string_view name);

 private:
  // Reads the `dialog` element: size, position, frame layout, backdrop and tab flags.
  void ReadDialogElement(const XmlElement& dialog, float& x, float& y, float& w, float& h);
  void AddChild(std::unique_ptr<GUIControl> child);
  void MakeBackdrop();

  ControlList children_;
  GUIControl* backdrop_ = nullptr;
  GUIControl* anchor_ = nullptr;
  int result_ = 0;
  std::string frameLayout_ = "base_dlg";
  bool noShadow_ = false;
  int backdropAlpha_ = 127;
  // Children declared by their extra size (shadows, outer frames) with their own alpha: a
  // fade scales it rather than replacing it, so a translucent shadow stays translucent.
  std::vector<std::pair<const GUIControl*, int>> underlays_;
};
