#pragma once
#include <map>
#include <string>
#include <string_view>

class FileSystem;
class XmlDocument;

// Named numbers that tune layouts, fonts and the economy, filled from the value files (root
// "ValueTable", children "Value" with the attributes name and value). Loading adds or
// overwrites entries. A value text that is no number is stored as 0.
class ValueTable {
 public:
  explicit ValueTable(FileSystem& fs) : fs_(fs) {}

  // False, with the table unchanged, when the file is missing, unparsable or has no root.
  bool Load(std::string_view name);
  bool Load(const XmlDocument& document);

  float GetFloat(std::string_view key, float def) const;
  // Truncated toward zero and clamped to the int range; NaN gives def.
  int GetInt(std::string_view key, int def) const;
  bool GetBool(std::string_view key, bool def) const;
  bool Has(std::string_view key) const { return table_.find(key) != table_.end(); }

  void Set(std::string key, float value) { table_[std::move(key)] = value; }
  size_t Size() const { return table_.size(); }

 private:
  // The value of key; none (and a line in the content log) when there is none.
  const float* Find(std::string_view key) const;
  FileSystem& fs_;
  std::map<std::string, float, std::less<>> table_;
};
