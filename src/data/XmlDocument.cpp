#include "data/XmlDocument.h"

#include <rapidxml/rapidxml.hpp>

#include <algorithm>
#include <exception>

#include "base/ContentLog.h"
#include "data/FileSystem.h"

struct XmlDocument::Tree {
  std::vector<char> text;  // the zero-terminated copy the tree points into
  rapidxml::xml_document<char> document;
};

XmlDocument::XmlDocument() = default;
XmlDocument::XmlDocument(FileSystem& fs) : fs_(&fs) {}
XmlDocument::~XmlDocument() = default;
XmlDocument::XmlDocument(XmlDocument&&) noexcept = default;
XmlDocument& XmlDocument::operator=(XmlDocument&&) noexcept = default;

void XmlDocument::Clear() {
  tree_.reset();
  error_.clear();
  current_ = XmlElement();
}

bool XmlDocument::IsEmpty() const { return !FirstChild(XmlElement(), {}); }

bool XmlDocument::Load(std::string_view name) {
  Clear();
  if (!fs_ || name.empty()) return false;
  std::string fileName(name);
  if (fileName.find('.') == std::string::npos) fileName += ".xml";
  const FileData file = fs_->Read(fileName);
  if (!file) {
    error_ = "missing";
    content_log::Missing(content_log::Kind::File, fileName);
    return false;
  }
  if (file.size > kMaxSize) {
    fs_->Release(file.data);
    error_ = "too large";
    content_log::BadFile(fileName, error_);
    return false;
  }
  const std::string copy(file.Text());
  fs_->Release(file.data);
  if (Parse(copy)) return true;
  content_log::BadFile(fileName, error_);
  return false;
}

namespace {

// The parser's own character classes.
using Tables = rapidxml::internal::lookup_tables<0>;
bool IsSpace(char c) { return Tables::lookup_whitespace[static_cast<unsigned char>(c)] != 0; }
bool IsNameChar(char c) { return Tables::lookup_node_name[static_cast<unsigned char>(c)] != 0; }
bool IsAttributeNameChar(char c) {
  return Tables::lookup_attribute_name[static_cast<unsigned char>(c)] != 0;
}

}  // namespace

// The parser recurses once per open element, so the depth it reaches (at most that of the
// deepest element of the tree it builds, which is what is counted) is measured here by
// walking the text the way it does for the flags Parse uses (rapidxml::parse_default), step
// for step and with its character tables, but keeping the open elements in a counter. Every
// construct is skipped exactly where the parser skips it: comments to "-->", CDATA to "]]>",
// processing instructions and the XML declaration to "?>", "<!DOCTYPE " with bracketed
// subsets counted, any other "<!" to the first ">", quoted attribute values to their quote.
// Wherever the parser would throw, so does this walk, so the two cannot drift apart on
// malformed text either.
int XmlDocument::NestingDepth(std::string_view text, int limit) {
  constexpr int kRefused = -1;
  size_t i = 0;
  const auto at = [&](size_t k) { return k < text.size() ? text[k] : '\0'; };
  const auto skipSpace = [&] {
    while (IsSpace(at(i))) ++i;
  };
  // Past the next occurrence of end; false when there is none.
  const auto skipPast = [&](std::string_view end) {
    const size_t found = text.find(end, i);
    if (found == std::string_view::npos) return false;
    i = found + end.size();
    return true;
  };
  // Attribute value or element text up to stop (or the end), with the parser's check of
  // numeric character references ("&#65;", "&#x41;"): digits, a value below 0x110000 and a
  // closing ";". Named references only copy letters and are skipped as such.
  const auto skipCharacters = [&](char stop) {
    while (at(i) != stop && at(i) != '\0') {
      if (at(i) != '&' || at(i + 1) != '#') {
        ++i;
        continue;
      }
      const bool hex = at(i + 2) == 'x';
      i += hex ? 3 : 2;
      unsigned long code = 0;
      for (;;) {
        const unsigned char digit = Tables::lookup_digits[static_cast<unsigned char>(at(i))];
        if (digit == 0xFF) break;
        code = code * (hex ? 16 : 10) + digit;
        ++i;
      }
      if (code >= 0x110000 || at(i) != ';') return false;
      ++i;
    }
    return true;
  };

  // A UTF-8 byte-order mark the parser skips by itself.
  if (text.starts_with("\xEF\xBB\xBF")) i = 3;
  int depth = 0;
  int deepest = 0;
  for (;;) {
    skipSpace();
    const char c = at(i);
    if (c == '\0') return depth == 0 ? deepest : kRefused;  // open elements at the end
    if (c != '<') {
      // Text belongs inside an element; before the root it is an error.
      if (depth == 0 || !skipCharacters('<')) return kRefused;
      continue;
    }
    if (depth > 0 && at(i + 1) == '/') {
      // A closing tag: any name, spaces, ">".
      i += 2;
      while (IsNameChar(at(i))) ++i;
      skipSpace();
      if (at(i) != '>') return kRefused;
      ++i;
      --depth;
      continue;
    }
    ++i;  // '<'
    const std::string_view rest = text.substr(std::min(i, text.size()));
    if (at(i) == '?') {
      ++i;
      if (rest.size() > 4 && (rest[1] | 0x20) == 'x' && (rest[2] | 0x20) == 'm' &&
          (rest[3] | 0x20) == 'l' && IsSpace(rest[4]))
        i += 4;  // the XML declaration
      if (!skipPast("?>")) return kRefused;
    } else if (at(i) == '!') {
      if (rest.starts_with("!--")) {
        i += 3;
        if (!skipPast("-->")) return kRefused;
      } else if (rest.starts_with("![CDATA[")) {
        i += 8;
        if (!skipPast("]]>")) return kRefused;
      } else if (rest.starts_with("!DOCTYPE") && IsSpace(at(i + 8))) {
        i += 9;
        while (at(i) != '>') {
          if (at(i) == '\0') return kRefused;
          if (at(i++) != '[') continue;
          // A bracketed subset, nested brackets counted; a ">" inside does not end it.
          for (int brackets = 1; brackets > 0; ++i) {
            if (at(i) == '\0') return kRefused;
            if (at(i) == '[') ++brackets;
            if (at(i) == ']') --brackets;
          }
        }
        ++i;
      } else {
        // Any other declaration ends at the first ">", brackets or not.
        ++i;
        if (!skipPast(">")) return kRefused;
      }
    } else {
      // An element: a name, attributes with quoted values, then ">" or "/>".
      const size_t name = i;
      while (IsNameChar(at(i))) ++i;
      if (i == name) return kRefused;
      skipSpace();
      while (IsAttributeNameChar(at(i))) {
        while (IsAttributeNameChar(at(i))) ++i;
        skipSpace();
        if (at(i) != '=') return kRefused;
        ++i;
        skipSpace();
        const char quote = at(i);
        if (quote != '"' && quote != '\'') return kRefused;
        ++i;
        if (!skipCharacters(quote) || at(i) != quote) return kRefused;
        ++i;
        skipSpace();
      }
      // An empty element ("/>") counts as one level below its parent, like one with
      // content, so the depth is that of the deepest element of the tree.
      if (at(i) == '/') {
        if (at(i + 1) != '>') return kRefused;
        i += 2;
        deepest = std::max(deepest, depth + 1);
      } else if (at(i) == '>') {
        ++i;
        deepest = std::max(deepest, ++depth);
      } else {
        return kRefused;
      }
      if (deepest > limit) return deepest;
    }
  }
}

bool XmlDocument::Parse(std::string_view text) {
  Clear();
  if (text.size() > kMaxSize) {
    error_ = "too large";
    return false;
  }
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  // The parser stops at a zero byte; so does every check here.
  text = text.substr(0, text.find('\0'));
  // Refused before the parser sees it: text nested too deep for the parser's recursion, and
  // text the parser would refuse anyway.
  const int depth = NestingDepth(text, kMaxDepth);
  if (depth < 0) {
    error_ = "not well-formed";
    return false;
  }
  if (depth > kMaxDepth) {
    error_ = "elements nested too deeply";
    return false;
  }
  try {
    auto tree = std::make_unique<Tree>();
    tree->text.reserve(text.size() + 1);
    tree->text.assign(text.begin(), text.end());
    tree->text.push_back('\0');
    tree->document.parse<rapidxml::parse_default>(tree->text.data());
    tree_ = std::move(tree);
  } catch (const std::exception& e) {
    Clear();
    error_ = e.what();
    return false;
  }
  if (IsEmpty()) {
    error_ = "no element";
    return false;
  }
  return true;
}

XmlElement XmlDocument::FirstChild(XmlElement parent, std::string_view name) const {
  if (parent) return parent.FirstChild(name);
  if (!tree_) return XmlElement();
  return XmlElement(&tree_->document).FirstChild(name);
}

XmlElement XmlDocument::NextSibling(XmlElement element, std::string_view name) const {
  return element.NextSibling(name);
}
