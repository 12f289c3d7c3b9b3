#include "app/CommandLine.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "base/GameKeys.h"

namespace {

std::optional<uint32_t> ParseCount(const std::string& text) {
  uint32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

bool ParseInt(std::string_view text, int& value, int low, int high) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= low && value <= high;
}

bool ParseFloat(std::string_view text, float& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && std::isfinite(value);
}

std::optional<CommandLine::LevelChoice> ParseLevel(std::string_view text) {
  const size_t colon = text.find(':');
  CommandLine::LevelChoice choice;
  if (colon == std::string_view::npos || !ParseInt(text.substr(0, colon), choice.episode, 0, 99) ||
      !ParseInt(text.substr(colon + 1), choice.level, 0, 99)) {
    return std::nullopt;
  }
  return choice;
}

// "FRAME:REST" of --click, --key and --type.
std::optional<CommandLine::Scripted> ParseScripted(const std::string& option,
                                                   std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const auto frame = ParseCount(std::string(text.substr(0, colon)));
  if (!frame) return std::nullopt;
  const std::string_view rest = text.substr(colon + 1);
  CommandLine::Scripted s;
  s.frame = *frame;
  if (option == "--click") {
    const size_t comma = rest.find(',');
    if (comma == std::string_view::npos || !ParseFloat(rest.substr(0, comma), s.x) ||
        !ParseFloat(rest.substr(comma + 1), s.y)) {
      return std::nullopt;
    }
  } else if (option == "--key") {
    s.kind = CommandLine::Scripted::Kind::Key;
    s.key = GameKeyByName(rest);
    if (s.key == kGameKeyNone) return std::nullopt;
  } else {
    s.kind = CommandLine::Scripted::Kind::Text;
    for (const char c : rest) s.text += char16_t(static_cast<unsigned char>(c));
    if (s.text.empty()) return std::nullopt;
  }
  return s;
}

bool TakesValue(const std::string& arg) {
  return arg == "--frames" || arg == "--fixed-step" || arg == "--screenshot" || arg == "--level" ||
         arg == "--difficulty" || arg == "--seed" || arg == "--click" || arg == "--key" ||
         arg == "--type" || arg == "--script" || arg == "--edit" || arg == "--edit-new";
}

}  // namespace

int GameKeyByName(std::string_view name) {
  static const struct {
    const char* name;
    int key;
  } kNamed[] = {
      {"escape", kGameKeyEscape}, {"enter", kGameKeyEnter},         {"space", kGameKeySpace},
      {"tab", kGameKeyTab},       {"backspace", kGameKeyBackspace}, {"delete", kGameKeyDelete},
      {"left", kGameKeyLeft},     {"right", kGameKeyRight},         {"up", kGameKeyUp},
      {"down", kGameKeyDown}};
  for (const auto& named : kNamed) {
    if (name == named.name) return named.key;
  }
  int code = 0;
  return ParseInt(name, code, 0, kGameKeyPause) ? code : kGameKeyNone;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  static const struct {
    const char* word;
    AspectMode mode;
  } kAspects[] = {{"/4x3", AspectMode::Screen4x3},
                  {"/3x2", AspectMode::Screen3x2},
                  {"/15x9", AspectMode::Screen15x9},
                  {"/16x9", AspectMode::Screen16x9},
                  {"/16x10", AspectMode::Screen16x10}};

  CommandLine cl;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "/fs") {
      cl.fullscreen = true;
    } else if (arg == "/wn") {
      cl.fullscreen = false;
    } else if (arg == "/sd") {
      cl.standardDefinition = true;
    } else if (arg == "--log") {
      cl.log = true;
    } else if (arg == "--continue") {
      cl.continueSaved = true;
    } else if (arg == "--bot") {
      cl.bot = true;
    } else if (arg == "--stay-loading") {
      cl.stayLoading = true;
    } else if (arg == "--trace") {
      cl.trace = true;
    } else if (TakesValue(arg)) {
      if (i + 1 >= args.size()) {
        cl.errors.push_back(arg + " needs a value");
        continue;
      }
      const std::string& value = args[++i];
      if (arg == "--screenshot") {
        cl.screenshot = value;
        continue;
      }
      if (arg == "--script") {
        cl.scriptFile = value;
        continue;
      }
      if (arg == "--edit") {
        // A shipped level by its place, else a level file.
        const auto shipped = ParseLevel(value);
        cl.editLevel = shipped;
        cl.editFile = shipped ? std::string() : value;
        cl.edit = true;
        continue;
      }
      if (arg == "--edit-new") {
        cl.editNew = value;
        cl.edit = true;
        continue;
      }
      if (arg == "--level") {
        cl.level = ParseLevel(value);
        if (!cl.level) cl.errors.push_back("--level needs EPISODE:LEVEL, not \"" + value + "\"");
        continue;
      }
      if (arg == "--difficulty") {
        int d = 0;
        if (ParseInt(value, d, 0, 2)) {
          cl.difficulty = d;
        } else {
          cl.errors.push_back("--difficulty needs 0, 1 or 2, not \"" + value + "\"");
        }
        continue;
      }
      if (arg == "--click" || arg == "--key" || arg == "--type") {
        if (const auto s = ParseScripted(arg, value)) {
          cl.script.push_back(*s);
        } else {
          cl.errors.push_back(arg + " cannot use \"" + value + "\"");
        }
        continue;
      }
      const auto count = ParseCount(value);
      if (!count) {
        cl.errors.push_back(arg + " needs a whole number, not \"" + value + "\"");
      } else if (arg == "--frames") {
        cl.frames = *count;
      } else if (arg == "--seed") {
        cl.seed = *count;
      } else {
        cl.fixedStep = *count;
      }
    } else {
      for (const auto& aspect : kAspects) {
        if (arg == aspect.word) cl.aspectMode = aspect.mode;
      }
    }
  }
  return cl;
}
