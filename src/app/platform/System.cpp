#include "app/platform/System.h"

#include <SDL.h>
#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/platform/Text.h"

#ifndef KALODRUS_VERSION
#define KALODRUS_VERSION ""
#endif

namespace platform {

void SleepMs(uint32_t ms) { SDL_Delay(ms); }

uint32_t TicksMs() { return SDL_GetTicks(); }

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

const std::string& UserLanguage() {
  static const std::string code = [] {
    std::string found;
    if (SDL_Locale* locales = SDL_GetPreferredLocales()) {
      if (locales[0].language) found = LanguageOfLocale(locales[0].language);
      SDL_free(locales);
    }
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
      if (!found.empty()) break;
      if (const char* value = getenv(var)) found = LanguageOfLocale(value);
    }
    return found.empty() ? std::string("en") : found;
  }();
  return code;
}

bool OpenAddress(SDL_Window* window, const std::string& address) {
  if (address.empty()) return false;
  if (window) SDL_MinimizeWindow(window);
  return SDL_OpenURL(address.c_str()) == 0;
}

bool MessageBoxQuery(SDL_Window* window, const std::string& text, bool isQuestion) {
  const SDL_MessageBoxButtonData yesNo[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
  };
  const SDL_MessageBoxButtonData ok[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"},
  };
  SDL_MessageBoxData box{};
  box.flags = isQuestion ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_ERROR;
  box.window = window;
  box.title = isQuestion ? "Question" : "Error";
  box.message = text.c_str();
  box.numbuttons = isQuestion ? 2 : 1;
  box.buttons = isQuestion ? yesNo : ok;
  int chosen = 0;
  if (SDL_ShowMessageBox(&box, &chosen) != 0) {
    std::fprintf(stderr, "%s: %s\n", box.title, text.c_str());
    return false;
  }
  return isQuestion && chosen == 1;
}

void ShowErrorBox(SDL_Window* window, const char* caption, const std::string& text) {
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text.c_str(), window) != 0) {
    std::fprintf(stderr, "%s: %s\n", caption, text.c_str());
  }
}

}  // namespace platform
