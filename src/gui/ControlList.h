#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/InputEvent.h"
#include "gui/GUIControl.h"
#include "gui/GuiContext.h"

class XmlDocument;
class XmlElement;

// The file of a layout: the name with ".xml" appended when it has no dot.
std::string LayoutFileName(std::string_view name);

// The walk over a layout's children that screens and dialogs share: calls `each` with every
// child of the document's `controls` element whose name is a control type, in document
// order. Other children are reported to the content log as unknown elements of layout
// `name`, and so is a document without `controls`, which walks nothing and gives false.
bool ForEachLayoutControl(const XmlDocument& document, std::string_view name,
                          const std::function<void(const XmlElement&)>& each);

// The controls of one screen or dialog, in drawing order: the first is drawn first (bottom),
// the last drawn last and hit first (top). The list owns its controls and deletes them when
// they are removed or the list is cleared. It routes input to them and remembers four of
// them: the captured control (pressed, it gets every pointer event until the release), the
// focus, the hovered control and the last one hit. Deleting a control always drops it from
// those four, so none of them is ever left pointing at a deleted control.
class ControlList {
 public:
  ControlList() = default;
  ~ControlList();
  ControlList(const ControlList&) = delete;
  ControlList& operator=(const ControlList&) = delete;

  // Takes a control in: sets its owner, calls GUIControl::OnAdded, copies rect into base rect
  // (not for dialogs), and puts it at the front (drawn first) or the back (drawn last).
  // Returns the control; none for none.
  GUIControl* Add(std::unique_ptr<GUIControl> control, bool atFront = false);
  // Takes the control out of the list and deletes it. False when the list does not hold it.
  bool Remove(GUIControl* control);
  // Moves the control to the back: drawn last, hit first.
  void BringToTop(GUIControl* control);
  // The first control in list order with that id.
  GUIControl* Find(int id) const;
  // The last visible dialog (kind 14).
  GUIControl* TopDialog() const;
  // From the back, the first visible control with a non-zero id (or a dialog) whose
  // GUIControl::HitTest accepts the point.
  GUIControl* HitTest(float x, float y) const;
  // The control with that id takes the focus when it is visible, active and not passive (the
  // old focus gets SetFocus(false), the new one SetFocus(true)); an id no control has clears
  // the focus.
  void SetFocus(int id);
  // Delete every control and forget the four references.
  void DeleteAll();
  void Clear();
  // GUIControl::Reset on every control, then forget the four references.
  void ResetAll();
  // Moves every control's rect (base rects stay).
  void MoveAll(float dx, float dy);
  // Writes the alpha byte of every control's colour.
  void SetAlphaAll(int alpha);
  // GUIControl::Update (dt milliseconds) on every control in list order.
  void UpdateAll(float dt);
  // GUIControl::Draw on every visible control in list order, then no shader.
  void DrawAll();
  // Routes one input event; the id of the control that produced a command, or 0.
  //  - Characters go, from the back, to controls with the keyboard flag; the first whose
  //    OnInput takes it gives its id.
  //  - While a control is captured every other event goes to it: a left release ends the
  //    capture (the captured control still gets it), a press captures again and focuses it;
  //    when it does not take the event, the hover follows the pointer out of and back into
  //    it.
  //  - Otherwise the target is, from the back, the first visible, non-passive control with a
  //    non-zero id (or a dialog) whose rectangle holds the pointer; a passive one on top is
  //    only recorded as last hit. The target becomes the hovered control (in tablet mode only
  //    on pointer moves), a press captures and focuses it, and it gets the event.
  //  - The result is the id of the control that took the event; a tab dialog (kind 15) hands
  //    over its stored result instead.
  //  - Keyboard play, while no dialog of this list is shown and `navigable` is set: Tab, Down
  //    and Right move a visible focus mark to the next control that takes clicks (buttons,
  //    check boxes, sliders, pictures standing for a button), Up and Left to the one before;
  //    Enter or Space clicks the marked control, and Left and Right step a marked slider.
  //    A control marked `default` is marked first, and Enter clicks it while nothing is.
  //    A press of the left button puts the mark away.
  int OnInput(InputEvent event);
  // Whether keys move a focus mark through this list's controls (screens that use the keys
  // for themselves turn it off; their dialogs still take them).
  bool navigable = true;
  // The control the keyboard marked (none until a navigation key was pressed).
  GUIControl* KeyFocus() const { return keyFocus_; }
  // Loads the layout file (".xml" appended to a name without a dot) and appends a control for
  // every child of its `controls` element that creates one. With clear, every control is
  // deleted first. A missing or unreadable file, or one without `controls`, adds nothing.
  void LoadLayout(std::string_view name, bool clear);

  size_t Size() const { return controls_.size(); }
  bool Empty() const { return controls_.empty(); }
  GUIControl* At(size_t index) const {
    return index < controls_.size() ? controls_[index].get() : nullptr;
  }
  bool Holds(const GUIControl* control) const;

  GUIControl* Captured() const { return captured_; }
  GUIControl* Focus() const { return focus_; }
  GUIControl* Hovered() const { return hover_; }
  GUIControl* LastHit() const { return lastHit_; }
  // The pointer position copied at the last OnInput.
  GuiPoint Pointer() const { return pointer_; }
  // The last layout loaded into the list (for diagnostics).
  const std::string& LayoutName() const { return layoutName_; }

  // Called with every control the list is about to delete (removal and clearing, not the
  // list's own destruction), so that holders of references to it can drop them.
  void SetDeletionListener(std::function<void(const GUIControl&)> listener) {
    onDelete_ = std::move(listener);
  }

 private:
  // Drops control from the four references.
  void Forget(const GUIControl* control);
  void ForgetAll();
  void MoveFocus(GUIControl* control);
  int ResultOf(GUIControl& control);
  // Marks the control hovered or not, and the button a picture stands for with it.
  void Hover(GUIControl* control, bool on);
  size_t IndexOf(const GUIControl* control) const;
  // A navigation key: true when the list used it, with the command it gave in result.
  bool Navigate(int gameKey, int& result);
  // The first control marked `default` that keys may reach, or null.
  GUIControl* DefaultControl() const;
  void DrawKeyFocus() const;
  void MarkKeyFocus(GUIControl* control);

  std::vector<std::unique_ptr<GUIControl>> controls_;
  GUIControl* captured_ = nullptr;
  GUIControl* focus_ = nullptr;
  GUIControl* hover_ = nullptr;
  GUIControl* lastHit_ = nullptr;
  GUIControl* keyFocus_ = nullptr;
  GuiPoint pointer_;
  std::string layoutName_;
  std::function<void(const GUIControl&)> onDelete_;
};
