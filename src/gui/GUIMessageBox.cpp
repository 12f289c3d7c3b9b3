#include "gui/GUIMessageBox.h"

#include <algorithm>
#include <cmath>

#include "data/FileSystem.h"
#include "data/ValueTable.h"
#include "data/XmlDocument.h"
#include "data/XmlElement.h"
#include "graphics/FontManager.h"
#include "gui/GuiContext.h"

namespace {

constexpr int kMessageFont = 1;
constexpr float kDefaultTextSize = 20.0f;

// A length in whole units, kept within what a screen could ever show.
int WholeUnits(float value) {
  if (!std::isfinite(value)) return 0;
  return int(std::ceil(std::clamp(value, 0.0f, 100000.0f)));
}

int RoundUpTo(int value, int step) {
  if (step <= 0) return value;
  return (value + step - 1) / step * step;
}

template <class Box>
std::unique_ptr<Box> CreateBox(std::string_view layout, std::u16string_view text) {
  const GuiContext& gui = Gui();
  const MessageBoxMetrics metrics = MessageBoxMetrics::FromLayout(layout);
  const float size =
      gui.values ? gui.values->GetFloat("fs_msgbox_text", kDefaultTextSize) : kDefaultTextSize;
  float textWidth = 0.0f, textHeight = 0.0f;
  if (gui.fonts && gui.fonts->FontCount() > 0) {
    gui.fonts->SelectFont(kMessageFont);
    textWidth = gui.fonts->MeasureText(text, size, true);
    textHeight = gui.fonts->TextHeight(text, size);
  }
  const MessageBoxSize box = SizeMessageBox(metrics, textWidth, textHeight);
  const float w = float(box.width), h = float(box.height);
  auto dialog = std::make_unique<Box>(0, Rect{-w / 2, -h / 2, w / 2, h / 2}, layout);
  if (GUIControl* message = dialog->MessageControl()) {
    message->SetBounds(44.0f - w / 2, 4.0f, w - 84.0f, 24.0f);
    // Drawn at the size it was measured at, whatever the layout says.
    message->SetFontSize(size);
    message->SetText(text);
  }
  const float hw = gui.HalfWidth(), hh = gui.HalfHeight();
  dialog->rect = Rect{-hw, -hh, hw, hh};
  return dialog;
}

}  // namespace

MessageBoxMetrics MessageBoxMetrics::FromLayout(std::string_view layout) {
  MessageBoxMetrics m;
  const GuiContext& gui = Gui();
  const std::string file = LayoutFileName(layout);
  if (!gui.files || !gui.files->Find(file)) return m;
  XmlDocument document(*gui.files);
  if (!document.Load(file)) return m;
  const XmlElement dialog = document.FirstChild(XmlElement(), "dialog");
  if (!dialog) return m;
  m.minWidth = dialog.Float("mw", m.minWidth);
  m.minHeight = dialog.Float("mh", m.minHeight);
  m.addWidth = dialog.Float("bw", m.addWidth);
  m.addHeight = dialog.Float("bh", m.addHeight);
  m.stepWidth = dialog.Int("aw", m.stepWidth);
  m.stepHeight = dialog.Int("ah", m.stepHeight);
  return m;
}

MessageBoxSize SizeMessageBox(const MessageBoxMetrics& metrics, float textWidth, float textHeight) {
  MessageBoxSize size;
  const int width =
      std::max(WholeUnits(textWidth + metrics.addWidth), WholeUnits(metrics.minWidth));
  const int height =
      std::max(WholeUnits(textHeight * 1.5f + metrics.addHeight), WholeUnits(metrics.minHeight));
  size.width = RoundUpTo(std::min(width, kMessageBoxMaxWidth), metrics.stepWidth);
  size.height = RoundUpTo(height, metrics.stepHeight);
  return size;
}

std::unique_ptr<GUIOkDialog> GUIOkDialog::Create(std::u16string_view text) {
  return CreateBox<GUIOkDialog>("ok_dlg", text);
}

std::unique_ptr<GUIYesNoDialog> GUIYesNoDialog::Create(std::u16string_view text) {
  return CreateBox<GUIYesNoDialog>("yesno_dlg", text);
}
