// The level's own settings in a dialog over the editor: its name and opening message in each
// language, then the `level` element's settings with their names in the player's language.
// A row is edited as a field of the side panel is: click, type (checked as it is typed),
// Enter takes it, Escape drops it; Escape or Close shuts the dialog.
#include <algorithm>
#include <iterator>

#include "app/Application.h"
#include "base/Text.h"
#include "editor/EditorColours.h"
#include "editor/ModeEditor.h"
#include "graphics/Renderer.h"

namespace {

using namespace editor_colours;

constexpr uint32_t kDialog = 0xF8262B33u;
constexpr uint32_t kRowBack = 0xFF303743u;
constexpr uint32_t kEditing = 0xFF2F4A3Au;
constexpr uint32_t kRefused = 0xFF5A2A2Au;
constexpr float kSize = 15;

// The dialog, centred; rows flow down the left column, then the right one.
constexpr float kDlgHalfWidth = 470, kDlgTop = 290, kDlgBottom = -310, kRowHeight = 27, kLabelWidth = 178;
constexpr size_t kRowsPerColumn = 15;

constexpr const char* kLanguages[] = {"en", "de", "ru", "pl"};
constexpr const char* kTextFields[] = {"name", "message"};
// The level element's settings the dialog offers, in its order.
constexpr const char* kSettings[] = {
    "mode",         "music",      "time_easy",  "time_norm",   "time_hard",  "resources",
    "storage",      "quest_res",  "bonus_cost", "bonus_speed", "workers_free", "worker_types",
    "thief_per",    "fly_type",   "fly_time",   "run_speed",   "build_speed", "resp_speed",
    "flags",        "effect",     "fog_color",  "fog_height"};

// The string key of a row's label is this and the row's field or attribute.
constexpr const char* kLabelPrefix =
    "editor_setting"
    "_";

// A text row's name: "name:en".
bool SplitTextRow(const std::string& row, std::string& field, std::string& language) {
  const size_t colon = row.find(':');
  if (colon == std::string::npos) return false;
  field = row.substr(0, colon);
  language = row.substr(colon + 1);
  return true;
}

}  // namespace

std::vector<std::string> ModeEditor::SettingsLabelKeys() {
  std::vector<std::string> keys;
  for (const char* field : kTextFields) keys.push_back(kLabelPrefix + std::string(field));
  for (const char* name : kSettings) keys.push_back(kLabelPrefix + std::string(name));
  return keys;
}

void ModeEditor::OpenSettings() {
  if (!document_ || asking_) return;
  armed_ = -1;
  settingsOpen_ = true;
  FillSettingsRows();
}

void ModeEditor::CloseSettings() {
  settingsOpen_ = false;
  Select(selected_);
}

void ModeEditor::FillSettingsRows() {
  editingRow_ = -1;
  rows_.clear();
  if (!document_) return;
  for (const char* field : kTextFields)
    for (const char* language : kLanguages)
      rows_.push_back(FieldRow{std::string(field) + ":" + language,
                               document_->TextOf(language, field)});
  const auto settings = document_->Settings();
  for (const char* name : kSettings) {
    std::string value;
    for (const auto& [attr, v] : settings)
      if (attr == name) value = v;
    rows_.push_back(FieldRow{name, value});
  }
}

FieldResult ModeEditor::TrySettingsRow(const std::string& row, const std::string& value) const {
  std::string field, language;
  if (SplitTextRow(row, field, language)) return document_->TryText(language, field, value);
  return document_->TrySetting(row, value);
}

FieldResult ModeEditor::SetSettingsRow(const std::string& row, const std::string& value) {
  std::string field, language;
  if (SplitTextRow(row, field, language)) return document_->SetText(language, field, value);
  return document_->SetSetting(row, value);
}

ModeEditor::RowBox ModeEditor::SettingsRowBox(size_t row) const {
  const size_t column = row / kRowsPerColumn, line = row % kRowsPerColumn;
  const float x0 = column == 0 ? -kDlgHalfWidth + 12 : 8;
  const float y0 = kDlgTop - 52 - float(line) * kRowHeight;
  return RowBox{x0, y0, x0 + kDlgHalfWidth - 20, y0 - kRowHeight + 3};
}

ModeEditor::RowBox ModeEditor::SettingsCloseBox() const {
  return RowBox{kDlgHalfWidth - 140, kDlgBottom + 44, kDlgHalfWidth - 12, kDlgBottom + 12};
}

void ModeEditor::SettingsClick(float x, float y) {
  const auto inside = [&](const RowBox& b) { return x >= b.x0 && x <= b.x1 && y <= b.y0 && y >= b.y1; };
  if (inside(SettingsCloseBox())) {
    if (editingRow_ >= 0) CommitField();
    if (editingRow_ < 0) CloseSettings();
    return;
  }
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (!inside(SettingsRowBox(i))) continue;
    // A click on another row takes what was typed first; a refused value keeps its row.
    if (editingRow_ >= 0 && size_t(editingRow_) != i) CommitField();
    if (editingRow_ < 0) StartEditingField(i);
    return;
  }
}

std::u16string ModeEditor::SettingsLabel(const std::string& row) const {
  std::string field, language;
  if (SplitTextRow(row, field, language)) {
    std::u16string upper = base::Utf8ToUtf16(language);
    for (char16_t& c : upper) c = char16_t(c - u'a' + u'A');
    return Text((kLabelPrefix + field).c_str()) + u" \u00B7 " + upper;
  }
  const std::string key = kLabelPrefix + row;
  const std::u16string label = Text(key.c_str());
  return label == base::Utf8ToUtf16(key) || label.empty() ? base::Utf8ToUtf16(row) : label;
}

void ModeEditor::DrawSettings() {
  Renderer& r = *App().renderer();
  Box(-r.HalfWidth(), r.HalfHeight(true), r.HalfWidth(), -r.HalfHeight(true), 0x90000000u);
  Box(-kDlgHalfWidth, kDlgTop, kDlgHalfWidth, kDlgBottom, kDialog);
  Frame(-kDlgHalfWidth, kDlgTop, kDlgHalfWidth, kDlgBottom, 2, kAccent);
  for (size_t i = 0; i < rows_.size(); ++i) {
    const RowBox b = SettingsRowBox(i);
    const bool editing = int(i) == editingRow_;
    Box(b.x0 + kLabelWidth, b.y0, b.x1, b.y1,
        editing ? (editVerdict_.taken ? kEditing : kRefused) : kRowBack);
  }
  const RowBox close = SettingsCloseBox();
  Box(close.x0, close.y0, close.x1, close.y1, kButton);
  r.Flush();
  Print(-kDlgHalfWidth + 14, kDlgTop - 10, 20, Text("editor_level_settings"), kAccent, 2);
  const float room = kDlgHalfWidth - 20 - kLabelWidth - 12;
  for (size_t i = 0; i < rows_.size(); ++i) {
    const RowBox b = SettingsRowBox(i);
    Print(b.x0, b.y0 - 4, kSize, SettingsLabel(rows_[i].name), kDim);
    const bool editing = int(i) == editingRow_;
    std::u16string value = editing ? editText_ + u"|" : base::Utf8ToUtf16(rows_[i].value);
    if (editing) {
      // The end being typed stays in sight.
      while (value.size() > 3 && TextWidth(value, kSize) > room) value.erase(0, 1);
    } else if (TextWidth(value, kSize) > room) {
      while (value.size() > 3 && TextWidth(value + u"\u2026", kSize) > room) value.pop_back();
      value += u"\u2026";
    }
    Print(b.x0 + kLabelWidth + 6, b.y0 - 4, kSize, value,
          editing && !editVerdict_.taken ? kBad : kText);
  }
  if (editingRow_ >= 0 && !editVerdict_.taken) {
    std::u16string why = Explain(editVerdict_.key, editVerdict_.detail);
    while (why.size() > 3 && TextWidth(why, kSize) > kDlgHalfWidth * 2 - 190) why.pop_back();
    Print(-kDlgHalfWidth + 14, kDlgBottom + 36, kSize, why, kBad);
  }
  const std::u16string label = Text("editor_button_close");
  Print((close.x0 + close.x1 - TextWidth(label, kSize, 1)) * 0.5f,
        (close.y0 + close.y1) * 0.5f + kSize * 0.55f, kSize, label, kText, 1);
}
