#pragma once
#include <string>
#include <string_view>

class FileSystem;

// The game's languages, numbered as the player settings store them:
// 1 "en", 2 "de", 3 "ru", 4 "pl".
inline constexpr int kLanguageCount = 4;
inline constexpr int kDefaultLanguage = 1;

// The code of a language number; "en" for a number outside 1..4.
std::string_view LanguageCode(int language);
// The number of a code ("en", "de", "ru", "pl"); 0 when it is none of them.
int LanguageNumber(std::string_view code);

// The language for the user's system language code (two-letter ISO 639, as the platform
// reports it): 3 when it begins with "ru", 2 with "de", 4 with "pl", else 1 (English).
// Letter case is ignored.
int DetectLanguage(std::string_view systemLanguage);

// The language to use for the settings field: 0 (or a negative value) detects it from the
// system language, 1..4 select that language, larger values select 4.
int LanguageFromSetting(int setting, std::string_view systemLanguage);

// Mounts the locale folders for a language code: "locale/en", "locale_hd/en" when
// doubleSize, then "locale/<code>" and "locale_hd/<code>" when doubleSize, so English is
// always present underneath. A code that is no plain lower-case word mounts English only;
// "en" itself is not mounted twice. root, when given, is put in front of every folder.
void MountLocale(FileSystem& fs, std::string_view code, bool doubleSize,
                 std::string_view root = {});
