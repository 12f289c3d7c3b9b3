#include "data/XmlDocument.h"

#include <rapidxml/rapidxml.hpp>

#include <exception>

#include "data/FileSystem.h"
#include "platform/ContentLog.h"

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

int XmlDocument::NestingDepth(std::string_view text, int limit) {
  int depth = 0;
  int deepest = 0;
  size_t i = 0;
  const auto skipPast = [&](std::string_view end) {
    const size_t at = text.find(end, i);
    i = at == std::string_view::npos ? text.size() : at + end.size();
  };
  while (i < text.size()) {
    const size_t open = text.find('<', i);
    if (open == std::string_view::npos) break;
    i = open + 1;
    const std::string_view rest = text.substr(open);
    if (rest.starts_with("<!--")) {
      skipPast("-->");
    } else if (rest.starts_with("<![CDATA[")) {
      skipPast("]]>");
    } else if (rest.starts_with("<?")) {
      skipPast("?>");
    } else if (rest.starts_with("<!")) {
      // A declaration such as DOCTYPE, possibly with an internal subset in brackets.
      int brackets = 0;
      for (; i < text.size(); ++i) {
        if (text[i] == '[') ++brackets;
        if (text[i] == ']' && brackets > 0) --brackets;
        if (text[i] == '>' && brackets == 0) break;
      }
      ++i;
    } else if (rest.starts_with("</")) {
      if (depth > 0) --depth;
      skipPast(">");
    } else {
      char quote = 0;
      bool selfClosing = false;
      for (; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
          if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
          quote = c;
        } else if (c == '>') {
          selfClosing = text[i - 1] == '/';
          break;
        }
      }
      ++i;
      if (!selfClosing && ++depth > deepest) {
        deepest = depth;
        if (deepest > limit) return deepest;
      }
    }
  }
  return deepest;
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
  if (NestingDepth(text, kMaxDepth) > kMaxDepth) {
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
