#include "platform/Desktop.h"

#include <SDL.h>

#include <cstdio>

#include "base/System.h"

namespace platform {

const std::string& UserLanguage() {
  static const std::string code = [] {
    std::string found;
    if (SDL_Locale* locales = SDL_GetPreferredLocales()) {
      if (locales[0].language) found = base::LanguageOfLocale(locales[0].language);
      SDL_free(locales);
    }
    if (found.empty()) found = base::EnvironmentLanguage();
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
