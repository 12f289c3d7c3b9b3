#pragma once
#include <cstdint>
#include <string>

namespace base {

void SleepMs(uint32_t ms);
// Milliseconds on a steady clock, counted from the first call.
uint32_t TicksMs();

// Starts a detached thread running routine(argument).
bool StartThread(void (*routine)(void*), void* argument);

// The logged-on user's name, at most 31 UTF-16 characters.
bool UserName(std::u16string& name);
// The program's version, at most 7 characters; built once.
const std::string& VersionText();

// The language code of a locale name such as "de_DE.UTF-8" ("" when it has none).
std::string LanguageOfLocale(const std::string& locale);
// The language of LC_ALL, LC_MESSAGES or LANG, the first that names one ("" when none does).
std::string EnvironmentLanguage();

}  // namespace base
