#include "build/user_commands.h"

#include <string>

#include "platform/path.h"
#include "plugin/state.h"
#include "project/config_keys.h"
#include "project/host_services.h"

namespace c51 {
namespace {

void RunOne(HostServices* host, const char* number, bool enabled, const std::string& command) {
  if (!enabled || command.empty()) return;
  // Composed by hand: the command may hold "%".
  std::string echo = std::string("User Command #") + number + ":" + command + "\r\n";
  host->Output(echo.c_str(), 0);
  int exit_code = 0;
  const bool ran = host->RunCommand(command.c_str(), &exit_code);
  // The command may have renamed or replaced folders the build looks into.
  FileNameMatchScope::FoldersMayHaveChanged();
  if (!ran) {
    std::string error =
        "--- Error: User command terminated,Exit code = " + std::to_string(exit_code) + "\r\n";
    host->Output(error.c_str(), 0);
  }
}

}  // namespace

void RunUserCommands(PluginState* state, const char* value) {
  if (state->host == nullptr || value == nullptr || *value == '\0') return;
  UserCommands commands;
  if (!DecodeUserCommands(value, &commands)) return;
  RunOne(state->host, "1", commands.run1, commands.command1);
  RunOne(state->host, "2", commands.run2, commands.command2);
}

}  // namespace c51
