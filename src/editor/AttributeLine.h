#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One element of a level file on a line of its own, as the level writer writes them:
// `<name a="1" b="x" />` (the `level` element ends with `>` instead). The editor changes a
// level by changing an attribute of such a line and reading the document again, so that what
// it edits is exactly the level file's attribute with the reader's own rules.
//
// Values are kept as they stand in the file (escaped); Value/SetValue convert.
class AttributeLine {
 public:
  // False for a line that is not one element with attributes in double quotes.
  static std::optional<AttributeLine> Parse(std::string_view line);

  const std::string& Element() const { return element_; }
  const std::vector<std::pair<std::string, std::string>>& Attributes() const { return attrs_; }
  // The value as text (entities resolved), or none when the attribute is absent.
  std::optional<std::string> Value(std::string_view name) const;
  // Sets (or adds at the end) an attribute to a text value; an empty value removes it.
  void SetValue(std::string_view name, std::string_view text);
  // The line again, closed as it was.
  std::string Format() const;

  static std::string Unescape(std::string_view text);

 private:
  std::string element_;
  std::vector<std::pair<std::string, std::string>> attrs_;
  bool selfClosing_ = true;
};
