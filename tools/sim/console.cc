#include "sim/console.h"

#include <cstdio>

#include "platform/codepage.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace c51::sim {

Console::Console() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

Console::~Console() {
  fflush(stdout);
}

void Console::Flush() {
  fflush(stdout);
}

void Console::Line(std::string_view text) {
  const std::string system = LocalToSystemText(text);
  fwrite(system.data(), 1, system.size(), stdout);
  fwrite("\r\n", 1, 2, stdout);
}

void PrintFatalBlock(Console* console, std::string_view tool, const FatalError& fatal) {
  console->Line(std::string(tool) + " FATAL-ERROR -");
  console->Line("  ACTION:  " + fatal.action);
  if (!fatal.line_text.empty()) console->Line("  LINE:    " + fatal.line_text);
  console->Line("  ERROR:   " + fatal.error);
  if (!fatal.file.empty()) {
    std::string where = "  FILE:    " + fatal.file;
    if (fatal.line > 0) where += ", LINE " + std::to_string(fatal.line);
    console->Line(where);
  }
  console->Line(std::string(tool) + " TERMINATED.");
}

}  // namespace c51::sim
