#include "data/XmlElement.h"

#include <rapidxml/rapidxml.hpp>

#include <algorithm>
#include <cstring>

#include "data/Numbers.h"

namespace {

bool NameIs(const rapidxml::xml_base<char>* node, std::string_view name) {
  return name.empty() || (node->name_size() == name.size() &&
                          std::memcmp(node->name(), name.data(), name.size()) == 0);
}

rapidxml::xml_node<char>* FirstElement(rapidxml::xml_node<char>* node, std::string_view name) {
  for (; node; node = node->next_sibling()) {
    if (node->type() == rapidxml::node_element && NameIs(node, name)) return node;
  }
  return nullptr;
}

// Calls item(text) for every comma-separated item, left to right, until it returns false.
template <class Fn>
void ForEachItem(std::string_view text, Fn item) {
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    if (!item(text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start))) {
      return;
    }
    if (comma == std::string_view::npos) return;
    start = comma + 1;
  }
}

}  // namespace

std::string_view XmlElement::Name() const {
  return node_ ? std::string_view(node_->name(), node_->name_size()) : std::string_view{};
}

std::string_view XmlElement::Value() const {
  return node_ ? std::string_view(node_->value(), node_->value_size()) : std::string_view{};
}

XmlElement XmlElement::FirstChild(std::string_view name) const {
  return XmlElement(node_ ? FirstElement(node_->first_node(), name) : nullptr);
}

XmlElement XmlElement::NextSibling(std::string_view name) const {
  return XmlElement(node_ ? FirstElement(node_->next_sibling(), name) : nullptr);
}

std::optional<std::string_view> XmlElement::Attribute(std::string_view attr) const {
  if (!node_ || attr.empty()) return std::nullopt;
  for (auto* a = node_->first_attribute(); a; a = a->next_attribute()) {
    if (NameIs(a, attr)) return std::string_view(a->value(), a->value_size());
  }
  return std::nullopt;
}

std::string XmlElement::Text(std::string_view attr) const {
  return std::string(Attribute(attr).value_or(std::string_view{}));
}

int XmlElement::Int(std::string_view attr, int def) const {
  const auto text = Attribute(attr);
  return text ? ParseInt(*text) : def;
}

uint32_t XmlElement::Hex(std::string_view attr, uint32_t def) const {
  const auto text = Attribute(attr);
  return text ? ParseHex(*text) : def;
}

bool XmlElement::Bool(std::string_view attr, bool def) const {
  const auto text = Attribute(attr);
  return text ? ParseInt(*text) != 0 : def;
}

float XmlElement::Float(std::string_view attr, float def) const {
  const auto text = Attribute(attr);
  return text ? ParseFloat(*text) : def;
}

int XmlElement::Count(std::string_view attr) const {
  const auto text = Attribute(attr);
  if (!text) return 0;
  return int(std::count(text->begin(), text->end(), ',')) + 1;
}

void XmlElement::Floats(std::string_view attr, std::span<float> out) const {
  std::fill(out.begin(), out.end(), 0.0f);
  const auto text = Attribute(attr);
  if (!text) return;
  size_t i = 0;
  ForEachItem(*text, [&](std::string_view item) {
    if (i >= out.size()) return false;
    out[i++] = ParseFloat(item);
    return true;
  });
}

void XmlElement::Ints(std::string_view attr, std::span<int> out) const {
  std::fill(out.begin(), out.end(), 0);
  const auto text = Attribute(attr);
  if (!text) return;
  size_t i = 0;
  ForEachItem(*text, [&](std::string_view item) {
    if (i >= out.size()) return false;
    out[i++] = ParseInt(item);
    return true;
  });
}

std::vector<float> XmlElement::Floats(std::string_view attr, size_t n) const {
  std::vector<float> out(n);
  Floats(attr, std::span<float>(out));
  return out;
}

std::vector<int> XmlElement::Ints(std::string_view attr, size_t n) const {
  std::vector<int> out(n);
  Ints(attr, std::span<int>(out));
  return out;
}

XmlPoint XmlElement::Point(std::string_view attr) const {
  float xy[2] = {0, 0};
  Floats(attr, xy);
  return XmlPoint{xy[0], xy[1]};
}

void XmlElement::IntList(std::string_view attr, std::vector<int>& list) const {
  list.clear();
  const auto text = Attribute(attr);
  if (!text) return;
  ForEachItem(*text, [&](std::string_view item) {
    list.push_back(ParseInt(item));
    return true;
  });
}
