#pragma once
#include <string>

struct SDL_Window;

namespace platform {

// Two-letter ISO 639 code of the user's preferred language: the desktop's preferred locale,
// then the environment, else "en". Queried once.
const std::string& UserLanguage();

// Opens an address with the desktop's default handler, minimising the window first. An
// empty text does nothing.
bool OpenAddress(SDL_Window* window, const std::string& address);

// A modal box: "Question" with Yes/No, or "Error" with OK. True only when Yes was chosen.
// Without a display the text goes to standard error.
bool MessageBoxQuery(SDL_Window* window, const std::string& text, bool isQuestion);
// A plain error box with the caption given.
void ShowErrorBox(SDL_Window* window, const char* caption, const std::string& text);

}  // namespace platform
