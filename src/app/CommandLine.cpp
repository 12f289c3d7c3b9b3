#include "app/CommandLine.h"

#include <charconv>

namespace {

std::optional<uint32_t> ParseCount(const std::string& text) {
  uint32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

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
    } else if (arg == "--frames" || arg == "--fixed-step" || arg == "--screenshot") {
      if (i + 1 >= args.size()) {
        cl.errors.push_back(arg + " needs a value");
        continue;
      }
      const std::string& value = args[++i];
      if (arg == "--screenshot") {
        cl.screenshot = value;
        continue;
      }
      const auto count = ParseCount(value);
      if (!count) {
        cl.errors.push_back(arg + " needs a whole number, not \"" + value + "\"");
      } else if (arg == "--frames") {
        cl.frames = *count;
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
