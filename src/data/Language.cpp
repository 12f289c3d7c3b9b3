#include "data/Language.h"

#include <algorithm>
#include <array>

#include "data/FileSystem.h"

namespace {

constexpr std::array<std::string_view, kLanguageCount> kCodes = {"en", "de", "ru", "pl"};

bool BeginsWith(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool IsPlainCode(std::string_view code) {
  return !code.empty() && code.size() <= 8 &&
         std::all_of(code.begin(), code.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

}  // namespace

std::string_view LanguageCode(int language) {
  if (language < 1 || language > kLanguageCount) return kCodes[0];
  return kCodes[size_t(language - 1)];
}

int LanguageNumber(std::string_view code) {
  for (size_t i = 0; i < kCodes.size(); ++i) {
    if (kCodes[i] == code) return int(i) + 1;
  }
  return 0;
}

int DetectLanguage(std::string_view systemLanguage) {
  if (BeginsWith(systemLanguage, "ru")) return 3;
  if (BeginsWith(systemLanguage, "de")) return 2;
  if (BeginsWith(systemLanguage, "pl")) return 4;
  return kDefaultLanguage;
}

int LanguageFromSetting(int setting, std::string_view systemLanguage) {
  if (setting <= 0) return DetectLanguage(systemLanguage);
  return std::min(setting, kLanguageCount);
}

void MountLocale(FileSystem& fs, std::string_view code, bool doubleSize, std::string_view root) {
  std::string prefix(root);
  if (!prefix.empty() && prefix.back() != '/') prefix += '/';
  fs.Mount(prefix + "locale/en");
  if (doubleSize) fs.Mount(prefix + "locale_hd/en");
  if (!IsPlainCode(code) || code == "en") return;
  fs.Mount(prefix + "locale/" + std::string(code));
  if (doubleSize) fs.Mount(prefix + "locale_hd/" + std::string(code));
}
