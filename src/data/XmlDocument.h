#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/XmlElement.h"

class FileSystem;

// The one way XML content is read: a private, zero-terminated copy of a file's bytes, the
// parsed tree over it, and a current element for the attribute readers.
//
// Malformed input leaves the document empty: a parse error, text nested deeper than
// kMaxDepth elements (checked before parsing, as the parser recurses per level) and text
// larger than kMaxSize are all refused.
class XmlDocument {
 public:
  static constexpr size_t kMaxSize = 16u * 1024u * 1024u;
  static constexpr int kMaxDepth = 256;

  // Why the last Parse or Load failed (empty after a success).
  const std::string& Error() const { return error_; }

  XmlDocument();
  explicit XmlDocument(FileSystem& fs);
  ~XmlDocument();
  XmlDocument(XmlDocument&&) noexcept;
  XmlDocument& operator=(XmlDocument&&) noexcept;

  // Reads name through the FileSystem (".xml" is appended when name has no "."), copies and
  // releases it, and parses it. True when the document has at least one element; a missing
  // file or a parse error leaves the document empty (false).
  bool Load(std::string_view name);
  // Parses text (a leading UTF-8 byte-order mark is skipped). True as for Load.
  bool Parse(std::string_view text);
  void Clear();
  bool IsEmpty() const;

  // The first child element of parent with that name, or of the document when parent is
  // null; any name when the name is empty.
  XmlElement FirstChild(XmlElement parent, std::string_view name) const;
  XmlElement NextSibling(XmlElement element, std::string_view name) const;

  // The attribute readers below read the current element.
  void SetCurrent(XmlElement element) { current_ = element; }
  XmlElement Current() const { return current_; }

  std::string Text(std::string_view attr) const { return current_.Text(attr); }
  int Int(std::string_view attr, int def) const { return current_.Int(attr, def); }
  uint32_t Hex(std::string_view attr, uint32_t def) const { return current_.Hex(attr, def); }
  bool Bool(std::string_view attr, bool def) const { return current_.Bool(attr, def); }
  float Float(std::string_view attr, float def) const { return current_.Float(attr, def); }
  int Count(std::string_view attr) const { return current_.Count(attr); }
  void Floats(std::string_view attr, std::span<float> out) const { current_.Floats(attr, out); }
  void Ints(std::string_view attr, std::span<int> out) const { current_.Ints(attr, out); }
  XmlPoint Point(std::string_view attr) const { return current_.Point(attr); }
  void IntList(std::string_view attr, std::vector<int>& list) const {
    current_.IntList(attr, list);
  }

  // The depth of the deepest element the parser finds in text (a root alone is 1), found
  // without recursing by following the parser's own grammar; -1 where the parser would
  // refuse the text. Stops once the depth passes limit and returns that depth.
  static int NestingDepth(std::string_view text, int limit);

 private:
  struct Tree;
  FileSystem* fs_ = nullptr;
  std::unique_ptr<Tree> tree_;
  std::string error_;  // why the last Parse failed
  XmlElement current_;
};
