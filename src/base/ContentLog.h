#pragma once
#include <functional>
#include <string>
#include <string_view>

// Diagnostics for content authors and testers. Players never see them: a missing or broken
// resource stays a quiet failure. With the log switched on (the --log option, or
// KALODRUS3_LOG=1 in the environment), the first request for each missing or unreadable
// resource, and each content file that fails to parse, writes one line to standard error.
// Safe from any thread (the precache worker loads textures and sounds).
namespace content_log {

enum class Kind {
  Texture,
  Sprite,
  Sound,
  Music,
  String,
  Value,
  Layout,
  Effect,
  Shader,
  Font,
  File
};

// Switches the log on or off, overriding the environment.
void Enable(bool on);
bool Enabled();

// "missing <kind> "<name>"" or, with a reason, "unreadable <kind> "<name>": <reason>". Each
// (kind, name) pair is reported once per run.
void Missing(Kind kind, std::string_view name);
void Unreadable(Kind kind, std::string_view name, std::string_view reason);
// A content file that does not parse: "cannot parse "<file>": <reason>", once per file.
void BadFile(std::string_view file, std::string_view reason);

// Tests catch the lines instead of standard error; an empty sink restores standard error.
// Also forgets what was reported.
void SetSinkForTests(std::function<void(const std::string&)> sink);

}  // namespace content_log
