#include "content_check/GameContent.h"

#include "data/Language.h"

bool GameContent::Load(const std::string& gameFolder, const std::string& language, bool strict,
                       std::string& error) {
  fs.Mount(gameFolder + "/content");
  if (strict) {
    fs.Mount(gameFolder + "/locale/" + language);
  } else {
    MountLocale(fs, language, false, gameFolder + "/");
  }
  if (!descriptors.LoadGameDescriptors(fs, strings, media)) {
    error = "the descriptor tables of " + gameFolder + " do not load";
    return false;
  }
  strings.Load("strings");
  return true;
}
