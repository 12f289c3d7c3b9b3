#pragma once
#include <string>
#include <string_view>

class Level;
struct WorldObject;

// Writes a Level as a level document (see Level::WriteLevel): the declaration, the `level`
// element with its attributes, every object, every worker, the level-screen elements.
// Every attribute is followed by one space; texts are escaped so that any texture name
// reads back unchanged.
class LevelWriter {
 public:
  // Saved: the whole run-time state, as the level screen stores an interrupted level (state
  // 2). Authored: the level as its author made it, to be played from the start (state 0):
  // the run-time counters, the objects' run-time fields, the workers' routes and the level
  // screen's entries are left out, so that reading gives a fresh level.
  enum class Form { Saved, Authored };

  explicit LevelWriter(const Level& level, Form form = Form::Saved) : level_(level), form_(form) {}
  std::string Write();

  // floor(value x 100 + 0.5) / 100: the two-decimal rounding applied to positions, sizes,
  // rotations and speeds before they are written.
  static double Round2(double value);
  // The text with & < > " replaced by their entities and control characters by character
  // references.
  static std::string Escape(std::string_view text);

 private:
  void WriteSettings();
  void WriteObject(const WorldObject& o, std::string_view element);
  void Attr(std::string_view name, std::string_view value);
  void Attr(std::string_view name, long long value);
  void Ints(std::string_view name, const int* values, size_t count);
  void Reals(std::string_view name, double a, double b);

  bool Authored() const { return form_ == Form::Authored; }

  const Level& level_;
  Form form_;
  std::string out_;
};
