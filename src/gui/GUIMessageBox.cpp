#include "gui/GUIMessageBox.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "data/FileSystem.h"
#include "data/Utf8.h"
#include "data/ValueTable.h"
#include "data/XmlDocument.h"
#include "data/XmlElement.h"
#include "graphics/FontManager.h"
#include "gui/GUIText.h"
#include "gui/GuiContext.h"

namespace {

constexpr int kMessageFont = 1;
constexpr float kDefaultTextSize = 20.0f;
constexpr float kSmallestTextSize = 10.0f;
// The message text is 84 units narrower than its box.
constexpr float kMessageSideMargins = 84.0f;

// A length in whole units, kept within what a screen could ever show.
int WholeUnits(float value) {
  if (!std::isfinite(value)) return 0;
  return int(std::ceil(std::clamp(value, 0.0f, 100000.0f)));
}

int RoundUpTo(int value, int step) {
  if (step <= 0) return value;
  return (value + step - 1) / step * step;
}

// The message text ready to show: lines of text at most width wide joined by backslashes.
// Lines break at spaces where they can, and a word wider than the box is cut between
// characters (never inside a surrogate pair or a markup pair).
std::u16string WrapMessage(FontManager& fonts, std::u16string_view text, float size, float width) {
  std::vector<std::u16string> lines;
  fonts.LayoutLines(text.substr(0, kMaxLaidOutText), lines, size, width, true);
  std::u16string out;
  for (size_t k = 0; k < lines.size(); ++k) {
    const std::u16string_view line = lines[k];
    if (k > 0) out += u'\\';
    size_t start = 0;
    float used = 0.0f;
    for (size_t i = 0; i < line.size();) {
      const bool pair = i + 1 < line.size() && (line[i] == u'^' || IsHighSurrogate(line[i]));
      const size_t len = pair ? 2 : 1;
      const float w = fonts.MeasureText(line.substr(i, len), size, false);
      if (used + w > width && i > start) {
        out.append(line.substr(start, i - start)).append(u"\\");
        start = i;
        used = 0.0f;
      }
      used += w;
      i += len;
    }
    out.append(line.substr(start));
  }
  return out;
}

template <class Box>
std::unique_ptr<Box> CreateBox(std::string_view layout, std::u16string_view text) {
  const GuiContext& gui = Gui();
  const MessageBoxMetrics metrics = MessageBoxMetrics::FromLayout(layout);
  float size =
      gui.values ? gui.values->GetFloat("fs_msgbox_text", kDefaultTextSize) : kDefaultTextSize;
  std::u16string shown(text);
  float textWidth = 0.0f, textHeight = 0.0f;
  MessageBoxSize box = SizeMessageBox(metrics, textWidth, textHeight);
  if (gui.fonts && gui.fonts->FontCount() > 0) {
    FontManager& fonts = *gui.fonts;
    fonts.SelectFont(kMessageFont);
    // The widest text a box of the largest width holds beside its margins.
    const float wrapWidth =
        float(kMessageBoxMaxWidth) - std::fmax(metrics.addWidth, kMessageSideMargins);
    const float screenHeight = 2.0f * gui.HalfHeight();
    for (;;) {
      textWidth = fonts.MeasureText(text, size, true);
      shown = text;
      if (textWidth > wrapWidth) {
        shown = WrapMessage(fonts, text, size, wrapWidth);
        textWidth = fonts.MeasureText(shown, size, true);
      }
      textHeight = fonts.TextHeight(shown, size);
      box = SizeMessageBox(metrics, textWidth, textHeight);
      // A text too long for the screen is made smaller until the box fits.
      if (float(box.height) <= screenHeight || size <= kSmallestTextSize) break;
      size = std::fmax(size * 0.85f, kSmallestTextSize);
    }
  }
  const float w = float(box.width), h = float(box.height);
  auto dialog = std::make_unique<Box>(0, Rect{-w / 2, -h / 2, w / 2, h / 2}, layout);
  if (GUIControl* message = dialog->MessageControl()) {
    message->SetBounds(44.0f - w / 2, 4.0f, w - kMessageSideMargins, 24.0f);
    // Drawn at the size it was measured at, whatever the layout says.
    message->SetFontSize(size);
    message->SetText(shown);
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
