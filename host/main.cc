// corvane-c51: the command-line host of the C51 plug-in.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "host/cli.h"
#include "host/commands.h"
#include "platform/codepage.h"

int main(int argc, char** argv) {
  try {
    // Texts inside are in the local code page, as the plug-in's are; a name
    // that code page cannot hold would be stored or passed on garbled.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
      std::string local;
      if (!c51::SystemToLocalStrict(argv[i], &local)) {
        std::fprintf(stderr,
                     "corvane-c51: \"%s\" cannot be written in the local code page %d; "
                     "C51_LOCAL_CODEPAGE=65001 keeps texts in UTF-8\n",
                     argv[i], c51::LocalCodePage());
        return c51::host::kExitUsage;
      }
      args.push_back(std::move(local));
    }
    return c51::host::RunCommandLine(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "corvane-c51: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "corvane-c51: unexpected failure\n");
  }
  return c51::host::kExitUsage;
}
