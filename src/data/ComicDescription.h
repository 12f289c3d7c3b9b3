#pragma once
#include <string>
#include <string_view>
#include <vector>

class FileSystem;
class XmlDocument;

// What an event of a comic does. The numbers are those of the words in the file; a word the
// reader does not know is Unknown and does nothing.
enum class ComicEventType : int {
  Alpha = 0,
  Pos = 1,
  Text = 2,
  Voice = 3,
  Scale = 4,
  Finish = 5,
  Shake = 6,
  Unknown = 7,
};
// The time curve of an event's animation: "sqr" squares the progress, "sqrt" takes its
// square root, any other word runs linearly.
enum class ComicEase : int { Linear = 0, Square = 1, SquareRoot = 2 };

ComicEventType ComicEventTypeOf(std::string_view word);
ComicEase ComicEaseOf(std::string_view word);

// One picture of the page. Its texture's lower left corner lies x units right of and y units
// below the page's top left corner.
struct ComicLayer {
  std::string tex;
  float x = 0.0f, y = 0.0f;
  float alpha = 1.0f;     // 0..1
  float scale = 100.0f;  // percent
};

// A name for a group of layers that events move together.
struct ComicTag {
  std::string name;
  std::vector<std::string> layers;  // texture names
};

struct ComicEvent {
  std::string layer;  // a tag's name or a layer's texture name
  ComicEventType type = ComicEventType::Unknown;
  std::string typeWord;  // as written, for the content checks
  ComicEase ease = ComicEase::Linear;
  std::string easeWord;
  float x = 0.0f, y = 0.0f;  // a move: right and down
  float scale = 1.0f;        // the file's percent / 100 (a shake's strength)
  float time = 1000.0f;      // ms from the comic's start
  float duration = 1.0f;     // seconds (the file's ms / 1000)
  float alpha = 1.0f;
};

// A comic's description, the file "com_N_desc": root `ComicsDesc` (`start` in ms), `Layer`
// (`tex`, `pos` "x,y", `alpha`, `scale` in percent), `Tag` (`name`, child `Layer`s of which
// only `tex` counts) and `Event` (`layer`, `type`, `ease`, `pos`, `scale`, `time` in ms,
// `duration` in ms, `alpha`), in file order. Numbers that are not finite read as their
// defaults, so nothing downstream meets a NaN.
struct ComicDescription {
  float start = 0.0f;  // ms
  std::vector<ComicLayer> layers;
  std::vector<ComicTag> tags;
  std::vector<ComicEvent> events;

  // "com_%d_desc" of the comic number.
  static std::string FileName(int number);
  // False, with the description empty, when the document has no root `ComicsDesc`.
  bool Read(const XmlDocument& document);
  // Reads the comic's file through the file system; false when it is missing or malformed.
  bool Load(FileSystem& files, int number);
  // The time the comic runs forward to before its first frame: `start`, but never beyond
  // the last event (+ 1 ms, so that an event at that time still fires), so that a huge
  // `start` cannot keep the first frame busy.
  float ReachableStart() const;
  // The latest time any event has (0 without events).
  float LastEventTime() const;
  // The texture names an event names: the tag's layers, or the one texture.
  std::vector<std::string> Targets(const ComicEvent& event) const;
  const ComicTag* FindTag(std::string_view name) const;
  bool HasLayer(std::string_view tex) const;
};
