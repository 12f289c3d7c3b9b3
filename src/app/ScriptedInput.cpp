#include "app/ScriptedInput.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "base/GameKeys.h"
#include "data/Utf8.h"
#include "gui/ControlList.h"
#include "gui/GUIDialog.h"

namespace {

constexpr size_t kMaxScriptBytes = 1 << 20;

bool ParseWhole(std::string_view text, int& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end;
}

bool ParseFrame(std::string_view text, uint32_t& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end;
}

bool ParseFloat(std::string_view text, float& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end && std::isfinite(value);
}

// "X,Y" in virtual units.
bool ParsePoint(std::string_view text, float& x, float& y) {
  const size_t comma = text.find(',');
  return comma != std::string_view::npos && ParseFloat(text.substr(0, comma), x) &&
         ParseFloat(text.substr(comma + 1), y);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// The target of a click: a point, "control:ID" or "marker:E:L". Empty when it is fine.
std::string ParseClick(std::string_view target, ScriptAction& a) {
  using Kind = ScriptAction::Kind;
  if (target.starts_with("control:")) {
    a.kind = Kind::ClickControl;
    if (!ParseWhole(target.substr(8), a.id)) return "click control:ID needs a whole number";
    return {};
  }
  if (target.starts_with("marker:")) {
    a.kind = Kind::ClickMarker;
    const std::string_view rest = target.substr(7);
    const size_t colon = rest.find(':');
    if (colon == std::string_view::npos || !ParseWhole(rest.substr(0, colon), a.id) ||
        !ParseWhole(rest.substr(colon + 1), a.level)) {
      return "click marker:EPISODE:LEVEL needs two whole numbers";
    }
    return {};
  }
  a.kind = Kind::Click;
  if (!ParsePoint(target, a.x, a.y)) return "click needs X,Y, control:ID or marker:E:L";
  return {};
}

// The action of a line (the part after the frame). Empty when it is fine.
std::string ParseAction(std::string_view text, ScriptAction& a) {
  using Kind = ScriptAction::Kind;
  const size_t space = text.find(' ');
  const std::string_view verb = text.substr(0, space);
  const std::string_view rest =
      space == std::string_view::npos ? std::string_view() : Trim(text.substr(space + 1));
  if (verb == "text") {
    a.kind = Kind::Text;
    // The text is the rest of the line as it stands, inner spaces included.
    const std::string_view typed = space == std::string_view::npos ? "" : text.substr(space + 1);
    a.text = DecodeUtf8(typed);
    if (a.text.empty()) return "text needs something to type";
    return {};
  }
  if (verb == "bot") {
    a.kind = Kind::Bot;
    return rest.empty() ? std::string() : "bot takes nothing after it";
  }
  if (verb == "move") {
    a.kind = Kind::Move;
    return ParsePoint(rest, a.x, a.y) ? std::string() : "move needs X,Y";
  }
  if (verb == "click") return ParseClick(rest, a);
  if (verb == "drag") {
    a.kind = Kind::Drag;
    const size_t gap = rest.find(' ');
    const bool parsed = gap != std::string_view::npos && ParsePoint(rest.substr(0, gap), a.x, a.y) &&
                        ParsePoint(Trim(rest.substr(gap)), a.x2, a.y2);
    return parsed ? std::string() : "drag needs X,Y X2,Y2";
  }
  if (verb == "key") {
    a.kind = Kind::Key;
    a.key = GameKeyByName(rest);
    return a.key == kGameKeyNone ? "no key is called \"" + std::string(rest) + "\"" : "";
  }
  if (verb == "keys") {
    a.kind = Kind::Keys;
    std::string_view names = rest;
    while (!names.empty()) {
      const size_t gap = names.find(' ');
      const std::string_view name = names.substr(0, gap);
      names = gap == std::string_view::npos ? std::string_view() : Trim(names.substr(gap));
      if (name.empty()) continue;
      a.keys.push_back(GameKeyByName(name));
      if (a.keys.back() == kGameKeyNone) return "no key is called \"" + std::string(name) + "\"";
    }
    return a.keys.empty() ? "keys needs the names of keys" : "";
  }
  if (verb == "expect") {
    a.kind = Kind::ExpectMode;
    if (!rest.starts_with("mode:") || rest.size() == 5) return "expect needs mode:NAME";
    a.mode = std::string(rest.substr(5));
    return {};
  }
  return "no action is called \"" + std::string(verb) + "\"";
}

}  // namespace

Script ParseScript(std::string_view text) {
  Script script;
  uint32_t lastFrame = 0;
  int lineNumber = 0;
  while (!text.empty()) {
    const size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;

    const auto fail = [&](const std::string& why) {
      script.actions.clear();
      script.error = "line " + std::to_string(lineNumber) + ": " + why;
      return script;
    };
    ScriptAction a;
    a.line = lineNumber;
    const size_t space = trimmed.find(' ');
    if (space == std::string_view::npos) return fail("needs a frame and an action");
    std::string_view frame = trimmed.substr(0, space);
    if (const size_t tilde = frame.find('~'); tilde != std::string_view::npos) {
      if (!ParseFrame(frame.substr(tilde + 1), a.patience)) {
        return fail("\"" + std::string(frame) + "\" has no patience in frames after ~");
      }
      frame = frame.substr(0, tilde);
    }
    a.relative = !frame.empty() && frame.front() == '+';
    if (!ParseFrame(a.relative ? frame.substr(1) : frame, a.frame)) {
      return fail("\"" + std::string(frame) + "\" is no frame");
    }
    if (!a.relative) {
      if (a.frame < lastFrame) {
        return fail("frame " + std::to_string(a.frame) + " comes before frame " +
                    std::to_string(lastFrame) + " of a line above");
      }
      lastFrame = a.frame;
    }
    // The action starts after the spaces following the frame; "text" keeps the rest as is.
    std::string_view action = trimmed.substr(space + 1);
    while (!action.empty() && (action.front() == ' ' || action.front() == '\t')) {
      action.remove_prefix(1);
    }
    if (const std::string why = ParseAction(action, a); !why.empty()) return fail(why);
    script.actions.push_back(std::move(a));
  }
  return script;
}

Script LoadScript(const std::string& path) {
  Script script;
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    script.error = "cannot read " + path;
    return script;
  }
  std::string text;
  text.resize(kMaxScriptBytes + 1);
  file.read(text.data(), std::streamsize(text.size()));
  text.resize(size_t(file.gcount()));
  if (text.size() > kMaxScriptBytes) {
    script.error = path + " is larger than 1 MiB";
    return script;
  }
  script = ParseScript(text);
  if (!script.error.empty()) script.error = path + ", " + script.error;
  return script;
}

// ---------------------------------------------------------------- playing

namespace {

// The topmost visible control with the id in a list. A shown dialog takes every click, so
// nothing below it counts: the search ends there (`covered`), found in it or not; a dialog
// still fading in or unfolding offers none of its controls yet.
const GUIControl* FindVisible(const ControlList& list, int id, bool& covered) {
  for (size_t i = list.Size(); i-- > 0;) {
    const GUIControl* c = list.At(i);
    if (!c || !c->visible) continue;
    if (const auto* dialog = dynamic_cast<const GUIDialog*>(c)) {
      covered = true;
      if (dialog->HasChangers()) return nullptr;
      if (const GUIControl* child = FindVisible(dialog->Children(), id, covered)) return child;
      return c->id == id ? c : nullptr;
    }
    if (c->id == id) return c;
  }
  return nullptr;
}

}  // namespace

std::optional<GuiPoint> VisibleControlCentre(const std::vector<const ControlList*>& lists, int id) {
  bool covered = false;
  for (size_t i = lists.size(); i-- > 0 && !covered;) {
    if (!lists[i]) continue;
    if (const GUIControl* c = FindVisible(*lists[i], id, covered)) {
      return GuiPoint{(c->rect.x0 + c->rect.x1) / 2, (c->rect.y0 + c->rect.y1) / 2};
    }
  }
  return std::nullopt;
}

bool ScriptedInput::RunFrame(uint32_t frame) {
  // The bot plays one level: it stops when its screen gives way to another.
  if (botMode_ && app_.current != botMode_) {
    host_.SetBotPlaying(false);
    botMode_ = nullptr;
  }
  PlayKeys(frame);
  while (next_ < actions_.size()) {
    const ScriptAction& a = actions_[next_];
    const uint64_t due = a.relative ? uint64_t(lastDone_) + a.frame : a.frame;
    if (frame < due) break;
    if (!Run(a)) {
      // What the action needs may still come: it is tried again next frame.
      if (frame < due + a.patience) break;
      return false;
    }
    failure_.clear();
    lastDone_ = frame;
    ++next_;
  }
  return true;
}

void ScriptedInput::PlayKeys(uint32_t frame) {
  if (keysMode_ && app_.current != keysMode_) keysMode_ = nullptr;
  if (!keysMode_ || keys_.empty() || frame % kKeysEvery != 0) return;
  if (app_.fadeState != Fade::None || app_.pending) return;
  PressKey(keys_[nextKey_++ % keys_.size()]);
}

void ScriptedInput::PressKey(int key) {
  // As a keyboard sends it: the press, the character it types (Enter, backspace …), the
  // release.
  app_.OnInput({InputType::KeyDown, key});
  if (const int c = ControlCharacterOf(key)) app_.OnInput({InputType::Character, c});
  app_.OnInput({InputType::KeyUp, key});
}

void ScriptedInput::Click(float x, float y) {
  host_.PlacePointer(x, y);
  app_.OnInput({InputType::PointerMove, 0});
  app_.OnInput({InputType::LeftDown, 0});
  app_.OnInput({InputType::LeftUp, 0});
}

void ScriptedInput::Drag(const ScriptAction& a) {
  host_.PlacePointer(a.x, a.y);
  app_.OnInput({InputType::PointerMove, 0});
  app_.OnInput({InputType::LeftDown, 0});
  // In steps, as a hand moves it: what follows the pointer sees the way, not a jump.
  constexpr int kSteps = 8;
  for (int i = 1; i <= kSteps; ++i) {
    const float t = float(i) / kSteps;
    host_.PlacePointer(a.x + (a.x2 - a.x) * t, a.y + (a.y2 - a.y) * t);
    app_.OnInput({InputType::PointerMove, 0});
  }
  app_.OnInput({InputType::LeftUp, 0});
}

bool ScriptedInput::Fail(const ScriptAction& action, const std::string& why) {
  failure_ = "script line " + std::to_string(action.line) + ": " + why;
  return false;
}

bool ScriptedInput::Run(const ScriptAction& a) {
  using Kind = ScriptAction::Kind;
  // Input during a fade between screens is dropped by the Application: it waits instead.
  const bool input = a.kind != Kind::Bot && a.kind != Kind::ExpectMode;
  if (input && (app_.fadeState != Fade::None || app_.pending)) {
    return Fail(a, "the screen is changing");
  }
  switch (a.kind) {
    case Kind::Move:
      host_.PlacePointer(a.x, a.y);
      app_.OnInput({InputType::PointerMove, 0});
      return true;
    case Kind::Click:
      Click(a.x, a.y);
      return true;
    case Kind::Drag:
      Drag(a);
      return true;
    case Kind::ClickControl: {
      const auto at = app_.current ? VisibleControlCentre(host_.ControlLists(*app_.current), a.id)
                                   : std::nullopt;
      if (!at) {
        return Fail(a, "no visible control " + std::to_string(a.id) + " on " +
                           host_.ModeName(app_.current));
      }
      Click(at->x, at->y);
      return true;
    }
    case Kind::ClickMarker: {
      const auto at = host_.LevelMarkerPoint(a.id, a.level);
      if (!at) {
        return Fail(a, "the map shows no marker of level " + std::to_string(a.id) + ":" +
                           std::to_string(a.level));
      }
      Click(at->x, at->y);
      return true;
    }
    case Kind::Key:
      PressKey(a.key);
      return true;
    case Kind::Keys:
      keysMode_ = app_.current;
      keys_ = a.keys;
      nextKey_ = 0;
      return true;
    case Kind::Text:
      for (const char16_t c : a.text) app_.OnInput({InputType::Character, int(c)});
      return true;
    case Kind::Bot:
      if (!host_.SetBotPlaying(true)) return Fail(a, "no level is being played for the bot");
      botMode_ = app_.current;
      return true;
    case Kind::ExpectMode: {
      const std::string now = host_.ModeName(app_.current);
      if (now == a.mode) return true;
      return Fail(a, "expected the screen " + a.mode + ", but it is " + now);
    }
  }
  return true;
}

// ---------------------------------------------------------------- trace

std::string ModeTrace::Observe(const Application& app) {
  if (!first_ && app.current == last_) return {};
  first_ = false;
  last_ = app.current;
  const CampaignPosition p = host_.Position();
  return "mode " + host_.ModeName(app.current) + " " + std::to_string(p.episode) + ":" +
         std::to_string(p.level);
}
