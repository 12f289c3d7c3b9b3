#include "app/PrecacheList.h"

std::vector<std::string> ParsePrecacheList(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find("\r\n"); end != std::string_view::npos;
       end = text.find("\r\n", start)) {
    lines.emplace_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}
