#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/DataFiles.h"
#include "editor/EditHistory.h"
#include "level/Level.h"

class DescriptorServices;
class GameDescriptors;

// A finding about a level: a string key of the "editor" strings (with %s for the detail) and
// the object it concerns (0: the level as a whole).
struct EditorProblem {
  int objectId = 0;
  std::string key;
  std::string detail;
  bool operator==(const EditorProblem&) const = default;
};

// The answer to a typed value: taken, or refused with the reason (a string key and detail).
struct FieldResult {
  bool taken = false;
  std::string key;
  std::string detail;
};

// The level being edited. Its state is the level text as the level writer writes an authored
// level; every edit changes that text (one element's attribute, an element added or removed)
// and reads it again with the game's own reader, so the model is always exactly what the game
// would play, and undo is a step back to an earlier text (EditHistory).
//
// Objects are named by their id. An object's serving waypoints are the waypoints whose
// obj_link names it; its group is those waypoints, the object itself and the hidden objects it
// becomes along its obj_link (a site and the building it raises). Moving, deleting and
// duplicating act on the group.
class EditorDocument {
 public:
  // The level plane: objects whose centre lies outside it are reported.
  static constexpr float kHalfWidth = 640, kHalfHeight = 384;

  // media may be null (no texture checks; the mask picture is not added).
  explicit EditorDocument(const GameDescriptors& descriptors, DescriptorServices* media = nullptr,
                          size_t undoLimit = EditHistory::kDefaultLimit);

  // Opens level text. What cannot be read (no level element, an unknown element) is listed in
  // Problems(); what was read before it stays, and the document is marked partial: it is never
  // saved over the file it came from. False when nothing at all could be read.
  bool Open(std::string_view text);
  // Opens a file. A missing or unreadable file gives false with a problem; a read-only one
  // opens and is noted (saving to it is refused).
  bool OpenFile(const std::string& path);
  // A new ordinary level on a ground picture, with the settings a level starts from.
  void New(const std::string& ground);

  const Level& level() const { return *level_; }
  // The level text of the current state (authored form).
  const std::string& Text() const { return history_.Current(); }
  bool Modified() const { return history_.Modified(); }
  const std::string& Path() const { return path_; }
  // What opening found: unreadable parts, and the checks of the level as opened.
  const std::vector<EditorProblem>& OpenProblems() const { return openProblems_; }
  bool Partial() const { return partial_; }

  // --- Edits. Each one that changes the level is one undo step; one that changes nothing (or
  // would give a level the reader refuses) leaves the document as it was and returns false.

  // Adds element lines (ids and obj_links as in a template; positions relative to `at`): each
  // gets a fresh id, links inside the group follow. Returns the new id of the first object
  // that is not a waypoint (else of the first), 0 when nothing was added.
  int Place(const std::vector<std::string>& templateLines, Vec2 at, std::string_view label);
  // Moves an object's group so that the object stands at `to` (whole units).
  bool Move(int id, Vec2 to);
  // Moves one waypoint alone; when it serves pictures its quad is fitted to them again (the
  // rule of the level tools: the quad takes the clicks on the pictures it serves).
  bool MoveWaypoint(int id, Vec2 to);
  bool Delete(int id);
  // A copy of the group `offset` away, with fresh ids; returns the copy's id (0: none).
  int Duplicate(int id, Vec2 offset);
  // Sets one attribute of an object (an empty text removes it). Refused, with the reason, when
  // the value is not one the level file can carry or would not read back as typed.
  FieldResult SetField(int id, std::string_view attr, std::string_view value);
  // What SetField would answer, without changing anything (the check as the value is typed).
  FieldResult TryField(int id, std::string_view attr, std::string_view value) const;
  // The same for an attribute of the `level` element.
  FieldResult SetSetting(std::string_view attr, std::string_view value);
  FieldResult TrySetting(std::string_view attr, std::string_view value) const;
  // Several settings in one undo step (medal times taken from a proof).
  FieldResult SetSettings(const std::vector<std::pair<std::string, std::string>>& values,
                          std::string_view label);
  // The level's own name ("name") or opening message ("message") in a language ("en", "de",
  // "ru", "pl"): what the briefing, the message before play and the list of own levels show.
  // An empty value removes it (and the language's element with its last text). Refused for
  // an unknown field or language, for control characters and beyond the reader's lengths.
  FieldResult SetText(std::string_view language, std::string_view field, std::string_view value);
  FieldResult TryText(std::string_view language, std::string_view field,
                      std::string_view value) const;
  std::string TextOf(std::string_view language, std::string_view field) const;
  // A link from waypoint a to waypoint b (a waypoint has three link slots).
  FieldResult Link(int a, int b);
  // Removes a link between two waypoints, in whichever direction it goes.
  bool Unlink(int a, int b);

  bool Undo();
  bool Redo();
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  const EditHistory& History() const { return history_; }

  // The attributes of an object as the file carries them (name, value), and of the level.
  std::vector<std::pair<std::string, std::string>> Fields(int id) const;
  std::vector<std::pair<std::string, std::string>> Settings() const;
  // The group of an object, in list order.
  std::vector<int> Group(int id) const;
  // The waypoints that serve an object.
  std::vector<int> ServingWaypoints(int id) const;

  // The content checks of the current level (objects and settings).
  std::vector<EditorProblem> Check() const;

  // Writes the level: the file as it was opened when nothing changed (byte for byte),
  // else the authored text. The text must read back to this very level first; it is written
  // to a temporary file and renamed over the target, so a failure leaves the old file whole.
  // Refused over a read-only file and over the file a partial document came from. On success
  // the document is saved (not modified) and its path is `path`.
  FieldResult Save(const std::string& path, base::WriteStep failAt = base::WriteStep::None);
  // The text Save would write.
  std::string SaveText() const;

 private:
  std::vector<std::string> Lines() const;
  // Reads lines as the new state: false (and nothing changes) when the reader refuses them
  // or the level stays the same.
  bool Commit(const std::vector<std::string>& lines, std::string_view label);
  // Reads text into a level; the authored text it gives, or none.
  std::optional<std::string> Normalise(const std::string& text, Level& into) const;
  void Rebuild();
  int IndexOf(int id) const;
  FieldResult Trial(size_t line, std::string_view attr, std::string_view value,
                    std::vector<std::string>& lines) const;
  FieldResult SetAttribute(size_t line, std::string_view attr, std::string_view value,
                           std::string_view label);
  FieldResult CheckObjectValue(int id, std::string_view attr, std::string_view value) const;
  FieldResult CheckSettingValue(std::string_view attr, std::string_view value) const;
  // The lines with the language's text changed (lines untouched when refused).
  FieldResult TextTrial(std::string_view language, std::string_view field, std::string_view value,
                        std::vector<std::string>& lines) const;
  int FreshId(const std::vector<std::string>& lines) const;
  // Gives an object another id; what named it names the new one.
  FieldResult Rename(int id, int to);

  const GameDescriptors& descriptors_;
  DescriptorServices* media_;
  std::unique_ptr<Level> level_;
  EditHistory history_;
  std::string original_;  // the bytes opened
  std::string openedAs_;  // the authored text they read as
  std::string path_;
  std::vector<EditorProblem> openProblems_;
  bool partial_ = false;
  bool faithful_ = false;  // original_ reads as the level opened
  bool readOnly_ = false;
};
