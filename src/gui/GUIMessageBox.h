#pragma once

#include <memory>
#include <string_view>

#include "gui/GUIDialog.h"

// How a message box sizes itself around its text: minimum size, what is added to the text's
// size, and the steps both are rounded up to. Read from the `dialog` element of the box's
// layout ("mw", "mh", "bw", "bh", "aw", "ah").
struct MessageBoxMetrics {
  float minWidth = 408.0f;
  float minHeight = 204.0f;
  float addWidth = 100.0f;
  float addHeight = 174.0f;
  int stepWidth = 12;
  int stepHeight = 12;

  static MessageBoxMetrics FromLayout(std::string_view layout);
};

struct MessageBoxSize {
  int width = 0;
  int height = 0;
};

// The widest a message box grows.
inline constexpr int kMessageBoxMaxWidth = 960;

// The box for a text textWidth wide and textHeight high: at least the minimum, at most 960
// wide, rounded up to the steps (a step of 0 or below: no rounding).
MessageBoxSize SizeMessageBox(const MessageBoxMetrics& metrics, float textWidth, float textHeight);

// The two generic message boxes: a text (the child with id 10) and the buttons of their
// layouts, "ok_dlg" (OK is 1) and "yesno_dlg" (yes 1, no 2). Their size follows the text,
// measured with font 1 at the size the value "fs_msgbox_text" gives (default 20). The caller
// adds the box to a screen's list and shows it.
class GUIOkDialog : public GUIDialog {
 public:
  using GUIDialog::GUIDialog;
  static std::unique_ptr<GUIOkDialog> Create(std::u16string_view text);
};

class GUIYesNoDialog : public GUIDialog {
 public:
  using GUIDialog::GUIDialog;
  static std::unique_ptr<GUIYesNoDialog> Create(std::u16string_view text);
};
