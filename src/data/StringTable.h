#pragma once
#include <functional>
#include <map>
#include <string>
#include <string_view>

class FileSystem;
class XmlDocument;

// Every text the player sees: a map from key to value, both UTF-16, filled from the string
// files (root "StringTable", children "String" with the attributes name and value, UTF-8).
// Loading adds or overwrites entries and never removes any.
class StringTable {
 public:
  // Replaces the icon placeholders in a freshly loaded value (the font subsystem installs
  // it once the symbols are known; without it values are stored as they are).
  using PlaceholderHook = std::function<void(std::u16string& value)>;

  explicit StringTable(FileSystem& fs) : fs_(fs) {}

  // Loads a string file (".xml" appended when name has no "."). False, with the table
  // unchanged, when the file is missing, unparsable or has no root "StringTable".
  bool Load(std::string_view name);
  // The same for a document already parsed.
  bool Load(const XmlDocument& document);

  // The value, or an empty string when the key is missing. The reference stays valid until
  // a later Load assigns the same key; holders that outlive a reload keep a copy.
  const std::u16string& Get(std::u16string_view key) const;
  // A byte-string key, widened byte by byte.
  const std::u16string& Get(std::string_view key) const;
  const std::u16string& Get(const char* key) const { return Get(std::string_view(key)); }
  bool Has(std::u16string_view key) const { return table_.find(key) != table_.end(); }

  void Set(std::u16string key, std::u16string value);
  size_t Size() const { return table_.size(); }

  void SetPlaceholderHook(PlaceholderHook hook) { hook_ = std::move(hook); }

  // Replaces every occurrence of placeholder in text by the single code unit code.
  static void ReplacePlaceholder(std::u16string& text, std::u16string_view placeholder,
                                 char16_t code);

 private:
  FileSystem& fs_;
  std::map<std::u16string, std::u16string, std::less<>> table_;
  PlaceholderHook hook_;
};
