#include "base/ContentLog.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <utility>

namespace content_log {
namespace {

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Texture:
      return "texture";
    case Kind::Sprite:
      return "sprite";
    case Kind::Sound:
      return "sound";
    case Kind::Music:
      return "music";
    case Kind::String:
      return "string";
    case Kind::Value:
      return "value";
    case Kind::Layout:
      return "layout";
    case Kind::Effect:
      return "effect";
    case Kind::Shader:
      return "shader";
    case Kind::Font:
      return "font";
    case Kind::File:
      return "file";
  }
  return "resource";
}

// The log's whole state: whether it is on, what it reported, and where lines go. Whether it
// is on is read without the lock: a missing value asked for every frame costs one load.
struct State {
  std::atomic<int> enabled{-1};  // -1: decided by the environment on first use
  std::mutex lock;
  std::set<std::pair<int, std::string>> reported;
  std::function<void(const std::string&)> sink;

  bool On() {
    int on = enabled.load(std::memory_order_relaxed);
    if (on < 0) {
      const char* env = std::getenv("KALODRUS3_LOG");
      on = env && *env && std::string_view(env) != "0" ? 1 : 0;
      int unset = -1;
      enabled.compare_exchange_strong(unset, on);
      on = enabled.load();
    }
    return on == 1;
  }
};

State& TheState() {
  static State state;
  return state;
}

void Report(int key, std::string_view name, const std::string& line) {
  State& s = TheState();
  std::lock_guard guard(s.lock);
  if (!s.reported.emplace(key, std::string(name)).second) return;
  if (s.sink) {
    s.sink(line);
  } else {
    std::fprintf(stderr, "kalodrus3: %s\n", line.c_str());
  }
}

std::string Quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

}  // namespace

void Enable(bool on) { TheState().enabled.store(on ? 1 : 0); }

bool Enabled() { return TheState().On(); }

void Missing(Kind kind, std::string_view name) {
  if (!Enabled()) return;
  Report(int(kind), name, std::string("missing ") + KindName(kind) + " " + Quoted(name));
}

void Unreadable(Kind kind, std::string_view name, std::string_view reason) {
  if (!Enabled()) return;
  Report(int(kind), name,
         std::string("unreadable ") + KindName(kind) + " " + Quoted(name) + ": " +
             std::string(reason));
}

void BadFile(std::string_view file, std::string_view reason) {
  if (!Enabled()) return;
  Report(-1, file, "cannot parse " + Quoted(file) + ": " + std::string(reason));
}

void SetSinkForTests(std::function<void(const std::string&)> sink) {
  State& s = TheState();
  std::lock_guard guard(s.lock);
  s.sink = std::move(sink);
  s.reported.clear();
}

}  // namespace content_log
