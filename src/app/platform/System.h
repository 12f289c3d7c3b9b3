#pragma once
#include <cstdint>
#include <string>

struct SDL_Window;

namespace platform {

void SleepMs(uint32_t ms);
uint32_t TicksMs();

// Starts a detached thread running routine(argument).
bool StartThread(void (*routine)(void*), void* argument);

// The logged-on user's name, at most 31 UTF-16 characters.
bool UserName(std::u16string& name);
// The program's version, at most 7 characters; built once.
const std::string& VersionText();
// Two-letter ISO 639 code of the user's preferred language ("en" when unknown); queried once.
const std::string& UserLanguage();

// Opens an address with the desktop's default handler, minimising the window first. An
// empty text does nothing.
bool OpenAddress(SDL_Window* window, const std::string& address);

// A modal box: "Question" with Yes/No, or "Error" with OK. True only when Yes was chosen.
// Without a display the text goes to standard error.
bool MessageBoxQuery(SDL_Window* window, const std::string& text, bool isQuestion);
// A plain error box with the caption given.
void ShowErrorBox(SDL_Window* window, const char* caption, const std::string& text);

// The language code of a locale name such as "de_DE.UTF-8" ("" when it has none).
std::string LanguageOfLocale(const std::string& locale);

}  // namespace platform
