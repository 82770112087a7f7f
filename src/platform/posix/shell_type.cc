// Shell type names without a shell: derived from the extension alone.
#include "platform/shell_type.h"

#include "platform/codepage.h"
#include "platform/fs.h"
#include "platform/path.h"

namespace c51 {
namespace {

bool IsGbkLead(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}

}  // namespace

std::string ShellTypeName(const std::string& path) {
  if (IsDirectory(path)) return "File Folder";

  // One pass from the start: in GBK a trail byte may look like "\" or a
  // letter, so double-byte characters are stepped over whole.
  const bool gbk = LocalCodePage() == kCodePageGbk;
  size_t dot = std::string::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (gbk && IsGbkLead(c) && i + 1 < path.size()) {
      ++i;
    } else if (IsPathSeparator(path[i]) || c == ' ') {
      dot = std::string::npos;
    } else if (c == '.') {
      dot = i;
    }
  }
  if (dot == std::string::npos || dot + 1 == path.size()) return "File";

  std::string name;
  name.reserve(path.size() - dot + 4);
  for (size_t i = dot + 1; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (gbk && IsGbkLead(c) && i + 1 < path.size()) {
      name += path[i];
      name += path[++i];
    } else {
      name += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : path[i];
    }
  }
  name += " File";
  return name;
}

}  // namespace c51
