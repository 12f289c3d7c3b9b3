#include "base/System.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <system_error>
#include <thread>

#include "base/Text.h"

#ifndef KALODRUS_VERSION
#define KALODRUS_VERSION ""
#endif

namespace base {

void SleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

uint32_t TicksMs() {
  // Milliseconds since the first reading, like a system tick counter.
  static const auto start = std::chrono::steady_clock::now();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

bool StartThread(void (*routine)(void*), void* argument) {
  try {
    std::thread(routine, argument).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

bool UserName(std::u16string& name) {
  const passwd* pw = getpwuid(getuid());
  const char* text = pw && pw->pw_name ? pw->pw_name : getenv("USER");
  if (!text || !*text) return false;
  name = Utf8ToUtf16(text);
  if (name.size() > 31) name.resize(31);
  return true;
}

const std::string& VersionText() {
  static const std::string text = [] {
    std::string v = KALODRUS_VERSION;
    if (v.size() > 7) v.resize(7);
    for (char& c : v) {
      if (c == ',') c = '.';
    }
    return v;
  }();
  return text;
}

std::string LanguageOfLocale(const std::string& locale) {
  if (locale.size() < 2 || !std::isalpha(static_cast<unsigned char>(locale[0])) ||
      !std::isalpha(static_cast<unsigned char>(locale[1]))) {
    return {};
  }
  if (locale.size() > 2 && std::isalpha(static_cast<unsigned char>(locale[2]))) return {};
  std::string code = locale.substr(0, 2);
  for (char& c : code) c = char(std::tolower(static_cast<unsigned char>(c)));
  return code;
}

std::string EnvironmentLanguage() {
  for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = getenv(var)) {
      std::string found = LanguageOfLocale(value);
      if (!found.empty()) return found;
    }
  }
  return {};
}

}  // namespace base
