// corvane-c51: the command-line host of the C51 plug-in.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "host/cli.h"
#include "host/commands.h"

int main(int argc, char** argv) {
  try {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    return c51::host::RunCommandLine(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "corvane-c51: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "corvane-c51: unexpected failure\n");
  }
  return c51::host::kExitUsage;
}
