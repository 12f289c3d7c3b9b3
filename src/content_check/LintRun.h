#pragma once
// The state of one lint run, shared by the source files of its checks: ContentLint.cpp (the
// run over a folder or one level), LintMedia.cpp (the media a game folder holds),
// LintDescriptors.cpp (the descriptor tables and the object names), LintLevels.cpp (every level
// file and the map), LintMiniGames.cpp (mini-game levels), LintPlayable.cpp (whether an ordinary level can
// be played, its hints and its speech), LintLayouts.cpp (layouts and string keys),
// LintPuzzles.cpp (the puzzles) and LintCastle.cpp (the castle's parts).
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "content_check/ContentLint.h"
#include "level/DescriptorServices.h"
#include "level/GameDescriptors.h"

class Level;
struct WorldObject;
struct ObjectDesc;
struct SpeechLine;

// The media of a game folder, found the way the game's services find them: textures as
// atlas sprites or image files, sounds and music as ".ogg" files, effects as ".pyro" files.
class FolderMedia : public DescriptorServices {
 public:
  explicit FolderMedia(FileSystem& fs);

  bool HasTexture(std::string_view name) const override { return IsSprite(name) || HasImage(name); }
  // A texture of its own (an image file), as the level draws them; atlas sprites do not
  // count.
  bool HasImage(std::string_view name) const;
  bool IsSprite(std::string_view name) const { return !name.empty() && sprites_.count(name) > 0; }
  // Masks are wide pictures: packed "_NAME_comp" files, or zif files marked wide.
  bool IsMaskTexture(std::string_view name) const override;
  void RegisterIcon(int code, std::string_view texture) override {
    icons.emplace_back(code, std::string(texture));
  }
  bool HasSound(std::string_view name) const;
  bool HasEffect(std::string_view name) const;
  bool HasShader(std::string_view name) const;

  std::vector<std::pair<int, std::string>> icons;

 private:
  FileSystem& fs_;
  std::set<std::string, std::less<>> sprites_;
};

// One run of the checks over a mounted game folder.
class LintRun {
 public:
  explicit LintRun(ContentLint& lint) : lint_(lint) {}

  // Every check of the game folder.
  void Run();
  // The checks of one level's text standing in the folder (ContentLint::CheckLevelText).
  void RunLevel(const std::string& text, int episode, int number);

 private:
  using LevelFiles = std::map<std::pair<int, int>, std::string>;
  static constexpr const char* kLanguages[] = {"en", "de", "ru", "pl"};

  static std::string Format(const char* pattern, int value);
  static std::string Str(int value) { return std::to_string(value); }

  // A problem or warning; `object` is the object it names when `where` is a level's file
  // (0: the object being checked, if any, else the level as a whole).
  void Problem(const std::string& where, const std::string& what, int object = 0) {
    lint_.problems_.push_back(where + ": " + what);
    Record(lint_.problems_.back(), object, "");
  }
  void Warning(const std::string& where, const std::string& what, int object = 0) {
    lint_.warnings_.push_back(where + ": " + what);
    Record(lint_.warnings_.back(), object, "warning: ");
  }
  // Keeps a line about the level of a one-level run as a finding.
  void Record(const std::string& line, int object, const char* prefix);
  // While it lives, what is found is about this object (the checks of one object, which
  // reach the media and string checks shared with the rest of the folder).
  class AboutObject {
   public:
    AboutObject(LintRun& run, int id) : run_(run), outer_(run.object_) { run.object_ = id; }
    ~AboutObject() { run_.object_ = outer_; }
    AboutObject(const AboutObject&) = delete;
    AboutObject& operator=(const AboutObject&) = delete;

   private:
    LintRun& run_;
    int outer_;
  };

  // The game folder mounted as the game mounts it, its media listed.
  void Mount();

  // Media (LintMedia.cpp): each missing name is reported once.
  void Texture(const std::string& where, const std::string& name);
  // A texture the level draws: a picture of its own, since the level never looks up atlas
  // sprites.
  void LevelTexture(const std::string& where, const std::string& name);
  // Two textures of their own ("zif" files) have the same size in pixels.
  void SameSize(const std::string& where, const std::string& name, const std::string& like);
  void Sound(const std::string& where, const std::string& name);
  void Effect(const std::string& where, const std::string& name);
  void ShaderName(const std::string& where, const std::string& name);
  void Missing(const std::string& where, const char* kind, const std::string& name);

  // Descriptor tables and names (LintDescriptors.cpp).
  // Every table exists and has the root the loader looks for.
  void CheckTableFiles();
  void CheckObjectDesc(const char* table, const ObjectDesc& d);
  void CheckDescriptors();
  void CheckIndicators();
  // Every descriptor is named in every language.
  void CheckNames();

  // Level files (LintLevels.cpp).
  void CheckLevels();
  // The level files of the folder by their campaign position.
  LevelFiles ListLevelFiles();
  void CheckLevel(const std::string& file, const std::string& text, int episode, int number,
                  const LevelFiles& files);
  void CheckSpeech(const std::string& file, const std::string& what, const SpeechLine& line);
  void CheckObject(const std::string& file, const Level& level, const WorldObject& o);
  // Chains of obj_link that come back to themselves: the game follows them only so far.
  void CheckLinkCycles(const std::string& file, const Level& level);
  // Sprites as the file gives them, before reading makes them safe: sheets that cannot
  // play, loop and start frames past the end.
  void CheckSprites(const std::string& file, const std::string& text);
  // A mini-game level (LintMiniGames.cpp): it has a definition and a hero base; every grid
  // can be solved (its tile kinds are noted), every gate of an attackers' phase has its
  // attacker, every candidate 1..speed of a cued phase exists, and every goal text is there
  // in every language.
  void CheckMiniGame(const std::string& file, const Level& level);
  // The map: markers name levels and comics that exist.
  void CheckMap(const std::string& file, const Level& level, const LevelFiles& files);

  // Ordinary levels in play (LintPlayable.cpp).
  // An ordinary level can be played: workers have a camp and a way to every workable object,
  // every object can be done by some worker, and the goal can be reached.
  void CheckPlayable(const std::string& file, Level& level);
  // Every workable object must be reachable by its worker type: from a camp for ordinary
  // workers, from the first waypoint of its base list for a special type, by the route
  // search the workers use, with every obstacle on the way cleared.
  void CheckWorkersReach(const std::string& file, Level& level);
  // Obstacles and buildings are clicked through their waypoints: each waypoint's quad has to
  // hold most of the pictures it serves, and a click at a picture's centre has to reach it.
  void CheckClickAreas(const std::string& file, const Level& level);
  // Every word of every hint at the level's start exists in every language, and so does
  // every entry a hint can use in some state of play.
  void CheckHints(const std::string& file, const std::string& text);
  // Every line of the level's speech script has its text in every language, names objects
  // and HUD controls that exist, and can be woken.
  void CheckScript(const std::string& file, const std::string& text, const Level& level);
  // The ids of the HUD's layouts and of the controls the level screen makes.
  const std::vector<int>& HudIds();

  // Layouts and string keys (LintLayouts.cpp).
  // Layouts: the ones the program loads by name exist; every file in a "layouts" folder
  // parses, has `controls`, names only elements of the format, and names sprites, shaders and
  // texts that exist (texts in every language).
  void CheckLayouts();
  void CheckLayout(const std::string& file);
  void CheckTextKey(const std::string& where, const std::string& key);

  // The castle's part table (LintCastle.cpp): sprites, numbers, offsets, the canvas.
  void CheckCastle();
  // Puzzles (LintPuzzles.cpp): each puzzle's set of ten pieces and their outline file.
  void CheckPuzzles();
  void CheckPuzzle(int p);

  struct LanguageStrings {
    std::string language;
    std::unique_ptr<FileSystem> files;
    std::unique_ptr<StringTable> table;
  };

  std::vector<int> hudIds_;
  ContentLint& lint_;
  std::string levelFile_;  // the level of a one-level run, whose problems are findings
  int object_ = 0;         // the object being checked (AboutObject)
  FileSystem fs_;
  std::vector<LanguageStrings> layoutStrings_;
  bool hintEntriesChecked_ = false;
  std::unique_ptr<FolderMedia> folderMedia_;
  GameDescriptors descriptors_;
  std::unique_ptr<StringTable> speech_;
  std::vector<LanguageStrings> goalStrings_;  // "minigames" and "strings" per language
};
