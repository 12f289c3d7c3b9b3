#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rapidxml {
template <class Ch>
class xml_node;
}

struct XmlPoint {
  float x = 0;
  float y = 0;
};

// A reference to one element of an XmlDocument (valid while the document lives), with the
// attribute readers of the content formats. Element and attribute names are matched exactly
// (case-sensitive). A null element finds nothing and every reader gives its default.
class XmlElement {
 public:
  XmlElement() = default;
  explicit XmlElement(rapidxml::xml_node<char>* node) : node_(node) {}

  explicit operator bool() const { return node_ != nullptr; }
  bool operator==(const XmlElement& other) const = default;

  std::string_view Name() const;
  // The element's own text (the first text inside it), empty when none.
  std::string_view Value() const;

  // The first child element with that name (any name when empty), or null.
  XmlElement FirstChild(std::string_view name = {}) const;
  // The next sibling element with that name (any name when empty), or null.
  XmlElement NextSibling(std::string_view name = {}) const;

  bool Has(std::string_view attr) const { return Attribute(attr).has_value(); }
  std::optional<std::string_view> Attribute(std::string_view attr) const;

  // Text of the attribute; empty when missing.
  std::string Text(std::string_view attr) const;
  // atoi of the text (clamped to the int range); def when missing.
  int Int(std::string_view attr, int def) const;
  // Hexadecimal digits accumulated until the first other character; def when missing.
  uint32_t Hex(std::string_view attr, uint32_t def) const;
  // atoi of the text != 0; def when missing.
  bool Bool(std::string_view attr, bool def) const;
  // atof of the text; def when missing.
  float Float(std::string_view attr, float def) const;
  // Number of comma-separated items: 1 for a text without a comma, 0 when missing.
  int Count(std::string_view attr) const;
  // Fills out with zeros, then with the comma-separated items from the left (atof / atoi);
  // fewer items leave the rest 0, more are ignored.
  void Floats(std::string_view attr, std::span<float> out) const;
  void Ints(std::string_view attr, std::span<int> out) const;
  std::vector<float> Floats(std::string_view attr, size_t n) const;
  std::vector<int> Ints(std::string_view attr, size_t n) const;
  // Two comma-separated floats x, y; (0, 0) when missing.
  XmlPoint Point(std::string_view attr) const;
  // Clears list, then appends atoi of every comma-separated item (nothing when missing).
  void IntList(std::string_view attr, std::vector<int>& list) const;

  rapidxml::xml_node<char>* Node() const { return node_; }

 private:
  rapidxml::xml_node<char>* node_ = nullptr;
};
