#pragma once
#include <string_view>

class Level;
class XmlElement;
struct WorldObject;

// Fills a Level from a level document (see Level::ReadLevel). Every value is read with the
// content conventions (atoi / atof, comma-separated lists, absent = default) and then kept
// within bounds the rest of the game can rely on: lists have their stated lengths, indexes
// name things that exist, reals are finite.
class LevelReader {
 public:
  explicit LevelReader(Level& level) : level_(level) {}
  bool Read(std::string_view text);

 private:
  bool Fail(std::string_view why);
  void ReadSettings(const XmlElement& root);
  void ReadObject(const XmlElement& e, bool workerElement);
  void ReadObjectFields(const XmlElement& e, WorldObject& o);
  void ReadWorkerFields(const XmlElement& e, WorldObject& o);
  // A `text` element: the level's name and message in one language. One with a language
  // that is no language tag, or that came before, is skipped; long texts are cut at a
  // character's start.
  void ReadText(const XmlElement& e);
  void Finish();
  void CheckWorkerRoutes(WorldObject& worker);

  Level& level_;
  bool workerLayerFound_ = false;
};
