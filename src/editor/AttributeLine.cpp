#include "editor/AttributeLine.h"

#include <cctype>
#include <cstdlib>

#include "level/LevelWriter.h"

namespace {

bool NameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == ':';
}

}  // namespace

std::optional<AttributeLine> AttributeLine::Parse(std::string_view line) {
  size_t at = line.find('<');
  if (at == std::string_view::npos) return std::nullopt;
  ++at;
  AttributeLine out;
  while (at < line.size() && NameChar(line[at])) out.element_ += line[at++];
  if (out.element_.empty()) return std::nullopt;
  for (;;) {
    while (at < line.size() && std::isspace(static_cast<unsigned char>(line[at]))) ++at;
    if (at >= line.size()) return std::nullopt;
    if (line[at] == '/' || line[at] == '>') {
      out.selfClosing_ = line[at] == '/';
      return out;
    }
    std::string name;
    while (at < line.size() && NameChar(line[at])) name += line[at++];
    if (name.empty() || at + 1 >= line.size() || line[at] != '=' || line[at + 1] != '"')
      return std::nullopt;
    at += 2;
    const size_t close = line.find('"', at);
    if (close == std::string_view::npos) return std::nullopt;
    out.attrs_.emplace_back(std::move(name), std::string(line.substr(at, close - at)));
    at = close + 1;
  }
}

std::string AttributeLine::Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
      continue;
    }
    const size_t end = text.find(';', i);
    if (end == std::string_view::npos) {
      out += text.substr(i);
      break;
    }
    const std::string_view entity = text.substr(i + 1, end - i - 1);
    if (entity == "amp") {
      out += '&';
    } else if (entity == "lt") {
      out += '<';
    } else if (entity == "gt") {
      out += '>';
    } else if (entity == "quot") {
      out += '"';
    } else if (entity == "apos") {
      out += '\'';
    } else if (entity.size() > 1 && entity[0] == '#') {
      const long code = std::strtol(std::string(entity.substr(1)).c_str(), nullptr, 10);
      if (code > 0 && code < 128) out += char(code);
    } else {
      out += text.substr(i, end - i + 1);
    }
    i = end;
  }
  return out;
}

std::optional<std::string> AttributeLine::Value(std::string_view name) const {
  for (const auto& [n, v] : attrs_)
    if (n == name) return Unescape(v);
  return std::nullopt;
}

void AttributeLine::SetValue(std::string_view name, std::string_view text) {
  for (auto it = attrs_.begin(); it != attrs_.end(); ++it) {
    if (it->first != name) continue;
    if (text.empty()) {
      attrs_.erase(it);
    } else {
      it->second = LevelWriter::Escape(text);
    }
    return;
  }
  if (!text.empty()) attrs_.emplace_back(std::string(name), LevelWriter::Escape(text));
}

std::string AttributeLine::Format() const {
  std::string out = "<" + element_ + " ";
  for (const auto& [n, v] : attrs_) out += n + "=\"" + v + "\" ";
  out += selfClosing_ ? "/>" : ">";
  return out;
}
