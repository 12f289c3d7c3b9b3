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
  explicit LevelWriter(const Level& level) : level_(level) {}
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

  const Level& level_;
  std::string out_;
};
