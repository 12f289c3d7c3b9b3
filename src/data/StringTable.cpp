#include "data/StringTable.h"

#include "base/ContentLog.h"
#include "base/Text.h"
#include "data/Utf8.h"
#include "data/XmlDocument.h"

namespace {
const std::u16string kEmpty;
}

bool StringTable::Load(std::string_view name) {
  XmlDocument document(fs_);
  if (!document.Load(name)) return false;
  return Load(document);
}

bool StringTable::Load(const XmlDocument& document) {
  const XmlElement root = document.FirstChild(XmlElement(), "StringTable");
  if (!root) return false;
  for (XmlElement s = root.FirstChild("String"); s; s = s.NextSibling("String")) {
    const auto key = s.Attribute("name");
    const auto value = s.Attribute("value");
    if (!key || !value) continue;
    std::u16string text = DecodeUtf8(*value);
    if (hook_) hook_(text);
    Set(DecodeUtf8(*key), std::move(text));
  }
  return true;
}

const std::u16string& StringTable::Get(std::u16string_view key) const {
  const auto it = table_.find(key);
  if (it != table_.end()) return it->second;
  if (content_log::Enabled())
    content_log::Missing(content_log::Kind::String, base::Utf16ToUtf8(key));
  return kEmpty;
}

const std::u16string& StringTable::Get(std::string_view key) const {
  return Get(std::u16string_view(WidenBytes(key)));
}

void StringTable::Set(std::u16string key, std::u16string value) {
  auto it = table_.find(key);
  if (it == table_.end()) {
    table_.emplace(std::move(key), std::move(value));
  } else {
    it->second = std::move(value);
  }
}

void StringTable::ReplacePlaceholder(std::u16string& text, std::u16string_view placeholder,
                                     char16_t code) {
  if (placeholder.empty()) return;
  size_t at = 0;
  while ((at = text.find(placeholder, at)) != std::u16string::npos) {
    text.replace(at, placeholder.size(), 1, code);
    at += 1;
  }
}
