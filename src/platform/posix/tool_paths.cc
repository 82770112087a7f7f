// Paths for Windows programs under wine; other programs keep POSIX paths.
#include "platform/tool_paths.h"

#include "platform/codepage.h"
#include "platform/path.h"
#include "platform/posix/wine.h"

namespace c51 {

std::string PathForProgram(const std::string& program, const std::string& path) {
  if (path.empty() || !IsPathSeparator(path[0])) return path;
  if (!RunsThroughWine(program)) return path;
  // A trailing separator says "folder" to the tools: it stays.
  const bool folder = IsPathSeparator(path.back());
  std::string native = NativeSpelling(path);
  std::string mapped = posix::CurrentNativeToDrivePath(native);
  if (folder && mapped.back() != '\\') mapped += '\\';
  return SystemToLocalText(mapped);
}

bool RunsThroughWine(const std::string& program) {
  return posix::IsWindowsProgramFile(NativePath(program));
}

}  // namespace c51
