#include "support/fs_path.h"

#include <algorithm>
#include <chrono>

#include "platform/codepage.h"
#include "platform/path.h"

namespace c51::test {

std::filesystem::path FsPath(const std::string& path) {
  const std::string native = NativePath(path);
  if (NativePathStyle() != PathStyle::kWindows) return std::filesystem::path(native);
  std::string utf8;
  if (!ConvertCodePage(native, kCodePageLocal, kCodePageUtf8, &utf8)) utf8 = native;
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool SetTimeForward(const std::string& path, int seconds) {
  std::error_code ec;
  const std::filesystem::path native = FsPath(path);
  auto time = std::filesystem::last_write_time(native, ec);
  if (ec) return false;
  // Never into the past: on a loaded machine the outputs a test compares
  // with may be younger than the file's own time plus `seconds`.
  const auto floor = std::filesystem::file_time_type::clock::now() + std::chrono::seconds(1);
  std::filesystem::last_write_time(native, std::max(time + std::chrono::seconds(seconds), floor),
                                   ec);
  return !ec;
}

}  // namespace c51::test
