#include "sdcc/temp_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

namespace c51::sdcc {

TempFolder::TempFolder() {
  const char* base = getenv("TMPDIR");
  std::string pattern = base != nullptr && *base != '\0' ? base : "/tmp";
  if (pattern.back() != '/') pattern += '/';
  pattern += "c51sdcc-XXXXXX";
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern + "/";
}

TempFolder::~TempFolder() {
  if (path_.empty()) return;
  std::error_code ec;  // nothing to report to at this point
  std::filesystem::remove_all(path_, ec);
}

}  // namespace c51::sdcc
