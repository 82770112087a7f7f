// The command line: sub-commands, their options and their help texts.
//
//   corvane-c51 [global options] <command> [options] [arguments]
//
// Options may come before or after arguments; "--" ends them. Values are
// given as "--name value", "--name=value" or "-x value".
#ifndef C51_HOST_CLI_H_
#define C51_HOST_CLI_H_

#include <map>
#include <set>
#include <string>
#include <vector>

namespace c51::host {

// Exit statuses.
constexpr int kExitSuccess = 0;
constexpr int kExitBuildFailed = 1;
constexpr int kExitUsage = 2;  // usage or input error

struct OptionSpec {
  const char* name;        // "config" for --config
  char short_name;         // 'p' for -p; 0 for none
  const char* value_name;  // "NAME"; null for a switch
  const char* help;
};

class Session;

struct CommandSpec {
  const char* name;
  // Runs the command and returns the exit status; null for "help", which
  // needs no project.
  int (*run)(Session* session);
  const char* arguments;  // synopsis of the positional arguments
  const char* summary;
  int min_arguments;
  int max_arguments;  // -1: any number
  std::vector<OptionSpec> options;
};

const std::vector<CommandSpec>& Commands();
const CommandSpec* FindCommand(const std::string& name);

struct ParsedCommand {
  const CommandSpec* command_info = nullptr;  // null: no command was given
  std::vector<std::string> arguments;
  std::map<std::string, std::string> values;  // options with a value, by long name
  std::set<std::string> switches;             // options without one, by long name
  bool help = false;                          // --help or -h

  bool Has(const std::string& name) const { return switches.count(name) != 0; }
  // The option's value, or `fallback` when it was not given.
  std::string Value(const std::string& name, const std::string& fallback = "") const;
};

// False with `err` for an unknown command or option, a missing value or a
// wrong number of arguments (not checked when help was asked for).
bool ParseCommandLine(const std::vector<std::string>& args, ParsedCommand* out, std::string* err);

std::string GeneralHelp();
std::string CommandHelp(const CommandSpec& command_info);

}  // namespace c51::host

#endif  // C51_HOST_CLI_H_
