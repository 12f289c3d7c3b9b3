#include "data/ValueTable.h"

#include "base/ContentLog.h"

#include "data/Numbers.h"
#include "data/XmlDocument.h"

bool ValueTable::Load(std::string_view name) {
  XmlDocument document(fs_);
  if (!document.Load(name)) return false;
  return Load(document);
}

bool ValueTable::Load(const XmlDocument& document) {
  const XmlElement root = document.FirstChild(XmlElement(), "ValueTable");
  if (!root) return false;
  for (XmlElement v = root.FirstChild("Value"); v; v = v.NextSibling("Value")) {
    const auto key = v.Attribute("name");
    const auto value = v.Attribute("value");
    if (!key || !value) continue;
    Set(std::string(*key), ParseFloat(*value));
  }
  return true;
}

const float* ValueTable::Find(std::string_view key) const {
  const auto it = table_.find(key);
  if (it != table_.end()) return &it->second;
  content_log::Missing(content_log::Kind::Value, key);
  return nullptr;
}

float ValueTable::GetFloat(std::string_view key, float def) const {
  const float* value = Find(key);
  return value ? *value : def;
}

int ValueTable::GetInt(std::string_view key, int def) const {
  const float* value = Find(key);
  return value ? FloatToInt(*value, def) : def;
}

bool ValueTable::GetBool(std::string_view key, bool def) const {
  const float* value = Find(key);
  return value ? *value != 0.0f : def;
}
