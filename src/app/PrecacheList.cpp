#include "app/PrecacheList.h"

std::vector<std::string> ParsePrecacheList(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', start)) {
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}
