#include "support/split_text.h"

namespace c51 {

std::vector<std::string> SplitAtSeparators(const std::string& text, const char* separators) {
  bool is_separator[256] = {};
  for (const char* s = separators; s != nullptr && *s != '\0'; ++s) {
    is_separator[static_cast<unsigned char>(*s)] = true;
  }
  std::vector<std::string> items;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && is_separator[static_cast<unsigned char>(text[i])]) ++i;
    size_t start = i;
    while (i < text.size() && !is_separator[static_cast<unsigned char>(text[i])]) ++i;
    if (i > start) items.push_back(text.substr(start, i - start));
  }
  return items;
}

}  // namespace c51
