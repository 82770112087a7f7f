// The importer's diagnostics channel: one formatted line per call to the
// host's list window, silently dropped when the host has none open.
#include "support/import_diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/list_window.h"

namespace c51 {

long ImportDiagnostics(const char* format, ...) {
  if (format == nullptr) return 0;
  // The receiver takes lines of at most 1023 characters; longer ones are cut.
  char line[1024];
  va_list args;
  va_start(args, format);
  int written = std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (written < 0) return 0;
  return SendToListWindow(line, std::strlen(line) + 1);
}

}  // namespace c51
